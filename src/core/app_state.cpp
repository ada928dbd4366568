#include "core/app_state.h"

#include "core/settings.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "store/text_case.h"

namespace {

bool isBareFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
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
