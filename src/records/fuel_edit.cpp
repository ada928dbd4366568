#include "records/fuel_edit.h"

#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/number_text.h"

namespace {

// Two decimals with a comma, as the price and quantity edits show them.
QString twoDecimals(std::string_view text) {
    return toDisplay(FormatMoney62(TextToFloat(text))).trimmed();
}

} // namespace

int fuelRecordRow(const TMlb2& costs, int listRow) {
    return recordRowOfList(costs, "t", listRow);
}

FuelEditSetup prepareFuelEdit(AppState& state, int listRow) {
    FuelEditSetup setup;
    TMlb2& costs = state.CostTable;
    const int row = fuelRecordRow(costs, listRow);
    if (row == 0) return setup;
    costs.GoToRow(row);

    setup.found = true;
    setup.date = recordDate(costs.GetValue("Datum"));
    if (!setup.date.isValid()) setup.date = state.clock.today();
    setup.odometer = toDisplay(costs.GetValue("kmstnd"));
    setup.price = twoDecimals(costs.GetValue("preis"));
    setup.quantity = twoDecimals(costs.GetValue("liter"));
    setup.full = costs.GetValue("voll") == "ja";
    setup.priceSuffix = priceSuffixFor(state);
    setup.quantitySuffix = quantitySuffixFor(state, 0);
    return setup;
}

std::optional<InputError> checkFuelEdit(const AppState& state, const FuelInput& input) {
    return checkFuelInput(state, input, state.CostTable.RowNumber());
}

void overwriteFuelRecord(AppState& state, const FuelInput& input) {
    setFuelValues(state.CostTable, state.VehicleTable.GetValue("ID"), input);
    state.CostTable.SortNumeric("kmstnd");
}

void deleteFuelRecord(AppState& state) {
    state.CostTable.DeleteCurrentRow();
    state.CostTable.SortNumeric("kmstnd");
}
