#include "vehicles/vehicle_list.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/mlb2.h"
#include "store/number_text.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using Format = VehicleListFormat;
using Shade = VehicleListColumn::Shade;

// The columns of the figures, by their place in the list.
enum Column {
    Plate,
    Name,
    TotalCosts,
    CostsPerMonth,
    CostsPerKm,
    FuelCosts,
    FuelCostsPerMonth,
    FuelCostsPerKm,
    OtherCosts,
    OtherCostsPerMonth,
    OtherCostsPerKm,
    Consumption,
    Odometer,
    Distance,
    MileagePerMonth,
    NextHu,
    NextAu,
    NextService,
    Driver,
};

// A reading of the records: a number as the program writes it; a text that is none counts as 0.
double number(std::string_view text) {
    return TextToFloat(text);
}
long long reading(std::string_view text) {
    const double value = TextToFloat(text);
    if (!std::isfinite(value)) return 0;
    return static_cast<long long>(std::clamp(value, -9.0e15, 9.0e15));
}

QString written(Format format, double value) {
    switch (format) {
    case Format::Amount:
        return QString::fromLatin1(FormatFixed(value, 9, 2));
    case Format::PerKm:
        return QString::fromLatin1(FormatFixed(value, 9, 3));
    case Format::Consumption:
        return QString::fromLatin1(FormatFixed(value, 3, 2));
    case Format::Mileage:
        return QString::fromLatin1(FormatFixed(value, 9, 1));
    case Format::Whole:
        return QString::number(static_cast<long long>(value));
    case Format::Text:
        break;
    }
    return {};
}

// The decimals a figure is shown with; -1 for a text.
int figureDecimals(Format format) {
    switch (format) {
    case Format::Amount:
    case Format::Consumption:
        return 2;
    case Format::PerKm:
        return 3;
    case Format::Mileage:
        return 1;
    case Format::Whole:
        return 0;
    case Format::Text:
        break;
    }
    return -1;
}

} // namespace

const std::array<VehicleListColumn, kVehicleListColumnCount> kVehicleListColumns = {{
    {u"Kennzeichen"_s, Format::Text},
    {u"Bezeichnung"_s, Format::Text},
    {u"Kosten gesamt"_s, Format::Amount, Shade::Sum},
    {u"Kosten pro Monat"_s, Format::Amount, Shade::Rate},
    {u"Kosten pro KM"_s, Format::PerKm, Shade::Rate},
    {u"Kraftstoffkosten"_s, Format::Amount, Shade::Sum},
    {u"Kraftstoffkosten pro Monat"_s, Format::Amount, Shade::Rate},
    {u"Kraftstoffkosten pro KM"_s, Format::PerKm, Shade::Rate},
    {u"Sonstige Kosten"_s, Format::Amount, Shade::Sum},
    {u"Sonstige Kosten pro Monat"_s, Format::Amount, Shade::Rate},
    {u"Sonstige Kosten pro KM"_s, Format::PerKm, Shade::Rate},
    {u"durchschn. Verbrauch"_s, Format::Consumption},
    {u"Tachostand"_s, Format::Whole},
    {u"gefahrene Kilometer"_s, Format::Whole},
    {u"Fahrleistung pro Monat"_s, Format::Mileage},
    {u"nächste HU"_s, Format::Text},
    {u"nächste AU"_s, Format::Text},
    {u"nächster Service"_s, Format::Text},
    {u"Fahrer"_s, Format::Text},
}};

std::optional<long long> VehicleFigures::fullDistance() const {
    if (!firstFullKm) return std::nullopt;
    return lastKm - *firstFullKm;
}

std::optional<long long> VehicleFigures::fuelDistance() const {
    if (!startKm || !lastFuelKm) return std::nullopt;
    return *lastFuelKm - *startKm;
}

VehicleFigures vehicleFigures(const TMlb2& records) {
    VehicleFigures f;
    const int rows = records.RowCount();
    if (rows == 0) return f;
    f.hasRecords = true;
    const int datum = records.FieldIndex(field::Datum), kmstnd = records.FieldIndex(field::kmstnd),
              preis = records.FieldIndex(field::preis), liter = records.FieldIndex(field::liter),
              voll = records.FieldIndex(field::voll), art = records.FieldIndex(field::art);
    QDate first, last;
    long long highest = 0;
    bool anyReading = false;
    for (int row = 1; row <= rows; ++row) {
        // Dates that are none count for no period.
        const QDate date = recordDate(records.ViewAt(row, datum));
        if (date.isValid()) {
            if (!first.isValid() || date < first) first = date;
            if (!last.isValid() || date > last) last = date;
        }
        if (row > 1) f.quantity += number(records.ViewAt(row, liter)); // the first fills the tank only
        const long long km = reading(records.ViewAt(row, kmstnd));
        highest = anyReading ? std::max(highest, km) : km;
        anyReading = true;

        const bool fuel = records.ViewAt(row, art) == "t";
        const double price = number(records.ViewAt(row, preis));
        if (fuel) {
            f.fuelCosts += price;
            f.lastFuelKm = km;
            if (!f.firstFullKm && records.ViewAt(row, voll) == "ja") f.firstFullKm = km;
            // The start is the first fill-up from the second record on; a single record is its own.
            if (!f.startKm && (row > 1 || rows == 1)) f.startKm = km;
        } else {
            f.otherCosts += price;
        }
    }
    f.odometer = highest <= 1 ? 0 : highest;
    f.lastKm = reading(records.ViewAt(rows, kmstnd));
    if (first.isValid()) f.months = static_cast<long long>(static_cast<double>(first.daysTo(last)) / 30.4375);
    return f;
}

