#pragma once
// What "Daten exportieren" puts into a spreadsheet, and the file name it proposes.
//
// The current vehicle's workbook has three sheets:
//  - "Tankdaten": the fuel list's columns as the main window shows them ("Datum", "KM-Stand",
//    "Preis", the quantity column with the vehicle's unit, "gef. KM", "voll", "Verbrauch"), one row
//    per fill-up. A vehicle with a second fuel type also gets the list's hidden fuel type column,
//    as "Kraftstoff".
//  - "Sonstige Kosten": the other-cost list's columns ("Datum", "KM-Stand", "Preis", "Service",
//    "Text").
//  - "Statistik": the statistics panel, one figure a row: its caption as the panel shows it
//    (with the unit or currency, "Ø Verbr. (L/100 KM)"), its value, and the hint the panel shows
//    for it.
// Dates are date cells, readings, prices, quantities and figures numbers with the decimals the
// lists and the panel show (prices and cost figures with the currency in their format), so that a
// column sums at once. A "-" of the fuel list (no full fill-up, no distance) is an empty cell; a
// value that is no number or date where one belongs stays the text the list shows. The months of
// HU, AU and service are texts ("05.2026").

#include "vehicles/workbook.h"

#include <QString>

class AppState;
class TMlb2;

// The current vehicle's workbook: its records in CostTable, the vehicle the row at the cursor of
// VehicleTable. Neither table is changed. Statistics that cannot be computed from the records (a
// value the panel cannot read) leave the values of "Statistik" empty, as the panel does.
Workbook currentVehicleWorkbook(const AppState& state);
// The same from the record table and the current row of `vehicles`.
Workbook vehicleCostWorkbook(const TMlb2& costs, const TMlb2& vehicles);

// A text as a list or panel shows it, as a cell of `column`: for a Date column a date
// ("07.03.2024"), for a Number column a number ("1234,50", " 45,67", "600"; "-" and blanks only
// are an empty cell), for a Text column the text; the empty text is an empty cell, and a text that
// is not what its column holds stays that text. For workbooks made of a window's grid (the
// vehicle list).
WorkbookCell cellFromShownText(const QString& shown, const WorkbookColumn& column);

// The user's documents folder.
QString documentsFolder();

// A file name made of `name`: the characters that are not allowed in a file name on Windows or
// Linux (\ / : * ? " < > |) and control characters become "_", blanks and points at the end go
// (Windows drops them); "M-AB 123" stays as it is. An empty result becomes "Export".
QString safeFileName(const QString& name);

// "<nummer> Kosten", the name of the current vehicle's export (without the suffix).
QString costExportBaseName(const TMlb2& vehicles);
// "Fahrzeugliste", the name of the vehicle list's export.
QString vehicleListExportBaseName();

// `folder` + "/" + safeFileName(baseName) + workbookSuffix(format).
QString proposedExportPath(const QString& baseName, WorkbookFormat format, const QString& folder = documentsFolder());
