#include "charts/fuel_price_chart_dialog.h"

#include "charts/chart_data.h"
#include "charts/line_chart.h"
#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/refresh.h"
#include "ui_fuel_price_chart_dialog.h"

#include <QLineSeries>
#include <QSplineSeries>
#include <QValueAxis>

namespace {
const QString kBanner = QStringLiteral("Kraftstoffpreis-Diagramm");
// Up to this many points the line is a smoothed curve. Qt's curve costs seconds for 10 000
// points, and at that density it looks like straight lines between the points anyway.
constexpr std::size_t kSmoothPoints = 500;
} // namespace

TForm7::TForm7(const AppState& state, Prompts& prompts, const MainWindowRefresh& main, PrinterSeam*& printer,
               SaveFileSeam*& saveFile, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm7>()), m_state(state), m_prompts(prompts), m_main(main),
      m_printer(printer), m_saveFile(saveFile) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    m_chart = new LineChart(*m_ui->chartView, QString());
    m_price = new QSplineSeries;
    m_longPrice = new QLineSeries;
    const QColor green(13, 221, 2);
    for (QXYSeries* s : {static_cast<QXYSeries*>(m_price), static_cast<QXYSeries*>(m_longPrice)}) {
        s->setName(QStringLiteral("Kraftstoffpreis"));
        s->setPen(QPen(green, 2));
        s->setBrush(green);
        s->setPointsVisible(true);
        s->setMarkerSize(6); // round markers of radius 3
        m_chart->addSeries(s);
    }
    m_chart->chart().legend()->setVisible(false);
    m_chart->valueAxis().setLabelFormat(QStringLiteral("%.3f"));

    connect(m_ui->chartView, &ChartPanel::mouseMoved, this, [this](QPointF position) {
        if (const std::optional<QString> text = m_chart->readoutAt(position)) m_ui->readoutLabel->setText(*text);
    });
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm7::onPrint);
    connect(m_ui->pdfButton, &QPushButton::clicked, this, &TForm7::onSaveAsPdf);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm7::~TForm7() = default;

QXYSeries* TForm7::priceSeries() const {
    return m_price->count() > 0 || m_longPrice->count() == 0 ? static_cast<QXYSeries*>(m_price) : m_longPrice;
}

void TForm7::fill() {
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*m_ui->banner, kBanner);
    m_chart->valueAxis().setTitleText(fuelPriceAxisTitle(m_state.VehicleTable));
    m_ui->fuelTypeLabel->setText(fuelTypeName(m_state.VehicleTable));
    const std::vector<ChartPoint> points = fuelPriceChart(m_state.CostTable);
    const bool smooth = points.size() <= kSmoothPoints;
    m_chart->setPoints(m_price, smooth ? points : std::vector<ChartPoint>{});
    m_chart->setPoints(m_longPrice, smooth ? std::vector<ChartPoint>{} : points);
    m_chart->refresh();
    m_ui->readoutLabel->setText(QStringLiteral("-"));
}

int TForm7::exec() {
    fill();
    return QDialog::exec();
}

ChartPrint TForm7::printing() {
    return ChartPrint{*m_ui->chartView, chartTitleLine(kBanner, windowTitle()), 1, {}, {}};
}

void TForm7::onPrint() {
    printChart(printing(), *m_printer, m_prompts, this);
}

void TForm7::onSaveAsPdf() {
    saveChartAsPdf(printing(), *m_printer, *m_saveFile, m_prompts, this);
}
