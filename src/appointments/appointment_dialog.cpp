#include "appointments/appointment_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/field_names.h"
#include "core/prompts.h"
#include "store/mlb2.h"
#include "ui_appointment_dialog.h"

TForm28::TForm28(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm28>()), m_state(state), m_prompts(prompts) {
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm28::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm28::onDelete);
    setUpDialog(this);
}

TForm28::~TForm28() = default;

bool TForm28::isEditForm() const {
    return windowTitle() == kEditAppointmentCaption;
}

void TForm28::prepare() {
    Topleiste(*m_ui->banner, windowTitle());
    if (isEditForm()) {
        const TMlb2& table = m_state.AppointmentTable;
        const QDate date = appointmentDate(table.GetValue(field::datum));
        m_shownTime = appointmentTime(table.GetValue(field::zeit));
        // A value of another form leaves the picker on today or midnight, shown before anything is stored.
        m_ui->dateEdit->setDate(date.isValid() ? date : m_state.clock.today());
        if (!m_shownTime.isValid()) m_shownTime = QTime(0, 0);
        m_ui->textEdit->setPlainText(appointmentTextForEditor(table.GetValue(field::text)));
        m_ui->deleteButton->setVisible(true);
    } else {
        const QDateTime now = m_state.clock.now();
        m_ui->dateEdit->setDate(now.date());
        m_shownTime = QTime(now.time().hour(), now.time().minute(), now.time().second());
        m_ui->textEdit->clear();
        m_ui->deleteButton->setVisible(false);
    }
    m_ui->timeEdit->setTime(m_shownTime);
    m_ui->dateEdit->setFocus();
}

int TForm28::exec() {
    prepare();
    return QDialog::exec();
}

AppointmentInput TForm28::input() const {
    AppointmentInput in;
    in.date = m_ui->dateEdit->date();
    const QTime picked = m_ui->timeEdit->time();
    // The picker shows hours and minutes; the seconds it was opened with are kept.
    in.time = QTime(picked.hour(), picked.minute(), m_shownTime.second());
    in.text = m_ui->textEdit->toPlainText();
    return in;
}

void TForm28::onOk() {
    if (const auto failure = storeAppointment(m_state, input(), !isEditForm())) m_prompts.error(*failure);
    accept();
}

void TForm28::onDelete() {
    if (!isEditForm()) return; // a new appointment has nothing to delete
    if (!m_prompts.ConfirmDialog(kDeleteAppointmentTitle, kDeleteAppointmentInstruction, kDeleteAppointmentQuestion))
        return;
    if (const auto failure = deleteAppointment(m_state)) m_prompts.error(*failure);
    accept();
}
