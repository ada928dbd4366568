#pragma once
// The data of the three charts as plain values: the consumption of every full-tank interval with
// the average line, the price per unit of every fill-up, and the cost bars per vehicle as sums,
// per month or per kilometre. The windows hand these to the chart; the readouts come from here.

#include "core/app_state.h"

#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

class TMlb2;

// A point of a line: x only spaces the points evenly; the label (a date) names it.
struct ChartPoint {
    double x = 0;
    double y = 0;
    QString label;
};

// "Verbrauch": one point for every full fill-up after the first, the quantity bought since the
// previous full fill-up over the distance since it. "Durchschnittlicher Verbrauch": the panel's
// figure at every such point, none when the panel shows no average. A full fill-up at the same
// reading as the previous one gives no point of either line and keeps the position, but ends its
// interval like any full fill-up.
struct ConsumptionSeries {
    std::vector<ChartPoint> consumption;
    std::vector<ChartPoint> average;
};
ConsumptionSeries consumptionChart(const TMlb2& costs, const QString& averageFigure);

// The price per unit of every fill-up with a quantity, at the fill-up's count among all fuel
// records (a record without quantity keeps its place and gets no point).
std::vector<ChartPoint> fuelPriceChart(const TMlb2& costs);
// "Preis in " + currency + " für 1 " + unit + fuel type name (without a blank before it), for the
// vehicle under the cursor of `vehicles`.
QString fuelPriceAxisTitle(const TMlb2& vehicles);
// The long name of the vehicle's fuel type ("Benzin Super").
QString fuelTypeName(const TMlb2& vehicles);

// The readout of the point at `index` of a line: its label, " : " and the value with three
// significant digits and two decimals; empty for the first point and for no point (-1).
QString chartReadout(const std::vector<ChartPoint>& points, int index);

// The cost chart's modes.
enum class CostMode { Total, PerMonth, PerKm };

// The three bars of one vehicle at its position (its master row number). "Kraftstoff" and
// "Sonstiges" are absent per month when the period is shorter than one whole month; "Gesamt" is
// then drawn alone.
struct CostBars {
    int position = 0;
    QString label; // "nummer" + "\r" + "bez"
    double total = 0;
    std::optional<double> fuel, other;
};

// The bars of a vehicle from its records; nullopt when it gets none: no records, per month all on
// one date, per kilometre a distance of 0 or less.
std::optional<CostBars> vehicleCostBars(const TMlb2& records, CostMode mode, int position, const QString& label);

// ZeigeAktuell: the current vehicle (sums from the records in memory, per month and per kilometre
// from its record file). ZeigeAlle: every vehicle of the master table from its record file, a
// vehicle without one leaving its position free. The master cursor stays where it is.
std::vector<CostBars> currentVehicleCostBars(const AppState& state, CostMode mode);
std::vector<CostBars> allVehicleCostBars(const AppState& state, CostMode mode);
// "Kosten in " + currency for one vehicle, "Kosten" for all.
QString costAxisTitle(const TMlb2& vehicles, bool allVehicles);

// The value mark of a bar: the value with two decimals and a decimal comma.
QString costValueText(double value);

// The line above a printed chart: "Wagenwart v5.3.0 – " + the banner's text + " – " + the
// window's caption; the print job carries the same name.
QString chartTitleLine(const QString& banner, const QString& caption);

// Every k-th point of a line gets its label on the horizontal axis: the smallest k for which
// labels `labelWidth` wide (gap included) at points `pointSpacing` apart do not overlap.
int labelStep(double labelWidth, double pointSpacing);

// The index of the point nearest to `mouse` among `points` (both in pixels), if it lies within
// `radius`; -1 when none does.
int pointNear(const std::vector<QPointF>& points, QPointF mouse, double radius);

// The cost chart shows 48 pixels per vehicle: the number of vehicle positions a plot area of
// `height` pixels holds, rounded, at least one.
int vehiclesPerView(double height);
// The pages of a printed cost chart: every position up to `lastPosition`, `perPage` to a page.
int costChartPages(int lastPosition, int perPage);
