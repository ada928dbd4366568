#pragma once
// LineChart — the chart of the consumption and the fuel price windows: line series over points
// spaced evenly, the points' dates on the horizontal axis (every k-th one where they would
// overlap), a banded value axis, and the readout of the point under the mouse.

#include "charts/chart_data.h"
#include "charts/chart_view.h"

#include <QObject>

#include <vector>

class QChart;
class QXYSeries;

class LineChart : public QObject {
    Q_OBJECT
public:
    // Sets up the chart of `view`; the series are added with addSeries.
    LineChart(ChartPanel& view, const QString& valueTitle);

    QChart& chart() const { return *m_chart; }
    QValueAxis& valueAxis() const { return *m_valueAxis; }
    QCategoryAxis& dateAxis() const { return *m_dateAxis.axis(); }
    // The series takes the chart's axes; the chart owns it.
    void addSeries(QXYSeries* series);
    // Replaces the points of `series`; the readout reads, and the axis shows the dates of, the
    // first series that has points.
    void setPoints(QXYSeries* series, const std::vector<ChartPoint>& points);
    // Labels and value range after every series got its points.
    void refresh();
    // The readout for the mouse at `position` (chart coordinates): empty for no point and for the
    // first point; nullopt outside the plotting area.
    std::optional<QString> readoutAt(QPointF position) const;
    int shownDateLabels() const { return m_dateAxis.shownLabels(); }

private:
    void relabel();

    ChartPanel& m_view;
    QChart* m_chart;
    QValueAxis* m_valueAxis;
    PointLabelAxis m_dateAxis;
    std::vector<QXYSeries*> m_series;
    std::vector<std::vector<ChartPoint>> m_points;
    double m_labelledWidth = -1;
};
