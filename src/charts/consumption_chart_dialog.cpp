#include "charts/consumption_chart_dialog.h"

#include "charts/chart_data.h"
#include "charts/line_chart.h"
#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/refresh.h"
#include "ui_consumption_chart_dialog.h"

#include <QLegend>
#include <QLineSeries>

namespace {
const QString kBanner = QStringLiteral("Verbrauchsdiagramm");
}

TForm6::TForm6(const AppState& state, Prompts& prompts, const MainWindowRefresh& main,
               std::function<QString()> averageFigure, PrinterSeam*& printer, SaveFileSeam*& saveFile, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm6>()), m_state(state), m_prompts(prompts), m_main(main),
      m_averageFigure(std::move(averageFigure)), m_printer(printer), m_saveFile(saveFile) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    m_chart = new LineChart(*m_ui->chartView, QStringLiteral("Liter / 100 KM"));
    m_consumption = new QLineSeries;
    m_consumption->setName(QStringLiteral("Verbrauch"));
    m_consumption->setPen(QPen(QColor(37, 221, 11), 2));
    m_average = new QLineSeries;
    m_average->setName(QStringLiteral("Durchschnittlicher Verbrauch"));
    m_average->setPen(QPen(QColor(255, 165, 0), 2));
    m_chart->addSeries(m_consumption);
    m_chart->addSeries(m_average);
    m_chart->chart().legend()->setVisible(true);
    m_chart->chart().legend()->setAlignment(Qt::AlignBottom);

    connect(m_ui->chartView, &ChartPanel::mouseMoved, this, [this](QPointF position) {
        if (const std::optional<QString> text = m_chart->readoutAt(position)) m_ui->readoutLabel->setText(*text);
    });
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm6::onPrint);
    connect(m_ui->pdfButton, &QPushButton::clicked, this, &TForm6::onSaveAsPdf);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm6::~TForm6() = default;

void TForm6::fill() {
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*m_ui->banner, kBanner);
    const ConsumptionSeries series = consumptionChart(m_state.CostTable, m_averageFigure());
    m_chart->setPoints(m_consumption, series.consumption);
    m_chart->setPoints(m_average, series.average);
    m_chart->refresh();
    m_ui->readoutLabel->setText(QStringLiteral("-"));
}

int TForm6::exec() {
    fill();
    return QDialog::exec();
}

ChartPrint TForm6::printing() {
    return ChartPrint{*m_ui->chartView, chartTitleLine(kBanner, windowTitle()), 1, {}, {}};
}

void TForm6::onPrint() {
    printChart(printing(), *m_printer, m_prompts, this);
}

void TForm6::onSaveAsPdf() {
    saveChartAsPdf(printing(), *m_printer, *m_saveFile, m_prompts, this);
}
