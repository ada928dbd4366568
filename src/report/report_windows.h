#pragma once
// The prints the main window and its dialogs start, each through the print preview; the printer
// and the save dialog stand behind seams that tests replace.

#include "report/print_reports.h"

#include <memory>

class AppState;
class PrinterSeam;
class Prompts;
class QString;
class QWidget;
class SaveFileSeam;
struct LogbookPrint;
struct VehicleListRow;

class ReportWindows {
public:
    ReportWindows(const AppState& state, Prompts& prompts, QWidget* parent);
    ~ReportWindows();

    // "Drucken" of the main window: the current vehicle's cost list. `vehicleCaption` is the text
    // of the main window's current-vehicle panel.
    void printCostList(const QString& vehicleCaption);
    // "Drucken" of the vehicle dialog: the data sheet of the vehicle under the cursor of
    // VehicleTable, the preview over `parent`.
    void printDataSheet(QWidget* parent);

    // "Drucken" of the logbook overview: the trips as it lists them, the preview over `parent`.
    void printLogbook(QWidget* parent, const LogbookPrint& print);
    // "Liste drucken" of the vehicle list: its rows as shown, the preview over `parent`.
    void printVehicleList(QWidget* parent, const std::vector<VehicleListRow>& rows);

    // Tests print into a capture and answer the save dialog from a script.
    void setSeams(PrinterSeam& printer, SaveFileSeam& saveFile);

private:
    PrintSeams seams() const;

    const AppState& m_state;
    Prompts& m_prompts;
    QWidget* m_parent;
    std::unique_ptr<PrinterSeam> m_systemPrinter;
    std::unique_ptr<SaveFileSeam> m_systemSaveFile;
    PrinterSeam* m_printer;
    SaveFileSeam* m_saveFile;
};
