#include "charts/cost_chart_dialog.h"

#include "charts/chart_view.h"
#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/refresh.h"
#include "ui_cost_chart_dialog.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QString kBanner = QStringLiteral("Kostendiagramm");
const std::array<QString, 3> kSeriesNames{QStringLiteral("Gesamt"), QStringLiteral("Kraftstoff"),
                                          QStringLiteral("Sonstiges")};
const std::array<QColor, 3> kSeriesColours{QColor(70, 130, 180), QColor(37, 180, 11), QColor(255, 165, 0)};
// The thickness of each series' bars as a share of a vehicle's slot, and the shift of their
// middle from the slot's middle (a share of the bar's own thickness, towards the earlier vehicle).
constexpr std::array<double, 3> kThickness{0.65, 0.40, 0.40};
constexpr std::array<double, 3> kOffset{0.0, -0.20, 0.60};

double barMiddle(int series, int position) {
    const auto s = static_cast<std::size_t>(series);
    return position + kOffset[s] * kThickness[s];
}

std::optional<double> barValue(const CostBars& bars, int series) {
    switch (series) {
    case TForm8::Gesamt:
        return bars.total;
    case TForm8::Kraftstoff:
        return bars.fuel;
    default:
        return bars.other;
    }
}

// A bar's value in a small rounded box beside the bar's end.
class ValueMark final : public QGraphicsItem {
public:
    ValueMark(const QString& text, const QFont& font, QGraphicsItem* parent)
        : QGraphicsItem(parent), m_text(text), m_font(font) {
        const QFontMetricsF metrics(m_font);
        m_rect = QRectF(0, -metrics.height() / 2 - 1, metrics.horizontalAdvance(m_text) + 8, metrics.height() + 2);
        setZValue(20);
    }
    QString text() const { return m_text; }
    QRectF boundingRect() const override { return m_rect.adjusted(-1, -1, 1, 1); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor(128, 128, 128), 1));
        painter->setBrush(QColor(255, 255, 225));
        painter->drawRoundedRect(m_rect, 4, 4);
        painter->setFont(m_font);
        painter->setPen(Qt::black);
        painter->drawText(m_rect, Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
    QFont m_font;
    QRectF m_rect;
};

// "nummer" and "bez" on two lines (the axis shows its labels as rich text); the axis keys its
// labels by their text, so a label that repeats gets invisible marks.
QString axisLabel(const QString& label, const QStringList& taken) {
    QString text = label.toHtmlEscaped();
    text.replace(u'\r', QStringLiteral("<br>"));
    while (taken.contains(text)) text += QChar(0x200B);
    return text;
}

} // namespace

TForm8::TForm8(const AppState& state, Prompts& prompts, const MainWindowRefresh& main, PrinterSeam*& printer,
               SaveFileSeam*& saveFile, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm8>()), m_state(state), m_prompts(prompts), m_main(main),
      m_printer(printer), m_saveFile(saveFile), m_chart(new QChart), m_valueAxis(new QValueAxis),
      m_vehicleAxis(new QCategoryAxis) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    setUpChart(*m_chart);
    m_valueAxis->setLabelFormat(QStringLiteral("%.2f"));
    m_vehicleAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_vehicleAxis->setReverse(true); // the first vehicle on top
    m_vehicleAxis->setGridLineVisible(false);
    m_chart->addAxis(m_valueAxis, Qt::AlignBottom);
    m_chart->addAxis(m_vehicleAxis, Qt::AlignLeft);
    for (int s = 0; s < 3; ++s) {
        auto* area = new QAreaSeries(new QLineSeries, new QLineSeries);
        area->upperSeries()->setParent(area);
        area->lowerSeries()->setParent(area);
        area->setName(kSeriesNames[static_cast<std::size_t>(s)]);
        const QColor colour = kSeriesColours[static_cast<std::size_t>(s)];
        area->setBrush(colour);
        area->setPen(QPen(colour.darker(130), 1));
        m_chart->addSeries(area);
        area->attachAxis(m_valueAxis);
        area->attachAxis(m_vehicleAxis);
        m_series[static_cast<std::size_t>(s)] = area;
        for (QLegendMarker* marker : m_chart->legend()->markers(area))
            connect(marker, &QLegendMarker::clicked, this, [this, s] {
                setSeriesShown(static_cast<Series>(s), !m_series[static_cast<std::size_t>(s)]->isVisible());
            });
    }
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_ui->chartView->setChart(m_chart);
    updateLegend();

    connect(m_chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (m_printing) {
            placeMarks();
            return;
        }
        const int perView = vehiclesPerView(area.height());
        if (perView != m_perView) {
            m_perView = perView;
            applyView();
        } else {
            placeMarks();
        }
    });
    connect(m_ui->chartView, &ChartPanel::draggedVertically, this, [this](double dy) {
        const double pixelsPerPosition = m_chart->plotArea().height() / std::max(1, m_perView);
        if (pixelsPerPosition > 0) scrollBy(-dy / pixelsPerPosition);
    });
    connect(m_ui->allVehiclesCheckBox, &QCheckBox::clicked, this, [this] {
        m_first = 1; // the view starts unscrolled
        refill();
    });
    for (QRadioButton* b : {m_ui->totalRadioButton, m_ui->perMonthRadioButton, m_ui->perKmRadioButton})
        connect(b, &QRadioButton::clicked, this, &TForm8::refill);
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm8::onPrint);
    connect(m_ui->pdfButton, &QPushButton::clicked, this, &TForm8::onSaveAsPdf);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm8::~TForm8() = default;

