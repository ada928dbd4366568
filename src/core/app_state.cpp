#include "core/app_state.h"

#include "core/settings.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "store/text_case.h"

namespace {

// Names Windows gives to devices, with or without an extension.
bool isDeviceName(std::string_view name) {
    const std::string_view stem = name.substr(0, name.find('.'));
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"})
        if (sameTextIgnoringCase(stem, device)) return true;
    if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9')
        return sameTextIgnoringCase(stem.substr(0, 3), "COM") || sameTextIgnoringCase(stem.substr(0, 3), "LPT");
    return false;
}

// A name of a file directly in the data directory on every platform: no path, no drive, no
// trailing dot or blank (Windows drops them and would reach another file), no short "~" name,
// no device.
bool isBareFileName(std::string_view name) {
    return !name.empty() && name.back() != '.' && name.back() != ' ' &&
           name.find_first_of(std::string_view("/\\:~*?\"<>|\0", 11)) == std::string_view::npos && !isDeviceName(name);
}

} // namespace

QString AppState::path(std::string_view fileName) const {
    if (!isBareFileName(fileName)) return {};
    return DataDir + toDisplay(fileName);
}

QString AppState::vehicleFilePath(std::string_view fileName) const {
    return isVehicleFileName(fileName) ? path(fileName) : QString();
}

bool isVehicleFileName(std::string_view name) {
    return isBareFileName(name) && !sameTextIgnoringCase(name, kVehicleFileName) &&
           !sameTextIgnoringCase(name, kSettingsFileName);
}

std::optional<QString> saveTable(TMlb2& table, const AppState& state, std::string_view fileName) {
    if (table.SaveToFile(state.path(fileName))) return std::nullopt;
    return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2")
        .arg(toDisplay(fileName), table.ErrorReason());
}

std::optional<QString> saveVehicleFile(TMlb2& table, const AppState& state, std::string_view fileName) {
    if (!isVehicleFileName(fileName)) return refusedVehicleFileMessage(fileName);
    return saveTable(table, state, fileName);
}

QString refusedVehicleFileMessage(std::string_view fileName) {
    return QStringLiteral("Der Dateiname \"%1\" in kfzdata.csv ist nicht zulässig: er muss eine eigene Datei im "
                          "Datenverzeichnis benennen. Die Datei wird weder gelesen noch geschrieben.")
        .arg(toDisplay(fileName));
}
