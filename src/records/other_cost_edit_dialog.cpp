#include "records/other_cost_edit_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "records/record_dialogs.h"
#include "store/code_page.h"
#include "store/number_text.h"
#include "ui_other_cost_edit_dialog.h"

TForm13::TForm13(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm13>()), m_state(state), m_prompts(prompts), m_refresh(refresh) {
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm13::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm13::onDelete);
    setUpDialog(this);
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
    if (storeOtherCost(*m_ui, m_state, m_prompts, m_refresh, RecordEntry::Correction, overwriteOtherCostRecord))
        accept();
}

void TForm13::onDelete() {
    if (deleteShownRecord(m_state, m_prompts, m_refresh)) accept();
}
