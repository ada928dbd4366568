#pragma once
// The settings file kfz.ini in the data directory: read at start-up, written at shut-down and by
// "OK" of the settings dialog.

#include "core/app_state.h"

#include <QString>

#include <optional>

inline constexpr std::string_view kSettingsFileName = "kfz.ini";

// Start-up: fills state.settings and state.CurCostFile. Without a settings file every value
// keeps its default and nothing is written.
[[nodiscard]] std::optional<QString> readSettings(AppState& state);

// Shut-down: the ten keys in their fixed order, in one write; `left` and `top` are the main
// window's position. The data directory is created when missing. nullopt on success, else
// "Die Datei kfz.ini konnte nicht gespeichert werden." and the reason.
[[nodiscard]] std::optional<QString> writeShutdownSettings(const AppState& state, int left, int top);

// "OK" of the settings dialog: sets the reminder values and writes "TerminRemind" and
// "TerminRemTime" at once. The values are kept even when the write fails.
[[nodiscard]] std::optional<QString> writeReminderSettings(AppState& state, bool remind, int days);
