#include "records/record_lists.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <algorithm>
#include <cmath>

namespace {

QString latin1(const std::string& ascii) {
    return QString::fromLatin1(ascii);
}

// The "%6.2f" cell of a stored number. A value written as the dialogs write it, plain digits with
// at most two decimals ("45,67", "38,2", "40"), gives its own digits: the same text that
// FormatMoney62(TextToFloat(text)) gives, without the detour through a double. Anything else
// takes that detour.
QString money62(std::string_view text) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    const std::size_t intBegin = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    const std::size_t intEnd = i;
    char frac[2] = {'0', '0'};
    if (i < text.size() && (text[i] == ',' || text[i] == '.')) {
        ++i;
        for (std::size_t d = 0; d < 2 && i < text.size() && isDigit(text[i]); ++d) frac[d] = text[i++];
    }
    if (i != text.size() || intEnd == intBegin || intEnd - intBegin > 12)
        return latin1(FormatMoney62(TextToFloat(text)));

    std::size_t first = intBegin; // without leading zeros
    while (first + 1 < intEnd && text[first] == '0') ++first;
    const bool zero = text[first] == '0' && frac[0] == '0' && frac[1] == '0';
    std::string digits;
    if (negative && !zero) digits.push_back('-'); // no minus before 0,00
    digits.append(text.substr(first, intEnd - first));
    digits.push_back(',');
    digits.append(frac, 2);
    if (digits.size() < 6) digits.insert(0, 6 - digits.size(), ' ');
    return latin1(digits);
}

// The full-tank intervals of the fuel list, over readings and quantities read once per build.
class Intervals {
public:
    Intervals(const TMlb2& costs, int kmstnd, int liter, int voll, int art)
        : m_km(static_cast<std::size_t>(costs.RowCount()) + 1), m_liter(m_km.size()), m_full(m_km.size()) {
        for (int row = 1; row <= costs.RowCount(); ++row) {
            const auto r = static_cast<std::size_t>(row);
            const std::string_view kind = costs.ViewAt(row, art);
            m_km[r] = std::trunc(TextToFloat(costs.ViewAt(row, kmstnd)));
            m_liter[r] = kind == "s" ? 0 : TextToFloat(costs.ViewAt(row, liter)); // an other cost adds nothing
            m_full[r] = costs.ViewAt(row, voll) == "ja";
            m_fillUps += kind == "t";
            m_otherCosts += kind == "s";
        }
    }

    int fillUps() const { return m_fillUps; }
    int otherCosts() const { return m_otherCosts; }

    struct Interval {
        double distance, quantity;
    };
    // The interval that ends at the full fill-up in `end`: it starts at the nearest earlier full
    // fill-up, or at the table's first row; the start's own quantity is not counted. A fill-up in
    // the first row starts at its own reading.
    Interval endingAt(int end) const {
        auto r = static_cast<std::size_t>(end);
        double quantity = m_liter[r];
        if (r == 1) return {0, quantity};
        do {
            --r;
            quantity += m_liter[r];
        } while (!m_full[r] && r != 1);
        quantity -= m_liter[r];
        return {m_km[static_cast<std::size_t>(end)] - m_km[r], quantity};
    }

private:
    std::vector<double> m_km, m_liter;
    std::vector<bool> m_full;
    int m_fillUps = 0, m_otherCosts = 0;
};

} // namespace

RecordLists buildRecordLists(TMlb2& costs, const TMlb2& vehicles) {
    RecordLists lists;
    const int rows = costs.RowCount();
    if (rows == 0) return lists;

    const bool secondFuel = vehicles.GetValue(field::krstart2) != "0";
    int fuelIndex = -1;
    const QString fuelName = TryStrToInt(vehicles.GetValue(field::krstart), fuelIndex) && fuelIndex >= 0 &&
                                     fuelIndex < static_cast<int>(FuelNames.size())
                                 ? toDisplay(FuelNames[static_cast<std::size_t>(fuelIndex)])
                                 : QString();

    const int datum = costs.FieldIndex(field::Datum), kmstnd = costs.FieldIndex(field::kmstnd),
              preis = costs.FieldIndex(field::preis), liter = costs.FieldIndex(field::liter),
              voll = costs.FieldIndex(field::voll), art = costs.FieldIndex(field::art),
              text = costs.FieldIndex(field::text), service = costs.FieldIndex(field::service);
    int tart = costs.FieldIndex(field::tart);
    const Intervals intervals(costs, kmstnd, liter, voll, art);
    // Texts that many rows show, made once and shared by them.
    const QString dash = QStringLiteral("-"), yes = QStringLiteral("ja"), no = QStringLiteral("nein");
    auto shared = [&](std::string_view bytes) { return bytes == "ja" ? yes : bytes == "nein" ? no : toDisplay(bytes); };
    lists.fuel.reserve(static_cast<std::size_t>(intervals.fillUps()));
    lists.other.reserve(static_cast<std::size_t>(intervals.otherCosts()));
    const int cursor = costs.RowNumber();
    bool cursorMoved = false, firstFillUp = true;

    for (int row = 1; row <= rows; ++row) {
        const std::string_view kind = costs.ViewAt(row, art);
        if (kind == "s") {
            OtherCostListRow& line = lists.other.emplace_back();
            line.tableRow = row;
            line.cells = {toDisplay(costs.ViewAt(row, datum)), toDisplay(costs.ViewAt(row, kmstnd)),
                          money62(costs.ViewAt(row, preis)), shared(costs.ViewAt(row, service)),
                          toDisplay(costs.ViewAt(row, text))};
            continue;
        }
        if (kind != "t") continue; // shown in neither list

        // The record of the fuel type, brought up to date first: writing a value rebuilds the row.
        if (firstFillUp) {
            firstFillUp = false;
            if (addTartField(costs)) tart = costs.FieldIndex(field::tart);
        }
        if (tart >= 0 && secondFuel && costs.ViewAt(row, tart).empty()) {
            costs.GoToRow(row);
            costs.SetValue(field::tart, "1");
            cursorMoved = true;
        }

        FuelListRow& line = lists.fuel.emplace_back();
        line.tableRow = row;
        auto& cells = line.cells;
        cells[0] = toDisplay(costs.ViewAt(row, datum));
        cells[1] = toDisplay(costs.ViewAt(row, kmstnd));
        cells[2] = money62(costs.ViewAt(row, preis));
        cells[3] = money62(costs.ViewAt(row, liter));
        if (secondFuel && costs.ViewAt(row, tart) == "1") cells[4] = fuelName;
        const std::string_view full = costs.ViewAt(row, voll);
        cells[6] = shared(full);
        if (full == "ja") {
            const Intervals::Interval interval = intervals.endingAt(row);
            cells[5] = latin1(FloatToText(interval.distance));
            if (interval.distance > 0)
                cells[7] = latin1(FormatFixed(interval.quantity / (interval.distance / 100), 3, 2));
        } else {
            cells[5] = cells[7] = dash;
        }
    }
    if (cursorMoved && cursor >= 1 && cursor <= rows) costs.GoToRow(cursor);
    return lists;
}

QString quantityColumnTitle(std::string_view unitText) {
    if (unitText == "L Liter") return QStringLiteral("Liter");
    if (unitText == "KG Kilogramm") return QStringLiteral("KG");
    if (unitText == "CM\xB3 Kubikzentimeter") return QStringLiteral("CM³");
    return QStringLiteral("Menge");
}

int columnWidth(int listWidth, double divisor) {
    return divisor == 0 ? 0 : static_cast<int>(std::nearbyint(listWidth / divisor));
}
