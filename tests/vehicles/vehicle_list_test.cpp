#include "vehicles/vehicle_list.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "support/app_state_fixture.h"
#include "support/cost_tables.h"
#include "support/file_bytes.h"
#include "vehicles/vehicle_management.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

enum : int {
    Plate,
    Name,
    Total,
    TotalPerMonth,
    TotalPerKm,
    Fuel,
    FuelPerMonth,
    FuelPerKm,
    Other,
    OtherPerMonth,
    OtherPerKm,
    Consumption,
    Odometer,
    Distance,
    MileagePerMonth,
    Hu,
    Au,
    Service,
    Driver
};

// The four records of the list's worked example: fuel 10000 full, fuel 10500 full, another cost at
// 10600, fuel 11000; 91 days, so two whole months.
const std::vector<Record> kExample = {
    fillUp("01.01.2024", "10000", "50", "40", true),
    fillUp("01.02.2024", "10500", "55", "35", true),
    otherCost("15.02.2024", "10600", "100"),
    fillUp("01.04.2024", "11000", "60", "38", false),
};

class VehicleList : public AppStateTest {
protected:
    VehicleList() : AppStateTest(QDateTime(QDate(2024, 6, 1), QTime(9, 0))) {}
    void SetUp() override {
        AppStateTest::SetUp();
        ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    }
    // A new vehicle with these records in its record file; none leaves it without a file.
    void addVehicle(const std::vector<Record>& records) {
        ASSERT_EQ(createVehicle(m_state), std::nullopt);
        TMlb2& v = m_state.VehicleTable;
        const std::string file = v.GetValue(field::file);
        if (records.empty()) {
            QFile::remove(m_state.path(file));
            return;
        }
        TMlb2 table = costTable(records);
        ASSERT_EQ(saveTable(table, m_state, file), std::nullopt);
    }
    std::vector<VehicleListRow> list() { return buildVehicleList(m_state); }
};

// Which cells of a row are filled, as a string of 19 marks ("x" filled, "." empty).
std::string filled(const VehicleListRow& row) {
    std::string marks;
    for (const QString& cell : row.cells) marks += cell.isEmpty() ? '.' : 'x';
    return marks;
}

TEST_F(VehicleList, WorkedExampleGivesEveryFigure) {
    addVehicle(kExample);
    m_state.VehicleTable.SetValue(field::fahrer, "Erika Mustermann");
    const std::vector<VehicleListRow> rows = list();
    ASSERT_EQ(rows.size(), 1u);
    const VehicleListRow& r = rows[0];
    const TMlb2& v = m_state.VehicleTable;
    const QStringList expected = {
        QStringLiteral("Nummer 001"),
        QStringLiteral("Fahrzeug 001"),
        QStringLiteral("265,00"),
        QStringLiteral("132,50"), // F + S over M = 2
        QStringLiteral("0,365"),
        QStringLiteral("165,00"), // F / D1 + S / D2 = 165/1000 + 100/500
        QStringLiteral("82,50"),
        QStringLiteral("0,165"),
        QStringLiteral("100,00"),
        QStringLiteral("50,00"),
        QStringLiteral("0,200"),
        QStringLiteral("7,30"), // L = 35 + 0 + 38 over D1 / 100
        QStringLiteral("11000"),
        QStringLiteral("500"), // D2 from the start at 10500, not 10000
        QStringLiteral("250,0"),
        toDisplay(v.GetValue(field::tuev)),
        toDisplay(v.GetValue(field::au)),
        toDisplay(v.GetValue(field::instdat)),
        QStringLiteral("Erika Mustermann"),
    };
    for (int c = 0; c < kVehicleListColumnCount; ++c) EXPECT_EQ(r.cells[c], expected[c]) << "column " << c;
    EXPECT_DOUBLE_EQ(*r.values[Total], 265.0);
    EXPECT_FALSE(r.values[Plate].has_value());
    EXPECT_EQ(r.currency, QString::fromUtf8("€"));

    const VehicleFigures f = vehicleFigures(costTable(kExample));
    EXPECT_EQ(f.startKm, 10500);
    EXPECT_EQ(f.lastFuelKm, 11000);
    EXPECT_EQ(f.firstFullKm, 10000);
    EXPECT_EQ(f.fullDistance(), 1000);
    EXPECT_EQ(f.fuelDistance(), 500);
    EXPECT_DOUBLE_EQ(f.quantity, 73);
    EXPECT_EQ(f.months, 2);
}

