// The rules of the data generation dialog.

#include "records/cost_records.h"
#include "records/data_generation.h"

#include "support/app_state_fixture.h"
#include "support/cost_tables.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct BaseCase {
    const char* name;
    std::vector<Record> records;
    int latest, lastFull;
    double partial;
};
void PrintTo(const BaseCase& c, std::ostream* os) {
    *os << c.name;
}

class GenerationBaseTest : public ::testing::TestWithParam<BaseCase> {};

TEST_P(GenerationBaseTest, FoundWhenTheDialogBecomesActive) {
    const BaseCase& c = GetParam();
    const GenerationBase base = findGenerationBase(costTable(c.records));
    EXPECT_EQ(base.latestReading, c.latest);
    EXPECT_EQ(base.lastFullReading, c.lastFull);
    EXPECT_DOUBLE_EQ(base.partialQuantity, c.partial);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GenerationBaseTest,
    ::testing::Values(BaseCase{"NoRecords", {}, 0, 0, 0},
                      BaseCase{"LastFullFillUp",
                               {fillUp("01.03.2008", "19000", "48,00", "40,00", true),
                                fillUp("01.04.2008", "20000", "50,00", "70,00", true),
                                otherCost("02.04.2008", "20100", "120,00")},
                               20000,
                               20000,
                               0},
                      // Partial fill-ups before the last full one do not count; those after it do.
                      BaseCase{"PartialFillUpsSinceTheLastFullOne",
                               {fillUp("01.03.2008", "19000", "14,00", "10,00", false),
                                fillUp("01.04.2008", "20000", "50,00", "70,00", true),
                                fillUp("10.04.2008", "20100", "7,00", "5,00", false),
                                fillUp("20.04.2008", "20200", "14,00", "10,50", false)},
                               20200,
                               20000,
                               15.5},
                      // A reading beyond whole numbers counts as the largest one; nothing overflows.
                      BaseCase{"HugeReading",
                               {fillUp("01.03.2008", "19000", "48,00", "40,00", true),
                                fillUp("01.04.2008", "1e300", "50,00", "70,00", true)},
                               2147483647,
                               2147483647,
                               0},
                      BaseCase{"NoFullFillUpAtAll",
                               {fillUp("01.03.2008", "19000", "14,00", "10,00", false),
                                fillUp("01.04.2008", "19500", "14,00", "10,00", false)},
                               19500,
                               0,
                               20}),
    [](const auto& info) { return std::string(info.param.name); });

struct EstimateCase {
    const char* name;
    GenerationBase base;
    const char *consumption, *costPerKm;
    int reading;
    bool storable;
    int distance;
    const char *quantity, *price;
    QString note;
};
void PrintTo(const EstimateCase& c, std::ostream* os) {
    *os << c.name;
}

class EstimateTest : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateTest, InputRule) {
    const EstimateCase& c = GetParam();
    const GenerationEstimate e = estimateFillUp(c.base, readAverages(c.consumption, c.costPerKm), c.reading);
    EXPECT_EQ(e.storable, c.storable);
    EXPECT_EQ(e.distance, c.distance);
    EXPECT_EQ(e.quantityText, c.quantity);
    EXPECT_EQ(e.priceText, c.price);
    EXPECT_EQ(e.note, c.note);
}

const GenerationBase kFull{20000, 20000, 0};
const GenerationBase kPartial{20200, 20000, 10};
INSTANTIATE_TEST_SUITE_P(
    Cases, EstimateTest,
    ::testing::Values(
        EstimateCase{"FromTheAverages", kFull, "7,00 ", "0,098 ", 20500, true, 500, "35,00", "49,00", {}},
        // Only the quantity still missing is priced: 25 units at 0,098 x 100 / 7 = 1,40 each.
        EstimateCase{
            "PartialFillUpSinceTheLastFullOne", kPartial, "7,00 ", "0,098 ", 20500, true, 500, "25,00", "35,00", {}},
        EstimateCase{"BelowTheLatestReading", kPartial, "7,00 ", "0,098 ", 20150, false, 0, "0,00", "0,00", {}},
        EstimateCase{"EqualToTheLatestReading", kFull, "7,00 ", "0,098 ", 20000, false, 0, "0,00", "0,00", {}},
        EstimateCase{"NoAveragesYet", kFull, "", "", 20500, false, 500, "0,00", "0,00", kNoAveragesNote},
        EstimateCase{"NoAveragesAndAReadingBelow", kFull, "", "", 0, false, 0, "0,00", "0,00", kNoAveragesNote},
        EstimateCase{"NoFuelCostPerKm", kFull, "7,00 ", "", 20500, false, 500, "0,00", "0,00", kNoAveragesNote},
        // What is stored is what is shown: a price shown as 0,00 is no price.
        EstimateCase{"PriceShownAsZero", GenerationBase{20100, 20000, 10}, "7,00 ", "0,001 ", 20143, false, 143, "0,01",
                     "0,00", kNotPositiveNote},
        // Computed from the figures as shown, exactly, and rounded once half away from zero: 2,505 is
        // 2,51 (5,01 x 50 / 100), and after a partial fill-up of 10,005 the 21,495 still missing is
        // 21,50 (a binary double lands just below the half there).
        EstimateCase{"HalfACentRoundsAwayFromZero", kFull, "5,01 ", "0,100 ", 20050, true, 50, "2,51", "5,00", {}},
        EstimateCase{"AfterAPartialFillUpAHalfStaysAHalf",
                     GenerationBase{20200, 20000, 10.005},
                     "7,00 ",
                     "0,070 ",
                     20450,
                     true,
                     450,
                     "21,50",
                     "21,50",
                     {}},
        EstimateCase{"QuantityBelowZero", GenerationBase{20200, 20000, 20}, "7,00 ", "0,098 ", 20250, false, 250,
                     "-2,50", "-3,50", kNotPositiveNote}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataGeneration, StoresAFullFillUpDatedTodayAndNothingUnstorable) {
    TestDataDir data(QDateTime(QDate(2008, 5, 10), QTime(9, 0)));
    AppState& state = data.state;
    state.VehicleTable = vehicleTable();
    state.CostTable =
        costTable({fillUp("01.03.2008", "19000", "48,00", "40,00", true),
                   fillUp("01.04.2008", "20000", "50,00", "70,00", true), otherCost("01.06.2008", "20800", "120,00")});
    const Averages averages = readAverages("7,00 ", "0,098 ");

    EXPECT_FALSE(appendGeneratedFillUp(state, 20000, estimateFillUp(kFull, averages, 20000)));
    EXPECT_EQ(state.CostTable.RowCount(), 3);

    ASSERT_TRUE(appendGeneratedFillUp(state, 20500, estimateFillUp(kFull, averages, 20500)));
    const std::string bytes = state.CostTable.ToBytes();
    EXPECT_EQ(bytes.substr(bytes.find("1;01.04.2008")), "1;01.04.2008;20000;50,00;70,00;ja;t;;;;\r\n"
                                                        "1;10.05.2008;20500;49,00;35,00;ja;t;;;;\r\n"
                                                        "1;01.06.2008;20800;120,00;;;s;Reparatur;;;\r\n");
}

} // namespace
