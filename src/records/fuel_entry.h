#pragma once
// The rules of the fuel entry dialog (TForm3): what it shows when it becomes active, the checks of
// "OK" in their order, the new fuel record and the date/odometer check shared with the editing
// dialog (TForm9).

#include "core/app_state.h"
#include "store/mlb2.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

// The input fields of the two fuel dialogs, for the focus after a failed check.
enum class FuelField { Date, Odometer, Price, Quantity, Full, FuelType };

// What the dialog's fields deliver, the texts without their suffixes: the odometer reading as a
// whole number ("12000"), price and quantity in the comma form ("45,67").
struct FuelInput {
    QDate date;
    QString odometer, price, quantity;
    bool full = false;
    int fuelIndex = 0; // position in "Kraftstoffart": 0 the vehicle's fuel type, 1 its second one
};

// The first failing check: its message exactly as shown, and the field that gets the focus.
struct InputError {
    QString message;
    FuelField focus;
};

inline const QString kFuelEntryBanner = QStringLiteral("Neue Tankeingabe");
inline const QString kFirstFillUpMessage =
    QStringLiteral("Dies ist der erste Tank-Eintrag.\r\rBitte beachten Sie, daß vollgetankt sein muss,\rum einen "
                   "Startpunkt für die Berechnung des Verbrauchs zu setzten");
inline const QString kDateOdometerContradiction =
    QStringLiteral("Es existiert ein Datensatz mit einem früherem Datum und höherem Kilometerstand als der neu "
                   "eingegebene. Dies führt zu Fehlern und Inkonsistenzen bei internen Berechnungen\r\rBitte "
                   "korrigieren Sie Ihre Eingabe.");
inline const QString kOdometerNotPositive = QStringLiteral("\rDer Tachostand darf nicht kleiner oder gleich 0 sein.");
inline const QString kPriceNotPositive = QStringLiteral("\rDer Preis darf nicht kleiner oder gleich 0 sein.");
inline const QString kQuantityNotPositive = QStringLiteral("\rDie Mengenangabe darf nicht kleiner oder gleich 0 sein.");
inline const QString kOdometerSuffix = QStringLiteral(" KM");

// What the dialog shows each time it becomes active. The date is not part of it: the date picker
// starts at today once and then keeps the date last chosen.
struct FuelEntrySetup {
    QStringList fuelTypes; // "Kraftstoffart"; the first entry is selected
    QString odometer;      // "tachostart" before the first fill-up, else "0"
    QString price = QStringLiteral("0");
    QString quantity = QStringLiteral("0");
    bool firstFillUp = false;     // show kFirstFillUpMessage, then tick "Vollgetankt" and disable it
    QString priceSuffix;          // " " + currency symbol
    QString quantitySuffix;       // " " + unit of the first fuel type
    QString secondQuantitySuffix; // " " + unit of the second fuel type; empty when there is none
};

// Runs the "krart" step on CostTable and reads the current vehicle (the cursor row of
// VehicleTable).
FuelEntrySetup prepareFuelEntry(AppState& state);

// The long names of the fuel types the current vehicle offers: its "krstart", and "krstart2" when
// "hybrid" is "1" and "krstart2" names a second type (it counts from 1; 0 is none).
QStringList offeredFuelTypes(const AppState& state);
// The suffix of "Menge" for the chosen fuel type: " " + the unit of "kme", or for the second
// entry " " + the unit of "kme2" (counted from 1). A unit outside the list gives " ".
QString quantitySuffixFor(const AppState& state, int fuelIndex);
// Writes "ID", "Datum", "kmstnd", "preis", "liter", "voll" and "art" = "t" of the cursor row
// from the input (texts trimmed, Windows-1252).
void setFuelValues(TMlb2& table, const std::string& id, const FuelInput& input);

// True when the records, with the entered fill-up added (and row leaveOutRow left out; 0 leaves
// out nothing), sorted by "kmstnd", hold a fuel record followed by a fuel record with an earlier
// date. Other costs and records whose "Datum" is no date take no part.
bool checkdatekm(const TMlb2& costs, const std::string& id, const FuelInput& input, int leaveOutRow = 0);

// The checks of "OK" in their order: date/odometer contradiction, odometer, price, quantity.
// editedRow is the record left out of the contradiction check (0 for a new fill-up).
// The odometer must be digits only and not 0; price and quantity digits with at most one comma
// and greater than 0. Any other text fails its check.
[[nodiscard]] std::optional<InputError> checkFuelInput(const AppState& state, const FuelInput& input,
                                                       int editedRow = 0);

// Asked after the checks of a new fill-up passed, when the same fill-up is stored already (Yes/No,
// No the default: No leaves the dialog open).
inline const QString kDuplicateFuelQuestion =
    QStringLiteral("Ein Tankeintrag mit diesem Datum, Tachostand, Preis und dieser Menge ist bereits gespeichert.\r"
                   "Möchten Sie ihn trotzdem noch einmal speichern ?");
// Whether CostTable holds a fuel record with the input's date, odometer reading, price and
// quantity (numbers compared by value: "51,3" is "51,30").
bool isStoredFillUp(const TMlb2& costs, const FuelInput& input);

// Appends the new fuel record to CostTable and sorts the table by "kmstnd". "krart" is the chosen
// fuel type's position, "0" when the vehicle offers no such entry.
void appendFuelRecord(AppState& state, const FuelInput& input);
