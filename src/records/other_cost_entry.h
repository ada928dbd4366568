#pragma once
// The rules of the other-cost entry dialog (TForm5): what it shows when it becomes active, the
// checks of "OK" in their order, the new other-cost record, and the service question that moves
// the next service date and odometer reading of the vehicle. The editing dialog (TForm13) shares
// the checks, the record values and the service question.

#include "core/app_state.h"
#include "store/mlb2.h"

#include <QDate>
#include <QString>

#include <optional>

// The input fields of the two other-cost dialogs, for the focus after a failed check.
enum class OtherCostField { Date, Odometer, Price, Text, Service };

// What the dialog's fields deliver: the odometer reading as a whole number ("45000"), the price in
// the comma form ("1234,56"), the short description as typed.
struct OtherCostInput {
    QDate date;
    QString odometer, price, text;
    bool service = false;
};

// The first failing check: its message exactly as shown, and the field that gets the focus.
struct OtherCostError {
    QString message;
    OtherCostField focus;
};

inline const QString kOtherCostEntryBanner = QStringLiteral("Neue Sonstige Daten eingeben");
inline const QString kTextMissing = QStringLiteral("\rBitte geben Sie eine Kurzbeschreibung ein.");
inline const QString kServiceQuestion =
    QStringLiteral("Sie haben \"Service durchgeführt\" markiert.\rSoll ein neuer Servicetermin errechnet und in die "
                   "<Fahrzeugverwaltung> eingetragen werden ?");

// The checks of "OK" in their order: odometer greater than 0, price greater than 0, a description.
[[nodiscard]] std::optional<OtherCostError> checkOtherCostInput(const OtherCostInput& input);

// Writes "ID", "Datum", "kmstnd" (the whole number), "preis" (FormatFixed(price, 5, 2): 1234,56
// becomes 1234,60), "text", "art" = "s" and "service" ("ja" or empty) of the cursor row.
void setOtherCostValues(TMlb2& table, const std::string& id, const OtherCostInput& input);

// Asked after the checks of a new other cost passed, when the same cost is stored already (Yes/No,
// No the default: No leaves the dialog open).
inline const QString kDuplicateOtherCostQuestion =
    QStringLiteral("Ein Kosteneintrag mit diesem Datum, Tachostand, Preis und Text ist bereits gespeichert.\r"
                   "Möchten Sie ihn trotzdem noch einmal speichern ?");
// Whether CostTable holds an other cost with the input's date, odometer reading, price (as it would
// be stored) and text.
bool isStoredOtherCost(const TMlb2& costs, const OtherCostInput& input);

// Appends the new other cost to CostTable and sorts the table by "kmstnd"; "liter", "voll",
// "tart" and "krart" stay empty.
void appendOtherCostRecord(AppState& state, const OtherCostInput& input);

// After Yes to kServiceQuestion, in the current master row: "instdat" = the month of `date` plus
// "simon" calendar months (a day that month lacks becomes its last day), as "mm.yyyy"; "instkm" =
// "sikm" (0 when empty) + `odometer`, in the shortest number form ("75000"). When "simon" is no
// whole number nothing is changed and the result is the message for the user.
[[nodiscard]] std::optional<QString> rescheduleService(TMlb2& vehicles, const QDate& date, const QString& odometer);
