#pragma once
// The rules of the fuel record editing dialog (TForm9): which record a row of the fuel list is,
// what the dialog shows, the checks of "OK", overwriting and deleting the record.
// From prepareFuelEdit until the dialog closes, the record is the cursor row of CostTable.

#include "core/app_state.h"
#include "records/cost_records.h"
#include "records/fuel_entry.h"

#include <QDate>
#include <QString>

#include <optional>

inline const QString kFuelEditBanner = QStringLiteral("Tankdaten editieren");

struct FuelEditSetup : RecordEditSetup {
    QString quantity;       // "liter" read as a number, two decimals ("45,67")
    bool full = false;      // "voll" is "ja"
    QString quantitySuffix; // " " + the unit of "kme"
};

// The table row of the listRow-th fuel record (1 for the first); 0 when there are fewer.
int fuelRecordRow(const TMlb2& costs, int listRow);

// Puts the CostTable cursor on the record shown in fuel list row listRow and returns its values.
// When there is no such record the cursor stays where it was.
FuelEditSetup prepareFuelEdit(AppState& state, int listRow);

// The checks of "OK" (those of the fuel entry); the contradiction check leaves the cursor row out.
[[nodiscard]] std::optional<InputError> checkFuelEdit(const AppState& state, const FuelInput& input);

// Overwrites the cursor row's "ID", "Datum", "kmstnd", "preis", "liter", "voll" and "art"; "text",
// "service", "tart" and "krart" keep their values. Then sorts CostTable by "kmstnd".
void overwriteFuelRecord(AppState& state, const FuelInput& input);
