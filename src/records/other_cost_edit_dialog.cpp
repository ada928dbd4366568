#include "records/other_cost_edit_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "records/fuel_edit.h"
#include "records/fuel_entry.h"
#include "records/other_cost_fields.h"
#include "store/code_page.h"
#include "store/number_text.h"
#include "ui_other_cost_edit_dialog.h"

TForm13::TForm13(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm13>()), m_state(state), m_prompts(prompts), m_refresh(refresh) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QLocale german(QLocale::German, QLocale::Germany);
    m_ui->priceSpinBox->setLocale(german);
    m_ui->odometerSpinBox->setLocale(german);
    EnterMovesFocus::install(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm13::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm13::onDelete);
}

TForm13::~TForm13() = default;

bool TForm13::prepare(int listRow) {
    Topleiste(*m_ui->banner, kOtherCostEditBanner);
    const OtherCostEditSetup setup = prepareOtherCostEdit(m_state, listRow);
    if (!setup.found) return false;
    m_ui->dateEdit->setDate(setup.date);
    m_ui->odometerSpinBox->setValue(setup.odometer.toInt());
    m_ui->priceSpinBox->setValue(TextToFloat(fromDisplay(setup.price)));
    m_ui->textLineEdit->setText(setup.text);
    m_ui->serviceCheckBox->setChecked(setup.service);
    m_ui->priceSpinBox->setSuffix(setup.priceSuffix);
    m_ui->odometerSpinBox->setFocus();
    return true;
}

void TForm13::open(int listRow) {
    if (prepare(listRow)) exec();
}

void TForm13::onOk() {
    if (storeOtherCost(*m_ui, m_state, m_prompts, m_refresh, overwriteOtherCostRecord)) accept();
}

void TForm13::onDelete() {
    if (!m_prompts.ConfirmDialog(kDeleteRecordTitle, kDeleteRecordInstruction, kDeleteRecordMessage)) return;
    deleteOtherCostRecord(m_state);
    m_refresh.UpdateListe();
    m_refresh.UpdateDisplay();
    if (const auto failure = saveCostTable(m_state)) m_prompts.error(*failure);
    accept();
}
