#pragma once
// The vehicle master table kfzdata.csv: its fields, the code lists behind the coded fields, the
// numbering and start values of a new vehicle, and the upgrade of tables of older versions.

#include "core/app_state.h"
#include "core/field_names.h"

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kVehicleFileName = "kfzdata.csv";

// The fields of a table created by this program, in their order.
inline constexpr std::array<std::string_view, 30> kVehicleBaseFields = {
    field::ID,     field::bez,     field::nummer,  field::tachostart, field::tinh,      field::au,
    field::tuev,   field::kdatum,  field::erstzul, field::kpreis,     field::bemerk1,   field::fgstnr,
    field::fahrer, field::instdat, field::instkm,  field::sikm,       field::simon,     field::privat,
    field::kme,    field::waehr,   field::krstart, field::leas,       field::leasdauer, field::leasstart,
    field::file,   field::file2,   field::file3,   field::file4,      field::file5,     field::bild};
// Fields that older versions lacked, added at the end in this order where missing.
inline constexpr std::array<std::string_view, 6> kVehicleUpgradeFields = {
    field::erstzul, field::kme2, field::krstart2, field::apreis, field::hybrid, field::file6};

// Short texts of the coded fields (Windows-1252 bytes): "kme", "waehr", "krstart".
inline constexpr std::array<std::string_view, 4> UnitNames = {"L", "KG", "CM\xB3", "kW"};
inline constexpr std::array<std::string_view, 2> CurrencyNames = {"\x80", "SFr"};
inline constexpr std::array<std::string_view, 8> FuelNames = {"Benzin N", "Benzin S", "Benzin S+",   "Diesel",
                                                              "Erdgas",   "Autogas",  "Wasserstoff", "Elektro"};
// Long texts of the vehicle dialog's selection lists; the unit "kW" is not offered.
inline constexpr std::array<std::string_view, 3> UnitLongNames = {"L Liter", "KG Kilogramm", "CM\xB3 Kubik-CM"};
inline constexpr std::array<std::string_view, 2> CurrencyLongNames = {"\x80 Euro", "SFr Schweizer Franken"};
inline constexpr std::array<std::string_view, 8> FuelLongNames = {
    "Benzin Normal", "Benzin Super", "Benzin Super-Plus", "Diesel", "Erdgas", "Autogas", "Wasserstoff", "Elektro"};

// The list index of an index text ("0", "3"), nullopt for a text that is no decimal integer.
std::optional<int> codeIndex(std::string_view indexText);
// The short text for an index text; the empty text for an index outside the list.
std::string unitName(std::string_view indexText);
std::string currencyName(std::string_view indexText);
std::string fuelName(std::string_view indexText);
// "kme2" / "krstart2": "0" is none ("-"), k is the list entry k-1.
std::string secondUnitName(std::string_view indexText);
std::string secondFuelName(std::string_view indexText);

// The program keeps at most this many vehicles (the vehicle menu has 99 places); the file
// numbers run from 001 to 999.
inline constexpr int kMaxVehicles = 99;
inline constexpr int kMaxVehicleNumber = 999;

// Start-up: kfzdata.csv when it exists, else an empty table of the base fields; then the
// upgrade. nullopt on success, else the message for a file that exists but could not be read
// (the table is then the empty one).
[[nodiscard]] std::optional<QString> loadVehicleTable(AppState& state);
// Adds each upgrade field of which no field of exactly that name exists.
void upgradeVehicleTable(TMlb2& table);

// The first number n (1..999) whose cost-record file DataDir + "kfzdat." + NNN does not exist and
// that no vehicle of the table names as its "file".
std::optional<int> newVehicleNumber(const AppState& state);
// "001" .. "999".
std::string vehicleNumberText(int number);

// Appends a new vehicle with its start values, creates its empty cost-record file and saves the
// master table. nullopt on success, the cursor on the new row; else the message for the user,
// and neither the table nor the data directory changed.
[[nodiscard]] std::optional<QString> createVehicle(AppState& state);

// Saves kfzdata.csv, as it is or, at shut-down, sorted by "nummer" first. nullopt on success, else
// the message for the user.
enum class VehicleOrder { AsIs, ByPlate };
[[nodiscard]] std::optional<QString> saveVehicleTable(AppState& state, VehicleOrder order = VehicleOrder::AsIs);

// The name of the fingerprint file kept beside a vehicle's logbook: "kfzfbp." and the vehicle's
// number for a logbook named "kfzfb." and that number ("kfzfb.002" gives "kfzfbp.002"), else the
// logbook's name followed by ".fbp"; empty for a vehicle without a logbook name.
std::string fingerprintFileName(std::string_view tripFile);

// The current row's empty "file6" becomes "kfzterm" followed by characters 6 to 9 of "file2"
// ("kfzfb.002" gives "kfzterm.002"). True when it was filled.
bool fillAppointmentFileName(TMlb2& table);
