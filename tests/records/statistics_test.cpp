// The statistics panel: the figures, hints and captions UpdateDisplay shows.

#include "records/statistics.h"
#include "store/number_text.h"
#include "support/cost_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The figures and hints by the names the panel shows them under.
std::map<std::string, QString> shown(const StatisticsPanel& p) {
    return {{"Tachostand", p.odometer},
            {"Verbrauch", p.consumption},
            {"Reichweite", p.range},
            {"Gesamtkosten", p.totalCosts},
            {"Kraftstoffkosten", p.fuelCosts},
            {"Sonstige Kosten", p.otherCosts},
            {"Kosten / KM", p.costsPerKm},
            {"Kraftstoffkosten / KM", p.fuelCostsPerKm},
            {"Kosten / Monat", p.costsPerMonth},
            {"TÜV", p.nextHu},
            {"AU", p.nextAu},
            {"Service", p.nextService},
            {"Hinweis Kraftstoffkosten", p.fuelCostsHint},
            {"Hinweis Sonstige Kosten", p.otherCostsHint},
            {"Hinweis Kosten / KM", p.costsPerKmHint},
            {"Hinweis Kraftstoffkosten / KM", p.fuelCostsPerKmHint},
            {"Hinweis Kosten / Monat", p.costsPerMonthHint},
            {"Hinweis Service", p.nextServiceHint}};
}

struct PanelCase {
    const char* name;
    std::vector<Record> records;
    std::map<std::string, QString> expected; // the figures this case is about
};

void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.name;
}

class Statistics : public testing::TestWithParam<PanelCase> {};

