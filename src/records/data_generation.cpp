#include "records/data_generation.h"

#include "core/field_names.h"
#include "records/cost_records.h"
#include "records/fuel_entry.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString twoDecimals(double value) {
    return toDisplay(FormatMoney62(value)).trimmed();
}

std::optional<double> strictNumber(const QString& text) {
    double value = 0;
    if (!TryStrToFloat(fromDisplay(text), value)) return std::nullopt;
    return value;
}

// A stored reading as a whole number; one beyond the range of whole numbers counts as the
// nearest one there is, a reading that is no number as 0.
int wholeReading(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

// Exact decimal arithmetic for the estimate: the panel figures and the stored quantities are
// decimal texts, and the estimate is rounded once, half away from zero, as on paper.
__extension__ typedef __int128 Wide;

// A number as its shortest text gives it (the panel's "5,01", a sum of quantities "21,495"):
// digits × 10^-scale. nullopt for a text beyond what the arithmetic here holds.
struct Decimal {
    Wide digits = 0;
    int scale = 0;
};

std::optional<Decimal> decimalOf(double value) {
    const std::string text = FloatToText(value);
    Decimal d;
    bool negative = false, afterComma = false, anyDigit = false;
    for (char c : text) {
        if (c == '-' && !anyDigit && !negative) {
            negative = true;
        } else if (c == ',' && !afterComma) {
            afterComma = true;
        } else if (c >= '0' && c <= '9') {
            if (d.digits > Wide(1) << 100) return std::nullopt;
            d.digits = d.digits * 10 + (c - '0');
            if (afterComma) ++d.scale;
            anyDigit = true;
        } else {
            return std::nullopt; // an exponent: the values of a fill-up never need one
        }
    }
    if (!anyDigit) return std::nullopt;
    if (negative) d.digits = -d.digits;
    return d;
}

bool multiply(Wide a, Wide b, Wide& out) {
    return !__builtin_mul_overflow(a, b, &out);
}

bool powerOfTen(int exponent, Wide& out) {
    out = 1;
    for (int i = 0; i < exponent; ++i)
        if (!multiply(out, 10, out)) return false;
    return true;
}

// numerator / denominator in cents, rounded half away from zero; nullopt when it overflows.
std::optional<Wide> cents(Wide numerator, Wide denominator) {
    if (denominator == 0) return std::nullopt;
    const bool negative = (numerator < 0) != (denominator < 0);
    Wide n = numerator < 0 ? -numerator : numerator;
    const Wide d = denominator < 0 ? -denominator : denominator;
    if (!multiply(n, 200, n)) return std::nullopt; // twice the cents, for the half
    const Wide rounded = (n / d + 1) / 2;
    return negative ? -rounded : rounded;
}

QString centsText(Wide value) {
    const bool negative = value < 0;
    const Wide magnitude = negative ? -value : value;
    const auto whole = static_cast<long long>(magnitude / 100);
    const auto rest = static_cast<int>(magnitude % 100);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(whole) + QLatin1Char(',') +
           QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
}

// quantity = distance × consumption / 100 − partial quantity; price = quantity × price per unit,
// the price per unit being fuel costs per km × 100 / consumption. Both in cents, from the exact
// quantity; nullopt when a value is beyond the exact arithmetic.
std::optional<std::pair<Wide, Wide>> exactEstimate(int distance, double consumption, double fuelCostPerKm,
                                                   double partialQuantity) {
    const auto c = decimalOf(consumption), f = decimalOf(fuelCostPerKm), p = decimalOf(partialQuantity);
    if (!c || !f || !p || c->digits == 0) return std::nullopt;
    // quantity = (distance · C · 10^k − P · 10^(a+2)) / 10^(a+2+k), with c = C/10^a, p = P/10^k
    Wide tenK, tenA2, tenAll, tenA, tenB, first, second;
    if (!powerOfTen(p->scale, tenK) || !powerOfTen(c->scale + 2, tenA2) ||
        !powerOfTen(c->scale + 2 + p->scale, tenAll) || !powerOfTen(c->scale, tenA) || !powerOfTen(f->scale, tenB))
        return std::nullopt;
    if (!multiply(Wide(distance), c->digits, first) || !multiply(first, tenK, first) ||
        !multiply(p->digits, tenA2, second))
        return std::nullopt;
    const Wide quantityNumerator = first - second;
    // price = quantity · F/10^b · 100 · 10^a / C
    Wide priceNumerator, priceDenominator;
    if (!multiply(quantityNumerator, f->digits, priceNumerator) || !multiply(priceNumerator, 100, priceNumerator) ||
        !multiply(priceNumerator, tenA, priceNumerator) || !multiply(tenAll, tenB, priceDenominator) ||
        !multiply(priceDenominator, c->digits, priceDenominator))
        return std::nullopt;
    const auto quantity = cents(quantityNumerator, tenAll);
    const auto price = cents(priceNumerator, priceDenominator);
    if (!quantity || !price) return std::nullopt;
    return std::pair{*quantity, *price};
}

} // namespace

