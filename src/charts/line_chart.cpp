#include "charts/line_chart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <cmath>

LineChart::LineChart(ChartPanel& view, const QString& valueTitle)
    : QObject(&view), m_view(view), m_chart(new QChart), m_valueAxis(bandedValueAxis(valueTitle)),
      m_dateAxis(new QCategoryAxis) {
    setUpChart(*m_chart);
    QCategoryAxis& dates = dateAxis();
    dates.setTitleText(QStringLiteral("Datum"));
    dates.setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    dates.setGridLineVisible(false);
    m_chart->addAxis(&dates, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    m_view.setChart(m_chart);
    connect(m_chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (std::abs(area.width() - m_labelledWidth) > 0.5) relabel();
    });
}

void LineChart::addSeries(QXYSeries* series) {
    m_chart->addSeries(series);
    series->attachAxis(m_dateAxis.axis());
    series->attachAxis(m_valueAxis);
    m_series.push_back(series);
    m_points.emplace_back();
}

void LineChart::setPoints(QXYSeries* series, const std::vector<ChartPoint>& points) {
    const auto at = std::find(m_series.begin(), m_series.end(), series);
    if (at == m_series.end()) return;
    QList<QPointF> xy;
    xy.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points) xy.append(QPointF(p.x, p.y));
    series->replace(xy);
    m_points[static_cast<std::size_t>(at - m_series.begin())] = points;
}

void LineChart::refresh() {
    double low = 0, high = 0;
    bool any = false;
    for (const std::vector<ChartPoint>& points : m_points)
        for (const ChartPoint& p : points) {
            low = any ? std::min(low, p.y) : p.y;
            high = any ? std::max(high, p.y) : p.y;
            any = true;
        }
    if (!any) {
        low = 0;
        high = 10;
    } else if (high - low < 1e-9) {
        low -= 1;
        high += 1;
    }
    m_valueAxis->setRange(low, high);
    m_valueAxis->applyNiceNumbers();
    relabel();
}

void LineChart::relabel() {
    m_labelledWidth = m_chart->plotArea().width();
    // The dates are those of the first series that has points.
    const auto labelled =
        std::find_if(m_points.begin(), m_points.end(), [](const std::vector<ChartPoint>& p) { return !p.empty(); });
    m_dateAxis.relabel(labelled == m_points.end() ? std::vector<ChartPoint>{} : *labelled, m_labelledWidth);
}

std::optional<QString> LineChart::readoutAt(QPointF position) const {
    if (!m_chart->plotArea().contains(position) || m_series.empty()) return std::nullopt;
    // The readout reads the first series that has points.
    std::size_t which = 0;
    while (which + 1 < m_series.size() && m_points[which].empty()) ++which;
    const std::vector<ChartPoint>& points = m_points[which];
    std::vector<QPointF> pixels;
    pixels.reserve(points.size());
    for (const ChartPoint& p : points) pixels.push_back(m_chart->mapToPosition(QPointF(p.x, p.y), m_series[which]));
    return chartReadout(points, pointNear(pixels, position, 6.0));
}
