#include "records/fuel_entry_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "records/record_dialogs.h"
#include "ui_fuel_entry_dialog.h"

TForm3::TForm3(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm3>()), m_state(state), m_prompts(prompts), m_refresh(refresh) {
    m_ui->setupUi(this);
    // The date is set once; between openings the dialog keeps the date last chosen.
    m_ui->dateEdit->setDate(state.clock.today());
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm3::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->fuelTypeComboBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_ui->quantitySpinBox->setSuffix(quantitySuffixFor(m_state, index));
    });
    setUpDialog(this);
}

TForm3::~TForm3() = default;

void TForm3::prepare() {
    Topleiste(*m_ui->banner, kFuelEntryBanner);
    const FuelEntrySetup setup = prepareFuelEntry(m_state);
    {
        const QSignalBlocker block(m_ui->fuelTypeComboBox);
        m_ui->fuelTypeComboBox->clear();
        m_ui->fuelTypeComboBox->addItems(setup.fuelTypes);
        m_ui->fuelTypeComboBox->setCurrentIndex(0);
    }
    m_ui->odometerSpinBox->setValue(setup.odometer.toInt());
    m_ui->priceSpinBox->setValue(0);
    m_ui->quantitySpinBox->setValue(0);
    m_ui->fullCheckBox->setEnabled(true);
    m_ui->fullCheckBox->setChecked(false);
    if (setup.firstFillUp) {
        m_prompts.information(kFirstFillUpMessage);
        // The first fill-up is always a full one: it is the starting point of the consumption.
        m_ui->fullCheckBox->setChecked(true);
        m_ui->fullCheckBox->setEnabled(false);
    }
    m_ui->priceSpinBox->setSuffix(setup.priceSuffix);
    m_ui->quantitySpinBox->setSuffix(setup.quantitySuffix);
    m_ui->odometerSpinBox->setFocus();
    m_ui->odometerSpinBox->selectAll();
}

int TForm3::exec() {
    prepare();
    return QDialog::exec();
}

void TForm3::onOk() {
    auto check = [](const AppState& state, const FuelInput& in) { return checkFuelInput(state, in); };
    if (storeFuelRecord(*m_ui, m_state, m_prompts, m_refresh, RecordEntry::New, check, appendFuelRecord)) accept();
}