GenerationBase findGenerationBase(const TMlb2& costs) {
    GenerationBase base;
    const int art = costs.FieldIndex(field::art);
    const int voll = costs.FieldIndex(field::voll);
    const int kmstnd = costs.FieldIndex(field::kmstnd);
    const int liter = costs.FieldIndex(field::liter);
    for (int r = costs.RowCount(); r >= 1 && base.lastFullReading <= 0; --r) {
        const bool fuel = costs.ViewAt(r, art) == "t";
        const bool full = costs.ViewAt(r, voll) == "ja";
        const int reading = wholeReading(TextToFloat(costs.ViewAt(r, kmstnd)));
        if (fuel && !full) {
            base.partialQuantity += TextToFloat(costs.ViewAt(r, liter));
            if (base.latestReading == 0) base.latestReading = reading;
        }
        if (fuel && full && reading > base.lastFullReading) {
            base.lastFullReading = reading;
            if (base.latestReading == 0) base.latestReading = reading;
        }
    }
    return base;
}

Averages readAverages(const QString& consumptionText, const QString& fuelCostPerKmText) {
    return {strictNumber(consumptionText), strictNumber(fuelCostPerKmText)};
}

GenerationEstimate estimateFillUp(const GenerationBase& base, const Averages& averages, int reading) {
    GenerationEstimate estimate;
    const bool averagesKnown = averages.consumption && averages.fuelCostPerKm && *averages.consumption > 0;
    // Without averages the dialog says so whatever the reading; nothing can be stored then.
    if (!averagesKnown) estimate.note = kNoAveragesNote;
    if (reading <= base.latestReading) return estimate;
    estimate.distance = reading - base.lastFullReading;
    if (!averagesKnown) return estimate;
    const double consumption = *averages.consumption;
    // The partial fill-ups since the last full one are paid for already: only the quantity still
    // missing is priced, at the average price per unit. Computed once; the dialog shows exactly the
    // texts that are stored.
    if (const auto exact =
            exactEstimate(estimate.distance, consumption, *averages.fuelCostPerKm, base.partialQuantity)) {
        estimate.quantityText = centsText(exact->first);
        estimate.priceText = centsText(exact->second);
    } else {
        const double quantity = estimate.distance * consumption / 100 - base.partialQuantity;
        estimate.quantityText = twoDecimals(quantity);
        estimate.priceText = twoDecimals(quantity * (*averages.fuelCostPerKm * 100 / consumption));
    }
    estimate.quantity = TextToFloat(fromDisplay(estimate.quantityText));
    estimate.price = TextToFloat(fromDisplay(estimate.priceText));
    // What is stored is the shown text: it must be greater than 0 as shown, too.
    const bool positive =
        TextToFloat(fromDisplay(estimate.quantityText)) > 0 && TextToFloat(fromDisplay(estimate.priceText)) > 0;
    estimate.storable = positive;
    if (!positive) estimate.note = kNotPositiveNote;
    return estimate;
}

bool appendGeneratedFillUp(AppState& state, int reading, const GenerationEstimate& estimate) {
    if (!estimate.storable) return false;
    TMlb2& costs = state.CostTable;
    appendRecordRow(costs);
    costs.SetValue(field::ID, state.VehicleTable.GetValue(field::ID));
    costs.SetValue(field::Datum, recordDateText(state.clock.today()));
    costs.SetValue(field::kmstnd, std::to_string(reading));
    costs.SetValue(field::preis, fromDisplay(estimate.priceText));
    costs.SetValue(field::liter, fromDisplay(estimate.quantityText));
    costs.SetValue(field::voll, "ja");
    costs.SetValue(field::service, "");
    costs.SetValue(field::art, "t");
    costs.SortNumeric(field::kmstnd);
    return true;
}
