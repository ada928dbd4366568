#include "report/al_preview.h"

#include "core/prompts.h"
#include "report/printer_seam.h"
#include "report/report_layout.h"
#include "report/report_units.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <array>

namespace {

constexpr std::array<int, 5> kZoomSteps = {50, 75, 100, 150, 200};

// Resets the printing mark however the job ends.
struct PrintingMark {
    explicit PrintingMark(bool& mark) : m_mark(mark) { m_mark = true; }
    ~PrintingMark() { m_mark = false; }
    PrintingMark(const PrintingMark&) = delete;
    PrintingMark& operator=(const PrintingMark&) = delete;
    bool& m_mark;
};

} // namespace

tAlPreview::tAlPreview(QWidget* parent) : QAbstractScrollArea(parent), Title(kProgramNameAndVersion) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    updateScrollRange();
}

void tAlPreview::setShadow(bool on) {
    m_shadow = on;
    updateScrollRange();
    viewport()->update();
}

bool tAlPreview::goToPage(int n) {
    if (n < 1 || n > pageCount()) return false;
    m_current = n;
    updateScrollRange();
    viewport()->update();
    emit pageChanged(m_current, pageCount());
    return true;
}

bool tAlPreview::setZoom(int percent) {
    if (percent == m_zoom || percent < 25 || percent > 200) return false;
    m_zoom = percent;
    updateScrollRange();
    viewport()->update();
    emit zoomChanged(m_zoom);
    return true;
}

bool tAlPreview::zoomIn() {
    for (std::size_t i = 0; i + 1 < kZoomSteps.size(); ++i)
        if (kZoomSteps[i] == m_zoom) return setZoom(kZoomSteps[i + 1]);
    return false;
}

bool tAlPreview::zoomOut() {
    for (std::size_t i = 1; i < kZoomSteps.size(); ++i)
        if (kZoomSteps[i] == m_zoom) return setZoom(kZoomSteps[i - 1]);
    return false;
}

QSize tAlPreview::surfaceSize() const {
    const TDrawMetaFile* page = m_pages.page(m_current);
    const int width = page ? page->width() : 0, height = page ? page->height() : 0;
    QSize size(roundHalfEven(width * m_zoom / 100.0), roundHalfEven(height * m_zoom / 100.0));
    if (m_shadow) size += QSize(5, 5);
    return size;
}

QRect tAlPreview::pageArea() const {
    const QSize s = surfaceSize();
    if (!m_shadow) return {QPoint(0, 0), s};
    return {1, 1, s.width() - 1 - 4, s.height() - 1 - 4};
}

QPoint tAlPreview::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void tAlPreview::scrollBy(int dx, int dy) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void tAlPreview::drawSurface(QPainter& painter) const {
    const QSize s = surfaceSize();
    const QRect area = pageArea();
    if (m_shadow) {
        // A drop shadow along the right and bottom edges, and an outline around the page.
        painter.fillRect(QRect(4, 4, s.width() - 4, s.height() - 4), Qt::black);
        painter.fillRect(area.adjusted(-1, -1, 1, 1), Qt::black);
    }
    painter.fillRect(area, Qt::white);
    if (const TDrawMetaFile* page = m_pages.page(m_current)) drawPagePicture(painter, *page, QRectF(area));
}

void tAlPreview::printPages(const PrintRange& range, PrinterSeam& printer, Prompts& prompts) {
    if (m_printing || pageCount() == 0) return;
    const PrintingMark mark(m_printing);
    (void)printPageRange(m_pages, Title, range, printer, prompts, [this](int n) { emit pagePrinted(n); });
}

void tAlPreview::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.translate(QPoint(kSurfaceOffset, kSurfaceOffset) - scrollPosition());
    drawSurface(painter);
}

void tAlPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void tAlPreview::mousePressEvent(QMouseEvent* event) {
    const QRect surface(QPoint(kSurfaceOffset, kSurfaceOffset) - scrollPosition(), surfaceSize());
    if (!surface.contains(event->position().toPoint())) return;
    if (event->button() == Qt::LeftButton) zoomIn();
    if (event->button() == Qt::RightButton) zoomOut();
}

void tAlPreview::scrollContentsBy(int, int) {
    viewport()->update();
}

void tAlPreview::updateScrollRange() {
    // The scroll range is the surface + 30 in each direction.
    const QSize range = surfaceSize() + QSize(2 * kSurfaceOffset, 2 * kSurfaceOffset);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, range.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, range.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(10);
    verticalScrollBar()->setSingleStep(10);
}
