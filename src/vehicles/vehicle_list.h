#pragma once
// The vehicle list (TForm22): every vehicle side by side with its cost figures, odometer
// reading, next inspections and driver, computed afresh from each vehicle's record file by rules
// of its own (they differ from the statistics panel of the current vehicle).

#include "core/app_state.h"
#include "vehicles/workbook.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class TMlb2;

inline const QString kVehicleListCaption = QStringLiteral("Fahrzeugliste");

inline constexpr int kVehicleListColumnCount = 19;

// How a column's figure is written.
enum class VehicleListFormat {
    Text,        // as stored
    Amount,      // FormatFixed(value, 9, 2)
    PerKm,       // FormatFixed(value, 9, 3)
    Consumption, // FormatFixed(value, 3, 2)
    Whole,       // a whole number
    Mileage,     // FormatFixed(value, 9, 1)
};

struct VehicleListColumn {
    QString title;
    VehicleListFormat format;
    // Shading of the column: none, the money green of the sums, the lighter green of their
    // per-month and per-kilometre figures.
    enum class Shade { None, Sum, Rate } shade = Shade::None;
};
extern const std::array<VehicleListColumn, kVehicleListColumnCount> kVehicleListColumns;

// The money greens of the sum columns and of their rates.
inline constexpr unsigned kSumShade = 0xC0DCC0;
inline constexpr unsigned kRateShade = 0xD6E9D6;

// The figures of one vehicle, each present only when its condition holds.
struct VehicleFigures {
    bool hasRecords = false;
    double fuelCosts = 0;   // F: "preis" of the fuel records
    double otherCosts = 0;  // S: "preis" of all other records
    double quantity = 0;    // L: "liter" of every record but the first of the file
    long long odometer = 0; // K: the highest reading, 0 when it is 1 or less
    long long months = 0;   // M: whole months of 30.4375 days from the first to the last date
    std::optional<long long> firstFullKm, startKm, lastFuelKm;
    long long lastKm = 0;
    // D1 (last km - first full km) and D2 (last fuel km - start km), present with their ends.
    std::optional<long long> fullDistance() const;
    std::optional<long long> fuelDistance() const;
};
VehicleFigures vehicleFigures(const TMlb2& records);

// One row of the list: the cells as displayed and, for the figures, their values (the export
// writes those as numbers).
struct VehicleListRow {
    std::array<QString, kVehicleListColumnCount> cells;
    std::array<std::optional<double>, kVehicleListColumnCount> values;
    QString currency; // the vehicle's currency symbol
};
// The row of the vehicle in master row `row`, from its records.
VehicleListRow vehicleListRow(const TMlb2& vehicles, int row, const TMlb2& records);

// The whole list, one row per master row in table order. Each vehicle's record file is read from
// the data directory; a missing, unreadable or odd one gives a vehicle without records. Nothing is
// written and the master cursor does not move.
std::vector<VehicleListRow> buildVehicleList(const AppState& state);

// The list as one sheet "Fahrzeugliste": plate, name, months and driver as texts, every figure a
// number with the decimals the list shows, the amounts in each vehicle's own currency.
Workbook vehicleListWorkbook(const std::vector<VehicleListRow>& rows);
