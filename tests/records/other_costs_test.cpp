// The rules of the other-cost entry and editing dialogs and of the recurring items.

#include "records/cost_records.h"
#include "records/fuel_entry.h"
#include "records/other_cost_edit.h"
#include "records/other_cost_entry.h"
#include "records/recurring_items.h"
#include "support/app_state_fixture.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

// The rows of a table as the file holds them, without the header line.
std::string rows(const TMlb2& table) {
    const std::string bytes = table.ToBytes();
    return bytes.substr(bytes.find("\r\n") + 2);
}

OtherCostInput cost(QDate date, const char* odometer, const char* price, const char* text, bool service = false) {
    return OtherCostInput{date, odometer, price, QString::fromUtf8(text), service};
}

class OtherCostTest : public AppStateTest {
protected:
    OtherCostTest() : AppStateTest(QDateTime(QDate(2008, 7, 1), QTime(12, 0))) {}
    void SetUp() override {
        AppStateTest::SetUp();
        TMlb2& v = state.VehicleTable;
        for (const char* f : {"ID", "waehr", "instdat", "instkm", "sikm", "simon", "file5"}) v.AddField(f);
        v.AppendRow();
        v.SetValue("ID", "4");
        v.SetValue("waehr", "0");
        v.SetValue("instdat", "06.2007");
        v.SetValue("instkm", "40000");
        v.SetValue("sikm", "30000");
        v.SetValue("simon", "12");
        state.CostTable = emptyCostTable();
        state.CurCostFile = "kfzdat.004";
        state.CurRecurringFile = "kfzwv.004";
    }
    QString itemFile() const { return state.path(state.CurRecurringFile); }

    AppState& state = m_state;
};

// ---- the checks of "OK" ----

struct CheckCase {
    const char* name;
    OtherCostInput input;
    std::optional<QString> message;
    OtherCostField focus;
};
void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class OtherCostCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(OtherCostCheckTest, FirstFailingCheck) {
    const CheckCase& c = GetParam();
    const auto error = checkOtherCostInput(c.input);
    if (!c.message) {
        EXPECT_FALSE(error) << error->message.toStdString();
        return;
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, *c.message);
    EXPECT_EQ(error->focus, c.focus);
}

