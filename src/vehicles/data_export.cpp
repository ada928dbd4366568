#include "vehicles/data_export.h"

#include "core/app_state.h"
#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "records/record_lists.h"
#include "records/statistics.h"
#include "store/code_page.h"
#include "store/number_text.h"
#include "vehicles/vehicle_management.h"

#include <QStandardPaths>

using namespace Qt::StringLiterals;
using Kind = WorkbookColumn::Kind;

namespace {

QString title(std::u16string_view text) {
    return QStringView(text).toString();
}

// A date as the lists show it ("07.03.2024"); a text that is no date stays that text.
WorkbookCell dateCell(const QString& shown) {
    if (shown.trimmed().isEmpty()) return std::monostate{};
    const QDate date = recordDate(fromDisplay(shown));
    if (date.isValid()) return date;
    return shown;
}

// A number as the lists show it (" 45,67", "600", "7,50"); "-" and the empty text are empty
// cells, a text that is no number stays that text.
WorkbookCell numberCell(const QString& shown) {
    const QString text = shown.trimmed();
    if (text.isEmpty() || text == u"-") return std::monostate{};
    double value = 0;
    if (TryStrToFloat(fromDisplay(text), value)) return value;
    return shown;
}

WorkbookCell textCell(const QString& shown) {
    if (shown.isEmpty()) return std::monostate{};
    return shown;
}

// A panel figure ("7,00 ", "1234,50 ", "12345 ") as a number with the decimals it shows; an empty
// figure is an empty cell.
WorkbookCell figureCell(const QString& shown, const QString& currency) {
    const QString text = shown.trimmed();
    if (text.isEmpty()) return std::monostate{};
    double value = 0;
    if (!TryStrToFloat(fromDisplay(text), value)) return shown;
    const qsizetype comma = text.indexOf(u',');
    const int decimals = comma < 0 ? 0 : static_cast<int>(text.size() - comma - 1);
    return WorkbookNumber{value, decimals, currency};
}

WorkbookSheet fuelSheet(const RecordLists& lists, const TMlb2& vehicles, const QString& currency) {
    const bool secondFuel = vehicles.GetValue(field::krstart2) != "0";
    QString quantity = quantityTitleOf(vehicles);
    if (quantity.isEmpty()) quantity = title(kFuelListTitles[3]);
    WorkbookSheet sheet{u"Tankdaten"_s, {}, {}};
    sheet.columns = {{title(kFuelListTitles[0]), Kind::Date},
                     {title(kFuelListTitles[1]), Kind::Number, 0},
                     {title(kFuelListTitles[2]), Kind::Number, 2, currency},
                     {quantity, Kind::Number, 2}};
    if (secondFuel) sheet.columns.push_back({u"Kraftstoff"_s, Kind::Text});
    sheet.columns.push_back({title(kFuelListTitles[5]), Kind::Number, 0});
    sheet.columns.push_back({title(kFuelListTitles[6]), Kind::Text});
    sheet.columns.push_back({title(kFuelListTitles[7]), Kind::Number, 2});

    sheet.rows.reserve(lists.fuel.size());
    for (const FuelListRow& line : lists.fuel) {
        auto& row = sheet.rows.emplace_back();
        row.reserve(sheet.columns.size());
        std::size_t column = 0;
        for (std::size_t c = 0; c < line.cells.size(); ++c) {
            if (c == 4 && !secondFuel) continue; // the hidden fuel type column
            row.push_back(cellFromShownText(line.cells[c], sheet.columns[column++]));
        }
    }
    return sheet;
}

WorkbookSheet otherCostSheet(const RecordLists& lists, const QString& currency) {
    WorkbookSheet sheet{u"Sonstige Kosten"_s, {}, {}};
    sheet.columns = {{title(kOtherCostListTitles[0]), Kind::Date},
                     {title(kOtherCostListTitles[1]), Kind::Number, 0},
                     {title(kOtherCostListTitles[2]), Kind::Number, 2, currency},
                     {title(kOtherCostListTitles[3]), Kind::Text},
                     {title(kOtherCostListTitles[4]), Kind::Text}};
    sheet.rows.reserve(lists.other.size());
    for (const OtherCostListRow& line : lists.other) {
        auto& row = sheet.rows.emplace_back();
        for (std::size_t c = 0; c < line.cells.size(); ++c)
            row.push_back(cellFromShownText(line.cells[c], sheet.columns[c]));
    }
    return sheet;
}

WorkbookSheet statisticsSheet(const TMlb2& costs, const TMlb2& vehicles, const QString& currency) {
    StatisticsPanel panel;
    try {
        panel = computeStatistics(costs, vehicles);
    } catch (const std::exception&) {
        // A value the figures cannot be read from: the panel shows no figures, nor does the sheet.
        panel = StatisticsPanel{};
        panel.captions = panelCaptions(vehicles);
    }
    const PanelCaptions& c = panel.captions;
    WorkbookSheet sheet{u"Statistik"_s, {{u"Kennzahl"_s}, {u"Wert"_s, Kind::Number, 2}, {u"Hinweis"_s}}, {}};
    enum class Value { Number, Amount, Text };
    auto add = [&](const QString& caption, const QString& value, Value kind, const QString& hint = {}) {
        WorkbookCell cell = kind == Value::Text ? textCell(value.trimmed())
                                                : figureCell(value, kind == Value::Amount ? currency : QString());
        sheet.rows.push_back({caption, std::move(cell), textCell(hint)});
    };
    add(u"Tachostand (KM)"_s, panel.odometer, Value::Number);
    add(c.consumption, panel.consumption, Value::Number);
    add(u"Reichweite (KM)"_s, panel.range, Value::Number);
    add(c.totalCosts, panel.totalCosts, Value::Amount);
    add(c.fuelCosts, panel.fuelCosts, Value::Amount, panel.fuelCostsHint);
    add(c.otherCosts, panel.otherCosts, Value::Amount, panel.otherCostsHint);
    add(c.costsPerKm, panel.costsPerKm, Value::Amount, panel.costsPerKmHint);
    add(c.fuelCostsPerKm, panel.fuelCostsPerKm, Value::Amount, panel.fuelCostsPerKmHint);
    add(c.costsPerMonth, panel.costsPerMonth, Value::Amount, panel.costsPerMonthHint);
    add(u"Nächster TÜV"_s, panel.nextHu, Value::Text);
    add(u"Nächste AU"_s, panel.nextAu, Value::Text);
    add(u"Nächster Service"_s, panel.nextService, Value::Text, panel.nextServiceHint);
    return sheet;
}

} // namespace

