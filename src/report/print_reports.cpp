#include "report/print_reports.h"

#include "core/app_state.h"
#include "core/prompts.h"
#include "report/al_preview.h"
#include "report/cost_list_report.h"
#include "report/data_sheet_report.h"
#include "report/logbook_report.h"
#include "report/preview_dialog.h"
#include "report/printer_seam.h"
#include "report/vehicle_list_report.h"

std::unique_ptr<TfrmPreview> reportPreview(QWidget* parent, const LayoutPlan& layout, const AppState& state,
                                           const PrintSeams& seams, const std::function<void(TAlReport&)>& fill) {
    const LoadedReport loaded = LoadReport(layout, seams.prompts);
    if (!loaded) {
        seams.prompts.error(kCouldNotLoadReport);
        return nullptr;
    }
    fill(*loaded.report);
    auto window = std::make_unique<TfrmPreview>(seams.prompts, seams.printer, seams.saveFile, parent);
    PrinterSeam& printer = seams.printer;
    TAlPrinter device([&printer](TAlOrientation o) { return printer.pageMetrics(o); });
    try {
        PreparePages(*loaded.report, window->preview().pages(), device, state.clock);
    } catch (const std::exception& e) {
        seams.prompts.error(QString::fromUtf8(e.what()));
        return nullptr;
    }
    window->Show();
    return window; // the layout is released here; the pages belong to the preview
}

std::unique_ptr<TfrmPreview> costListPreview(QWidget* parent, const AppState& state, const QString& vehicleCaption,
                                             const PrintSeams& seams) {
    return reportPreview(parent, costListLayout(), state, seams,
                         [&](TAlReport& report) { fillCostList(report, state, vehicleCaption); });
}

std::unique_ptr<TfrmPreview> dataSheetPreview(QWidget* parent, const AppState& state, const PrintSeams& seams) {
    return reportPreview(parent, dataSheetLayout(), state, seams,
                         [&](TAlReport& report) { fillDataSheet(report, state.VehicleTable); });
}

std::unique_ptr<TfrmPreview> logbookPreview(QWidget* parent, const AppState& state, const LogbookPrint& print,
                                            const PrintSeams& seams) {
    return reportPreview(parent, logbookLayout(), state, seams, [&](TAlReport& report) { fillLogbook(report, print); });
}

void printLogbook(QWidget* parent, const AppState& state, const LogbookPrint& print, const PrintSeams& seams) {
    if (std::unique_ptr<TfrmPreview> window = logbookPreview(parent, state, print, seams)) window->exec();
}

void printCostList(QWidget* parent, const AppState& state, const QString& vehicleCaption, const PrintSeams& seams) {
    if (std::unique_ptr<TfrmPreview> window = costListPreview(parent, state, vehicleCaption, seams)) window->exec();
}

void printDataSheet(QWidget* parent, const AppState& state, const PrintSeams& seams) {
    if (std::unique_ptr<TfrmPreview> window = dataSheetPreview(parent, state, seams)) window->exec();
}

std::unique_ptr<TfrmPreview> vehicleListPreview(QWidget* parent, const AppState& state,
                                                const std::vector<VehicleListRow>& rows, const PrintSeams& seams) {
    return reportPreview(parent, vehicleListLayout(), state, seams,
                         [&](TAlReport& report) { fillVehicleList(report, rows); });
}

void printVehicleList(QWidget* parent, const AppState& state, const std::vector<VehicleListRow>& rows,
                      const PrintSeams& seams) {
    if (std::unique_ptr<TfrmPreview> window = vehicleListPreview(parent, state, rows, seams)) window->exec();
}
