#include "core/dialog_keys.h"

#include "core/field_typing.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

void setUpDialog(QDialog* dialog) {
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QLocale german(QLocale::German, QLocale::Germany);
    for (QAbstractSpinBox* spin : dialog->findChildren<QAbstractSpinBox*>()) spin->setLocale(german);
    for (QDateEdit* edit : dialog->findChildren<QDateEdit*>()) typeDatesWhole(edit);
    for (QDoubleSpinBox* spin : dialog->findChildren<QDoubleSpinBox*>()) typePointAsComma(spin);
    EnterMovesFocus::install(dialog);
}

void EnterMovesFocus::install(QWidget* dialog) {
    auto* filter = new EnterMovesFocus(dialog);
    // Enter presses a button only when that button has the focus or is the dialog's default:
    // in a grid or a list it presses nothing.
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (!button->isDefault()) button->setAutoDefault(false);
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
            (qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
            w->installEventFilter(filter);
    }
}

bool EnterMovesFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (auto* combo = qobject_cast<QComboBox*>(watched); combo && combo->view()->isVisible()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    // A push or tool button with the focus is pressed, whichever button is the dialog's default.
    if (auto* button = qobject_cast<QAbstractButton*>(widget);
        button && !qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button)) {
        if (!key->isAutoRepeat()) button->click();
        return true;
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) spin->interpretText();
    // the dialog's next field in tab order
    QWidget* next = widget->nextInFocusChain();
    while (next && next != widget &&
           (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() || !next->isVisible() || next->focusProxy()))
        next = next->nextInFocusChain();
    if (next) next->setFocus(Qt::TabFocusReason);
    return true;
}

void focusForCorrection(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    else if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit())
        box->lineEdit()->selectAll();
}