CostMode TForm8::mode() const {
    if (m_ui->perMonthRadioButton->isChecked()) return CostMode::PerMonth;
    if (m_ui->perKmRadioButton->isChecked()) return CostMode::PerKm;
    return CostMode::Total;
}

void TForm8::ZeigeAktuell() {
    setWindowTitle(m_main.currentVehicleCaption());
    m_valueAxis->setTitleText(costAxisTitle(m_state.VehicleTable, false));
    showBars(currentVehicleCostBars(m_state, mode()), 1);
}

void TForm8::ZeigeAlle() {
    setWindowTitle(QStringLiteral("Alle Fahrzeuge"));
    m_valueAxis->setTitleText(costAxisTitle(m_state.VehicleTable, true));
    showBars(allVehicleCostBars(m_state, mode()), std::max(1, m_state.VehicleTable.RowCount()));
}

void TForm8::refill() {
    Topleiste(*m_ui->banner, kBanner);
    if (m_ui->allVehiclesCheckBox->isChecked())
        ZeigeAlle();
    else
        ZeigeAktuell();
}

int TForm8::exec() {
    refill();
    return QDialog::exec();
}

void TForm8::showBars(std::vector<CostBars> bars, int lastPosition) {
    // The marks name bars by their index: they go before the bars change.
    for (auto& mark : m_marks) delete mark.first;
    m_marks.clear();
    m_bars = std::move(bars);
    m_lastPosition = lastPosition;

    for (const QString& label : m_vehicleAxis->categoriesLabels()) m_vehicleAxis->remove(label);
    m_vehicleAxis->setStartValue(0.5);
    double low = 0, high = 0;
    for (int s = 0; s < 3; ++s) {
        QList<QPointF> outline;
        const double half = kThickness[static_cast<std::size_t>(s)] / 2;
        for (const CostBars& b : m_bars) {
            const std::optional<double> value = barValue(b, s);
            if (!value) continue;
            const double middle = barMiddle(s, b.position);
            outline << QPointF(0, middle - half) << QPointF(*value, middle - half) << QPointF(*value, middle + half)
                    << QPointF(0, middle + half);
            low = std::min(low, *value);
            high = std::max(high, *value);
        }
        QAreaSeries* area = m_series[static_cast<std::size_t>(s)];
        area->upperSeries()->replace(outline);
        // The outline returns along the zero line, so the bars are one figure without area between them.
        area->lowerSeries()->replace(outline.isEmpty() ? QList<QPointF>{} : QList<QPointF>{outline.front()});
    }
    for (const CostBars& b : m_bars)
        m_vehicleAxis->append(axisLabel(b.label, m_vehicleAxis->categoriesLabels()), b.position);
    if (high - low < 1e-9) high = low + 1;
    // Room beyond the longest bar for its value mark.
    m_valueAxis->setRange(low < 0 ? low * 1.15 : 0, high * 1.15);
    m_valueAxis->applyNiceNumbers();

    QFont font = m_chart->font();
    font.setPointSize(8);
    for (std::size_t i = 0; i < m_bars.size(); ++i)
        for (int s = 0; s < 3; ++s)
            if (const std::optional<double> value = barValue(m_bars[i], s))
                m_marks.push_back({new ValueMark(costValueText(*value), font, m_chart), {static_cast<Series>(s), i}});
    scrollBy(0);
}

