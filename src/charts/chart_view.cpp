#include "charts/chart_view.h"

#include "charts/chart_data.h"
#include "core/prompts.h"
#include "report/al_printer.h"
#include "report/pdf_export.h"
#include "report/preview_dialog.h"
#include "report/printer_seam.h"

#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

ChartPanel::ChartPanel(QWidget* parent) : QChartView(parent) {
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ChartPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        m_dragging = true;
        m_lastY = event->position().y();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void ChartPanel::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::RightButton)) {
        const double y = event->position().y();
        emit draggedVertically(y - m_lastY);
        m_lastY = y;
    }
    if (chart()) emit mouseMoved(chart()->mapFromScene(mapToScene(event->position().toPoint())));
    QChartView::mouseMoveEvent(event);
}

void ChartPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        m_dragging = false;
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void ChartPanel::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // the right button scrolls; there is no menu
}

void setUpChart(QChart& chart) {
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setBackgroundRoundness(0);
    chart.setPlotAreaBackgroundBrush(Qt::white);
    chart.setPlotAreaBackgroundVisible(true);
    QLocale german(QLocale::German, QLocale::Germany);
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    chart.setLocale(german);
    chart.setLocalizeNumbers(true);
}

QValueAxis* bandedValueAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setShadesVisible(true);
    axis->setShadesPen(Qt::NoPen);
    axis->setShadesBrush(kChartBandColour);
    axis->setLabelFormat(QStringLiteral("%.2f"));
    return axis;
}

void PointLabelAxis::relabel(const std::vector<ChartPoint>& points, double plotWidth) {
    for (const QString& label : m_axis->categoriesLabels()) m_axis->remove(label);
    m_shown = 0;
    if (points.empty()) {
        m_axis->setRange(0, 1);
        return;
    }
    const double first = points.front().x, last = points.back().x;
    m_axis->setStartValue(first - 0.5);
    m_axis->setRange(first - 0.5, last + 0.5);
    const double spacing = plotWidth / std::max(1.0, last - first + 1);
    const double labelWidth = QFontMetricsF(m_axis->labelsFont()).horizontalAdvance(QStringLiteral("00.00.0000")) + 12;
    const int step = labelStep(labelWidth, spacing);
    for (std::size_t i = 0; i < points.size(); i += static_cast<std::size_t>(step)) {
        // The axis keys its labels by their text: a date that repeats gets invisible marks.
        QString label = points[i].label;
        while (m_axis->categoriesLabels().contains(label)) label += QChar(0x200B);
        m_axis->append(label, points[i].x);
        ++m_shown;
    }
}

namespace {

// Sets the chart to `size` at the scene's corner, its layout done at once.
void placeChart(QChart& chart, QPointF position, QSizeF size) {
    chart.setPos(position);
    chart.resize(size);
    if (chart.layout()) chart.layout()->activate();
}

} // namespace

void chartPages(const ChartPrint& print, PrinterSeam& printer, tPages& pages) {
    QChart& chart = *print.view.chart();
    TAlPrinter device([&printer](TAlOrientation o) { return printer.pageMetrics(o); });
    device.beginPictureMode(alr_Landscape, pages);
    const DeviceMetrics& m = device.deviceMetrics();
    // The printable area in screen pixels, with a margin of a third of an inch beyond it.
    const double scale = m.resolution > 0 ? static_cast<double>(device.resolution()) / m.resolution : 1.0;
    const double margin = device.resolution() / 3.0;
    const QRectF area(m.leftOffset * scale + margin, m.topOffset * scale + margin,
                      std::max(100.0, m.printableWidth * scale - 2 * margin),
                      std::max(100.0, m.printableHeight * scale - 2 * margin));

    QFont titleFont = chart.titleFont();
    const QFont screenTitleFont = titleFont;
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    chart.setTitleFont(titleFont);
    chart.setTitle(print.titleLine);
    // The chart takes the page's printable area for all pages, then the view's size again. The
    // first page is shown before the chart grows, so that a chart of several pages keeps the
    // share of each page that the screen showed.
    const QSizeF screenSize = chart.size();
    const QPointF screenPos = chart.pos();
    for (int page = 1; page <= std::max(1, print.pageCount); ++page) {
        if (page > 1) device.newPage();
        if (print.showPage) print.showPage(page);
        if (page == 1) placeChart(chart, QPointF(0, 0), area.size());
        print.view.scene()->render(&device.canvas(), area, QRectF(QPointF(0, 0), area.size()), Qt::IgnoreAspectRatio);
    }
    device.endRun();
    chart.setTitle(QString());
    chart.setTitleFont(screenTitleFont);
    placeChart(chart, screenPos, screenSize);
    if (print.restore) print.restore();
}

void printChart(const ChartPrint& print, PrinterSeam& printer, Prompts& prompts, QWidget* parent) {
    if (!printer.hasPrinter()) {
        prompts.information(kNoPrinterMessage);
        return;
    }
    const std::optional<PrintRange> range = printer.askPrintRange(parent, std::max(1, print.pageCount));
    if (!range) return;
    tPages pages;
    chartPages(print, printer, pages);
    (void)printPageRange(pages, print.titleLine, *range, printer, prompts);
}

void saveChartAsPdf(const ChartPrint& print, PrinterSeam& printer, SaveFileSeam& saveFile, Prompts& prompts,
                    QWidget* parent) {
    const std::optional<QString> path = askPdfPath(saveFile, parent, print.titleLine);
    if (!path) return;
    tPages pages;
    chartPages(print, printer, pages);
    if (const std::optional<QString> failure = savePagesAsPdf(pages, print.titleLine, *path)) prompts.error(*failure);
}
