#pragma once
// The recurring cost items of a vehicle ("Wiederkehrende Vorgänge"): descriptions with their usual
// price, kept in DataDir + CurRecurringFile ("kfzwv." + NNN) in the order they were added, so that
// a regular cost can be entered by choosing it in the other-cost entry dialog (TForm5).

#include "core/app_state.h"
#include "store/mlb2.h"

#include <QString>
#include <QStringList>

#include <optional>

inline const QString kStoreItemQuestion = QStringLiteral("Aktuelle Eingaben in die Vorgangsliste eintragen ?");
inline const QString kDeleteItemQuestion = QStringLiteral("Eintrag aus der Vorgangsliste löschen ?");

// The item table of the current vehicle while the dialog is open.
struct RecurringItems {
    TMlb2 table; // "Vorgang", "preis"
    // The file exists but could not be read: it must not be replaced by what this table holds,
    // so items can be neither stored nor deleted. `loadError` is the message for the user.
    std::optional<QString> loadError;
};

// The file when it exists, else a table with the fields "Vorgang" and "preis" and no rows. A file
// that lacks one of the two fields (an empty file, say) gains it, so a stored item is never lost.
RecurringItems loadRecurringItems(AppState& state);

// Every "Vorgang" in file order, for the drop-down list.
QStringList recurringItemNames(const TMlb2& items);

// Choosing an item: the price ("preis" read tolerantly) of the last row whose "Vorgang" equals
// `name`; nullopt when there is none.
std::optional<double> recurringItemPrice(const TMlb2& items, const QString& name);

// Appends an item; "preis" in the shortest number form ("45,5", "120"). Equal descriptions are
// not refused.
void appendRecurringItem(TMlb2& items, const QString& name, double price);

// The 1-based row of the first item whose "Vorgang" equals `name`; 0 when there is none.
int firstRecurringItemRow(const TMlb2& items, const QString& name);

// Writes the items to DataDir + CurRecurringFile. nullopt when saved, else the message for the
// user. An item file that could not be read is never overwritten: its read error is the result.
[[nodiscard]] std::optional<QString> saveRecurringItems(RecurringItems& items, const AppState& state);
