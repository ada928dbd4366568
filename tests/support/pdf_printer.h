#pragma once
// A printer seam whose jobs are PDF files (A4, 1200 dpi, no hardware margins), one file per job,
// so that tests read printed text back with pdftotext.

#include "report/printer_seam.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStringList>

#include <memory>
#include <optional>

class PdfPrinter final : public PrinterSeam {
public:
    explicit PdfPrinter(QString dir) : m_dir(std::move(dir)) {}

    int copies = 1;            // what the print dialog answers
    bool cancel = false;       // "Abbrechen" in the print dialog
    QStringList titles, files; // of every job, in order
    std::vector<bool> ended;

    bool hasPrinter() const override { return true; }
    DeviceMetrics pageMetrics(TAlOrientation o) const override { return pdfA4Metrics(o); }
    std::optional<PrintRange> askPrintRange(QWidget*, int pageCount) override {
        if (cancel) return std::nullopt;
        return PrintRange{1, pageCount, copies};
    }
    std::unique_ptr<PrintJob> startJob(const QString& title, TAlOrientation o, QString&) override {
        titles << title;
        files << m_dir + QStringLiteral("/job%1.pdf").arg(files.size() + 1);
        ended.push_back(false);
        return std::make_unique<Job>(*this, ended.size() - 1, files.back(), title, o);
    }

    // The text of job n (0-based), as pdftotext reads it.
    static QString text(const QString& pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private:
    class Job final : public PrintJob {
    public:
        Job(PdfPrinter& owner, std::size_t index, const QString& file, const QString& title, TAlOrientation o)
            : m_owner(owner), m_index(index), m_writer(file) {
            m_writer.setResolution(1200);
            m_writer.setTitle(title);
            m_writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                               o == alr_Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                               QMarginsF(0, 0, 0, 0)));
            m_painter.begin(&m_writer);
        }
        QPainter& painter() override { return m_painter; }
        DeviceMetrics metrics() const override { return metricsOf(m_writer); }
        bool newPage() override { return m_writer.newPage(); }
        bool end() override {
            m_owner.ended[m_index] = m_painter.end();
            return m_owner.ended[m_index];
        }

    private:
        PdfPrinter& m_owner;
        std::size_t m_index;
        QPdfWriter m_writer;
        QPainter m_painter;
    };
    QString m_dir;
};
