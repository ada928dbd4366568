#pragma once
// The cost-record file of a vehicle: its eleven fields, the empty table of a new vehicle, the two
// migrations of tables written by the previous major version, and the date reading of the
// statistics.

#include "store/mlb2.h"

#include <QDate>

#include <array>
#include <string_view>

// The fields of a record file created by this program, in their order.
inline constexpr std::array<std::string_view, 11> kCostFields = {"ID",  "Datum", "kmstnd",  "preis", "liter", "voll",
                                                                 "art", "text",  "service", "tart",  "krart"};

// A table with the eleven fields and no rows, as a new vehicle's record file starts.
TMlb2 emptyCostTable();

// Opening a vehicle: a record file that was cut short to nothing, or that lacks fields every record
// needs ("ID" .. "service"), would silently drop what is entered; a table without fields becomes
// the empty record table, a missing field is appended, empty in every row. True when it changed.
bool addMissingRecordFields(TMlb2& costs);

// Opening a vehicle (and the fuel entry dialog): when no field is named exactly "krart" (letter
// case counts), "krart" is appended and set to "0" in every row; true when it was added. A table
// with "KRART" (or "Krart") already holds the field in another spelling, which AddField refuses to
// duplicate: such a table is left as it is, keeps its values, and every reader finds the field
// anyway since lookups ignore letter case. The cursor is left on the last row when rows were set.
bool addKrartField(TMlb2& costs);

// Building the record lists: a table of exactly nine fields (the layout of the previous major
// version) gets the field "tart" appended, empty in every row; true when it was added.
bool addTartField(TMlb2& costs);

// The table row of record row `listRow` (1-based) of a record list: the listRow-th row whose "art"
// is `art` ("t" for the fuel list, "s" for the other-cost list); 0 when there is none.
int recordRowOfList(const TMlb2& costs, std::string_view art, int listRow);

// Strict reading of a "Datum" value: optional blanks, day and month of one or two digits, a
// four-digit year, separated by points, optional blanks ("07.03.2021", " 7.3.2021"), and a date
// that exists. Anything else throws EConvertError "'<text>' ist kein gültiges Datum."
QDate StrToDate(std::string_view text);
