#include "logbook/new_trip_dialog.h"

#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/field_names.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "logbook/choice_list.h"
#include "logbook/logbook_files.h"
#include "store/code_page.h"
#include "ui_new_trip_dialog.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

void fillChoiceBox(QComboBox& box, QStringList texts) {
    texts.sort(Qt::CaseInsensitive);
    texts.removeDuplicates();
    box.clear();
    box.addItems(texts);
    box.setCurrentIndex(-1);
    box.setEditText(QString());
}

TForm10::TForm10(AppState& state, LogbookFiles& files, Prompts& prompts, const MainWindowRefresh& main, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm10>()), m_state(state), m_files(files), m_prompts(prompts),
      m_main(main) {
    m_ui->setupUi(this);
    Ui::TForm10& u = *m_ui;
    connect(u.okButton, &QPushButton::clicked, this, &TForm10::onOk);
    connect(u.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The arrival follows the departure.
    connect(u.departureDateEdit, &QDateEdit::dateChanged, u.arrivalDateEdit, &QDateEdit::setDate);
    connect(u.departureTimeEdit, &QTimeEdit::timeChanged, u.arrivalTimeEdit, &QTimeEdit::setTime);
    for (QComboBox* box :
         {u.fromComboBox, u.viaComboBox, u.toComboBox, u.purposeComboBox, u.visitedComboBox, u.driverComboBox}) {
        // Typed letters complete to the first entry that begins with them; any text may be typed.
        box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        box->completer()->setCompletionMode(QCompleter::InlineCompletion);
    }
    u.fromLabel->installEventFilter(this);
    setUpDialog(this);
}

TForm10::~TForm10() = default;

bool TForm10::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->fromLabel && event->type() == QEvent::MouseButtonDblClick) {
        Label11DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm10::setStartEditable(bool editable) {
    Ui::TForm10& u = *m_ui;
    u.odometerStartSpinBox->setReadOnly(!editable);
    u.odometerStartSpinBox->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    u.odometerStartSpinBox->setButtonSymbols(editable ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    u.fromComboBox->setVisible(editable);
    u.fromLabel->setVisible(!editable);
}

void TForm10::Label11DblClick() {
    setStartEditable(true);
    m_ui->fromComboBox->setFocus();
}

bool TForm10::prepare() {
    Ui::TForm10& u = *m_ui;
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*u.banner, QStringLiteral("Neuer Eintrag ins Fahrtenbuch"));
    const QDateTime now = m_state.clock.now();
    const QTime minute(now.time().hour(), now.time().minute());
    u.departureDateEdit->setDate(now.date());
    u.arrivalDateEdit->setDate(now.date());
    u.departureTimeEdit->setTime(minute);
    u.arrivalTimeEdit->setTime(minute);

    const LogbookFiles::Opened opened = m_files.open();
    if (opened.error) {
        m_prompts.error(*opened.error);
        return false;
    }
    m_prompts.errorIfAny(opened.chainError.value_or(QString()));

    const std::optional<TripStart> start = tripStart(m_state.TripTable);
    if (start) {
        u.odometerStartSpinBox->setValue(static_cast<int>(odometerNumber(start->odometer)));
        u.fromLabel->setText(start->place);
        setStartEditable(false);
    } else {
        // The first trip, or every one deactivated: the start is typed; the odometer keeps its value.
        u.fromLabel->clear();
        setStartEditable(true);
    }
    u.odometerEndSpinBox->setValue(u.odometerStartSpinBox->value() + 1);

    const TableLoad choices = loadChoiceList(m_state, m_choices);
    m_choicesWritable = !choices.error;
    if (choices.error) m_prompts.error(*choices.error);
    m_prompts.errorIfAny(takeNotices(m_state));
    const ChoiceLists lists = choiceListsOf(m_choices);
    fillChoiceBox(*u.fromComboBox, lists.texts[0]);
    fillChoiceBox(*u.viaComboBox, lists.texts[0]);
    fillChoiceBox(*u.toComboBox, lists.texts[0]);
    fillChoiceBox(*u.purposeComboBox, lists.texts[1]);
    fillChoiceBox(*u.visitedComboBox, lists.texts[2]);
    fillChoiceBox(*u.driverComboBox, lists.texts[3]);
    // Without a choice list the setting stays as it was.
    if (choices.present && !choices.error) m_state.ConfirmBeforeSave = lists.confirmBeforeSave;
    // The start place the previous entry gives stands in the hidden field too.
    if (start) u.fromComboBox->setEditText(start->place);
    u.departureDateEdit->setFocus();
    return true;
}

int TForm10::exec() {
    if (!prepare()) return Rejected;
    return QDialog::exec();
}

TripInput TForm10::input() const {
    const Ui::TForm10& u = *m_ui;
    TripInput in;
    in.departureDate = u.departureDateEdit->date();
    in.arrivalDate = u.arrivalDateEdit->date();
    in.departureTime = u.departureTimeEdit->time();
    in.arrivalTime = u.arrivalTimeEdit->time();
    in.odometerStart = u.odometerStartSpinBox->text();
    in.odometerEnd = u.odometerEndSpinBox->text();
    in.from = u.fromComboBox->currentText();
    in.via = u.viaComboBox->currentText();
    in.to = u.toComboBox->currentText();
    in.purpose = u.purposeComboBox->currentText();
    in.visited = u.visitedComboBox->currentText();
    in.driver = u.driverComboBox->currentText();
    in.kind = u.businessRadioButton->isChecked()   ? TripKind::Business
              : u.homeWorkRadioButton->isChecked() ? TripKind::HomeWork
                                                   : TripKind::Private;
    return in;
}

QWidget* TForm10::fieldWidget(TripField field) const {
    const Ui::TForm10& u = *m_ui;
    switch (field) {
    case TripField::ArrivalDate:
        return u.arrivalDateEdit;
    case TripField::ArrivalTime:
        return u.arrivalTimeEdit;
    case TripField::OdometerEnd:
        return u.odometerEndSpinBox;
    case TripField::From:
        return u.fromComboBox->isHidden() ? static_cast<QWidget*>(u.fromLabel) : u.fromComboBox;
    case TripField::To:
        return u.toComboBox;
    case TripField::Purpose:
        return u.purposeComboBox;
    case TripField::Visited:
        return u.visitedComboBox;
    case TripField::Driver:
        break;
    }
    return u.driverComboBox;
}

void TForm10::onOk() {
    const TripInput in = input();
    if (const std::optional<TripInputError> error = checkTripInput(in)) {
        m_prompts.error(error->message);
        focusForCorrection(fieldWidget(error->focus));
        return;
    }
    const bool save = !m_state.ConfirmBeforeSave || m_prompts.question(kConfirmNewTrip);
    if (save) {
        appendTripRow(m_state.TripTable, in, m_state.VehicleTable.GetValue(field::nummer));
        const LogbookFiles::Stored stored = m_files.storeNewEntry();
        m_prompts.errorIfAny(stored.error.value_or(QString()));
        if (!stored.stored) return; // nothing lost: the dialog stays with the input
    }
    // The typed texts are offered next time, whether the entry was saved or not.
    if (m_choicesWritable) {
        addTypedChoices(m_choices,
                        {fromTyped(in.from, TypedText::OneLine), fromTyped(in.via, TypedText::OneLine),
                         fromTyped(in.to, TypedText::OneLine), fromTyped(in.purpose, TypedText::OneLine),
                         fromTyped(in.visited, TypedText::OneLine), fromTyped(in.driver, TypedText::OneLine)});
        if (auto error = saveChoiceList(m_state, m_choices)) m_prompts.error(*error);
    }
    accept();
}
