#pragma once
// TfrmSglOrder — the printed cost list of the current vehicle: its statistics and all its cost
// records in table order, with the consumption of every full-tank interval.

#include "report/report_layout.h"

class AppState;

const LayoutPlan& costListLayout();

// Hands the layout its values: the vehicle caption as the main window's current-vehicle panel
// shows it, the statistics and their captions as the panel shows them, and one value to each of
// the seven detail fields per record.
void fillCostList(TAlReport& report, const AppState& state, const QString& vehicleCaption);
