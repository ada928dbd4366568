#pragma once
// The current vehicle: the cursor row of VehicleTable, the current file names taken from it and
// its cost records in CostTable always belong to one vehicle.

#include "core/app_state.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

// Makes the row at the cursor of VehicleTable the current vehicle: its file names, its cost
// records (a missing record file gives the empty record table) and the "krart" migration.
void loadCurrentVehicle(AppState& state);

// "nummer" + TAB + "bez" of every vehicle in table order (at most 99, the menu's places).
std::vector<std::string> vehicleMenuCaptions(const TMlb2& vehicles);
// The first row whose "nummer" + TAB + "bez" equals `caption` becomes current. False, and the
// cursor back on the current vehicle, when no row matches.
bool chooseVehicleByCaption(AppState& state, const std::string& caption);
// The arrow buttons: previous or next vehicle, no wrap-around. True when the vehicle changed.
bool previousVehicle(AppState& state);
bool nextVehicle(AppState& state);

// The current-vehicle panel: "nummer" + "  /  " + "bez".
QString currentVehicleText(const TMlb2& vehicles);

// Start-up: settings, vehicle table, the vehicle used last and its records. The message, when
// there is one, is for the user ("FEHLER" ... or a vehicle table that could not be read).
struct StartupOutcome {
    std::optional<QString> message;
    // kfzdata.csv exists but could not be read: it must not be overwritten at shut-down.
    bool vehicleFileUnreadable = false;
    // kfz.ini exists but could not be read: likewise.
    bool settingsFileUnreadable = false;
};
StartupOutcome startUp(AppState& state);
