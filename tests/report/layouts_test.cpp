// The two layouts and the code that fills them: the values each field receives from the records
// and the vehicle, and what the prepared pages show.

#include "core/app_state.h"
#include "core/vehicle_table.h"
#include "report/cost_list_report.h"
#include "report/data_sheet_report.h"
#include "report/report_fixture.h"
#include "support/cost_tables.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kCaption = QStringLiteral("A-BC 1  /  Golf");

// A layout loaded for one test, with a log of the names its fields did not have.
struct Loaded {
    explicit Loaded(const LayoutPlan& described) : loaded(LoadReport(described, prompts)) {
        loaded.report->logHandler = [this](const QString& text) {
            if (text.contains(QStringLiteral("not found"))) missing.push_back(text);
        };
    }
    std::vector<QString> values(const char* field) const {
        const TAlField* f = loaded.layout->findField(QString::fromLatin1(field));
        return f ? f->values() : std::vector<QString>{QStringLiteral("<no such field>")};
    }
    tPages prepare() {
        tPages pages;
        TAlPrinter printer; // the PDF writer's A4 page
        PreparePages(*loaded.report, pages, printer, reportClock());
        return pages;
    }

    ScriptedPrompts prompts;
    LoadedReport loaded;
    std::vector<QString> missing;
};

struct CostListState {
    explicit CostListState(const std::vector<Record>& records) {
        state.CostTable = costTable(records);
        state.VehicleTable = vehicleTable();
    }
    FixedClock clock{QDateTime(QDate(2026, 5, 10), QTime(9, 30))};
    AppState state{QStringLiteral("/nowhere/"), clock};
};

using Values = std::vector<QString>;

TEST(CostList, RecordRowsWithTheConsumptionOfEveryFullTankInterval) {
    CostListState s(
        {fillUp("01.03.2026", "10000", "60,00", "40", true), otherCost("05.03.2026", "10100", "89,90", "Inspektion"),
         fillUp("10.03.2026", "10300", "30,00", "20", false), fillUp("20.03.2026", "10600", "37,50", "25", true)});
    s.state.CostTable.GoToRow(2);
    Loaded l(costListLayout());
    fillCostList(*l.loaded.report, s.state, kCaption);
    EXPECT_TRUE(l.missing.empty()) << l.missing.front().toStdString();
    EXPECT_EQ(l.values("AlField1"), (Values{"01.03.2026", "05.03.2026", "10.03.2026", "20.03.2026"}));
    EXPECT_EQ(l.values("AlField3"), (Values{"10000", "10100", "10300", "10600"}));
    EXPECT_EQ(l.values("AlField4"), (Values{"60,00", "89,90", "30,00", "37,50"}));
    EXPECT_EQ(l.values("AlField5"), (Values{"40", "", "20", "25"}));
    EXPECT_EQ(l.values("AlField6"), (Values{"ja", "", "nein", "ja"}));
    // The first full fill-up starts its own interval; the partial one shows nothing; the second
    // full one: 20 + 25 litres over 600 km.
    EXPECT_EQ(l.values("AlField7"), (Values{"", "", "", "7,50"}));
    EXPECT_EQ(l.values("AlField8"), (Values{"", "Inspektion", "", ""}));
    // Printing changes nothing of the records, not even their cursor.
    EXPECT_EQ(s.state.CostTable.RowNumber(), 2);
    EXPECT_EQ(s.state.CostTable.FieldCount(), int(kCostRecordFields.size()));
}

TEST(CostList, TitleTakesTheStatisticsAndTheirCaptionsAsThePanelShowsThem) {
    CostListState s({fillUp("01.01.2026", "10000", "60,00", "40", true),
                     otherCost("20.01.2026", "10200", "200,00", "Reifen"),
                     fillUp("15.02.2026", "10500", "52,50", "35", true)});
    Loaded l(costListLayout());
    fillCostList(*l.loaded.report, s.state, kCaption);
    EXPECT_EQ(l.values("AlField2"), Values{kCaption});
    const std::map<const char*, QString> expected = {{"AlField9", "10500 "},
                                                     {"AlField10", "7,00 "},
                                                     {"AlField11", "714 "},
                                                     {"AlField12", "312,50 "},
                                                     {"AlField13", "112,50 "},
                                                     {"AlField14", "200,00 "},
                                                     {"AlField15", "0,625 "},
                                                     {"AlField16", "0,225 "},
                                                     {"AlField17", "312,50 "},
                                                     {"AlField18", "05.2026 "},
                                                     {"AlField19", "04.2026 "},
                                                     {"AlField20", "03.2025 "},
                                                     {"AlField21", "Tachostand (KM)"},
                                                     {"AlField22", "Ø Verbr. (L/100 KM)"},
                                                     {"AlField23", "Reichweite (KM)"},
                                                     {"AlField24", "Gesamtkosten (€)"},
                                                     {"AlField25", "Kraftstoffkosten (€)"},
                                                     {"AlField26", "Sonstige Kosten (€)"},
                                                     {"AlField27", "Kosten / KM (€)"},
                                                     {"AlField28", "Kraftstoffkosten / KM (€)"},
                                                     {"AlField29", "Kosten / Monat (€)"}};
    for (const auto& [name, value] : expected) EXPECT_EQ(l.values(name), Values{value}) << name;
}

