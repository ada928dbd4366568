#include "records/statistics.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

using namespace Qt::StringLiterals;

namespace {

// The short text of an index text ("0", "1"); empty for a text that is no index of the list.
QString codeName(std::span<const std::string_view> names, std::string_view indexText) {
    int index = -1;
    if (!TryStrToInt(indexText, index) || index < 0 || index >= static_cast<int>(names.size())) return {};
    return toDisplay(names[static_cast<std::size_t>(index)]);
}

// A figure as the panel shows it: the number and one blank.
QString figure(const std::string& number) {
    return QString::fromLatin1(number) + u' ';
}
QString figure(long long number) {
    return QString::number(number) + u' ';
}

} // namespace

PanelCaptions panelCaptions(const TMlb2& vehicles) {
    const QString unit = codeName(UnitNames, vehicles.GetValue(field::kme));
    const QString currency = u" ("_s + codeName(CurrencyNames, vehicles.GetValue(field::waehr)) + u')';
    PanelCaptions c;
    c.consumption = u"Ø Verbr. ("_s + unit + u"/100 KM)"_s;
    c.totalCosts = u"Gesamtkosten"_s + currency;
    c.fuelCosts = u"Kraftstoffkosten"_s + currency;
    c.otherCosts = u"Sonstige Kosten"_s + currency;
    c.costsPerKm = u"Kosten / KM"_s + currency;
    c.fuelCostsPerKm = u"Kraftstoffkosten / KM"_s + currency;
    c.costsPerMonth = u"Kosten / Monat"_s + currency;
    return c;
}

StatisticsPanel computeStatistics(const TMlb2& costs, const TMlb2& vehicles) {
    StatisticsPanel p;
    p.captions = panelCaptions(vehicles);
    p.nextHu = toDisplay(vehicles.GetValue(field::tuev)) + u' ';
    p.nextAu = toDisplay(vehicles.GetValue(field::au)) + u' ';
    p.nextService = toDisplay(vehicles.GetValue(field::instdat)) + u' ';
    p.nextServiceHint = toDisplay(vehicles.GetValue(field::instkm));
    if (costs.IsEmpty()) return p;

    const int datum = costs.FieldIndex(field::Datum), kmstnd = costs.FieldIndex(field::kmstnd),
              preis = costs.FieldIndex(field::preis), liter = costs.FieldIndex(field::liter),
              voll = costs.FieldIndex(field::voll), art = costs.FieldIndex(field::art);

    double total = 0, other = 0, quantity = 0;
    long long otherCount = 0, fuelCount = 0;
    int highest = 1;
    std::optional<int> firstFull, lastFull;
    QDate earliest, latest;
    for (int row = 1; row <= costs.RowCount(); ++row) {
        const QDate date = StrToDate(costs.ViewAt(row, datum));
        if (!earliest.isValid() || date < earliest) earliest = date;
        if (!latest.isValid() || date > latest) latest = date;

        const std::string_view reading = costs.ViewAt(row, kmstnd);
        if (reading.empty()) continue; // counts only for the dates
        const double price = StrToFloat(costs.ViewAt(row, preis));
        total += price;
        const std::string_view kind = costs.ViewAt(row, art);
        if (kind == "s") {
            other += price;
            ++otherCount;
        }
        const int km = StrToInt(reading);
        highest = std::max(highest, km);
        if (kind == "t") {
            // The first fill-up only fills the tank the later ones are measured against.
            if (fuelCount++ > 0) quantity += StrToFloat(costs.ViewAt(row, liter));
            if (costs.ViewAt(row, voll) == "ja") {
                if (!firstFull) firstFull = km;
                lastFull = km;
            }
        }
    }

    p.odometer = figure(highest == 1 ? 0 : highest);
    p.totalCosts = figure(FormatFixed(total, 6, 2));
    p.otherCosts = figure(FormatFixed(other, 6, 2));
    p.otherCostsHint = u"Anzahl der Sonstigen-Eingaben : "_s + QString::number(otherCount);
    p.fuelCosts = figure(FormatFixed(total - other, 6, 2));
    p.fuelCostsHint = u"Anzahl der Tankeingaben : "_s + QString::number(fuelCount);

    // Full-tank method from the first to the last full fill-up.
    if (firstFull && *firstFull < *lastFull && total > 0) {
        const long long distance = static_cast<long long>(*lastFull) - *firstFull;
        const double km = static_cast<double>(distance);
        // The vehicle dialog stores the tank capacity with one decimal ("45,5").
        const double tankCapacity = StrToFloat(vehicles.GetValue(field::tinh));
        p.consumption = figure(FormatFixed(quantity / (km / 100), 3, 2));
        if (quantity != 0) p.range = figure(FormatFixed(tankCapacity / (quantity / km), 6, 0));
        p.costsPerKm = figure(FormatFixed(total / km, 5, 3));
        p.fuelCostsPerKm = figure(FormatFixed((total - other) / km, 5, 3));
        p.costsPerKmHint = p.fuelCostsPerKmHint = u"Gefahrene Kilometer : "_s + QString::number(distance);
    }

    // Whole months of 30.4375 days; a period of up to 30 days shows the total.
    const qint64 days = earliest.daysTo(latest);
    p.costsPerMonth = p.totalCosts;
    if (days > 30) {
        const auto months = static_cast<long long>(static_cast<double>(days) / 30.4375);
        p.costsPerMonth = figure(FormatFixed(total / static_cast<double>(months), 6, 2));
    }
    p.costsPerMonthHint = u"Erfasste Tage : "_s + QString::number(days);
    return p;
}
