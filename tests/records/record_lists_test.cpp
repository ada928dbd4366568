// The two record lists: the cells of every row, the full-tank intervals, the fuel type column and
// the drawing data.

#include "records/record_lists.h"
#include "store/number_text.h"
#include "support/cost_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// Columns 5 to 7 of a fuel row: "gef. KM", "voll", "Verbrauch".
using IntervalCells = std::array<QString, 3>;

std::vector<IntervalCells> intervalCells(const RecordLists& lists) {
    std::vector<IntervalCells> cells;
    for (const FuelListRow& row : lists.fuel) cells.push_back({row.cells[5], row.cells[6], row.cells[7]});
    return cells;
}

struct IntervalCase {
    const char* name;
    std::vector<Record> records;
    std::vector<IntervalCells> expected;
};

void PrintTo(const IntervalCase& c, std::ostream* os) {
    *os << c.name;
}

class FuelListIntervals : public testing::TestWithParam<IntervalCase> {};

TEST_P(FuelListIntervals, EndAtEachFullFillUp) {
    const IntervalCase& c = GetParam();
    TMlb2 costs = costTable(c.records);
    EXPECT_EQ(intervalCells(buildRecordLists(costs, vehicleTable())), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, FuelListIntervals,
    testing::Values(
        IntervalCase{"PartialBetweenFullFillUps",
                     {fillUp("01.03.2024", "10000", "60,00", "40", true),
                      fillUp("08.03.2024", "10300", "30,00", "20", false),
                      fillUp("15.03.2024", "10600", "37,50", "25", true)},
                     {{"0", "ja", ""}, {"-", "nein", "-"}, {"600", "ja", "7,50"}}}, // 45 L over 600 km
        IntervalCase{"StartsAtAnOtherCostInTheFirstRow",
                     {otherCost("01.03.2024", "9800", "80,00"), fillUp("08.03.2024", "10000", "60,00", "40", true)},
                     {{"200", "ja", "20,00"}}},
        IntervalCase{"StartsAtTheFirstPartialFillUp",
                     {fillUp("01.03.2024", "5000", "45,00", "30", false),
                      fillUp("08.03.2024", "5400", "45,00", "30", false),
                      fillUp("15.03.2024", "5800", "45,00", "30", true)},
                     {{"-", "nein", "-"}, {"-", "nein", "-"}, {"800", "ja", "7,50"}}}, // 60 L over 800 km
        IntervalCase{"OtherCostInsideAddsNothing",
                     {fillUp("01.03.2024", "10000", "60,00", "40", true), otherCost("05.03.2024", "10200", "200,00"),
                      fillUp("15.03.2024", "10500", "52,50", "35", true)},
                     {{"0", "ja", ""}, {"500", "ja", "7,00"}}},
        IntervalCase{
            "SameReadingTwice",
            {fillUp("01.03.2024", "10000", "60,00", "40", true), fillUp("01.03.2024", "10000", "15,00", "10", true)},
            {{"0", "ja", ""}, {"0", "ja", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordLists, RowsShowTheRecordsInTableOrderWithTheirRowNumbers) {
    TMlb2 costs = costTable({fillUp("01.03.2024", "10000", "45,67", "38,2", true),
                             otherCost("10.03.2024", "10200", "1234,5", "Inspektion", "ja"),
                             fillUp("20.03.2024", "10500", "12.5", "35,00", false),
                             {"25.03.2024", "10600", "9,99", "", "", "x", "", ""}, // shown in neither list
                             otherCost("30.03.2024", "10700", "20", "Maut")});
    const RecordLists lists = buildRecordLists(costs, vehicleTable());

    ASSERT_EQ(lists.fuel.size(), 2u);
    EXPECT_EQ(lists.fuel[0].tableRow, 1);
    EXPECT_EQ(lists.fuel[0].cells,
              (std::array<QString, 8>{"01.03.2024", "10000", " 45,67", " 38,20", "", "0", "ja", ""}));
    EXPECT_EQ(lists.fuel[1].tableRow, 3);
    EXPECT_EQ(lists.fuel[1].cells,
              (std::array<QString, 8>{"20.03.2024", "10500", " 12,50", " 35,00", "", "-", "nein", "-"}));

    ASSERT_EQ(lists.other.size(), 2u);
    EXPECT_EQ(lists.other[0].tableRow, 2);
    EXPECT_EQ(lists.other[0].cells, (std::array<QString, 5>{"10.03.2024", "10200", "1234,50", "ja", "Inspektion"}));
    EXPECT_EQ(lists.other[1].tableRow, 5);
    EXPECT_EQ(lists.other[1].cells, (std::array<QString, 5>{"30.03.2024", "10700", " 20,00", "", "Maut"}));
}

TEST(RecordLists, MoneyCellsAreTheSixTwoFormOfTheTolerantReading) {
    for (const char* text :
         {"45,67",           "38,2",     "40",         "0",  "-0,00", "-3",  "007,50", "12.5",
          "1.234",           "1.234,56", "12,50 \x80", "",   "abc",   "-,5", "+5",     "999999999999,99",
          "1234567890123,5", "0,005",    "2,345",      " 7", "1E3"}) {
        SCOPED_TRACE(text);
        TMlb2 costs =
            costTable({fillUp("01.03.2024", "1000", text, text, false), otherCost("02.03.2024", "1100", text)});
        const RecordLists lists = buildRecordLists(costs, vehicleTable());
        const QString expected = QString::fromLatin1(FormatMoney62(TextToFloat(text)));
        EXPECT_EQ(lists.fuel.at(0).cells[2], expected);
        EXPECT_EQ(lists.fuel.at(0).cells[3], expected);
        EXPECT_EQ(lists.other.at(0).cells[2], expected);
    }
}

TEST(RecordLists, EmptyTableGivesTitleRowsOnlyAndStaysUnchanged) {
    TMlb2 costs;
    for (const char* f : {"ID", "Datum", "kmstnd", "preis", "liter", "voll", "art", "text", "service"})
        costs.AddField(f);
    const RecordLists lists = buildRecordLists(costs, vehicleTable({.krstart2 = "1"}));
    EXPECT_TRUE(lists.fuel.empty());
    EXPECT_TRUE(lists.other.empty());
    EXPECT_EQ(costs.FieldCount(), 9);
}

struct FuelTypeCase {
    const char* name;
    const char* krstart;
    const char* krstart2;
    const char* tartBefore;
    const char* tartAfter;
    const char* shown; // column 4, UTF-8
};

void PrintTo(const FuelTypeCase& c, std::ostream* os) {
    *os << c.name;
}

class FuelTypeColumn : public testing::TestWithParam<FuelTypeCase> {};

TEST_P(FuelTypeColumn, NamesTheFuelTypeOfVehiclesWithTwo) {
    const FuelTypeCase& c = GetParam();
    TMlb2 costs =
        costTable({fillUp("01.03.2024", "10000", "60,00", "40", true), otherCost("02.03.2024", "10100", "5")});
    costs.GoToRow(1);
    costs.SetValue("tart", c.tartBefore);
    costs.GoToRow(2);

    const RecordLists lists = buildRecordLists(costs, vehicleTable({.krstart = c.krstart, .krstart2 = c.krstart2}));
    EXPECT_EQ(lists.fuel.at(0).cells[4], QString::fromUtf8(c.shown));
    EXPECT_EQ(costs.ValueAt(1, costs.FieldIndex("tart")), c.tartAfter);
    EXPECT_EQ(costs.ValueAt(2, costs.FieldIndex("tart")), ""); // other costs keep theirs
    EXPECT_EQ(costs.RowNumber(), 2);                           // the cursor stays where it was
}

INSTANTIATE_TEST_SUITE_P(Vehicles, FuelTypeColumn,
                         testing::Values(FuelTypeCase{"SecondFuelTypeMarksTheRecord", "3", "5", "", "1", "Diesel"},
                                         FuelTypeCase{"EmptySecondFuelTypeCountsAsOne", "1", "", "", "1", "Benzin S"},
                                         FuelTypeCase{"NoSecondFuelType", "1", "0", "", "", ""},
                                         FuelTypeCase{"MarkedRecordOfAVehicleWithOne", "1", "0", "1", "1", ""},
                                         FuelTypeCase{"UnknownFuelType", "9", "1", "", "1", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordLists, QuantityColumnTitleFollowsTheUnitSetting) {
    EXPECT_EQ(quantityColumnTitle("L Liter"), "Liter");
    EXPECT_EQ(quantityColumnTitle("KG Kilogramm"), "KG");
    EXPECT_EQ(quantityColumnTitle("CM\xB3 Kubikzentimeter"), QString::fromUtf8("CM³"));
    EXPECT_EQ(quantityColumnTitle("CM\xB3 Kubik-CM"), "Menge"); // the vehicle dialog's text is not a setting
    EXPECT_EQ(quantityColumnTitle(""), "Menge");
}

TEST(RecordLists, CellColoursOfTitleAndRecordRows) {
    const Rgb window{255, 255, 255}, text{0, 0, 0};
    EXPECT_EQ(cellColours(0, window, text), (CellColours{{57, 60, 74}, {192, 192, 192}, {0, 0, 10}}));
    EXPECT_EQ(cellColours(1, window, text), (CellColours{window, text, {191, 191, 191}}));
    EXPECT_EQ(frameColour(64, 65, 200), (Rgb{0, 1, 136}));
}

TEST(RecordLists, ColumnWidthsDivideTheListWidth) {
    EXPECT_EQ(columnWidth(686, kFuelColumnDivisors[0]), 100); // 99.96
    EXPECT_EQ(columnWidth(686, kFuelColumnDivisors[4]), 0);   // the hidden fuel type
    EXPECT_EQ(columnWidth(686, kOtherCostColumnDivisors[4]), 350);
}

} // namespace
