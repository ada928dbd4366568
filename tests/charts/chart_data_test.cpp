#include "charts/chart_data.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "support/app_state_fixture.h"
#include "support/cost_tables.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ConsumptionChart, EveryFullTankIntervalAfterTheFirstGivesAPoint) {
    const TMlb2 costs =
        costTable({fillUp("01.03.2024", "10000", "60", "40", true), fillUp("10.03.2024", "10300", "30", "20", false),
                   otherCost("12.03.2024", "10400", "90"), fillUp("20.03.2024", "10600", "40", "25", true),
                   fillUp("01.04.2024", "11000", "45", "30", true)});
    const ConsumptionSeries s = consumptionChart(costs, QStringLiteral("7,50 "));
    ASSERT_EQ(s.consumption.size(), 2u);
    EXPECT_EQ(s.consumption[0].x, 2);          // the first full fill-up only sets the start
    EXPECT_DOUBLE_EQ(s.consumption[0].y, 7.5); // 45 L over 600 km
    EXPECT_EQ(s.consumption[0].label, QStringLiteral("20.03.2024"));
    EXPECT_EQ(s.consumption[1].x, 3);
    EXPECT_DOUBLE_EQ(s.consumption[1].y, 7.5); // 30 L over 400 km
    EXPECT_EQ(s.consumption[1].label, QStringLiteral("01.04.2024"));
    ASSERT_EQ(s.average.size(), 2u);
    EXPECT_EQ(s.average[1].x, 3);
    EXPECT_DOUBLE_EQ(s.average[1].y, 7.5);
    EXPECT_TRUE(s.average[1].label.isEmpty());
    // the readout of the first point is empty, of the others its date and value
    EXPECT_EQ(chartReadout(s.consumption, 0), QString());
    EXPECT_EQ(chartReadout(s.consumption, 1), QStringLiteral("01.04.2024 : 7,50"));
    EXPECT_EQ(chartReadout(s.consumption, -1), QString());
}

TEST(ConsumptionChart, EdgeCases) {
    // one full fill-up: nothing to draw
    ConsumptionSeries s =
        consumptionChart(costTable({fillUp("01.03.2024", "10000", "60", "40", true)}), QStringLiteral("7,50 "));
    EXPECT_TRUE(s.consumption.empty());
    EXPECT_TRUE(s.average.empty());
    // no average on the panel: the consumption line alone
    s = consumptionChart(
        costTable({fillUp("01.03.2024", "10000", "60", "40", true), fillUp("01.04.2024", "10500", "60", "35", true)}),
        QString());
    EXPECT_EQ(s.consumption.size(), 1u);
    EXPECT_TRUE(s.average.empty());
    // a full fill-up at the reading of the previous one: no point, the position stays, and the
    // quantity starts again from it
    s = consumptionChart(
        costTable({fillUp("01.03.2024", "10000", "60", "40", true), fillUp("02.03.2024", "10000", "15", "10", true),
                   fillUp("01.04.2024", "10500", "50", "35", true)}),
        QStringLiteral("7,00 "));
    ASSERT_EQ(s.consumption.size(), 1u);
    EXPECT_EQ(s.consumption[0].x, 2);
    EXPECT_DOUBLE_EQ(s.consumption[0].y, 7.0); // 35 L over 500 km
    EXPECT_EQ(s.average.size(), 1u);
    for (const ChartPoint& p : s.consumption) EXPECT_TRUE(std::isfinite(p.y));
}

TEST(FuelPriceChart, PricePerUnitAtEachFillUpsCount) {
    TMlb2 costs =
        costTable({fillUp("01.03.2024", "10000", "45,67", "30,00", true), otherCost("05.03.2024", "10100", "20"),
                   fillUp("10.03.2024", "10500", "60,00", "40,00", false),
                   fillUp("20.03.2024", "10900", "12,00", "", false), // no quantity: a gap
                   fillUp("01.04.2024", "11300", "70,00", "50,00", true)});
    const std::vector<ChartPoint> points = fuelPriceChart(costs);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].x, 1);
    EXPECT_NEAR(points[0].y, 1.52233, 1e-5);
    EXPECT_EQ(points[1].x, 2);
    EXPECT_DOUBLE_EQ(points[1].y, 1.5);
    EXPECT_EQ(points[2].x, 4);
    EXPECT_EQ(chartReadout(points, 0), QString());
    EXPECT_EQ(chartReadout(points, 1), QStringLiteral("10.03.2024 : 1,50"));
    EXPECT_TRUE(fuelPriceChart(costTable({otherCost("01.01.2024", "1000", "5")})).empty());
}