TEST(CostList, UnreadableRecordLeavesTheFiguresEmptyAsThePanelDoes) {
    CostListState s({fillUp("kein Datum", "10000", "60,00", "40", true)});
    Loaded l(costListLayout());
    fillCostList(*l.loaded.report, s.state, kCaption);
    EXPECT_EQ(l.values("AlField12"), Values{""});
    EXPECT_EQ(l.values("AlField22"), Values{"Ø Verbr. (L/100 KM)"});
    EXPECT_EQ(l.values("AlField1"), Values{"kein Datum"});
}

TEST(CostList, VehicleWithoutRecordsPrintsTheTitleColumnTitlesAndOneEmptyRow) {
    CostListState s({});
    Loaded l(costListLayout());
    fillCostList(*l.loaded.report, s.state, kCaption);
    EXPECT_TRUE(l.values("AlField1").empty());
    const tPages pages = l.prepare();
    ASSERT_EQ(pages.count(), 1);
    const QImage page = renderPage(*pages.page(1));
    // The title's frame at 38 and the column titles' frame at 241 + 46, from the left margin (57).
    EXPECT_EQ(inkBox(page, QRect(0, 0, 793, 80)).topLeft(), QPoint(57, 38));
    EXPECT_EQ(inkBox(page, QRect(0, 241, 793, 72)).top(), 241 + 46);
    // The empty detail row below them shows nothing, the report footer follows it.
    EXPECT_TRUE(inkBox(page, QRect(0, 313, 793, 14)).isNull());
    EXPECT_FALSE(inkBox(page, QRect(0, 327, 793, 58)).isNull());
}

TEST(CostList, EverySecondRecordRowIsShadedGreyStartingWithTheSecond) {
    CostListState s({fillUp("01.03.2026", "10000", "60,00", "40", true),
                     fillUp("10.03.2026", "10300", "30,00", "20", true),
                     fillUp("20.03.2026", "10600", "37,50", "25", true)});
    Loaded l(costListLayout());
    fillCostList(*l.loaded.report, s.state, kCaption);
    const QImage page = renderPage(*l.prepare().page(1));
    const int firstRow = 241 + 72, x = 57 + 600; // right of every text
    EXPECT_EQ(page.pixelColor(x, firstRow + 7), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(x, firstRow + 14 + 7), QColor(216, 216, 216));
    EXPECT_EQ(page.pixelColor(x, firstRow + 28 + 7), QColor(Qt::white));
}

TEST(CostList, RightAlignedFiguresKeepTheirRightEdge) {
    CostListState s({fillUp("", "123456789", "", "", false)}); // nothing else in the row
    Loaded l(costListLayout());
    fillCostList(*l.loaded.report, s.state, kCaption);
    const QImage page = renderPage(*l.prepare().page(1));
    // "KM-Stand" at 103, 38 wide: its right edge is 57 + 141 whatever the length of the number.
    const QRect ink = inkBox(page, QRect(57, 313, 141 + 4, 14));
    EXPECT_LE(ink.right(), 57 + 141);
    EXPECT_GE(ink.right(), 57 + 141 - 2);
    EXPECT_LT(ink.left(), 57 + 103 - 10); // longer than the field's layout width
}

// ---- data sheet

// A master table of one vehicle with every field, the cursor on it.
TMlb2 sheetVehicle(const std::map<std::string, std::string>& changes = {}) {
    TMlb2 table;
    for (std::string_view f : kVehicleBaseFields) table.AddField(std::string(f));
    upgradeVehicleTable(table);
    table.AppendRow();
    std::map<std::string, std::string> values = {{"bez", "Golf"},      {"nummer", "A-BC 1"},
                                                 {"kpreis", "20000"},  {"kdatum", "15.03.2020"},
                                                 {"fgstnr", "WVW123"}, {"erstzul", "01.02.2020"},
                                                 {"tinh", "50"},       {"tachostart", "10000"},
                                                 {"fahrer", "Erika"},  {"instdat", "06.2027"},
                                                 {"instkm", "40000"},  {"privat", "ja"},
                                                 {"leas", "nein"},     {"leasstart", "03.2020"},
                                                 {"leasdauer", "36"},  {"tuev", "04.2027"},
                                                 {"au", "03.2027"},    {"bemerk1", "Winterreifen\r\nim Keller"},
                                                 {"kme", "0"},         {"krstart", "3"},
                                                 {"waehr", "0"},       {"sikm", "30000"},
                                                 {"simon", "12"}};
    for (const auto& [k, v] : changes) values[k] = v;
    for (const auto& [k, v] : values) table.SetValue(k, v);
    return table;
}

