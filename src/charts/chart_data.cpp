#include "charts/chart_data.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/mlb2.h"
#include "store/number_text.h"

#include <cmath>

namespace {

double number(std::string_view text) {
    return TextToFloat(text);
}

// The name of a list entry by its index text; empty for one the list does not have.
template <std::size_t N> QString listName(const std::array<std::string_view, N>& names, std::string_view indexText) {
    const std::optional<int> index = codeIndex(indexText);
    if (!index || *index < 0 || *index >= static_cast<int>(N)) return {};
    return toDisplay(names[static_cast<std::size_t>(*index)]);
}

QString vehicleLabel(const TMlb2& vehicles, int row) {
    return toDisplay(vehicles.ViewAt(row, vehicles.FieldIndex(field::nummer))) + u'\r' +
           toDisplay(vehicles.ViewAt(row, vehicles.FieldIndex(field::bez)));
}

} // namespace

ConsumptionSeries consumptionChart(const TMlb2& costs, const QString& averageFigure) {
    ConsumptionSeries s;
    const int art = costs.FieldIndex(field::art), liter = costs.FieldIndex(field::liter),
              voll = costs.FieldIndex(field::voll), kmstnd = costs.FieldIndex(field::kmstnd),
              datum = costs.FieldIndex(field::Datum);
    const QString average = averageFigure.trimmed();
    double quantity = 0, previousFull = 0;
    int position = 1;
    for (int row = 1; row <= costs.RowCount(); ++row) {
        if (costs.ViewAt(row, art) != "t") continue;
        quantity += number(costs.ViewAt(row, liter));
        if (costs.ViewAt(row, voll) != "ja") continue;
        const double km = number(costs.ViewAt(row, kmstnd));
        if (previousFull > 0 && km == previousFull) {
            quantity = 0; // no distance: no figure, but the interval ends here
            continue;
        }
        if (previousFull > 0) {
            const double value = quantity * 100 / (km - previousFull);
            s.consumption.push_back({static_cast<double>(position), value, toDisplay(costs.ViewAt(row, datum))});
            if (!average.isEmpty())
                s.average.push_back({static_cast<double>(position), TextToFloat(fromDisplay(average)), {}});
        }
        previousFull = km;
        if (previousFull > 0) ++position;
        quantity = 0;
    }
    return s;
}

std::vector<ChartPoint> fuelPriceChart(const TMlb2& costs) {
    std::vector<ChartPoint> points;
    const int art = costs.FieldIndex(field::art), liter = costs.FieldIndex(field::liter),
              preis = costs.FieldIndex(field::preis), datum = costs.FieldIndex(field::Datum);
    int count = 0;
    for (int row = 1; row <= costs.RowCount(); ++row) {
        if (costs.ViewAt(row, art) != "t") continue;
        ++count;
        const double quantity = number(costs.ViewAt(row, liter));
        if (quantity > 0)
            points.push_back({static_cast<double>(count), number(costs.ViewAt(row, preis)) / quantity,
                              toDisplay(costs.ViewAt(row, datum))});
    }
    return points;
}

QString fuelTypeName(const TMlb2& vehicles) {
    return listName(FuelLongNames, vehicles.GetValue(field::krstart));
}

QString fuelPriceAxisTitle(const TMlb2& vehicles) {
    return QStringLiteral("Preis in ") + listName(CurrencyNames, vehicles.GetValue(field::waehr)) +
           QStringLiteral(" für 1 ") + listName(UnitNames, vehicles.GetValue(field::kme)) + fuelTypeName(vehicles);
}

QString chartReadout(const std::vector<ChartPoint>& points, int index) {
    if (index <= 0 || index >= static_cast<int>(points.size())) return {};
    const ChartPoint& p = points[static_cast<std::size_t>(index)];
    return p.label + QStringLiteral(" : ") + QString::fromLatin1(FormatFixed(p.y, 3, 2));
}