TEST(FuelPriceChart, AxisTitleNamesCurrencyUnitAndFuelType) {
    Vehicle v;
    v.krstart = "1";
    EXPECT_EQ(fuelPriceAxisTitle(vehicleTable(v)), QStringLiteral("Preis in € für 1 LBenzin Super"));
    v.kme = "1";
    v.waehr = "1";
    v.krstart = "4";
    EXPECT_EQ(fuelPriceAxisTitle(vehicleTable(v)), QStringLiteral("Preis in SFr für 1 KGErdgas"));
    EXPECT_EQ(fuelTypeName(vehicleTable(v)), QStringLiteral("Erdgas"));
}

TEST(CostBars, ModesAsTheChartComputesThem) {
    const QString label = QStringLiteral("A-BC 1\rGolf");
    struct Case {
        const char* what;
        std::vector<Record> records;
        CostMode mode;
        std::optional<double> total, fuel, other; // nullopt total: no bars at all
    };
    const double perMonth = 30.4375 / 90;
    const std::vector<Case> cases = {
        {"sums",
         {fillUp("01.01.2008", "10000", "500", "40", true), otherCost("02.01.2008", "10010", "300")},
         CostMode::Total,
         800,
         500,
         300},
        {"per month over 90 days: two whole months for the parts, the exact period for the total",
         {fillUp("01.01.2008", "10000", "400", "40", true), otherCost("31.03.2008", "10500", "200")},
         CostMode::PerMonth,
         600 * perMonth,
         200,
         100},
        {"per month within one month: the total alone",
         {fillUp("01.01.2008", "10000", "400", "40", true), otherCost("21.01.2008", "10500", "200")},
         CostMode::PerMonth,
         600 * 30.4375 / 20,
         std::nullopt,
         std::nullopt},
        {"per month on one date: no bars",
         {fillUp("01.01.2008", "10000", "400", "40", true), otherCost("01.01.2008", "10500", "200")},
         CostMode::PerMonth,
         std::nullopt,
         std::nullopt,
         std::nullopt},
        {"per kilometre: the start never from the first row",
         {fillUp("01.01.2008", "10000", "50", "40", true), fillUp("01.02.2008", "10500", "50", "40", true),
          fillUp("01.03.2008", "11000", "50", "40", true)},
         CostMode::PerKm,
         150.0 / 500,
         150.0 / 500,
         0},
        {"per kilometre without distance: no bars",
         {otherCost("01.01.2008", "10000", "50"), fillUp("01.02.2008", "10500", "50", "40", true)},
         CostMode::PerKm,
         std::nullopt,
         std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<CostBars> bars = vehicleCostBars(costTable(c.records), c.mode, 3, label);
        ASSERT_EQ(bars.has_value(), c.total.has_value()) << c.what;
        if (!bars) continue;
        EXPECT_EQ(bars->position, 3) << c.what;
        EXPECT_EQ(bars->label, label) << c.what;
        EXPECT_DOUBLE_EQ(bars->total, *c.total) << c.what;
        ASSERT_EQ(bars->fuel.has_value(), c.fuel.has_value()) << c.what;
        if (c.fuel) {
            EXPECT_DOUBLE_EQ(*bars->fuel, *c.fuel) << c.what;
        }
        ASSERT_EQ(bars->other.has_value(), c.other.has_value()) << c.what;
        if (c.other) {
            EXPECT_DOUBLE_EQ(*bars->other, *c.other) << c.what;
        }
    }
    EXPECT_FALSE(vehicleCostBars(TMlb2(), CostMode::Total, 1, label));
}

class AllVehicleBars : public AppStateTest {
protected:
    AllVehicleBars() : AppStateTest(QDateTime(QDate(2024, 6, 1), QTime(9, 0))) {}
};

TEST_F(AllVehicleBars, AVehicleWithoutRecordFileLeavesItsPlaceAndTheCursorStays) {
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(createVehicle(m_state), std::nullopt);
    TMlb2 records =
        costTable({fillUp("01.01.2008", "10000", "500", "40", true), otherCost("01.02.2008", "10100", "300")});
    ASSERT_EQ(saveTable(records, m_state, "kfzdat.001"), std::nullopt);
    ASSERT_EQ(saveTable(records, m_state, "kfzdat.003"), std::nullopt);
    ASSERT_TRUE(QFile::remove(m_state.path("kfzdat.002")));
    m_state.VehicleTable.GoToRow(2);
    const std::vector<CostBars> bars = allVehicleCostBars(m_state, CostMode::Total);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].position, 1);
    EXPECT_EQ(bars[1].position, 3);
    EXPECT_EQ(bars[1].label, QStringLiteral("Nummer 003\rFahrzeug 003"));
    EXPECT_DOUBLE_EQ(bars[1].total, 800);
    EXPECT_EQ(m_state.VehicleTable.RowNumber(), 2);
    EXPECT_EQ(costAxisTitle(m_state.VehicleTable, true), QStringLiteral("Kosten"));
    EXPECT_EQ(costAxisTitle(m_state.VehicleTable, false), QStringLiteral("Kosten in €"));

    // the current vehicle: its sums from the records in memory, at position 1
    m_state.VehicleTable.GoToRow(3);
    m_state.CostTable = costTable({otherCost("01.01.2008", "10000", "42")});
    const std::vector<CostBars> current = currentVehicleCostBars(m_state, CostMode::Total);
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(current[0].position, 1);
    EXPECT_DOUBLE_EQ(current[0].total, 42);
    // per month from its record file: 31 days, one whole month
    const std::vector<CostBars> monthly = currentVehicleCostBars(m_state, CostMode::PerMonth);
    ASSERT_EQ(monthly.size(), 1u);
    EXPECT_DOUBLE_EQ(*monthly[0].fuel, 500);
}

