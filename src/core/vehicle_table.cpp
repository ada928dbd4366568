#include "core/vehicle_table.h"

#include "core/field_names.h"
#include "store/code_page.h"
#include "store/text_case.h"

#include <QDate>
#include <QFile>

#include <charconv>

namespace {

template <std::size_t N> std::string nameAt(const std::array<std::string_view, N>& names, std::optional<int> index) {
    if (!index || *index < 0 || *index >= static_cast<int>(N)) return {};
    return std::string(names[static_cast<std::size_t>(*index)]);
}

// "kme2" and "krstart2" count from 1; 0 is "none".
template <std::size_t N> std::string secondNameAt(const std::array<std::string_view, N>& names, std::string_view text) {
    const std::optional<int> index = codeIndex(text);
    if (index == 0) return "-";
    return nameAt(names, index ? std::optional<int>(*index - 1) : std::nullopt);
}

std::string dateText(const QDate& date) {
    return fromDisplay(date.toString(QStringLiteral("dd.MM.yyyy")));
}

} // namespace

std::optional<int> codeIndex(std::string_view indexText) {
    int value = 0;
    const char* const end = indexText.data() + indexText.size();
    const auto [ptr, ec] = std::from_chars(indexText.data(), end, value);
    if (indexText.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string unitName(std::string_view indexText) {
    return nameAt(UnitNames, codeIndex(indexText));
}
std::string currencyName(std::string_view indexText) {
    return nameAt(CurrencyNames, codeIndex(indexText));
}
std::string fuelName(std::string_view indexText) {
    return nameAt(FuelNames, codeIndex(indexText));
}
std::string secondUnitName(std::string_view indexText) {
    return secondNameAt(UnitNames, indexText);
}
std::string secondFuelName(std::string_view indexText) {
    return secondNameAt(FuelNames, indexText);
}

void upgradeVehicleTable(TMlb2& table) {
    // Letter case counts in this check, while AddField refuses a name that differs from an
    // existing one only in letter case: a table with "KME2" therefore keeps that one field and
    // gains no "kme2" beside it. Field lookups ignore letter case, so "kme2" reads and writes it.
    for (std::string_view name : kVehicleUpgradeFields)
        if (!table.HasFieldExactly(name)) table.AddField(name);
}

std::optional<QString> loadVehicleTable(AppState& state) {
    TMlb2& table = state.VehicleTable;
    const TableLoad load = loadTableFile(state, table, kVehicleFileName);
    if (!load.present || load.error) table.Clear();
    // The 30 base fields; a file cut short to nothing (or one that lost some of them) gets the
    // missing ones appended, so that a new vehicle can be created and keeps all its values.
    for (std::string_view name : kVehicleBaseFields)
        if (!table.HasField(name)) table.AddField(name);
    upgradeVehicleTable(table);
    return load.error;
}

std::string vehicleNumberText(int number) {
    std::string text = std::to_string(number);
    if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
    return text;
}

std::optional<int> newVehicleNumber(const AppState& state) {
    // A vehicle whose record file is missing still owns its number: given again, two vehicles
    // would share their files.
    const TMlb2& v = state.VehicleTable;
    const int file = v.FieldIndex(field::file);
    auto named = [&v, file](const std::string& name) {
        for (int r = 1; r <= v.RowCount(); ++r)
            if (v.ViewAt(r, file) == name) return true;
        return false;
    };
    for (int n = 1; n <= kMaxVehicleNumber; ++n) {
        const std::string name = "kfzdat." + vehicleNumberText(n);
        if (!QFile::exists(state.path(name)) && !named(name)) return n;
    }
    return std::nullopt;
}

std::optional<QString> createVehicle(AppState& state) {
    if (state.VehicleTable.RowCount() >= kMaxVehicles)
        return QStringLiteral("Es können höchstens %1 Fahrzeuge verwaltet werden.").arg(kMaxVehicles);
    const std::optional<int> number = newVehicleNumber(state);
    if (!number) return QStringLiteral("Es ist keine freie Fahrzeugnummer mehr vorhanden.");
    const std::string nnn = vehicleNumberText(*number);
    const std::string today = dateText(state.clock.today());
    const std::string month = today.substr(today.size() - 7);

    // The new row is made in a copy: the program's table takes it only when both files were
    // written, so a failure leaves no half-created vehicle behind, neither in memory nor on disk.
    TMlb2 table;
    table.CopyFrom(state.VehicleTable);
    table.AppendRow();
    const std::pair<std::string_view, std::string> values[] = {
        {field::nummer, "Nummer " + nnn},
        {field::bez, "Fahrzeug " + nnn},
        {field::ID, std::to_string(*number)},
        {field::tinh, "50"},
        {field::tachostart, "0"},
        {field::au, month},
        {field::tuev, month},
        {field::instdat, month},
        {field::kdatum, today},
        {field::erstzul, today},
        {field::kpreis, "1"},
        {field::apreis, "0"},
        {field::instkm, "10000"},
        {field::sikm, "30000"},
        {field::simon, "12"},
        {field::privat, "ja"},
        {field::fahrer, ""},
        {field::fgstnr, ""},
        {field::bemerk1, ""},
        {field::bild, ""},
        {field::kme, "0"},
        {field::kme2, "0"},
        {field::waehr, "0"},
        {field::krstart, "0"},
        {field::krstart2, "0"},
        {field::leas, "nein"},
        {field::leasdauer, "0"},
        {field::leasstart, today},
        {field::file, "kfzdat." + nnn},
        {field::file2, "kfzfb." + nnn},
        {field::file3, "kfzfbe." + nnn},
        {field::file4, "kfznotiz." + nnn},
        {field::file5, "kfzwv." + nnn},
        {field::hybrid, "0"},
        {field::file6, "kfzterm." + nnn},
    };
    for (const auto& [name, value] : values) table.SetValue(name, value);

    // The cost-record file first: its name was free, so removing it again undoes it exactly.
    const std::string costFile = table.GetValue(field::file);
    TMlb2 costs;
    for (std::string_view name : kCostRecordFields) costs.AddField(name);
    if (auto error = saveTable(costs, state, costFile)) return error;
    if (auto error = saveTable(table, state, kVehicleFileName)) {
        QFile::remove(state.path(costFile));
        return error;
    }
    state.VehicleTable.CopyFrom(table); // the cursor is on the last row, the new vehicle
    return std::nullopt;
}

std::optional<QString> saveVehicleTable(AppState& state, VehicleOrder order) {
    if (order == VehicleOrder::ByPlate) state.VehicleTable.SortText(field::nummer);
    return saveTable(state.VehicleTable, state, kVehicleFileName);
}

std::string fingerprintFileName(std::string_view tripFile) {
    if (tripFile.empty()) return {};
    constexpr std::string_view prefix = "kfzfb.";
    if (tripFile.size() > prefix.size() && sameTextIgnoringCase(tripFile.substr(0, prefix.size()), prefix))
        return "kfzfbp." + std::string(tripFile.substr(prefix.size()));
    return std::string(tripFile) + ".fbp";
}

bool fillAppointmentFileName(TMlb2& table) {
    if (!table.GetValue(field::file6).empty()) return false;
    const std::string file2 = table.GetValue(field::file2);
    const std::string digits = file2.size() > 5 ? file2.substr(5, 4) : std::string();
    return table.SetValue(field::file6, "kfzterm" + digits);
}
