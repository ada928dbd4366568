#include "report/al_printer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <stdexcept>

DeviceMetrics metricsOf(const QPagedPaintDevice& device) {
    DeviceMetrics m;
    m.resolution = device.logicalDpiX();
    m.printableWidth = device.width();
    m.printableHeight = device.height();
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(m.resolution);
    const QRect paint = layout.paintRectPixels(m.resolution);
    m.leftOffset = paint.left() - full.left();
    m.topOffset = paint.top() - full.top();
    return m;
}

DeviceMetrics pdfA4Metrics(TAlOrientation orientation) {
    QBuffer nowhere;
    QPdfWriter writer(&nowhere);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     orientation == alr_Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    return metricsOf(writer);
}

TDrawMetaFile::TDrawMetaFile(int width, int height) : m_width(width), m_height(height) {
    m_picture.setBoundingRect(QRect(0, 0, width, height));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&m_picture)) m_painter.reset();
}

TDrawMetaFile::~TDrawMetaFile() {
    close();
}

void TDrawMetaFile::close() {
    if (!m_painter) return;
    m_painter->end();
    m_painter.reset();
    // Whatever was drawn, the picture covers the whole page.
    m_picture.setBoundingRect(QRect(0, 0, m_width, m_height));
}

const TDrawMetaFile* tPages::page(int n) const {
    if (n < 1 || n > count()) return nullptr;
    return m_pages[static_cast<std::size_t>(n - 1)].get();
}

void drawPagePicture(QPainter& painter, const TDrawMetaFile& page, const QRectF& target) {
    if (page.width() <= 0 || page.height() <= 0 || !painter.device()) return;
    const QPicture& picture = page.picture();
    // The size drawPicture gives the picture on this device by itself.
    const double naturalWidth =
        double(page.width()) * painter.device()->logicalDpiX() / std::max(1, picture.logicalDpiX());
    const double naturalHeight =
        double(page.height()) * painter.device()->logicalDpiY() / std::max(1, picture.logicalDpiY());
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / naturalWidth, target.height() / naturalHeight);
    painter.drawPicture(QPointF(0, 0), picture);
    painter.restore();
}

TAlPrinter::TAlPrinter(MetricsSource source) : m_source(std::move(source)) {}

void TAlPrinter::beginPictureMode(TAlOrientation orientation, tPages& pages) {
    m_device = m_source ? m_source(orientation) : DeviceMetrics{};
    m_pageWidth = deviceToScreen(m_device.printableWidth + m_device.leftOffset, kScreenResolution, m_device.resolution);
    m_pageHeight =
        deviceToScreen(m_device.printableHeight + m_device.topOffset, kScreenResolution, m_device.resolution);
    m_pages = &pages;
    pages.m_pages.clear();
    pages.m_orientation = orientation;
    if (m_pageWidth > 0 && m_pageHeight > 0)
        pages.m_pages.push_back(std::make_unique<TDrawMetaFile>(m_pageWidth, m_pageHeight));
}

QPainter& TAlPrinter::canvas() const {
    QPainter* painter = m_pages && !m_pages->isEmpty() ? m_pages->m_pages.back()->canvas() : nullptr;
    if (!painter) throw std::runtime_error("AlPrinter could not assign the Canvas");
    return *painter;
}

void TAlPrinter::newPage() {
    if (!m_pages) return;
    if (!m_pages->isEmpty()) m_pages->m_pages.back()->close();
    if (m_pageWidth > 0 && m_pageHeight > 0)
        m_pages->m_pages.push_back(std::make_unique<TDrawMetaFile>(m_pageWidth, m_pageHeight));
}

void TAlPrinter::endRun() {
    if (m_pages && !m_pages->isEmpty()) m_pages->m_pages.back()->close();
    m_pages = nullptr;
}
