#pragma once
// The print entry points of the cost list and the vehicle data sheet: each builds its layout,
// hands it its values, prepares the pages and shows them in a print preview.

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class AppState;
class PrinterSeam;
class Prompts;
class QWidget;
class SaveFileSeam;
class TfrmPreview;
class TAlReport;
struct LayoutPlan;
struct LogbookPrint;
struct VehicleListRow;

// The seams a print needs.
struct PrintSeams {
    Prompts& prompts;
    PrinterSeam& printer;
    SaveFileSeam& saveFile;
};

// "Drucken" of the main window: the current vehicle's statistics and records. `vehicleCaption` is
// the text of the main window's current-vehicle panel. Shows the preview modally.
void printCostList(QWidget* parent, const AppState& state, const QString& vehicleCaption, const PrintSeams& seams);
// "Drucken" of the vehicle dialog: the data sheet of the vehicle under the cursor of VehicleTable.
// Shows the preview modally.
void printDataSheet(QWidget* parent, const AppState& state, const PrintSeams& seams);
// "Drucken" of the logbook overview: the listed trips and the summary. Shows the preview modally.
void printLogbook(QWidget* parent, const AppState& state, const LogbookPrint& print, const PrintSeams& seams);
// "Liste drucken" of the vehicle list: its rows as it shows them. Shows the preview modally.
void printVehicleList(QWidget* parent, const AppState& state, const std::vector<VehicleListRow>& rows,
                      const PrintSeams& seams);

// The same up to the preview with its pages, not yet shown; nullptr after a failure, which has
// been reported.
std::unique_ptr<TfrmPreview> costListPreview(QWidget* parent, const AppState& state, const QString& vehicleCaption,
                                             const PrintSeams& seams);
std::unique_ptr<TfrmPreview> dataSheetPreview(QWidget* parent, const AppState& state, const PrintSeams& seams);
std::unique_ptr<TfrmPreview> logbookPreview(QWidget* parent, const AppState& state, const LogbookPrint& print,
                                            const PrintSeams& seams);
std::unique_ptr<TfrmPreview> vehicleListPreview(QWidget* parent, const AppState& state,
                                                const std::vector<VehicleListRow>& rows, const PrintSeams& seams);

// The print flow of every layout: LoadReport (on failure "could not load report "), `fill`, a new
// preview window with the pages prepared on the printer's page metrics, on page 1.
std::unique_ptr<TfrmPreview> reportPreview(QWidget* parent, const LayoutPlan& layout, const AppState& state,
                                           const PrintSeams& seams, const std::function<void(TAlReport&)>& fill);
