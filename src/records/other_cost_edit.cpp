#include "records/other_cost_edit.h"

#include "records/cost_records.h"
#include "records/fuel_entry.h"
#include "store/code_page.h"
#include "store/number_text.h"

int otherCostRecordRow(const TMlb2& costs, int listRow) {
    return recordRowOfList(costs, "s", listRow);
}

OtherCostEditSetup prepareOtherCostEdit(AppState& state, int listRow) {
    OtherCostEditSetup setup;
    TMlb2& costs = state.CostTable;
    const int row = otherCostRecordRow(costs, listRow);
    if (row == 0) return setup;
    costs.GoToRow(row);

    setup.found = true;
    setup.date = recordDate(costs.GetValue("Datum"));
    if (!setup.date.isValid()) setup.date = state.clock.today();
    setup.odometer = toDisplay(costs.GetValue("kmstnd"));
    setup.price = toDisplay(FormatMoney62(TextToFloat(costs.GetValue("preis")))).trimmed();
    setup.text = toDisplay(costs.GetValue("text"));
    setup.service = costs.GetValue("service") == "ja";
    setup.priceSuffix = priceSuffixFor(state);
    return setup;
}

void overwriteOtherCostRecord(AppState& state, const OtherCostInput& input) {
    setOtherCostValues(state.CostTable, state.VehicleTable.GetValue("ID"), input);
    state.CostTable.SortNumeric("kmstnd");
}

void deleteOtherCostRecord(AppState& state) {
    state.CostTable.DeleteCurrentRow();
    state.CostTable.SortNumeric("kmstnd");
}
