#include "records/fuel_edit.h"

#include "core/field_names.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/number_text.h"

int fuelRecordRow(const TMlb2& costs, int listRow) {
    return recordRowOfList(costs, "t", listRow);
}

FuelEditSetup prepareFuelEdit(AppState& state, int listRow) {
    FuelEditSetup setup;
    static_cast<RecordEditSetup&>(setup) = prepareRecordEdit(state, "t", listRow);
    if (!setup.found) return setup;
    const TMlb2& costs = state.CostTable;
    setup.quantity = toDisplay(FormatMoney62(TextToFloat(costs.GetValue(field::liter)))).trimmed();
    setup.full = costs.GetValue(field::voll) == "ja";
    setup.quantitySuffix = quantitySuffixFor(state, 0);
    return setup;
}

std::optional<InputError> checkFuelEdit(const AppState& state, const FuelInput& input) {
    return checkFuelInput(state, input, state.CostTable.RowNumber());
}

void overwriteFuelRecord(AppState& state, const FuelInput& input) {
    setFuelValues(state.CostTable, state.VehicleTable.GetValue(field::ID), input);
    state.CostTable.SortNumeric(field::kmstnd);
}
