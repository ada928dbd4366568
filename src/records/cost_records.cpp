#include "records/cost_records.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <span>
#include <string>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads 1..maxDigits digits at `i`; false when there are none or more.
bool readNumber(std::string_view text, std::size_t& i, std::size_t minDigits, std::size_t maxDigits, int& value) {
    const std::size_t begin = i;
    value = 0;
    while (i < text.size() && isDigit(text[i]) && i - begin < maxDigits) value = value * 10 + (text[i++] - '0');
    return i - begin >= minDigits && (i == text.size() || !isDigit(text[i]));
}

} // namespace

TMlb2 emptyCostTable() {
    TMlb2 table;
    for (std::string_view name : kCostRecordFields) table.AddField(name);
    return table;
}

bool addMissingRecordFields(TMlb2& costs) {
    if (costs.FieldCount() == 0) {
        costs.CopyFrom(emptyCostTable());
        return true;
    }
    bool added = false;
    for (std::string_view name : std::span(kCostRecordFields).first(9))
        if (!costs.HasField(name)) added = costs.AddField(name) || added;
    return added;
}

bool addKrartField(TMlb2& costs) {
    if (costs.HasFieldExactly(field::krart) || !costs.AddField(field::krart)) return false;
    for (bool onRow = costs.First(); onRow; onRow = costs.Next()) costs.SetValue(field::krart, "0");
    return true;
}

bool addTartField(TMlb2& costs) {
    return costs.FieldCount() == 9 && costs.AddField(field::tart);
}

QDate StrToDate(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    int day = 0, month = 0, year = 0;
    bool ok = readNumber(text, i, 1, 2, day) && i < text.size() && text[i++] == '.' &&
              readNumber(text, i, 1, 2, month) && i < text.size() && text[i++] == '.' &&
              readNumber(text, i, 4, 4, year);
    while (ok && i < text.size() && text[i] == ' ') ++i;
    const QDate date = ok && i == text.size() ? QDate(year, month, day) : QDate();
    if (!date.isValid()) throw EConvertError("'" + toDisplay(text).toStdString() + "' ist kein gültiges Datum.");
    return date;
}

int recordRowOfList(const TMlb2& costs, std::string_view art, int listRow) {
    const int field = costs.FieldIndex(field::art);
    if (field < 0 || listRow < 1) return 0;
    int count = 0;
    for (int r = 1; r <= costs.RowCount(); ++r)
        if (costs.ViewAt(r, field) == art && ++count == listRow) return r;
    return 0;
}

QDate recordDate(std::string_view text) {
    try {
        return StrToDate(text);
    } catch (const EConvertError&) {
        return {};
    }
}

std::string recordDateText(const QDate& date) {
    return date.toString(u"dd.MM.yyyy").toStdString();
}

QString priceSuffixFor(const AppState& state) {
    return u' ' + toDisplay(currencyName(state.VehicleTable.GetValue(field::waehr)));
}

void appendRecordRow(TMlb2& costs) {
    if (costs.FieldCount() == 0) costs.CopyFrom(emptyCostTable());
    costs.AppendRow();
}

RecordEditSetup prepareRecordEdit(AppState& state, std::string_view art, int listRow) {
    RecordEditSetup setup;
    TMlb2& costs = state.CostTable;
    const int row = recordRowOfList(costs, art, listRow);
    if (row == 0) return setup;
    costs.GoToRow(row);
    setup.found = true;
    setup.date = recordDate(costs.GetValue(field::Datum));
    if (!setup.date.isValid()) setup.date = state.clock.today();
    setup.odometer = toDisplay(costs.GetValue(field::kmstnd));
    setup.price = toDisplay(FormatMoney62(TextToFloat(costs.GetValue(field::preis)))).trimmed();
    setup.priceSuffix = priceSuffixFor(state);
    return setup;
}

void deleteCurrentRecord(AppState& state) {
    state.CostTable.DeleteCurrentRow();
    state.CostTable.SortNumeric(field::kmstnd);
}

std::optional<QString> saveCostTable(AppState& state) {
    // The records of a file that could not be read are not in the table: saving would lose them.
    if (state.costFileError)
        return QStringLiteral("Die Datei %1 wird nicht überschrieben, weil sie nicht gelesen werden konnte.")
            .arg(toDisplay(state.CurCostFile));
    return saveVehicleFile(state.CostTable, state, state.CurCostFile);
}
