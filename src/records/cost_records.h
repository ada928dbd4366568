#pragma once
// The cost-record file of a vehicle: its eleven fields, the empty table of a new vehicle, the two
// migrations of tables written by the previous major version, and the date reading of the
// statistics.

#include "core/app_state.h"
#include "core/field_names.h"
#include "store/mlb2.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>

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

// A "Datum" value read as StrToDate reads it; an invalid date where that would throw.
QDate recordDate(std::string_view text);
// "dd.mm.yyyy", the form of "Datum".
std::string recordDateText(const QDate& date);

// " " + the currency symbol of the current vehicle's "waehr": the suffix of every price field.
QString priceSuffixFor(const AppState& state);

// A new row at the end of the records, the cursor on it. A vehicle without a record file may leave
// the table without fields: it first gets the record fields, so that the new record is not lost.
void appendRecordRow(TMlb2& costs);

// What both editing dialogs show of the record in row listRow of their list.
struct RecordEditSetup {
    bool found = false;  // false: the list row names no such record, and the dialog has nothing to show
    QDate date;          // "Datum"; today when the stored text is no date
    QString odometer;    // the text of "kmstnd"
    QString price;       // "preis" read as a number, two decimals ("45,67")
    QString priceSuffix; // " " + currency symbol
};
// Puts the CostTable cursor on the listRow-th record whose "art" is `art` and returns what the
// editing dialogs have in common. When there is no such record the cursor stays where it was.
RecordEditSetup prepareRecordEdit(AppState& state, std::string_view art, int listRow);

// The question before "Löschen" of both editing dialogs removes the record (ConfirmDialog).
inline const QString kDeleteRecordTitle = QStringLiteral("Datensatz löschen");
inline const QString kDeleteRecordInstruction = QStringLiteral("Klicken Sie Ja nur wenn Sie sicher sind.");
inline const QString kDeleteRecordMessage = QStringLiteral("Möchten Sie den Eintrag aus der Datenbank löschen ?");

// "Löschen" of both editing dialogs: removes the cursor row and sorts CostTable by "kmstnd".
void deleteCurrentRecord(AppState& state);

// Writes CostTable to DataDir + CurCostFile. nullopt when saved, else the message for the user;
// the table keeps its rows either way. A record file that could not be read is never written over.
[[nodiscard]] std::optional<QString> saveCostTable(AppState& state);
