#include "vehicles/document_windows.h"

#include "report/printer_seam.h"
#include "vehicles/cost_report_dialog.h"
#include "vehicles/notes_dialog.h"

#include <QFileDialog>

namespace {

// The save dialog of the report: the report window asks before it replaces a file, so the dialog
// does not ask as well.
class ReportSaveDialog final : public SaveFileSeam {
public:
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                        const QString& filter) override {
        const QString name = QFileDialog::getSaveFileName(parent, caption, proposedPath, filter, nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (name.isEmpty()) return std::nullopt;
        return name;
    }
};

} // namespace

DocumentWindows::DocumentWindows(AppState& state, Prompts& prompts, const MainWindowRefresh& main,
                                 std::function<ReportPanelTexts()> panel, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_main(main), m_panel(std::move(panel)), m_parent(parent),
      m_systemPrinter(std::make_unique<QtPrinterSeam>()), m_systemSaveFile(std::make_unique<ReportSaveDialog>()),
      m_printer(m_systemPrinter.get()), m_saveFile(m_systemSaveFile.get()) {}

DocumentWindows::~DocumentWindows() = default;

TForm15& DocumentWindows::notes() {
    if (!m_notes) m_notes = std::make_unique<TForm15>(m_state, m_prompts, m_main, m_printer, m_parent);
    return *m_notes;
}

TForm14& DocumentWindows::costReport() {
    if (!m_costReport)
        m_costReport = std::make_unique<TForm14>(m_state, m_prompts, m_main, m_panel, m_printer, m_saveFile, m_parent);
    return *m_costReport;
}

void DocumentWindows::showNotes(QWidget* parent) {
    TForm15& window = notes();
    if (parent && window.parentWidget() != parent) window.setParent(parent, window.windowFlags());
    window.exec();
}

void DocumentWindows::showCostReport(QWidget* parent) {
    TForm14& window = costReport();
    if (parent && window.parentWidget() != parent) window.setParent(parent, window.windowFlags());
    window.exec();
}

void DocumentWindows::setSeams(PrinterSeam& printer, SaveFileSeam& saveFile) {
    m_printer = &printer;
    m_saveFile = &saveFile;
}