void TForm8::scrollBy(double positions) {
    const double last = std::max(1.0, static_cast<double>(m_lastPosition - m_perView + 1));
    m_first = std::clamp(m_first + positions, 1.0, last);
    applyView();
}

void TForm8::applyView() {
    m_vehicleAxis->setRange(m_first - 0.5, m_first - 0.5 + m_perView);
    placeMarks();
}

void TForm8::placeMarks() {
    const QRectF plot = m_chart->plotArea();
    const double from = m_vehicleAxis->min(), to = m_vehicleAxis->max();
    std::vector<QRectF> placed; // of the vehicle at hand: a mark never covers another
    std::size_t vehicle = m_bars.size();
    for (auto& [item, where] : m_marks) {
        const auto [s, index] = where;
        if (index != vehicle) placed.clear();
        vehicle = index;
        const CostBars& b = m_bars[index];
        const double middle = barMiddle(s, b.position);
        const double value = barValue(b, s).value_or(0);
        const bool inView = middle > from && middle < to && m_series[static_cast<std::size_t>(s)]->isVisible();
        item->setVisible(inView);
        if (!inView) continue;
        QAbstractSeries* series = m_series[static_cast<std::size_t>(s)];
        const QPointF end = m_chart->mapToPosition(QPointF(value, middle), series);
        const QPointF zero = m_chart->mapToPosition(QPointF(0, middle), series);
        const QRectF box = item->boundingRect();
        // The fuel and other marks sit inside their bar's end where the bar is long enough, the
        // total's beside it.
        double x = value < 0 ? end.x() - box.width() - 3 : end.x() + 3;
        if (s != Gesamt && std::abs(end.x() - zero.x()) > box.width() + 8)
            x = value < 0 ? end.x() + 3 : end.x() - box.width() - 3;
        QRectF at = box.translated(x, end.y());
        for (bool moved = true; moved;) {
            moved = false;
            for (const QRectF& other : placed)
                if (at.intersects(other)) {
                    at.moveLeft(other.right() + 2);
                    moved = true;
                }
        }
        at.moveLeft(std::clamp(at.left(), plot.left(), std::max(plot.left(), plot.right() - box.width())));
        placed.push_back(at);
        item->setPos(at.left() - box.left(), end.y());
    }
}

QStringList TForm8::shownMarks() const {
    QStringList texts;
    for (const auto& [item, where] : m_marks)
        if (item->isVisible()) texts << static_cast<const ValueMark*>(item)->text();
    return texts;
}

void TForm8::setSeriesShown(Series s, bool shown) {
    m_series[static_cast<std::size_t>(s)]->setVisible(shown);
    updateLegend();
    placeMarks();
}

void TForm8::updateLegend() {
    for (std::size_t s = 0; s < 3; ++s)
        for (QLegendMarker* marker : m_chart->legend()->markers(m_series[s])) {
            // A hidden series keeps its entry, with an empty tick box.
            marker->setVisible(true);
            marker->setLabel((m_series[s]->isVisible() ? QStringLiteral("☑ ") : QStringLiteral("☐ ")) +
                             kSeriesNames[s]);
        }
}

ChartPrint TForm8::printing() {
    const double first = m_first;
    const int perView = m_perView;
    return ChartPrint{*m_ui->chartView, chartTitleLine(kBanner, windowTitle()), costChartPages(m_lastPosition, perView),
                      [this, perView](int page) {
                          m_printing = true;
                          m_first = 1.0 + (page - 1) * perView;
                          applyView();
                      },
                      [this, first] {
                          m_printing = false;
                          m_first = first;
                          applyView();
                      }};
}

void TForm8::onPrint() {
    printChart(printing(), *m_printer, m_prompts, this);
}

void TForm8::onSaveAsPdf() {
    saveChartAsPdf(printing(), *m_printer, *m_saveFile, m_prompts, this);
}
