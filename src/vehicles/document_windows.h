#pragma once
// The windows of a vehicle's documents, created on first use and kept for the run: the note and
// the written cost report.

#include "vehicles/cost_report.h"

#include <functional>
#include <memory>

class AppState;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
class QWidget;
class SaveFileSeam;
class TForm14;
class TForm15;

class DocumentWindows {
public:
    // `panel` gives the four figures of the main window's statistics panel the report quotes.
    DocumentWindows(AppState& state, Prompts& prompts, const MainWindowRefresh& main,
                    std::function<ReportPanelTexts()> panel, QWidget* parent);
    ~DocumentWindows();

    // The notes button: the current vehicle's note.
    void showNotes(QWidget* parent);
    // "Bericht zeigen": the cost report of the current vehicle; only a message when it has no
    // fill-up.
    void showCostReport(QWidget* parent);

    TForm15& notes();
    TForm14& costReport();

    // Tests print into a capture and answer the save dialog from a script.
    void setSeams(PrinterSeam& printer, SaveFileSeam& saveFile);

private:
    AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    std::function<ReportPanelTexts()> m_panel;
    QWidget* m_parent;
    std::unique_ptr<PrinterSeam> m_systemPrinter;
    std::unique_ptr<SaveFileSeam> m_systemSaveFile;
    PrinterSeam* m_printer;
    SaveFileSeam* m_saveFile;
    std::unique_ptr<TForm15> m_notes;
    std::unique_ptr<TForm14> m_costReport;
};