TEST_P(Statistics, ShowsTheFigures) {
    const PanelCase& c = GetParam();
    const std::map<std::string, QString> actual = shown(computeStatistics(costTable(c.records), vehicleTable()));
    for (const auto& [figure, text] : c.expected) {
        SCOPED_TRACE(figure);
        ASSERT_TRUE(actual.count(figure));
        EXPECT_EQ(actual.at(figure), text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, Statistics,
    testing::Values(
        PanelCase{"ConsumptionExample",
                  {fillUp("01.03.2024", "10000", "60,00", "40,00", true), otherCost("10.03.2024", "10200", "200,00"),
                   fillUp("20.03.2024", "10500", "52,50", "35,00", true)},
                  {{"Tachostand", "10500 "},
                   {"Verbrauch", "7,00 "}, // 35 L over 500 km: the first fill-up only fills the tank
                   {"Reichweite", "714 "}, // 50 / (35 / 500)
                   {"Gesamtkosten", "312,50 "},
                   {"Kraftstoffkosten", "112,50 "},
                   {"Sonstige Kosten", "200,00 "},
                   {"Kosten / KM", "0,625 "}, // all three prices / 500
                   {"Kraftstoffkosten / KM", "0,225 "},
                   {"Kosten / Monat", "312,50 "},
                   {"TÜV", "05.2026 "},
                   {"AU", "04.2026 "},
                   {"Service", "03.2025 "},
                   {"Hinweis Kraftstoffkosten", "Anzahl der Tankeingaben : 2"},
                   {"Hinweis Sonstige Kosten", "Anzahl der Sonstigen-Eingaben : 1"},
                   {"Hinweis Kosten / KM", "Gefahrene Kilometer : 500"},
                   {"Hinweis Kraftstoffkosten / KM", "Gefahrene Kilometer : 500"},
                   {"Hinweis Kosten / Monat", "Erfasste Tage : 19"},
                   {"Hinweis Service", "75000"}}},
        PanelCase{"OnlyOneFullFillUp",
                  {fillUp("01.03.2024", "10000", "60,00", "40,00", true),
                   fillUp("08.03.2024", "10400", "45,00", "30,00", false)},
                  {{"Verbrauch", ""},
                   {"Reichweite", ""},
                   {"Kosten / KM", ""},
                   {"Kraftstoffkosten / KM", ""},
                   {"Hinweis Kosten / KM", ""},
                   {"Hinweis Kraftstoffkosten / KM", ""},
                   {"Gesamtkosten", "105,00 "},
                   {"Kraftstoffkosten", "105,00 "},
                   {"Sonstige Kosten", "0,00 "},
                   {"Hinweis Kraftstoffkosten", "Anzahl der Tankeingaben : 2"}}},
        PanelCase{"FirstFillUpPartial", // 20 + 25 + 35 over 500 km; the first 30 are not counted
                  {fillUp("01.03.2024", "5000", "45,00", "30,00", false),
                   fillUp("05.03.2024", "5400", "30,00", "20,00", false),
                   fillUp("09.03.2024", "5800", "37,50", "25,00", true),
                   fillUp("13.03.2024", "6300", "52,50", "35,00", true)},
                  {{"Verbrauch", "16,00 "}, {"Hinweis Kosten / KM", "Gefahrene Kilometer : 500"}}},
        PanelCase{"ThreeSignificantDigits", // 123,45 over 1000 km is 12,345
                  {fillUp("01.03.2024", "10000", "60,00", "40,00", true),
                   fillUp("20.03.2024", "11000", "180,00", "123,45", true)},
                  {{"Verbrauch", "12,30 "}}},
        PanelCase{"ThirtyDaysShowTheTotal",
                  {otherCost("01.01.2024", "1000", "90,00"), otherCost("31.01.2024", "1100", "30,00")},
                  {{"Kosten / Monat", "120,00 "}, {"Hinweis Kosten / Monat", "Erfasste Tage : 30"}}},
        PanelCase{"FortyFiveDaysAreOneMonth",
                  {otherCost("01.01.2024", "1000", "90,00"), otherCost("15.02.2024", "1100", "30,00")},
                  {{"Kosten / Monat", "120,00 "}, {"Hinweis Kosten / Monat", "Erfasste Tage : 45"}}},
        PanelCase{"SixtyOneDaysAreTwoMonths",
                  {otherCost("01.01.2024", "1000", "90,00"), otherCost("02.03.2024", "1100", "30,00")},
                  {{"Kosten / Monat", "60,00 "}, {"Hinweis Kosten / Monat", "Erfasste Tage : 61"}}},
        PanelCase{"DatesComeFromEveryRow", // the latest row comes first in odometer order; 91 days are 2 months
                  {otherCost("01.04.2024", "1000", "90,00"), otherCost("01.01.2024", "1100", "30,00")},
                  {{"Hinweis Kosten / Monat", "Erfasste Tage : 91"}, {"Kosten / Monat", "60,00 "}}},
        PanelCase{"HighestReadingOneShowsZero",
                  {otherCost("01.01.2024", "1", "10,00")},
                  {{"Tachostand", "0 "}, {"Gesamtkosten", "10,00 "}}},
        PanelCase{"RowWithoutReadingCountsOnlyForTheDates", // its price is not even read
                  {otherCost("01.01.2024", "", "kein Preis"), otherCost("01.03.2024", "2000", "20,00")},
                  {{"Gesamtkosten", "20,00 "},
                   {"Hinweis Sonstige Kosten", "Anzahl der Sonstigen-Eingaben : 1"},
                   {"Hinweis Kosten / Monat", "Erfasste Tage : 60"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatisticsPanel, EmptyTableClearsTheFiguresButNotTheDates) {
    const std::map<std::string, QString> actual = shown(computeStatistics(emptyCostTable(), vehicleTable()));
    const std::map<std::string, QString> filled = {
        {"TÜV", "05.2026 "}, {"AU", "04.2026 "}, {"Service", "03.2025 "}, {"Hinweis Service", "75000"}};
    for (const auto& [figure, text] : actual) {
        SCOPED_TRACE(figure);
        EXPECT_EQ(text, filled.count(figure) ? filled.at(figure) : QString());
    }
}

TEST(StatisticsPanel, CaptionsCarryUnitAndCurrency) {
    const struct {
        const char *kme, *waehr, *consumption, *total, *perMonth;
    } cases[] = {
        {"0", "0", "Ø Verbr. (L/100 KM)", "Gesamtkosten (€)", "Kosten / Monat (€)"},
        {"1", "1", "Ø Verbr. (KG/100 KM)", "Gesamtkosten (SFr)", "Kosten / Monat (SFr)"},
        {"2", "0", "Ø Verbr. (CM³/100 KM)", "Gesamtkosten (€)", "Kosten / Monat (€)"},
        {"4", "2", "Ø Verbr. (/100 KM)", "Gesamtkosten ()", "Kosten / Monat ()"},
        {"", "", "Ø Verbr. (/100 KM)", "Gesamtkosten ()", "Kosten / Monat ()"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.consumption);
        const PanelCaptions captions =
            computeStatistics(emptyCostTable(), vehicleTable({.kme = c.kme, .waehr = c.waehr})).captions;
        EXPECT_EQ(captions.consumption, QString::fromUtf8(c.consumption));
        EXPECT_EQ(captions.totalCosts, QString::fromUtf8(c.total));
        EXPECT_EQ(captions.costsPerMonth, QString::fromUtf8(c.perMonth));
    }
    const PanelCaptions euro = panelCaptions(vehicleTable());
    EXPECT_EQ(euro.fuelCosts, QString::fromUtf8("Kraftstoffkosten (€)"));
    EXPECT_EQ(euro.otherCosts, QString::fromUtf8("Sonstige Kosten (€)"));
    EXPECT_EQ(euro.costsPerKm, QString::fromUtf8("Kosten / KM (€)"));
    EXPECT_EQ(euro.fuelCostsPerKm, QString::fromUtf8("Kraftstoffkosten / KM (€)"));
}

TEST(StatisticsPanel, SwitchingToASingleFillUpEmptiesTheConsumption) {
    const TMlb2 vehicle = vehicleTable();
    const TMlb2 two = costTable(
        {fillUp("01.03.2024", "10000", "60,00", "40,00", true), fillUp("20.03.2024", "10500", "52,50", "35,00", true)});
    const TMlb2 one = costTable({fillUp("01.03.2024", "10000", "60,00", "40,00", true)});
    EXPECT_EQ(computeStatistics(two, vehicle).consumption, "7,00 ");
    EXPECT_EQ(computeStatistics(one, vehicle).consumption, "");
}

// The vehicle dialog stores the tank capacity with one decimal; the range is computed from it.
TEST(StatisticsPanel, RangeFromATankCapacityWithADecimal) {
    const TMlb2 costs = costTable(
        {fillUp("01.03.2024", "10000", "60,00", "40,00", true), fillUp("20.03.2024", "10500", "52,50", "35,00", true)});
    EXPECT_EQ(computeStatistics(costs, vehicleTable({.tinh = "45,5"})).range, "650 ");
}

struct BadValue {
    const char* name;
    std::vector<Record> records;
    const char* tinh;
    const char* message;
};

void PrintTo(const BadValue& c, std::ostream* os) {
    *os << c.name;
}

class StatisticsOfBadValues : public testing::TestWithParam<BadValue> {};

TEST_P(StatisticsOfBadValues, ThrowTheConversionMessage) {
    const BadValue& c = GetParam();
    const TMlb2 costs = costTable(c.records);
    try {
        computeStatistics(costs, vehicleTable({.tinh = c.tinh}));
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, StatisticsOfBadValues,
    testing::Values(BadValue{"PriceWithPoint",
                             {fillUp("01.03.2024", "10000", "12.5", "40,00", true)},
                             "50",
                             "'12.5' ist kein gültiger Gleitkommawert."},
                    BadValue{"QuantityWithPoint",
                             {fillUp("01.03.2024", "10000", "60,00", "40,00", true),
                              fillUp("02.03.2024", "10500", "60,00", "35.5", true)},
                             "50",
                             "'35.5' ist kein gültiger Gleitkommawert."},
                    BadValue{"Date", {otherCost("abc", "10000", "10,00")}, "50", "'abc' ist kein gültiges Datum."},
                    BadValue{
                        "Reading", {otherCost("01.03.2024", "x", "10,00")}, "50", "'x' ist kein gültiger Integerwert."},
                    BadValue{"TankCapacity",
                             {fillUp("01.03.2024", "10000", "60,00", "40,00", true),
                              fillUp("20.03.2024", "10500", "52,50", "35,00", true)},
                             "viel",
                             "'viel' ist kein gültiger Gleitkommawert."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