WorkbookCell cellFromShownText(const QString& shown, const WorkbookColumn& column) {
    switch (column.kind) {
    case Kind::Date:
        return dateCell(shown);
    case Kind::Number:
        return numberCell(shown);
    case Kind::Text:
        break;
    }
    return textCell(shown);
}

Workbook vehicleCostWorkbook(const TMlb2& costs, const TMlb2& vehicles) {
    // The lists bring an old table's fuel type field up to date as they read it: they work on a
    // copy, so that the export changes nothing.
    TMlb2 records = costs;
    const RecordLists lists = buildRecordLists(records, vehicles);
    const QString currency = toDisplay(currencyName(vehicles.GetValue(field::waehr)));
    Workbook book;
    book.sheets.push_back(fuelSheet(lists, vehicles, currency));
    book.sheets.push_back(otherCostSheet(lists, currency));
    book.sheets.push_back(statisticsSheet(records, vehicles, currency));
    return book;
}

Workbook currentVehicleWorkbook(const AppState& state) {
    return vehicleCostWorkbook(state.CostTable, state.VehicleTable);
}

QString documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString safeFileName(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        const bool refused = c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c);
        out += refused ? u'_' : c;
    }
    while (!out.isEmpty() && (out.back() == u' ' || out.back() == u'.')) out.chop(1);
    return out.isEmpty() ? u"Export"_s : out;
}

QString costExportBaseName(const TMlb2& vehicles) {
    const QString number = toDisplay(vehicles.GetValue(field::nummer)).trimmed();
    return number.isEmpty() ? u"Kosten"_s : number + u" Kosten"_s;
}

QString vehicleListExportBaseName() {
    return u"Fahrzeugliste"_s;
}

QString proposedExportPath(const QString& baseName, WorkbookFormat format, const QString& folder) {
    return folder + u'/' + safeFileName(baseName) + workbookSuffix(format);
}
