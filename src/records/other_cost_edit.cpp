#include "records/other_cost_edit.h"

#include "core/field_names.h"
#include "records/cost_records.h"
#include "records/fuel_entry.h"
#include "store/code_page.h"
#include "store/number_text.h"

int otherCostRecordRow(const TMlb2& costs, int listRow) {
    return recordRowOfList(costs, "s", listRow);
}

OtherCostEditSetup prepareOtherCostEdit(AppState& state, int listRow) {
    OtherCostEditSetup setup;
    static_cast<RecordEditSetup&>(setup) = prepareRecordEdit(state, "s", listRow);
    if (!setup.found) return setup;
    const TMlb2& costs = state.CostTable;
    setup.text = toDisplay(costs.GetValue(field::text));
    setup.service = costs.GetValue(field::service) == "ja";
    return setup;
}

void overwriteOtherCostRecord(AppState& state, const OtherCostInput& input) {
    setOtherCostValues(state.CostTable, state.VehicleTable.GetValue(field::ID), input);
    state.CostTable.SortNumeric(field::kmstnd);
}
