#include "report/printer_seam.h"

#include "core/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {

QPrinterInfo systemPrinter() {
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (!standard.isNull()) return standard;
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    return all.isEmpty() ? QPrinterInfo() : all.front();
}

QPageLayout::Orientation pageOrientation(TAlOrientation o) {
    return o == alr_Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

class QtPrintJob final : public PrintJob {
public:
    explicit QtPrintJob(QPrinter& printer) : m_printer(printer) {}
    bool begin() { return m_painter.begin(&m_printer); }
    QPainter& painter() override { return m_painter; }
    DeviceMetrics metrics() const override { return metricsOf(m_printer); }
    bool newPage() override { return m_printer.newPage(); }
    bool end() override {
        const bool ended = m_painter.isActive() && m_painter.end();
        return ended && m_printer.printerState() != QPrinter::Error;
    }

private:
    QPrinter& m_printer;
    QPainter m_painter;
};

} // namespace

QtPrinterSeam::QtPrinterSeam() = default;
QtPrinterSeam::~QtPrinterSeam() = default;

bool QtPrinterSeam::hasPrinter() const {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

DeviceMetrics QtPrinterSeam::pageMetrics(TAlOrientation orientation) const {
    const QPrinterInfo info = systemPrinter();
    if (info.isNull()) return pdfA4Metrics(orientation);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(pageOrientation(orientation));
    return metricsOf(printer);
}

std::optional<PrintRange> QtPrinterSeam::askPrintRange(QWidget* parent, int pageCount) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(systemPrinter(), QPrinter::HighResolution);
    m_printer->setCopyCount(1);
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    m_printer->setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintRange range{1, pageCount, std::max(1, m_printer->copyCount())};
    if (m_printer->printRange() == QPrinter::PageRange && m_printer->fromPage() > 0) {
        range.fromPage = m_printer->fromPage();
        range.toPage = m_printer->toPage();
    }
    // Every copy is a job of its own: the printer prints each once.
    m_printer->setCopyCount(1);
    m_printer->setPrintRange(QPrinter::AllPages);
    return range;
}

std::unique_ptr<PrintJob> QtPrinterSeam::startJob(const QString& title, TAlOrientation orientation, QString& error) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(systemPrinter(), QPrinter::HighResolution);
    m_printer->setPageOrientation(pageOrientation(orientation));
    m_printer->setDocName(title);
    auto job = std::make_unique<QtPrintJob>(*m_printer);
    if (!job->begin()) {
        error = QStringLiteral("Der Druckauftrag \"%1\" konnte nicht gestartet werden.").arg(title);
        return nullptr;
    }
    return job;
}

std::optional<QString> QtSaveFileSeam::saveFileName(QWidget* parent, const QString& caption,
                                                    const QString& proposedPath, const QString& filter) {
    const QString name = QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> askPdfPath(SaveFileSeam& saveFile, QWidget* parent, const QString& title) {
    QString name = title;
    for (const QChar c : {u'/', u'\\', u':', u'*', u'?', u'"', u'<', u'>', u'|'}) name.replace(c, u'-');
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    std::optional<QString> path = saveFile.saveFileName(parent, QStringLiteral("Als PDF speichern"),
                                                        QDir(documents).filePath(name + QStringLiteral(".pdf")),
                                                        QStringLiteral("PDF-Dokumente (*.pdf)"));
    if (!path || path->isEmpty()) return std::nullopt;
    if (!path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) *path += QStringLiteral(".pdf");
    return path;
}

bool printPageRange(const tPages& pages, const QString& title, const PrintRange& range, PrinterSeam& printer,
                    Prompts& prompts, const std::function<void(int page)>& pagePrinted) {
    const int from = std::max(1, range.fromPage), to = std::min(pages.count(), range.toPage);
    if (from > to) return true;
    for (int copy = 1; copy <= std::max(1, range.copies); ++copy) {
        QString error;
        std::unique_ptr<PrintJob> job = printer.startJob(title, pages.orientation(), error);
        if (!job) {
            prompts.error(error);
            return false;
        }
        bool drawn = true;
        for (int n = from; n <= to && drawn; ++n) {
            if (n != from && !job->newPage()) {
                drawn = false;
                break;
            }
            // The picture's top left corner lies on the paper's corner.
            const DeviceMetrics m = job->metrics();
            drawPagePicture(job->painter(), *pages.page(n),
                            QRectF(-m.leftOffset, -m.topOffset, m.printableWidth - 1 + m.leftOffset,
                                   m.printableHeight - 1 + m.topOffset));
            if (pagePrinted) pagePrinted(n);
        }
        const bool ended = job->end();
        if (!drawn || !ended) {
            prompts.error(QStringLiteral("Der Druckauftrag \"%1\" ist fehlgeschlagen.").arg(title));
            return false;
        }
    }
    return true;
}
