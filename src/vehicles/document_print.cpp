#include "vehicles/document_print.h"

#include "core/prompts.h"
#include "report/printer_seam.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// A copy of the document laid out for a device of `dpi` pixels per inch, in pages of `area`.
std::unique_ptr<QTextDocument> layoutFor(const QTextDocument& document, QPaintDevice* device, const QRect& area) {
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(device);
    copy->setDocumentMargin(0);
    copy->setPageSize(QSizeF(area.width(), area.height()));
    return copy;
}

// A device that measures fonts as the printer will (nothing is drawn on it).
QImage measuringDevice(int dpi) {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

void drawPage(QPainter& painter, QTextDocument& laidOut, const QRect& area, int page) {
    const double height = laidOut.pageSize().height();
    painter.save();
    painter.translate(area.left(), area.top() - page * height);
    const QRectF clip(0, page * height, area.width(), height);
    painter.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    laidOut.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

QRect documentPageArea(const DeviceMetrics& m) {
    const int inch = m.resolution;
    const int left = std::max(0, inch - m.leftOffset);
    const int top = std::max(0, inch - m.topOffset);
    const int right = std::min(m.printableWidth, m.printableWidth + m.leftOffset - inch * 3 / 4);
    const int bottom = std::min(m.printableHeight, m.printableHeight + m.topOffset - inch);
    return QRect(QPoint(left, top), QPoint(std::max(left, right - 1), std::max(top, bottom - 1)));
}

bool printTextDocument(PrinterSeam& printer, Prompts& prompts, QWidget* parent, const QTextDocument& document,
                       const QString& title) {
    const DeviceMetrics planned = printer.pageMetrics(alr_Portrait);
    QImage measure = measuringDevice(planned.resolution);
    const int pageCount = std::max(1, layoutFor(document, &measure, documentPageArea(planned))->pageCount());
    const std::optional<PrintRange> range = printer.askPrintRange(parent, pageCount);
    if (!range) return true;

    for (int copy = 0; copy < std::max(1, range->copies); ++copy) {
        QString error;
        std::unique_ptr<PrintJob> job = printer.startJob(title, alr_Portrait, error);
        if (!job) {
            prompts.error(error);
            return false;
        }
        const QRect area = documentPageArea(job->metrics());
        QPainter& painter = job->painter();
        std::unique_ptr<QTextDocument> laidOut = layoutFor(document, painter.device(), area);
        const int last = std::min(range->toPage, laidOut->pageCount());
        bool ok = true;
        for (int page = std::max(1, range->fromPage); page <= last && ok; ++page) {
            if (page > std::max(1, range->fromPage) && !job->newPage()) ok = false;
            if (ok) drawPage(painter, *laidOut, area, page - 1);
        }
        if (!job->end() || !ok) {
            prompts.error(QStringLiteral("Der Druckauftrag \"%1\" konnte nicht abgeschlossen werden.").arg(title));
            return false;
        }
    }
    return true;
}