const QDate kDay(2008, 1, 31);
INSTANTIATE_TEST_SUITE_P(Cases, OtherCostCheckTest,
                         ::testing::Values(CheckCase{"OdometerZeroComesFirst", cost(kDay, "0", "0,00", ""),
                                                     kOdometerNotPositive, OtherCostField::Odometer},
                                           CheckCase{"OdometerNoNumber", cost(kDay, "", "10,00", "Steuer"),
                                                     kOdometerNotPositive, OtherCostField::Odometer},
                                           CheckCase{"PriceZeroBeforeText", cost(kDay, "45000", "0,00", ""),
                                                     kPriceNotPositive, OtherCostField::Price},
                                           CheckCase{"TextEmpty", cost(kDay, "45000", "0,01", ""), kTextMissing,
                                                     OtherCostField::Text},
                                           CheckCase{"Valid", cost(kDay, "45000", "190,00", "Steuer"), std::nullopt,
                                                     OtherCostField::Odometer}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the new record ----

TEST_F(OtherCostTest, NewRecordIsSortedInWithFivePrecisionPrice) {
    appendOtherCostRecord(state, cost(QDate(2008, 3, 1), "50000", "80,00", "Reifen"));
    appendOtherCostRecord(state, cost(QDate(2008, 1, 31), "45000", "1234,56", "Inspektion; groß", true));
    // "liter", "voll", "tart" and "krart" stay empty; the ";" of the text is escaped in the file.
    EXPECT_EQ(rows(state.CostTable), "4;31.01.2008;45000;1234,60;;;s;Inspektion\\; gro\xDF;ja;;\r\n"
                                     "4;01.03.2008;50000;80,00;;;s;Reifen;;;\r\n");
}

TEST_F(OtherCostTest, TableWithoutFieldsGainsThemBeforeTheRecord) {
    state.CostTable = TMlb2(); // a vehicle whose record file was never written
    appendOtherCostRecord(state, cost(QDate(2008, 1, 31), "45000", "190,00", "Steuer"));
    EXPECT_EQ(state.CostTable.ToBytes(), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                                         "4;31.01.2008;45000;190,00;;;s;Steuer;;;\r\n");
}

// ---- the service question ----

struct ServiceCase {
    const char* name;
    QDate date;
    const char *simon, *sikm, *odometer;
    const char *instdat, *instkm;
};
void PrintTo(const ServiceCase& c, std::ostream* os) {
    *os << c.name;
}

class ServiceTest : public OtherCostTest, public ::testing::WithParamInterface<ServiceCase> {};

TEST_P(ServiceTest, NextServiceDateAndReading) {
    const ServiceCase& c = GetParam();
    state.VehicleTable.SetValue("simon", c.simon);
    state.VehicleTable.SetValue("sikm", c.sikm);
    EXPECT_FALSE(rescheduleService(state.VehicleTable, c.date, c.odometer));
    EXPECT_EQ(state.VehicleTable.GetValue("instdat"), c.instdat);
    EXPECT_EQ(state.VehicleTable.GetValue("instkm"), c.instkm);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiceTest,
    ::testing::Values(ServiceCase{"LastDayOfJanuaryPlusOneMonth", QDate(2008, 1, 31), "1", "30000", "45000", "02.2008",
                                  "75000"},
                      ServiceCase{"TwelveMonths", QDate(2008, 6, 15), "12", "30000", "45000", "06.2009", "75000"},
                      ServiceCase{"AcrossTheYear", QDate(2008, 11, 30), "3", "15000", "7", "02.2009", "15007"},
                      ServiceCase{"EmptyIntervalInKmIsZero", QDate(2008, 6, 15), "0", "", "45000", "06.2008", "45000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OtherCostTest, IntervalInMonthsThatGivesNoDateChangesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"12,5", "'12,5' ist kein gültiger Integerwert."},
        {"2000000000", "Der nächste Service nach 2000000000 Monaten liegt außerhalb des Kalenders."},
        {"-30000", "Der nächste Service nach -30000 Monaten liegt außerhalb des Kalenders."},
    };
    for (const auto& [simon, message] : cases) {
        SCOPED_TRACE(simon);
        state.VehicleTable.SetValue("simon", simon);
        const auto failure = rescheduleService(state.VehicleTable, QDate(2008, 6, 15), "45000");
        ASSERT_TRUE(failure);
        EXPECT_EQ(*failure, QString::fromUtf8(message));
        EXPECT_EQ(state.VehicleTable.GetValue("instdat"), "06.2007");
        EXPECT_EQ(state.VehicleTable.GetValue("instkm"), "40000");
    }
}

// ---- editing ----

TEST_F(OtherCostTest, ListRowFindsItsRecordAndAChangedReadingMovesIt) {
    TMlb2& costs = state.CostTable;
    auto add = [&](const char* km, const char* art, const char* price, const char* text) {
        costs.AppendRow();
        const std::initializer_list<std::pair<const char*, const char*>> values = {
            {"ID", "4"},  {"Datum", "01.02.2008"}, {"kmstnd", km}, {"preis", price},
            {"art", art}, {"text", text},          {"krart", "0"}};
        for (const auto& [f, v] : values) costs.SetValue(f, v);
    };
    add("10000", "t", "50,00", "");
    add("10200", "s", "120,5", "Reifen");
    add("10500", "t", "52,00", "");
    add("10700", "s", "35,00", "Steuer");
    EXPECT_EQ(otherCostRecordRow(costs, 1), 2);
    EXPECT_EQ(otherCostRecordRow(costs, 2), 4);
    EXPECT_EQ(otherCostRecordRow(costs, 3), 0);

    const OtherCostEditSetup setup = prepareOtherCostEdit(state, 1);
    ASSERT_TRUE(setup.found);
    EXPECT_EQ(costs.RowNumber(), 2);
    EXPECT_EQ(setup.date, QDate(2008, 2, 1));
    EXPECT_EQ(setup.odometer, "10200");
    EXPECT_EQ(setup.price, "120,50");
    EXPECT_EQ(setup.text, "Reifen");
    EXPECT_FALSE(setup.service);
    EXPECT_EQ(setup.priceSuffix, QString::fromUtf8(" €"));

    // Moved beyond the second other cost; "krart" keeps its value.
    overwriteOtherCostRecord(state, cost(QDate(2008, 2, 1), "10800", "120,50", "Reifen", true));
    EXPECT_EQ(rows(costs), "4;01.02.2008;10000;50,00;;;t;;;;0\r\n"
                           "4;01.02.2008;10500;52,00;;;t;;;;0\r\n"
                           "4;01.02.2008;10700;35,00;;;s;Steuer;;;0\r\n"
                           "4;01.02.2008;10800;120,50;;;s;Reifen;ja;;0\r\n");

    ASSERT_TRUE(prepareOtherCostEdit(state, 1).found); // now the record at 10 700
    deleteCurrentRecord(state);
    EXPECT_EQ(costs.RowCount(), 3);
    EXPECT_EQ(otherCostRecordRow(costs, 1), 3);
    EXPECT_FALSE(prepareOtherCostEdit(state, 2).found);
}

// ---- recurring items ----

TEST_F(OtherCostTest, ItemStoredTwiceLaterPriceWinsDeletingTakesTheEarlier) {
    RecurringItems items = loadRecurringItems(state);
    EXPECT_FALSE(items.loadError);
    EXPECT_TRUE(recurringItemNames(items.table).isEmpty());
    EXPECT_FALSE(QFile::exists(itemFile())); // created by the first item stored

    appendRecurringItem(items.table, "Steuer", 190);
    appendRecurringItem(items.table, "Versicherung", 45.5);
    appendRecurringItem(items.table, "Steuer", 210.25);
    ASSERT_FALSE(saveRecurringItems(items, state));
    EXPECT_EQ(readBytes(itemFile()), "Vorgang;preis\r\nSteuer;190\r\nVersicherung;45,5\r\nSteuer;210,25\r\n");

    RecurringItems again = loadRecurringItems(state);
    EXPECT_EQ(recurringItemNames(again.table), (QStringList{"Steuer", "Versicherung", "Steuer"}));
    EXPECT_EQ(recurringItemPrice(again.table, "Steuer"), 210.25);
    EXPECT_EQ(recurringItemPrice(again.table, "Versicherung"), 45.5);
    EXPECT_EQ(recurringItemPrice(again.table, "Maut"), std::nullopt);

    const int row = firstRecurringItemRow(again.table, "Steuer");
    EXPECT_EQ(row, 1);
    again.table.DeleteRow(row);
    EXPECT_EQ(recurringItemPrice(again.table, "Steuer"), 210.25);
    EXPECT_EQ(firstRecurringItemRow(again.table, "Maut"), 0);
}

TEST_F(OtherCostTest, EmptyItemFileGainsItsFieldsSoNoItemIsLost) {
    ASSERT_TRUE(writeBytes(itemFile(), ""));
    RecurringItems items = loadRecurringItems(state);
    appendRecurringItem(items.table, QString::fromUtf8("Hauptuntersuchung TÜV"), 120);
    ASSERT_FALSE(saveRecurringItems(items, state));
    EXPECT_EQ(readBytes(itemFile()), "Vorgang;preis\r\nHauptuntersuchung T\xDCV;120\r\n");
}

TEST_F(OtherCostTest, UnreadableItemFileIsNeverOverwritten) {
    ASSERT_TRUE(QDir().mkpath(itemFile())); // exists, but cannot be read as a file
    RecurringItems items = loadRecurringItems(state);
    ASSERT_TRUE(items.loadError);
    EXPECT_TRUE(items.loadError->startsWith("Die Datei kfzwv.004 konnte nicht gelesen werden.\r"));
    appendRecurringItem(items.table, "Steuer", 190);
    EXPECT_EQ(saveRecurringItems(items, state), items.loadError);
    EXPECT_TRUE(QFileInfo(itemFile()).isDir());
}

} // namespace
