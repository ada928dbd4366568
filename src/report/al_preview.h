#pragma once
// tAlPreview — the preview control: a scrollable area that shows one page picture of a report at
// a time, zoomed, and prints a range of its pages.

#include "report/al_printer.h"

#include <QAbstractScrollArea>
#include <QString>

class PrinterSeam;
class Prompts;
struct PrintRange;

class tAlPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit tAlPreview(QWidget* parent = nullptr);

    // The page pictures of one report, owned by the control.
    tPages& pages() { return m_pages; }
    const tPages& pages() const { return m_pages; }
    int pageCount() const { return m_pages.count(); }
    int currentPage() const { return m_current; }
    int zoom() const { return m_zoom; }
    bool shadow() const { return m_shadow; }
    void setShadow(bool on);
    // The title of print jobs.
    QString Title;
    bool printing() const { return m_printing; }

    // Page n, accepted for 1 <= n <= page count. The four steps return whether the page changed.
    bool goToPage(int n);
    bool firstPage() { return goToPage(1); }
    bool lastPage() { return pageCount() > 0 && goToPage(pageCount()); }
    bool nextPage() { return m_current < pageCount() && goToPage(m_current + 1); }
    bool previousPage() { return m_current > 1 && goToPage(m_current - 1); }
    // A zoom in percent, accepted when it differs from the current one and lies in 25 .. 200.
    bool setZoom(int percent);
    // One step of the click scale 50, 75, 100, 150, 200; at any other zoom or at the end of the
    // scale nothing changes.
    bool zoomIn();
    bool zoomOut();

    // The surface the page is drawn on, and the page area within it.
    QSize surfaceSize() const;
    QRect pageArea() const;
    // The page surface lies this far from the left and top edge of the scroll area.
    static constexpr int kSurfaceOffset = 15;
    QPoint scrollPosition() const;
    // Moves the view, not before the start and at most to the end of the scroll range.
    void scrollBy(int dx, int dy);
    // Draws the surface with its top left corner at the painter's origin.
    void drawSurface(QPainter& painter) const;

    // Prints printer pages range.fromPage .. range.toPage, once per copy, each copy one print
    // job named Title in the orientation the pages were prepared for. A job that fails is ended
    // and its error shown.
    void printPages(const PrintRange& range, PrinterSeam& printer, Prompts& prompts);

signals:
    void pageChanged(int current, int count);
    void zoomChanged(int percent);
    // Sent while a job runs, after each page was drawn.
    void pagePrinted(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollRange();

    tPages m_pages;
    int m_current = 1;
    int m_zoom = 100;
    bool m_shadow = true;
    bool m_printing = false;
};
