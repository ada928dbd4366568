#include "report/cost_list_report.h"

#include "core/app_state.h"
#include "records/record_lists.h"
#include "records/statistics.h"
#include "store/code_page.h"

#include <array>
#include <unordered_map>

const LayoutPlan& costListLayout() {
    static const LayoutPlan layout{
        QStringLiteral("TfrmSglOrder"),
        reportSettings(alr_Portrait, alr_A4, 15, 12),
        {
            band(alr_Title, 241,
                 {
                     shape(alr_Rectangle, {0, 38, 665, 25}, Qt::black, Qt::white),
                     dataField("AlField2", {24, 42, 56, 18}, taLeftJustify, arial(15, Bold)),
                     sysField(alr_Date, {600, 44, 48, 14}, taLeftJustify, arial(11)),
                     label("Nächster TÜV :", {414, 148, 89, 16}, taRightJustify, arial(13)),
                     label("Nächste AU :", {425, 168, 78, 16}, taRightJustify, arial(13)),
                     label("Nächster Service :", {397, 188, 106, 16}, taRightJustify, arial(13)),
                     dataField("AlField9", {216, 88, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField10", {216, 108, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField11", {216, 128, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField12", {216, 148, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField13", {216, 168, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField14", {216, 188, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField15", {520, 88, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField16", {520, 108, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField17", {520, 128, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField18", {520, 148, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField19", {520, 168, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField20", {520, 188, 52, 16}, taRightJustify, arial(13, Bold)),
                     dataField("AlField21", {123, 88, 75, 16}, taRightJustify, arial(13)),
                     dataField("AlField22", {116, 108, 81, 16}, taRightJustify, arial(13)),
                     dataField("AlField23", {126, 128, 71, 16}, taRightJustify, arial(13)),
                     dataField("AlField24", {104, 148, 93, 16}, taRightJustify, arial(13)),
                     dataField("AlField25", {99, 168, 98, 16}, taRightJustify, arial(13)),
                     dataField("AlField26", {93, 188, 104, 16}, taRightJustify, arial(13)),
                     dataField("AlField27", {422, 88, 81, 16}, taRightJustify, arial(13)),
                     dataField("AlField28", {373, 108, 130, 16}, taRightJustify, arial(13)),
                     dataField("AlField29", {406, 128, 97, 16}, taRightJustify, arial(13)),
                 }),
            band(alr_DetailHeader, 72,
                 {
                     shape(alr_Rectangle, {0, 46, 665, 17}, kGrey, Qt::white),
                     label("Datum", {24, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                     label("KM-Stand", {96, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                     label("Preis", {168, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                     label("Menge", {216, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                     label("voll", {272, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                     label("Verbrauch", {304, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                     label("Text", {376, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                 }),
            alternatingBand(alr_Detail, 14, QColor(216, 216, 216),
                            {
                                dataField("AlField1", {24, 0, 38, 14}, taLeftJustify, arial(11)),   // "Datum"
                                dataField("AlField3", {103, 0, 38, 14}, taRightJustify, arial(11)), // "KM-Stand"
                                dataField("AlField4", {160, 0, 38, 14}, taRightJustify, arial(11)), // "Preis"
                                dataField("AlField5", {216, 0, 38, 14}, taRightJustify, arial(11)), // "Menge"
                                dataField("AlField6", {280, 0, 38, 14}, taCenter, arial(11)),       // "voll"
                                dataField("AlField7", {312, 0, 38, 14}, taRightJustify, arial(11)), // "Verbrauch"
                                dataField("AlField8", {376, 0, 38, 14}, taLeftJustify, arial(11)),  // "Text"
                            }),
            band(alr_PageFooter, 50,
                 {
                     label("Seite", {592, 24, 0, 14}, taLeftJustify, arial(11, Italic)),
                     sysField(alr_PageNum, {624, 24, 0, 14}, taLeftJustify, arial(11, Italic)),
                 }),
            band(alr_ReportFooter, 58,
                 {
                     label(kProgramNameAndVersion, {16, 40, 0, 12}, taLeftJustify, arial(9)),
                 }),
        }};
    return layout;
}

void fillCostList(TAlReport& report, const AppState& state, const QString& vehicleCaption) {
    AddNamedValue(report, QStringLiteral("AlField2"), vehicleCaption);

    // The statistics exactly as the panel shows them: a value the figures cannot be read from
    // leaves them all empty there, and here.
    StatisticsPanel panel;
    try {
        panel = computeStatistics(state.CostTable, state.VehicleTable);
    } catch (const std::exception&) {
        panel = StatisticsPanel{};
        panel.captions = panelCaptions(state.VehicleTable);
    }
    const std::array<const QString*, 12> values = {&panel.odometer,   &panel.consumption,    &panel.range,
                                                   &panel.totalCosts, &panel.fuelCosts,      &panel.otherCosts,
                                                   &panel.costsPerKm, &panel.fuelCostsPerKm, &panel.costsPerMonth,
                                                   &panel.nextHu,     &panel.nextAu,         &panel.nextService};
    for (std::size_t i = 0; i < values.size(); ++i)
        AddNamedValue(report, QStringLiteral("AlField%1").arg(9 + i), *values[i]);
    const PanelCaptions& c = panel.captions;
    const std::array<QString, 9> captions = {QStringLiteral("Tachostand (KM)"),
                                             c.consumption,
                                             QStringLiteral("Reichweite (KM)"),
                                             c.totalCosts,
                                             c.fuelCosts,
                                             c.otherCosts,
                                             c.costsPerKm,
                                             c.fuelCostsPerKm,
                                             c.costsPerMonth};
    for (std::size_t i = 0; i < captions.size(); ++i)
        AddNamedValue(report, QStringLiteral("AlField%1").arg(21 + i), captions[i]);

    // The consumption of each full fill-up, by the interval rule of the fuel list. The lists are
    // built from a copy: printing changes nothing of the records.
    TMlb2 costs;
    costs.CopyFrom(state.CostTable);
    std::unordered_map<int, QString> consumption;
    for (const FuelListRow& row : buildRecordLists(costs, state.VehicleTable).fuel)
        if (state.CostTable.ValueAt(row.tableRow, state.CostTable.FieldIndex("voll")) == "ja")
            consumption.emplace(row.tableRow, row.cells[7]);

    const TMlb2& t = state.CostTable;
    const int datum = t.FieldIndex("Datum"), kmstnd = t.FieldIndex("kmstnd"), preis = t.FieldIndex("preis"),
              liter = t.FieldIndex("liter"), voll = t.FieldIndex("voll"), art = t.FieldIndex("art"),
              text = t.FieldIndex("text");
    const QString f1 = QStringLiteral("AlField1"), f3 = QStringLiteral("AlField3"), f4 = QStringLiteral("AlField4"),
                  f5 = QStringLiteral("AlField5"), f6 = QStringLiteral("AlField6"), f7 = QStringLiteral("AlField7"),
                  f8 = QStringLiteral("AlField8");
    for (int row = 1; row <= t.RowCount(); ++row) {
        AddNamedValue(report, f1, toDisplay(t.ViewAt(row, datum)));
        AddNamedValue(report, f3, toDisplay(t.ViewAt(row, kmstnd)));
        AddNamedValue(report, f4, toDisplay(t.ViewAt(row, preis)));
        if (t.ViewAt(row, art) != "t") {
            AddNamedValue(report, f5, QString());
            AddNamedValue(report, f6, QString());
            AddNamedValue(report, f7, QString());
            AddNamedValue(report, f8, toDisplay(t.ViewAt(row, text)));
            continue;
        }
        AddNamedValue(report, f5, toDisplay(t.ViewAt(row, liter)));
        AddNamedValue(report, f6, toDisplay(t.ViewAt(row, voll)));
        const auto found = consumption.find(row);
        AddNamedValue(report, f7, found != consumption.end() ? found->second : QString());
        AddNamedValue(report, f8, QString());
    }
}
