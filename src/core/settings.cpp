#include "core/settings.h"

#include "core/ini_file.h"

#include <QDir>
#include <QFile>

namespace {

constexpr std::string_view kLastUse = "LastUse";
constexpr std::string_view kSetting = "Einstellung";
constexpr std::string_view kWindow = "Fenster";

std::string_view flagText(bool on) {
    return on ? "ja" : "nein";
}

// A flag is on for exactly "ja": "Ja", the empty text and anything else mean off.
bool flagOf(const IniFile& ini, std::string_view key) {
    return ini.value(kSetting, key) == "ja";
}

// The program always writes both colours at shut-down. A file that lacks one, or holds a text
// that is neither a colour name nor an integer, gives the list the window's own colour for it
// (clWindow / clWindowText) rather than black on black.
void readListColours(const IniFile& ini, Settings& settings) {
    settings.listBackground = StringToColor(ini.value(kSetting, "Farbe1")).value_or(clWindow);
    settings.listText = StringToColor(ini.value(kSetting, "Farbe2")).value_or(clWindowText);
}

QString failureMessage(const QString& reason) {
    return QStringLiteral("Die Datei kfz.ini konnte nicht gespeichert werden.\r%1").arg(reason);
}

// Writes the keys set by `fill` into the file in one save, after reading what it holds.
template <typename Fill> std::optional<QString> writeGroup(const AppState& state, Fill&& fill) {
    QDir().mkpath(state.DataDir);
    const QString path = state.path(kSettingsFileName);
    IniFile ini;
    QString reason;
    // A file that exists but cannot be read is not replaced by one that holds only these keys.
    if (!ini.load(path, &reason)) return failureMessage(reason);
    fill(ini);
    if (!ini.save(path, &reason)) return failureMessage(reason);
    return std::nullopt;
}

} // namespace

std::optional<QString> readSettings(AppState& state) {
    state.settings = Settings{};
    state.CurCostFile.clear();
    Settings& s = state.settings;
    s.unitText = "L Liter";
    const QString path = state.path(kSettingsFileName);
    if (!QFile::exists(path)) {
        s.listBackground = clWindow;
        s.listText = clWindowText;
        return std::nullopt;
    }
    IniFile ini;
    QString reason;
    if (!ini.load(path, &reason)) {
        // The values stay at their defaults; the file is never replaced by them.
        s.listBackground = clWindow;
        s.listText = clWindowText;
        return reason;
    }
    state.CurCostFile = ini.value(kLastUse, "FileName");
    s.nfName = ini.value(kLastUse, "NFname");
    s.startSound = flagOf(ini, "StartSound");
    readListColours(ini, s);
    s.windowPos = flagOf(ini, "FensterPos");
    s.currencyText = ini.value(kSetting, "Waehrung");
    s.unitText = ini.value(kSetting, "Masseinheit"); // absent: the empty text, written back so
    s.remind = flagOf(ini, "TerminRemind");
    s.remindDays = ini.intValue(kSetting, "TerminRemTime", 0);
    return std::nullopt;
}

std::optional<QString> writeShutdownSettings(const AppState& state, int left, int top) {
    const Settings& s = state.settings;
    return writeGroup(state, [&](IniFile& ini) {
        // The order of the keys is observable in a file written for the first time.
        ini.setValue(kWindow, "Left", std::to_string(left));
        ini.setValue(kWindow, "Top", std::to_string(top));
        ini.setValue(kLastUse, "FileName", state.CurCostFile);
        ini.setValue(kLastUse, "NFname", s.nfName);
        ini.setValue(kSetting, "StartSound", flagText(s.startSound));
        ini.setValue(kSetting, "FensterPos", flagText(s.windowPos));
        ini.setValue(kSetting, "Farbe1", ColorToString(s.listBackground));
        ini.setValue(kSetting, "Farbe2", ColorToString(s.listText));
        ini.setValue(kSetting, "Waehrung", s.currencyText);
        ini.setValue(kSetting, "Masseinheit", s.unitText);
    });
}

std::optional<QString> writeReminderSettings(AppState& state, bool remind, int days) {
    state.settings.remind = remind;
    state.settings.remindDays = days;
    return writeGroup(state, [&](IniFile& ini) {
        ini.setValue(kSetting, "TerminRemind", flagText(remind));
        ini.setValue(kSetting, "TerminRemTime", std::to_string(days));
    });
}