TEST_F(VehicleList, FiguresWhoseConditionFailsStayEmpty) {
    struct Case {
        const char* what;
        std::vector<Record> records;
        std::string marks; // columns 0 .. 18
    };
    const std::vector<Case> cases = {
        {"all within one month: no per-month figures",
         {fillUp("01.03.2024", "1000", "50", "40", true), fillUp("20.03.2024", "1500", "50", "35", true)},
         "xxx..x.xx..xxx.xxxx"},
        {"no full fill-up: no fuel costs per km, no total per km, no consumption",
         {fillUp("01.01.2024", "1000", "50", "40", false), fillUp("01.04.2024", "1500", "50", "35", false)},
         "xxxx.xx.xx..xxxxxxx"},
        {"only other costs: no start, so no distance and nothing per km",
         {otherCost("01.01.2024", "1000", "80"), otherCost("01.04.2024", "2000", "20")},
         "xxxx.xx.xx..x..xxxx"},
        {"a single fill-up is its own start: distance 0, shown",
         {fillUp("01.01.2024", "1000", "50", "40", true)},
         "xxx..x..x...xx.xxxx"},
        {"the last record before the first full one: D1 negative, nothing per full km",
         {fillUp("01.01.2024", "5000", "50", "40", false), fillUp("01.04.2024", "6000", "50", "40", true),
          otherCost("01.05.2024", "1000", "10")},
         "xxxx.xx.xx..xxxxxxx"},
    };
    for (const Case& c : cases) {
        TMlb2 records = costTable(c.records);
        const VehicleListRow row = vehicleListRow(m_state.VehicleTable, 1, records);
        // the vehicle table is empty here: plate, name and master columns are empty texts
        std::string marks = filled(row);
        marks[Plate] = marks[Name] = 'x';
        marks[Hu] = marks[Au] = marks[Service] = marks[Driver] = 'x';
        EXPECT_EQ(marks, c.marks) << c.what;
    }
}

TEST_F(VehicleList, OdometerOfOneOrLessShowsZeroAndReadingsAreWholeNumbers) {
    TMlb2 low = costTable({otherCost("01.01.2024", "1", "5")});
    EXPECT_EQ(vehicleListRow(m_state.VehicleTable, 1, low).cells[Odometer], "0");
    // a reading that went down shows its negative distance
    TMlb2 negative = costTable({otherCost("01.01.2024", "10000", "5"), fillUp("01.02.2024", "12000", "5", "1", true),
                                fillUp("01.03.2024", "11000", "5", "1", true)});
    EXPECT_EQ(vehicleListRow(m_state.VehicleTable, 1, negative).cells[Distance], "-1000");
}

TEST_F(VehicleList, EveryVehicleStartsAfreshAndTheCursorStays) {
    addVehicle(kExample);
    addVehicle({otherCost("01.01.2024", "20000", "30")}); // other costs only
    addVehicle({});                                       // no record file at all
    m_state.VehicleTable.GoToRow(2);
    const QStringList before = QDir(dataDir()).entryList(QDir::Files, QDir::Name);
    const std::vector<VehicleListRow> rows = list();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].cells[Fuel], "0,00");
    EXPECT_EQ(rows[1].cells[Other], "30,00");
    EXPECT_EQ(rows[1].cells[FuelPerKm], "");
    EXPECT_EQ(rows[1].cells[Consumption], "");
    EXPECT_EQ(rows[1].cells[Distance], "");
    EXPECT_EQ(rows[1].cells[Odometer], "20000");
    EXPECT_EQ(filled(rows[2]), "xx.................");
    EXPECT_EQ(rows[2].cells[Plate], "Nummer 003");
    EXPECT_EQ(m_state.VehicleTable.RowNumber(), 2);
    EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files, QDir::Name), before); // nothing written
}

TEST_F(VehicleList, AnOddOrDamagedRecordFileGivesAVehicleWithoutRecords) {
    addVehicle({});
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_state.path("kfzdat.001")).constData(), 0600), 0);
    addVehicle({});
    ASSERT_TRUE(writeBytes(m_state.path("kfzdat.002"), "\x01\x02garbage without fields\x1A;;;\r\n"));
    const std::vector<VehicleListRow> rows = list(); // returns at once: the pipe is not opened
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(filled(rows[0]), "xx.................");
    EXPECT_EQ(filled(rows[1]), "xx.................");
}

} // namespace
