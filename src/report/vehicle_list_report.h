#pragma once
// TfrmSglfzl — the printed vehicle list: one detail of three lines per vehicle, in landscape.

#include "report/report_layout.h"
#include "vehicles/vehicle_list.h"

#include <vector>

const LayoutPlan& vehicleListLayout();

// Hands the layout its values: the number of vehicles, and for every row its 19 cells as the
// list shows them, cell k to "AlField" + (k + 1).
void fillVehicleList(TAlReport& report, const std::vector<VehicleListRow>& rows);
