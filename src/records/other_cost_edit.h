#pragma once
// The rules of the other-cost editing dialog (TForm13): which record a row of the other-cost list
// is, what the dialog shows, overwriting and deleting the record. The checks of "OK" and the
// service question are those of the entry dialog (records/other_cost_entry.h).
// From prepareOtherCostEdit until the dialog closes, the record is the cursor row of CostTable.

#include "core/app_state.h"
#include "records/cost_records.h"
#include "records/other_cost_entry.h"

#include <QDate>
#include <QString>

inline const QString kOtherCostEditBanner = QStringLiteral("Sonstige-Daten editieren");

struct OtherCostEditSetup : RecordEditSetup {
    QString text;         // "text"
    bool service = false; // "service" is "ja"
};

// The table row of the listRow-th other cost (1 for the first); 0 when there are fewer.
int otherCostRecordRow(const TMlb2& costs, int listRow);

// Puts the CostTable cursor on the record shown in other-cost list row listRow and returns its
// values. When there is no such record the cursor stays where it was.
OtherCostEditSetup prepareOtherCostEdit(AppState& state, int listRow);

// Overwrites the cursor row as setOtherCostValues does ("liter", "voll", "tart" and "krart" keep
// their values), then sorts CostTable by "kmstnd".
void overwriteOtherCostRecord(AppState& state, const OtherCostInput& input);
