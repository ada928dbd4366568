#include "report/pdf_export.h"

#include "store/atomic_file.h"

#include <QBuffer>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kPdfResolution = 1200;

QString failureMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

std::string pdfDocument(const tPages& pages, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(title);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        pages.orientation() == alr_Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        for (int n = 1; n <= pages.count(); ++n) {
            if (n > 1) writer.newPage();
            const TDrawMetaFile& page = *pages.page(n);
            const double scale = double(writer.resolution()) / kScreenResolution;
            drawPagePicture(painter, page, QRectF(0, 0, page.width() * scale, page.height() * scale));
        }
        painter.end();
    }
    return buffer.data().toStdString();
}

std::optional<QString> savePagesAsPdf(const tPages& pages, const QString& title, const QString& path) {
    const std::string bytes = pdfDocument(pages, title);
    if (bytes.empty()) return failureMessage(path, QStringLiteral("Das PDF-Dokument konnte nicht erstellt werden."));
    QString reason;
    if (saveFileAtomically(path, bytes, &reason) != AtomicSaveResult::Ok) return failureMessage(path, reason);
    return std::nullopt;
}