TEST(DataSheet, EveryFieldGetsOneValueAsTheVehicleDialogShowsIt) {
    Loaded l(dataSheetLayout());
    fillDataSheet(*l.loaded.report, sheetVehicle());
    EXPECT_TRUE(l.missing.empty());
    const std::map<const char*, QString> expected = {{"AlField2", "A-BC 1 / Golf"},
                                                     {"AlField9", "20000,00 €"},
                                                     {"AlField10", "15.03.2020"},
                                                     {"AlField11", "WVW123"},
                                                     {"AlField12", "01.02.2020"},
                                                     {"AlField13", "50,0 L"},
                                                     {"AlField14", "10000 KM"},
                                                     {"AlField15", "Erika"},
                                                     {"AlField20", "06.2027"},
                                                     {"AlField16", "40000 KM"},
                                                     {"AlField17", "X"},
                                                     {"AlField1", "-"},
                                                     {"AlField3", "-"},
                                                     {"AlField5", ""},
                                                     {"AlField6", ""},
                                                     {"AlField18", "04.2027"},
                                                     {"AlField19", "03.2027"},
                                                     {"AlField4", "Winterreifen\nim Keller"},
                                                     {"AlField8", "L Liter"},
                                                     {"AlField7", "Diesel"},
                                                     {"AlField21", "€ Euro"},
                                                     {"AlField22", "30000 KM"},
                                                     {"AlField23", "12 Monate"}};
    for (const auto& [name, value] : expected) EXPECT_EQ(l.values(name), Values{value}) << name;
}

struct SheetCase {
    const char* name;
    std::map<std::string, std::string> vehicle;
    std::map<const char*, QString> printed;
};

class DataSheetChoices : public ::testing::TestWithParam<SheetCase> {};

TEST_P(DataSheetChoices, PrintedValues) {
    Loaded l(dataSheetLayout());
    fillDataSheet(*l.loaded.report, sheetVehicle(GetParam().vehicle));
    for (const auto& [name, value] : GetParam().printed) EXPECT_EQ(l.values(name), Values{value}) << name;
}

INSTANTIATE_TEST_SUITE_P(
    DataSheet, DataSheetChoices,
    ::testing::Values(
        SheetCase{"NoLeasingVehicle", {{"leas", "nein"}}, {{"AlField3", "-"}, {"AlField5", ""}, {"AlField6", ""}}},
        SheetCase{"LeasingVehicle",
                  {{"leas", "ja"}},
                  {{"AlField3", "X"}, {"AlField5", "03.2020"}, {"AlField6", "36 Monate"}}},
        SheetCase{"CompanyVehicle", {{"privat", "nein"}}, {{"AlField17", "-"}, {"AlField1", "X"}}},
        SheetCase{
            "SwissFrancs", {{"waehr", "1"}}, {{"AlField9", "20000,00 SFr"}, {"AlField21", "SFr Schweizer Franken"}}},
        SheetCase{"UnitTheListDoesNotOffer", {{"kme", "3"}}, {{"AlField8", ""}, {"AlField13", "50,0 kW"}}},
        SheetCase{"NoDates", {{"kdatum", ""}, {"tuev", "kein"}}, {{"AlField10", ""}, {"AlField18", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataSheet, AlwaysOnePageWithTheSmallPrintAtTheBottom) {
    Loaded l(dataSheetLayout());
    fillDataSheet(*l.loaded.report, sheetVehicle({{"bemerk1", std::string(40, 'x')}}));
    const tPages pages = l.prepare();
    ASSERT_EQ(pages.count(), 1);
    const QImage page = renderPage(*pages.page(1));
    // Nothing of the title band below its content, which ends at 481; the footer's small print
    // at the page limit (1123 - 1 - 30) + 6.
    EXPECT_LE(inkBox(page, QRect(0, 0, 793, 1000)).bottom(), 481 + 2);
    const QRect footer = inkBox(page, QRect(0, 1000, 793, 123));
    EXPECT_GE(footer.top(), 1092 + 6);
    EXPECT_NEAR(footer.left(), 57 + 40, 2); // the "W" of "Wagenwart"
}

} // namespace
