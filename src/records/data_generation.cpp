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
    estimate.quantity = estimate.distance * consumption / 100 - base.partialQuantity;
    // The partial fill-ups since the last full one are paid for already: only the quantity still
    // missing is priced, at the average price per unit.
    estimate.price = estimate.quantity * (*averages.fuelCostPerKm * 100 / consumption);
    estimate.quantityText = twoDecimals(estimate.quantity);
    estimate.priceText = twoDecimals(estimate.price);
    // What is stored is the shown text: it must be greater than 0 as shown, too.
    const bool positive = TextToFloat(fromDisplay(estimate.quantityText)) > 0 &&
                          TextToFloat(fromDisplay(estimate.priceText)) > 0;
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
