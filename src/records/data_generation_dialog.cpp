#include "records/data_generation_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "records/record_dialogs.h"
#include "ui_data_generation_dialog.h"

TForm16::TForm16(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, std::function<PanelFigures()> figures,
                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm16>()), m_state(state), m_prompts(prompts), m_refresh(refresh),
      m_figures(std::move(figures)) {
    m_ui->setupUi(this);
    m_ui->infoLabel->setText(kDataGenerationInfo.join(QLatin1Char('\n')));
    m_ui->noteLabel->hide();
    connect(m_ui->odometerSpinBox, &QSpinBox::valueChanged, this, &TForm16::applyInputRule);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm16::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm16::~TForm16() = default;

void TForm16::prepare() {
    Topleiste(*m_ui->banner, kDataGenerationBanner);
    m_base = findGenerationBase(m_state.CostTable);
    const PanelFigures figures = m_figures ? m_figures() : PanelFigures{};
    m_averages = readAverages(figures.consumption, figures.fuelCostPerKm);
    m_ui->quantitySpinBox->setSuffix(quantitySuffixFor(m_state, 0));
    m_ui->priceSpinBox->setSuffix(priceSuffixFor(m_state));
    applyInputRule();
    m_ui->odometerSpinBox->setFocus();
    m_ui->odometerSpinBox->selectAll();
}

int TForm16::exec() {
    prepare();
    return QDialog::exec();
}

void TForm16::applyInputRule() {
    m_estimate = estimateFillUp(m_base, m_averages, m_ui->odometerSpinBox->value());
    m_ui->distanceSpinBox->setValue(m_estimate.distance);
    m_ui->quantitySpinBox->setValue(m_estimate.quantity);
    m_ui->priceSpinBox->setValue(m_estimate.price);
    m_ui->noteLabel->setText(m_estimate.note);
    m_ui->noteLabel->setVisible(!m_estimate.note.isEmpty());
    m_ui->okButton->setEnabled(m_estimate.storable);
}

void TForm16::onOk() {
    m_ui->odometerSpinBox->interpretText();
    applyInputRule();
    if (!appendGeneratedFillUp(m_state, m_ui->odometerSpinBox->value(), m_estimate)) return;
    showAndSaveRecords(m_state, m_prompts, m_refresh);
    accept();
}
