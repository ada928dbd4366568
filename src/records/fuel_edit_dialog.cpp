#include "records/fuel_edit_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
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
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QLocale german(QLocale::German, QLocale::Germany);
    m_ui->priceSpinBox->setLocale(german);
    m_ui->quantitySpinBox->setLocale(german);
    m_ui->odometerSpinBox->setLocale(german);
    EnterMovesFocus::install(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm9::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm9::onDelete);
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

FuelInput TForm9::input() const {
    FuelInput in;
    in.date = m_ui->dateEdit->date();
    in.odometer = m_ui->odometerSpinBox->cleanText();
    in.price = m_ui->priceSpinBox->cleanText();
    in.quantity = m_ui->quantitySpinBox->cleanText();
    in.full = m_ui->fullCheckBox->isChecked();
    return in;
}

QWidget* TForm9::fieldWidget(FuelField field) const {
    switch (field) {
    case FuelField::Price:
        return m_ui->priceSpinBox;
    case FuelField::Quantity:
        return m_ui->quantitySpinBox;
    case FuelField::Date:
        return m_ui->dateEdit;
    default:
        return m_ui->odometerSpinBox;
    }
}

void TForm9::onOk() {
    m_ui->odometerSpinBox->interpretText();
    m_ui->priceSpinBox->interpretText();
    m_ui->quantitySpinBox->interpretText();
    const FuelInput in = input();
    if (const auto error = checkFuelEdit(m_state, in)) {
        m_prompts.error(error->message);
        focusForCorrection(fieldWidget(error->focus));
        return;
    }
    overwriteFuelRecord(m_state, in);
    m_refresh.UpdateListe();
    m_refresh.UpdateDisplay();
    if (const auto failure = saveCostTable(m_state)) m_prompts.error(*failure);
    accept();
}

void TForm9::onDelete() {
    if (!m_prompts.ConfirmDialog(kDeleteRecordTitle, kDeleteRecordInstruction, kDeleteRecordMessage)) return;
    deleteFuelRecord(m_state);
    if (const auto failure = saveCostTable(m_state)) m_prompts.error(*failure);
    m_refresh.UpdateListe();
    m_refresh.UpdateDisplay();
    accept();
}
