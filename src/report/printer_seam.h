#pragma once
// The seams of printing: the printer (print dialog, page metrics, print jobs) and the save-file
// dialog, so that tests capture print jobs and script file names. In production QPrinter,
// QPrintDialog, QPrinterInfo and QFileDialog stand behind them.

#include "report/al_printer.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Prompts;
class QPainter;
class QPrinter;
class QWidget;

// What the print dialog gives: printer pages from .. to (1-based) and the number of copies.
struct PrintRange {
    int fromPage = 1, toPage = 1, copies = 1;
    friend bool operator==(const PrintRange&, const PrintRange&) = default;
};

// One running print job.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual QPainter& painter() = 0;
    // The page as the job's painter sees it: origin at the printable area's top left corner.
    virtual DeviceMetrics metrics() const = 0;
    // Starts a new printer page; false when the printing system refused.
    [[nodiscard]] virtual bool newPage() = 0;
    // Ends the job; false when the printing system reported a failure.
    [[nodiscard]] virtual bool end() = 0;
};

class PrinterSeam {
public:
    virtual ~PrinterSeam() = default;
    // Whether the system has any printer at all.
    virtual bool hasPrinter() const = 0;
    // The metrics pages are prepared with: the default printer's, or the PDF writer's A4 page on
    // a machine without a printer.
    virtual DeviceMetrics pageMetrics(TAlOrientation orientation) const = 0;
    // The print dialog with page numbers from 1 to pageCount, preset to all of them; nullopt when
    // cancelled.
    virtual std::optional<PrintRange> askPrintRange(QWidget* parent, int pageCount) = 0;
    // Starts a job named `title` in `orientation`; nullptr, with the printing system's message in
    // `error`, when it cannot be started.
    virtual std::unique_ptr<PrintJob> startJob(const QString& title, TAlOrientation orientation, QString& error) = 0;
};

class SaveFileSeam {
public:
    virtual ~SaveFileSeam() = default;
    // The save dialog, starting with `proposedPath`; nullopt when cancelled.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                                const QString& filter) = 0;
};

// The system's printers.
class QtPrinterSeam final : public PrinterSeam {
public:
    QtPrinterSeam();
    ~QtPrinterSeam() override;
    bool hasPrinter() const override;
    DeviceMetrics pageMetrics(TAlOrientation orientation) const override;
    std::optional<PrintRange> askPrintRange(QWidget* parent, int pageCount) override;
    std::unique_ptr<PrintJob> startJob(const QString& title, TAlOrientation orientation, QString& error) override;

private:
    std::unique_ptr<QPrinter> m_printer; // the printer the dialog chose, kept for the jobs
};

class QtSaveFileSeam final : public SaveFileSeam {
public:
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                        const QString& filter) override;
};

// "Als PDF speichern…": the save dialog, proposing `title` + ".pdf" in the documents folder (with
// "-" for each character a file name cannot hold); the chosen path with ".pdf" at its end, or
// nullopt when cancelled.
std::optional<QString> askPdfPath(SaveFileSeam& saveFile, QWidget* parent, const QString& title);

// Prints pages `range.fromPage` .. `range.toPage` of `pages`, once per copy, each copy a job named
// `title` in the pages' orientation, each picture's top left corner on the paper's corner. A job
// that cannot be started or finished is said through `prompts`; false then. `pagePrinted` hears of
// every page drawn.
bool printPageRange(const tPages& pages, const QString& title, const PrintRange& range, PrinterSeam& printer,
                    Prompts& prompts, const std::function<void(int page)>& pagePrinted = {});
