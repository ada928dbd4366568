#pragma once
// Test seams of printing: a printer that captures every job into page images, and a save dialog
// that answers from a script.

#include "report/printer_seam.h"

#include <QImage>
#include <QPainter>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct CapturedJob {
    QString title;
    TAlOrientation orientation = alr_Portrait;
    std::vector<QImage> pages; // each the whole paper, the printable area offset from its corner
    bool ended = false;
};

class CapturePrinter final : public PrinterSeam {
public:
    bool present = true;
    // A 96-dpi A4 sheet whose printable area starts 10 and 15 pixels in from the corner.
    DeviceMetrics metrics{96, 784, 1108, 10, 15};
    // What the print dialog answers; nullopt is "Abbrechen".
    std::optional<PrintRange> answer;
    int dialogPageCount = 0; // the page count the dialog was opened with, 0 when not opened
    bool refuseJobs = false, refuseNewPages = false;
    std::function<void()> onPage; // after each page drawn
    std::vector<CapturedJob> jobs;

    bool hasPrinter() const override { return present; }
    DeviceMetrics pageMetrics(TAlOrientation o) const override {
        DeviceMetrics m = metrics;
        if (o == alr_Landscape) {
            std::swap(m.printableWidth, m.printableHeight);
            std::swap(m.leftOffset, m.topOffset);
        }
        return m;
    }
    std::optional<PrintRange> askPrintRange(QWidget*, int pageCount) override {
        dialogPageCount = pageCount;
        return answer;
    }
    std::unique_ptr<PrintJob> startJob(const QString& title, TAlOrientation orientation, QString& error) override {
        if (refuseJobs) {
            error = QStringLiteral("Drucker nicht bereit");
            return nullptr;
        }
        jobs.push_back({title, orientation, {}, false});
        return std::make_unique<Job>(*this, jobs.size() - 1, pageMetrics(orientation));
    }

private:
    class Job final : public PrintJob {
    public:
        Job(CapturePrinter& owner, std::size_t index, DeviceMetrics m) : m_owner(owner), m_index(index), m_metrics(m) {
            startPage();
        }
        QPainter& painter() override { return m_painter; }
        DeviceMetrics metrics() const override { return m_metrics; }
        bool newPage() override {
            if (m_owner.refuseNewPages) return false;
            finishPage();
            startPage();
            return true;
        }
        bool end() override {
            finishPage();
            m_owner.jobs[m_index].ended = true;
            return true;
        }

    private:
        void startPage() {
            m_page = QImage(m_metrics.printableWidth + m_metrics.leftOffset,
                            m_metrics.printableHeight + m_metrics.topOffset, QImage::Format_RGB32);
            m_page.fill(Qt::white);
            m_painter.begin(&m_page);
            m_painter.translate(m_metrics.leftOffset, m_metrics.topOffset); // the printer's origin
        }
        void finishPage() {
            if (!m_painter.isActive()) return;
            m_painter.end();
            m_owner.jobs[m_index].pages.push_back(m_page);
            if (m_owner.onPage) m_owner.onPage();
        }
        CapturePrinter& m_owner;
        std::size_t m_index;
        DeviceMetrics m_metrics;
        QImage m_page;
        QPainter m_painter;
    };
};

class ScriptedSaveFile final : public SaveFileSeam {
public:
    struct Request {
        QString caption, proposedPath, filter;
    };
    std::deque<std::optional<QString>> answers; // an empty script cancels
    std::vector<Request> requests;

    std::optional<QString> saveFileName(QWidget*, const QString& caption, const QString& proposedPath,
                                        const QString& filter) override {
        requests.push_back({caption, proposedPath, filter});
        if (answers.empty()) return std::nullopt;
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
};
