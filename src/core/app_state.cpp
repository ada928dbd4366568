#include "core/app_state.h"

#include "store/code_page.h"

QString AppState::path(std::string_view fileName) const {
    return DataDir + toDisplay(fileName);
}

std::optional<QString> saveTable(TMlb2& table, const AppState& state, std::string_view fileName) {
    if (table.SaveToFile(state.path(fileName))) return std::nullopt;
    return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2")
        .arg(toDisplay(fileName), table.ErrorReason());
}