std::optional<CostBars> vehicleCostBars(const TMlb2& records, CostMode mode, int position, const QString& label) {
    const int rows = records.RowCount();
    if (rows == 0) return std::nullopt;
    const int art = records.FieldIndex(field::art), preis = records.FieldIndex(field::preis),
              kmstnd = records.FieldIndex(field::kmstnd), datum = records.FieldIndex(field::Datum);
    double fuel = 0, other = 0;
    for (int row = 1; row <= rows; ++row)
        (records.ViewAt(row, art) == "t" ? fuel : other) += number(records.ViewAt(row, preis));
    CostBars bars{position, label, fuel + other, fuel, other};
    switch (mode) {
    case CostMode::Total:
        return bars;
    case CostMode::PerMonth: {
        QDate earliest(2099, 12, 31), latest(1900, 1, 1);
        for (int row = 1; row <= rows; ++row) {
            const QDate date = recordDate(records.ViewAt(row, datum));
            if (!date.isValid()) continue; // a date that is none counts for no period
            if (date < earliest) earliest = date;
            if (date > latest) latest = date;
        }
        if (latest <= earliest) return std::nullopt; // one date (or none): no period
        const auto days = static_cast<double>(earliest.daysTo(latest));
        const auto months = static_cast<long long>(days / 30.4375);
        bars.total = (fuel + other) * 30.4375 / days;
        bars.fuel.reset();
        bars.other.reset();
        if (months > 0) { // less than a whole month gives the total alone
            bars.fuel = fuel / static_cast<double>(months);
            bars.other = other / static_cast<double>(months);
        }
        return bars;
    }
    case CostMode::PerKm: {
        // The start is the first fill-up from the second record on (the last record's reading
        // when none follows); the end the last fill-up's reading.
        std::optional<double> start;
        for (int row = 2; row <= rows && !start; ++row)
            if (records.ViewAt(row, art) == "t") start = number(records.ViewAt(row, kmstnd));
        if (!start) start = number(records.ViewAt(rows, kmstnd));
        double end = 0;
        for (int row = 1; row <= rows; ++row)
            if (records.ViewAt(row, art) == "t") end = number(records.ViewAt(row, kmstnd));
        const double distance = end - *start;
        if (distance <= 0) return std::nullopt; // no distance driven: no figure per kilometre
        bars.total = (fuel + other) / distance;
        bars.fuel = fuel / distance;
        bars.other = other / distance;
        return bars;
    }
    }
    return std::nullopt;
}

std::vector<CostBars> currentVehicleCostBars(const AppState& state, CostMode mode) {
    const TMlb2& v = state.VehicleTable;
    std::vector<CostBars> out;
    if (v.RowNumber() < 1 || v.RowNumber() > v.RowCount()) return out;
    const QString label = vehicleLabel(v, v.RowNumber());
    // The sums come from the records in memory, the rates from the record file.
    const std::optional<CostBars> bars =
        mode == CostMode::Total ? vehicleCostBars(state.CostTable, mode, 1, label)
                                : vehicleCostBars(readRecordsForView(state, v.GetValue(field::file)), mode, 1, label);
    if (bars) out.push_back(*bars);
    return out;
}

std::vector<CostBars> allVehicleCostBars(const AppState& state, CostMode mode) {
    const TMlb2& v = state.VehicleTable;
    const int file = v.FieldIndex(field::file);
    std::vector<CostBars> out;
    for (int row = 1; row <= v.RowCount(); ++row)
        if (const std::optional<CostBars> bars =
                vehicleCostBars(readRecordsForView(state, v.ViewAt(row, file)), mode, row, vehicleLabel(v, row)))
            out.push_back(*bars);
    return out;
}

QString costAxisTitle(const TMlb2& vehicles, bool allVehicles) {
    if (allVehicles) return QStringLiteral("Kosten");
    return QStringLiteral("Kosten in ") + listName(CurrencyNames, vehicles.GetValue(field::waehr));
}

QString costValueText(double value) {
    return QString::fromLatin1(FormatMoney62(value)).trimmed();
}

QString chartTitleLine(const QString& banner, const QString& caption) {
    return QStringLiteral("Wagenwart v5.3.0 – ") + banner + QStringLiteral(" – ") + caption;
}

int labelStep(double labelWidth, double pointSpacing) {
    if (!(pointSpacing > 0) || !(labelWidth > 0)) return 1;
    const double step = std::ceil(labelWidth / pointSpacing - 1e-9);
    return step < 1 ? 1 : step > 1e9 ? 1000000000 : static_cast<int>(step);
}

int pointNear(const std::vector<QPointF>& points, QPointF mouse, double radius) {
    int best = -1;
    double bestDistance = radius * radius;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF d = points[i] - mouse;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int vehiclesPerView(double height) {
    const double count = std::round(height / 48.0);
    return count < 1 ? 1 : static_cast<int>(count);
}

int costChartPages(int lastPosition, int perPage) {
    if (lastPosition < 1 || perPage < 1) return 1;
    return (lastPosition + perPage - 1) / perPage;
}
