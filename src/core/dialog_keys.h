#pragma once
// How every dialog of the program is set up, and how it answers the keyboard: Enter moves from one
// input field to the next, as the program has always done; on a button it presses that button,
// elsewhere only the dialog's default button.

#include <QObject>

class QDialog;
class QWidget;

// Once, after setupUi: no context-help button in the title bar, German numbers and dates in every
// spin box and date field, dates and decimals typed as field_typing.h says, and Enter as
// EnterMovesFocus says.
void setUpDialog(QDialog* dialog);

class EnterMovesFocus final : public QObject {
public:
    // Watches every input field of `dialog` (edits, spin boxes, date fields, check, radio and combo
    // boxes) and every button.
    static void install(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

// Puts the focus into the field a refused input names, its content selected so that typing
// replaces it.
void focusForCorrection(QWidget* field);
