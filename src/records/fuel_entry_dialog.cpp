#include "records/fuel_entry_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "ui_fuel_entry_dialog.h"

TForm3::TForm3(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm3>()), m_state(state), m_prompts(prompts), m_refresh(refresh) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QLocale german(QLocale::German, QLocale::Germany);
    m_ui->priceSpinBox->setLocale(german);
    m_ui->quantitySpinBox->setLocale(german);
    m_ui->odometerSpinBox->setLocale(german);
    // The date is set once; between openings the dialog keeps the date last chosen.
    m_ui->dateEdit->setDate(state.clock.today());
    EnterMovesFocus::install(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm3::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->fuelTypeComboBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_ui->quantitySpinBox->setSuffix(quantitySuffixFor(m_state, index));
    });
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

FuelInput TForm3::input() const {
    FuelInput in;
    in.date = m_ui->dateEdit->date();
    in.odometer = m_ui->odometerSpinBox->cleanText();
    in.price = m_ui->priceSpinBox->cleanText();
    in.quantity = m_ui->quantitySpinBox->cleanText();
    in.full = m_ui->fullCheckBox->isChecked();
    in.fuelIndex = std::max(m_ui->fuelTypeComboBox->currentIndex(), 0);
    return in;
}

QWidget* TForm3::fieldWidget(FuelField field) const {
    switch (field) {
    case FuelField::Date:
        return m_ui->dateEdit;
    case FuelField::Odometer:
        return m_ui->odometerSpinBox;
    case FuelField::Price:
        return m_ui->priceSpinBox;
    case FuelField::Quantity:
        return m_ui->quantitySpinBox;
    case FuelField::Full:
        return m_ui->fullCheckBox;
    case FuelField::FuelType:
        return m_ui->fuelTypeComboBox;
    }
    return m_ui->odometerSpinBox;
}

void TForm3::onOk() {
    m_ui->odometerSpinBox->interpretText();
    m_ui->priceSpinBox->interpretText();
    m_ui->quantitySpinBox->interpretText();
    const FuelInput in = input();
    if (const auto error = checkFuelInput(m_state, in)) {
        m_prompts.error(error->message);
        focusForCorrection(fieldWidget(error->focus));
        return;
    }
    appendFuelRecord(m_state, in);
    m_refresh.UpdateListe();
    m_refresh.UpdateDisplay();
    if (const auto failure = saveCostTable(m_state)) m_prompts.error(*failure);
    accept();
}
