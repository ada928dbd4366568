#pragma once
// The logbook's choice lists: the places, purposes, persons visited and drivers offered by the
// new-trip dialog, and the setting whether it asks before it saves. One plain table per vehicle
// with the fields "rubrik" and "text"; the rubriks "1" to "4" hold the offered texts, "5" the
// setting ("j" or "n").

#include "core/app_state.h"
#include "store/mlb2.h"

#include <QStringList>

#include <array>
#include <string>

enum class ChoiceRubrik { Places = 1, Purposes = 2, Visited = 3, Drivers = 4 };

struct ChoiceLists {
    // In table order, by rubrik "1" to "4".
    std::array<QStringList, 4> texts;
    // Whether a row of rubrik "5" says "j".
    bool confirmBeforeSave = false;
};

// Loads the current vehicle's choice list into `table`; a vehicle without one gets the fields
// "rubrik" and "text" and no rows (present false). An unreadable file gives its message.
[[nodiscard]] TableLoad loadChoiceList(AppState& state, TMlb2& table);
// Saves it as the current vehicle's choice list; nullopt or the message.
[[nodiscard]] std::optional<QString> saveChoiceList(AppState& state, TMlb2& table);

ChoiceLists choiceListsOf(const TMlb2& table);

// The six texts of the new-trip dialog that feed the lists, in the order "Von", "Route", "Nach",
// "Zweck", "Besucht", "Fahrer".
using TypedChoices = std::array<std::string, 6>;
// Appends every text that is not empty and that no row matches yet (the text taken as a LIKE
// pattern over the texts of every rubrik) with its rubrik, at the end, unsorted.
void addTypedChoices(TMlb2& table, const TypedChoices& typed);

// What the settings dialog writes: the lines of the four lists (each line that is not empty a row
// of its own, blanks kept), the setting as rubrik "5", all sorted by "text" byte by byte.
void writeChoiceSettings(TMlb2& table, const std::array<std::vector<std::string>, 4>& lines, bool confirmBeforeSave);
