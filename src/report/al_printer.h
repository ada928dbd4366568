#pragma once
// TAlPrinter — the one output device of the reports: the device's resolution and page metrics,
// the page list of a run and the page picture being drawn. Page pictures (TDrawMetaFile) are
// recorded vector drawings (QPicture) in screen pixels that cover the paper from its top left
// corner to the bottom right corner of the printable area.

#include "report/report_units.h"

#include <QPicture>
#include <QRectF>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPagedPaintDevice;

enum TAlOrientation { alr_Portrait, alr_Landscape };

// What a printer (or the PDF writer) tells of one page, in device pixels.
struct DeviceMetrics {
    int resolution = 0; // pixels per inch
    int printableWidth = 0, printableHeight = 0;
    int leftOffset = 0, topOffset = 0; // of the printable area from the paper's corner
    friend bool operator==(const DeviceMetrics&, const DeviceMetrics&) = default;
};

// The metrics of a paged device (a printer or the PDF writer) as its painter sees them.
DeviceMetrics metricsOf(const QPagedPaintDevice& device);
// An A4 page of the PDF writer at 1200 dpi without margins, in either orientation: what the
// preview works with on a machine without any printer.
DeviceMetrics pdfA4Metrics(TAlOrientation orientation);

// A page picture of a given width and height; its drawing surface stays open until the next page
// starts or the run ends.
class TDrawMetaFile {
public:
    TDrawMetaFile(int width, int height);
    ~TDrawMetaFile();
    TDrawMetaFile(const TDrawMetaFile&) = delete;
    TDrawMetaFile& operator=(const TDrawMetaFile&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The open drawing surface, nullptr once closed.
    QPainter* canvas() const { return m_painter.get(); }
    void close();
    // The recording; only complete once closed.
    const QPicture& picture() const { return m_picture; }

private:
    int m_width, m_height;
    QPicture m_picture;
    std::unique_ptr<QPainter> m_painter;
};

// The page pictures of one report run and the orientation they were prepared for.
class tPages {
public:
    int count() const { return static_cast<int>(m_pages.size()); }
    bool isEmpty() const { return m_pages.empty(); }
    // Page n, 1-based; nullptr outside 1 .. count().
    const TDrawMetaFile* page(int n) const;
    TAlOrientation orientation() const { return m_orientation; }
    void clear() { m_pages.clear(); }

private:
    friend class TAlPrinter;
    std::vector<std::unique_ptr<TDrawMetaFile>> m_pages;
    TAlOrientation m_orientation = alr_Portrait;
};

// Draws a page picture stretched over `target` (coordinates of `painter`). QPainter::drawPicture
// converts the picture's own resolution to the target device's already; the stretch applied here
// is only the ratio left after that conversion.
void drawPagePicture(QPainter& painter, const TDrawMetaFile& page, const QRectF& target);

class TAlPrinter {
public:
    using MetricsSource = std::function<DeviceMetrics(TAlOrientation)>;
    // `source` gives the device's metrics for an orientation (the default printer's, or the PDF
    // writer's A4 page).
    explicit TAlPrinter(MetricsSource source = pdfA4Metrics);

    // Page-picture mode for a run: the orientation set on the device, its metrics taken, the page
    // list emptied and its first page picture started. The resolution is the screen's; width and
    // height are the printable size plus the offsets, in screen pixels.
    void beginPictureMode(TAlOrientation orientation, tPages& pages);
    int resolution() const { return kScreenResolution; }
    int pageWidth() const { return m_pageWidth; }
    int pageHeight() const { return m_pageHeight; }
    const DeviceMetrics& deviceMetrics() const { return m_device; }

    // The drawing surface of the current page; throws "AlPrinter could not assign the Canvas" when
    // there is none.
    QPainter& canvas() const;
    // Closes the current page picture and starts the next one at the end of the list.
    void newPage();
    // Closes the last page picture; the page list is complete.
    void endRun();
    // The length of the page list of the run (0 outside a run).
    int pageCount() const { return m_pages ? m_pages->count() : 0; }

private:
    MetricsSource m_source;
    DeviceMetrics m_device;
    int m_pageWidth = 0, m_pageHeight = 0;
    tPages* m_pages = nullptr;
};
