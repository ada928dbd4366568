#include "records/fuel_entry.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <algorithm>
#include <array>

namespace {

// A coded field of the current vehicle read as a list index; -1 for a text that is no integer.
int vehicleIndex(const AppState& state, std::string_view field) {
    return codeIndex(state.VehicleTable.GetValue(field)).value_or(-1);
}

template <std::size_t N> QString listText(const std::array<std::string_view, N>& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? toDisplay(list[static_cast<std::size_t>(index)])
                                                             : QString();
}

// "krstart2" counts from 1; 0 (or a text that is no number) means the vehicle has no second type.
int secondFuelIndex(const AppState& state) {
    if (state.VehicleTable.GetValue(field::hybrid) != "1") return -1;
    const int k = vehicleIndex(state, field::krstart2);
    return k >= 1 ? k - 1 : -1;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The odometer edit delivers digits only; a reading of 0 (or any other text) is refused.
bool isPositiveWholeNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || !std::all_of(t.begin(), t.end(), isDigit)) return false;
    return std::any_of(t.begin(), t.end(), [](QChar c) { return c != u'0'; });
}

// Price and quantity come in the comma form ("45,67"): digits with at most one comma, no sign,
// no thousands separator. This keeps the stored texts readable by the statistics' strict reading.
bool isPositiveCommaNumber(const QString& text) {
    const QString t = text.trimmed();
    const bool commaForm = std::all_of(t.begin(), t.end(), [](QChar c) { return isDigit(c) || c == u','; }) &&
                           t.count(u',') <= 1 && std::any_of(t.begin(), t.end(), isDigit);
    return commaForm && TextToFloat(fromDisplay(t)) > 0;
}

} // namespace

QStringList offeredFuelTypes(const AppState& state) {
    QStringList types{listText(FuelLongNames, vehicleIndex(state, field::krstart))};
    if (const int second = secondFuelIndex(state); second >= 0) types << listText(FuelLongNames, second);
    return types;
}

QString quantitySuffixFor(const AppState& state, int fuelIndex) {
    const int unit = fuelIndex == 1 ? vehicleIndex(state, field::kme2) - 1 : vehicleIndex(state, field::kme);
    return u' ' + listText(UnitNames, unit);
}

FuelEntrySetup prepareFuelEntry(AppState& state) {
    addKrartField(state.CostTable);
    const TMlb2& costs = state.CostTable;
    const int art = costs.FieldIndex(field::art);
    bool haveFuelRecord = false;
    for (int r = 1; r <= costs.RowCount() && !haveFuelRecord; ++r) haveFuelRecord = costs.ViewAt(r, art) == "t";

    FuelEntrySetup setup;
    setup.fuelTypes = offeredFuelTypes(state);
    setup.firstFillUp = !haveFuelRecord;
    setup.odometer = haveFuelRecord ? QStringLiteral("0") : toDisplay(state.VehicleTable.GetValue(field::tachostart));
    setup.priceSuffix = priceSuffixFor(state);
    setup.quantitySuffix = quantitySuffixFor(state, 0);
    if (setup.fuelTypes.size() > 1) setup.secondQuantitySuffix = quantitySuffixFor(state, 1);
    return setup;
}

void setFuelValues(TMlb2& table, const std::string& id, const FuelInput& input) {
    table.SetValue(field::ID, id);
    table.SetValue(field::Datum, recordDateText(input.date));
    table.SetValue(field::kmstnd, fromDisplay(input.odometer.trimmed()));
    table.SetValue(field::preis, fromDisplay(input.price.trimmed()));
    table.SetValue(field::liter, fromDisplay(input.quantity.trimmed()));
    table.SetValue(field::voll, input.full ? "ja" : "nein");
    table.SetValue(field::art, "t");
}

bool checkdatekm(const TMlb2& costs, const std::string& id, const FuelInput& input, int leaveOutRow) {
    TMlb2 copy;
    copy.CopyFrom(costs);
    if (leaveOutRow >= 1) copy.DeleteRow(leaveOutRow);
    copy.AppendRow();
    setFuelValues(copy, id, input);
    copy.SortNumeric(field::kmstnd);

    // A later fuel row with an earlier date than some fuel row before it exists exactly when a fuel
    // row's date is earlier than the latest date of all fuel rows before it: one pass suffices.
    const int art = copy.FieldIndex(field::art);
    const int datum = copy.FieldIndex(field::Datum);
    if (art < 0 || datum < 0) return false;
    qint64 latest = 0;
    bool haveLatest = false;
    for (int r = 1; r <= copy.RowCount(); ++r) {
        if (copy.ViewAt(r, art) != "t") continue;
        const QDate date = recordDate(copy.ViewAt(r, datum));
        if (!date.isValid()) continue;
        const qint64 day = date.toJulianDay();
        if (haveLatest && day < latest) return true;
        latest = haveLatest ? std::max(latest, day) : day;
        haveLatest = true;
    }
    return false;
}

std::optional<InputError> checkFuelInput(const AppState& state, const FuelInput& input, int editedRow) {
    if (checkdatekm(state.CostTable, state.VehicleTable.GetValue(field::ID), input, editedRow))
        return InputError{kDateOdometerContradiction, FuelField::Odometer};
    if (!isPositiveWholeNumber(input.odometer)) return InputError{kOdometerNotPositive, FuelField::Odometer};
    if (!isPositiveCommaNumber(input.price)) return InputError{kPriceNotPositive, FuelField::Price};
    if (!isPositiveCommaNumber(input.quantity)) return InputError{kQuantityNotPositive, FuelField::Quantity};
    return std::nullopt;
}

void appendFuelRecord(AppState& state, const FuelInput& input) {
    TMlb2& costs = state.CostTable;
    const bool offered = input.fuelIndex >= 0 && input.fuelIndex < offeredFuelTypes(state).size();
    appendRecordRow(costs);
    addKrartField(costs);
    setFuelValues(costs, state.VehicleTable.GetValue(field::ID), input);
    costs.SetValue(field::krart, offered ? std::to_string(input.fuelIndex) : "0");
    costs.SortNumeric(field::kmstnd);
}

bool isStoredFillUp(const TMlb2& costs, const FuelInput& input) {
    const int art = costs.FieldIndex(field::art);
    const int datum = costs.FieldIndex(field::Datum);
    const int kmstnd = costs.FieldIndex(field::kmstnd);
    const int preis = costs.FieldIndex(field::preis);
    const int liter = costs.FieldIndex(field::liter);
    const double odometer = TextToFloat(fromDisplay(input.odometer));
    const double price = TextToFloat(fromDisplay(input.price));
    const double quantity = TextToFloat(fromDisplay(input.quantity));
    for (int r = 1; r <= costs.RowCount(); ++r) {
        if (costs.ViewAt(r, art) == "t" && recordDate(costs.ViewAt(r, datum)) == input.date &&
            TextToFloat(costs.ViewAt(r, kmstnd)) == odometer && TextToFloat(costs.ViewAt(r, preis)) == price &&
            TextToFloat(costs.ViewAt(r, liter)) == quantity)
            return true;
    }
    return false;
}
