#include "records/other_cost_entry.h"

#include "core/field_names.h"
#include "records/cost_records.h"
#include "records/fuel_entry.h"
#include "store/code_page.h"
#include "store/number_text.h"

namespace {

// The odometer edit delivers a whole number; anything else counts as no reading.
int odometerReading(const QString& text) {
    int value = 0;
    return TryStrToInt(fromDisplay(text.trimmed()), value) ? value : 0;
}

double priceValue(const QString& text) {
    return TextToFloat(fromDisplay(text));
}

} // namespace

std::optional<OtherCostError> checkOtherCostInput(const OtherCostInput& input) {
    if (odometerReading(input.odometer) <= 0) return OtherCostError{kOdometerNotPositive, OtherCostField::Odometer};
    if (!(priceValue(input.price) > 0)) return OtherCostError{kPriceNotPositive, OtherCostField::Price};
    if (input.text.isEmpty()) return OtherCostError{kTextMissing, OtherCostField::Text};
    return std::nullopt;
}

void setOtherCostValues(TMlb2& table, const std::string& id, const OtherCostInput& input) {
    table.SetValue(field::ID, id);
    table.SetValue(field::Datum, recordDateText(input.date));
    table.SetValue(field::kmstnd, std::to_string(odometerReading(input.odometer)));
    table.SetValue(field::preis, FormatFixed(priceValue(input.price), 5, 2));
    table.SetValue(field::text, fromTyped(input.text, TypedText::OneLine));
    table.SetValue(field::art, "s");
    table.SetValue(field::service, input.service ? "ja" : "");
}

void appendOtherCostRecord(AppState& state, const OtherCostInput& input) {
    TMlb2& costs = state.CostTable;
    appendRecordRow(costs);
    setOtherCostValues(costs, state.VehicleTable.GetValue(field::ID), input);
    costs.SortNumeric(field::kmstnd);
}

std::optional<QString> rescheduleService(TMlb2& vehicles, const QDate& date, const QString& odometer) {
    const std::string simonText = vehicles.GetValue(field::simon);
    int months = 0;
    if (!TryStrToInt(simonText, months))
        return QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(toDisplay(simonText));
    // QDate::addMonths keeps the day where the month has it and takes the month's last day otherwise.
    const QDate nextDate = date.addMonths(months);
    // "mm.yyyy" holds a year of four digits.
    if (!nextDate.isValid() || nextDate.year() < 1 || nextDate.year() > 9999)
        return QStringLiteral("Der nächste Service nach %1 Monaten liegt außerhalb des Kalenders.")
            .arg(toDisplay(simonText));
    const QString next = nextDate.toString(u"dd.MM.yyyy");
    vehicles.SetValue(field::instdat, fromDisplay(next.mid(3, 7)));
    vehicles.SetValue(field::instkm,
                      FloatToText(TextToFloat(vehicles.GetValue(field::sikm)) + odometerReading(odometer)));
    return std::nullopt;
}

bool isStoredOtherCost(const TMlb2& costs, const OtherCostInput& input) {
    // The values as they would be stored, compared with every stored other cost.
    TMlb2 entered = emptyCostTable();
    entered.AppendRow();
    setOtherCostValues(entered, {}, input);
    const QDate date = input.date;
    const double odometer = TextToFloat(entered.GetValue(field::kmstnd));
    const double price = TextToFloat(entered.GetValue(field::preis));
    const std::string text = entered.GetValue(field::text);
    const int art = costs.FieldIndex(field::art);
    const int datum = costs.FieldIndex(field::Datum);
    const int kmstnd = costs.FieldIndex(field::kmstnd);
    const int preis = costs.FieldIndex(field::preis);
    const int textField = costs.FieldIndex(field::text);
    for (int r = 1; r <= costs.RowCount(); ++r) {
        if (costs.ViewAt(r, art) == "s" && recordDate(costs.ViewAt(r, datum)) == date &&
            TextToFloat(costs.ViewAt(r, kmstnd)) == odometer && TextToFloat(costs.ViewAt(r, preis)) == price &&
            costs.ViewAt(r, textField) == text)
            return true;
    }
    return false;
}
