#include "records/fuel_edit_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "records/record_dialogs.h"
#include "store/number_text.h"
#include "ui_fuel_edit_dialog.h"

namespace {

double commaNumber(const QString& text) {
    return TextToFloat(text.toStdString());
}

} // namespace

TForm9::TForm9(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm9>()), m_state(state), m_prompts(prompts), m_refresh(refresh) {
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm9::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm9::onDelete);
    setUpDialog(this);
}

TForm9::~TForm9() = default;

bool TForm9::prepare(int listRow) {
    Topleiste(*m_ui->banner, kFuelEditBanner);
    const FuelEditSetup setup = prepareFuelEdit(m_state, listRow);
    if (!setup.found) return false;
    m_ui->dateEdit->setDate(setup.date);
    m_ui->odometerSpinBox->setValue(setup.odometer.toInt());
    m_ui->priceSpinBox->setValue(commaNumber(setup.price));
    m_ui->quantitySpinBox->setValue(commaNumber(setup.quantity));
    m_ui->fullCheckBox->setChecked(setup.full);
    m_ui->priceSpinBox->setSuffix(setup.priceSuffix);
    m_ui->quantitySpinBox->setSuffix(setup.quantitySuffix);
    m_ui->odometerSpinBox->setFocus();
    return true;
}

void TForm9::open(int listRow) {
    if (prepare(listRow)) exec();
}

void TForm9::onOk() {
    if (storeFuelRecord(*m_ui, m_state, m_prompts, m_refresh, RecordEntry::Correction, checkFuelEdit,
                        overwriteFuelRecord))
        accept();
}

void TForm9::onDelete() {
    if (deleteShownRecord(m_state, m_prompts, m_refresh)) accept();
}
