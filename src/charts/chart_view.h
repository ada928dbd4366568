#pragma once
// ChartPanel — the drawing area of the three chart windows: a chart without zoom or scrolling
// by the left button, a cross as the mouse cursor, the mouse position reported for the readout,
// and vertical dragging with the right mouse button reported for the cost chart's scrolling.
// Beside it the pieces the three charts share: the point-label axis, the banded value axis and
// the printing of a chart in landscape.

#include <QChartView>
#include <QPointF>

#include <functional>
#include <vector>

class PrinterSeam;
class Prompts;
class QCategoryAxis;
class QValueAxis;
class SaveFileSeam;
class tPages;
struct ChartPoint;

class ChartPanel : public QChartView {
    Q_OBJECT
public:
    explicit ChartPanel(QWidget* parent = nullptr);

signals:
    // The mouse moved over the chart; `position` in the chart's coordinates.
    void mouseMoved(QPointF position);
    // The right mouse button is held and the mouse moved `dy` pixels down (negative: up).
    void draggedVertically(double dy);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_dragging = false;
    double m_lastY = 0;
};

// The light grey of every other band behind the plot.
inline const QColor kChartBandColour(233, 233, 233);

// The look every chart shares: no animation, square corners, a white plot, and numbers with
// the decimal comma.
void setUpChart(QChart& chart);

// A value axis whose intervals alternate between light grey and white bands.
QValueAxis* bandedValueAxis(const QString& title);

// The horizontal axis of a line chart: the point labels (dates), every k-th one so that none
// overlaps at the plot's width. Call `relabel` whenever the points or the plot width change.
class PointLabelAxis {
public:
    explicit PointLabelAxis(QCategoryAxis* axis) : m_axis(axis) {}
    QCategoryAxis* axis() const { return m_axis; }
    // The range spans the points' x values with half a step of room at either end.
    void relabel(const std::vector<ChartPoint>& points, double plotWidth);
    // The number of labels shown at the last relabelling.
    int shownLabels() const { return m_shown; }

private:
    QCategoryAxis* m_axis;
    int m_shown = 0;
};

// Prints a chart: the print dialog (pages 1 to `pageCount`), then one job per copy named
// `titleLine`, in landscape. Page n is drawn after `showPage(n)` has set the chart to it; the
// title line is shown above the chart on paper only. Failures are said through `prompts`.
struct ChartPrint {
    QChartView& view;
    QString titleLine;
    int pageCount = 1;
    std::function<void(int page)> showPage; // may be empty for a chart of one page
    std::function<void()> restore;          // back to the view the screen showed
};
void printChart(const ChartPrint& print, PrinterSeam& printer, Prompts& prompts, QWidget* parent);
// "Als PDF speichern…": the same pages as an A4 landscape PDF file named in the save dialog.
void saveChartAsPdf(const ChartPrint& print, PrinterSeam& printer, SaveFileSeam& saveFile, Prompts& prompts,
                    QWidget* parent);
// The page pictures of the print, prepared on the printer's landscape page.
void chartPages(const ChartPrint& print, PrinterSeam& printer, tPages& pages);