TEST(ChartLayout, LabelsViewAndPages) {
    // Labels 80 pixels wide: every point at 100 pixels, every second at 50, every fourth at 20.5.
    EXPECT_EQ(labelStep(80, 100), 1);
    EXPECT_EQ(labelStep(80, 80), 1);
    EXPECT_EQ(labelStep(80, 50), 2);
    EXPECT_EQ(labelStep(80, 20.5), 4);
    EXPECT_EQ(labelStep(80, 0), 1); // no plot yet

    const std::vector<QPointF> pixels{{10, 10}, {20, 10}, {30, 40}};
    EXPECT_EQ(pointNear(pixels, {21, 12}, 6), 1);
    EXPECT_EQ(pointNear(pixels, {30, 34}, 6), 2);
    EXPECT_EQ(pointNear(pixels, {50, 50}, 6), -1);
    EXPECT_EQ(pointNear({}, {0, 0}, 6), -1);

    // 48 pixels per vehicle, rounded: 300 pixels hold 6, 310 hold 6, 330 hold 7, 10 still one.
    EXPECT_EQ(vehiclesPerView(300), 6);
    EXPECT_EQ(vehiclesPerView(310), 6);
    EXPECT_EQ(vehiclesPerView(330), 7);
    EXPECT_EQ(vehiclesPerView(10), 1);
    EXPECT_EQ(costChartPages(99, 7), 15);
    EXPECT_EQ(costChartPages(1, 7), 1);
    EXPECT_EQ(costChartPages(14, 7), 2);

    EXPECT_EQ(costValueText(1234.5), QStringLiteral("1234,50"));
    EXPECT_EQ(costValueText(-0.126), QStringLiteral("-0,13"));
    EXPECT_EQ(chartTitleLine(QStringLiteral("Kostendiagramm"), QStringLiteral("Alle Fahrzeuge")),
              QStringLiteral("Wagenwart v5.3.0 – Kostendiagramm – Alle Fahrzeuge"));
}

} // namespace