VehicleListRow vehicleListRow(const TMlb2& vehicles, int row, const TMlb2& records) {
    VehicleListRow r;
    const auto master = [&](std::string_view name) {
        return toDisplay(vehicles.ViewAt(row, vehicles.FieldIndex(name)));
    };
    r.cells[Plate] = master(field::nummer);
    r.cells[Name] = master(field::bez);
    int currency = 0;
    if (!TryStrToInt(vehicles.ViewAt(row, vehicles.FieldIndex(field::waehr)), currency) || currency < 0 ||
        currency >= static_cast<int>(CurrencyNames.size()))
        currency = 0;
    r.currency = toDisplay(CurrencyNames[static_cast<std::size_t>(currency)]);

    const VehicleFigures f = vehicleFigures(records);
    if (!f.hasRecords) return r;
    const auto put = [&r](Column column, double value) {
        r.values[column] = value;
        r.cells[column] = written(kVehicleListColumns[column].format, value);
    };
    const double F = f.fuelCosts, S = f.otherCosts;
    const auto M = static_cast<double>(f.months);
    put(TotalCosts, F + S);
    put(FuelCosts, F);
    put(OtherCosts, S);
    if (f.months > 0) {
        put(CostsPerMonth, (F + S) / M);
        put(FuelCostsPerMonth, F / M);
        put(OtherCostsPerMonth, S / M);
    }
    const std::optional<long long> d1 = f.fullDistance(), d2 = f.fuelDistance();
    const bool perFullKm = d1 && *d1 > 0, perFuelKm = d2 && *d2 > 0;
    if (perFullKm) {
        const auto D1 = static_cast<double>(*d1);
        put(FuelCostsPerKm, F / D1);
        put(Consumption, f.quantity / (D1 / 100));
    }
    if (perFuelKm) put(OtherCostsPerKm, S / static_cast<double>(*d2));
    if (perFullKm && perFuelKm) put(CostsPerKm, F / static_cast<double>(*d1) + S / static_cast<double>(*d2));
    put(Odometer, static_cast<double>(f.odometer));
    if (d2) {
        put(Distance, static_cast<double>(*d2));
        if (f.months > 0) put(MileagePerMonth, static_cast<double>(*d2) / M);
    }
    r.cells[NextHu] = master(field::tuev);
    r.cells[NextAu] = master(field::au);
    r.cells[NextService] = master(field::instdat);
    r.cells[Driver] = master(field::fahrer);
    return r;
}

std::vector<VehicleListRow> buildVehicleList(const AppState& state) {
    const TMlb2& vehicles = state.VehicleTable;
    std::vector<VehicleListRow> list;
    list.reserve(static_cast<std::size_t>(vehicles.RowCount()));
    const int file = vehicles.FieldIndex(field::file);
    for (int row = 1; row <= vehicles.RowCount(); ++row)
        list.push_back(vehicleListRow(vehicles, row, readRecordsForView(state, vehicles.ViewAt(row, file))));
    return list;
}

Workbook vehicleListWorkbook(const std::vector<VehicleListRow>& rows) {
    WorkbookSheet sheet;
    sheet.name = QStringLiteral("Fahrzeugliste");
    for (const VehicleListColumn& column : kVehicleListColumns) {
        const int decimals = figureDecimals(column.format);
        sheet.columns.emplace_back(column.title,
                                   decimals < 0 ? WorkbookColumn::Kind::Text : WorkbookColumn::Kind::Number,
                                   std::max(decimals, 0));
    }
    for (const VehicleListRow& row : rows) {
        std::vector<WorkbookCell> cells;
        cells.reserve(kVehicleListColumnCount);
        for (std::size_t c = 0; c < kVehicleListColumns.size(); ++c) {
            const VehicleListFormat format = kVehicleListColumns[c].format;
            if (format == VehicleListFormat::Text) {
                cells.emplace_back(row.cells[c].isEmpty() ? WorkbookCell() : WorkbookCell(row.cells[c]));
            } else if (!row.values[c]) {
                cells.emplace_back();
            } else {
                // Each vehicle keeps its own currency; the figure is the one the list shows.
                const bool money = format == VehicleListFormat::Amount || format == VehicleListFormat::PerKm;
                const double shown = TextToFloat(fromDisplay(row.cells[c]));
                cells.emplace_back(WorkbookNumber{shown, figureDecimals(format), money ? row.currency : QString()});
            }
        }
        sheet.rows.push_back(std::move(cells));
    }
    return Workbook{{std::move(sheet)}};
}
