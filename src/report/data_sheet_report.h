#pragma once
// TfrmSglvw — the printed data sheet of one vehicle: its data, maintenance dates and settings on
// one page.

#include "report/report_layout.h"

class TMlb2;

const LayoutPlan& dataSheetLayout();

// Hands the layout one value per field: the vehicle under the cursor of `vehicles`, each value as
// the vehicle dialog shows it.
void fillDataSheet(TAlReport& report, const TMlb2& vehicles);
