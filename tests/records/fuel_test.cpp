// The rules of the fuel entry and fuel record editing dialogs.

#include "records/cost_records.h"
#include "records/fuel_edit.h"
#include "records/fuel_entry.h"
#include "support/app_state_fixture.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Values = std::initializer_list<std::pair<const char*, std::string>>;

void addRow(TMlb2& table, Values values) {
    table.AppendRow();
    for (const auto& [field, value] : values) table.SetValue(field, value);
}

std::vector<std::string> column(const TMlb2& table, const char* field) {
    std::vector<std::string> values;
    for (int r = 1; r <= table.RowCount(); ++r) values.push_back(table.ValueAt(r, table.FieldIndex(field)));
    return values;
}

FuelInput fillUp(QDate date, const char* odometer, const char* price = "45,67", const char* quantity = "38,20",
                 bool full = true, int fuelIndex = 0) {
    return FuelInput{date, odometer, price, quantity, full, fuelIndex};
}

QDate day(int d, int m) {
    return QDate(2024, m, d);
}

class FuelTest : public AppStateTest {
protected:
    FuelTest() : AppStateTest(QDateTime(QDate(2024, 6, 1), QTime(12, 0))) {}
    void SetUp() override {
        AppStateTest::SetUp();
        TMlb2& v = state.VehicleTable;
        for (const char* f : {"ID", "tachostart", "kme", "waehr", "krstart", "kme2", "krstart2", "hybrid"})
            v.AddField(f);
        addRow(v, {{"ID", "3"},
                   {"tachostart", "8500"},
                   {"kme", "0"},
                   {"waehr", "0"},
                   {"krstart", "3"},
                   {"kme2", "0"},
                   {"krstart2", "0"},
                   {"hybrid", "0"}});
        state.CostTable = emptyCostTable();
        state.CurCostFile = "kfzdat.003";
    }

    void addFuel(const char* date, const char* km) {
        addRow(state.CostTable, {{"ID", "3"},
                                 {"Datum", date},
                                 {"kmstnd", km},
                                 {"preis", "50,00"},
                                 {"liter", "40,00"},
                                 {"voll", "ja"},
                                 {"art", "t"},
                                 {"krart", "0"}});
    }
    void addOtherCost(const char* date, const char* km) {
        addRow(state.CostTable, {{"ID", "3"},
                                 {"Datum", date},
                                 {"kmstnd", km},
                                 {"preis", "120,50"},
                                 {"art", "s"},
                                 {"text", "Reifen"},
                                 {"krart", "0"}});
    }

    AppState& state = m_state;
};

// ---- entry: the checks of "OK" ----

struct ContradictionCase {
    const char* name;
    QDate date;
    const char* odometer;
    bool refused;
};
void PrintTo(const ContradictionCase& c, std::ostream* os) {
    *os << c.name;
}

class FuelContradictionTest : public FuelTest, public ::testing::WithParamInterface<ContradictionCase> {};

TEST_P(FuelContradictionTest, NewFillUpAgainstStoredOnes) {
    addFuel("01.03.2024", "10000");
    addFuel("01.04.2024", "11000");
    addOtherCost("01.12.2024", "10500"); // other costs take no part
    const auto error = checkFuelInput(state, fillUp(GetParam().date, GetParam().odometer));
    if (GetParam().refused) {
        ASSERT_TRUE(error);
        EXPECT_EQ(error->message, kDateOdometerContradiction);
        EXPECT_EQ(error->focus, FuelField::Odometer);
    } else {
        EXPECT_FALSE(error) << error->message.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FuelContradictionTest,
                         ::testing::Values(ContradictionCase{"BetweenDatesAboveReadings", day(15, 3), "12000", true},
                                           ContradictionCase{"AfterBothDates", day(15, 4), "12000", false},
                                           ContradictionCase{"BeforeBothDatesBelowReadings", day(15, 2), "9000", false},
                                           ContradictionCase{"LateDateLowReading", day(15, 4), "9000", true},
                                           ContradictionCase{"EqualDateIsNoContradiction", day(1, 4), "12000", false},
                                           ContradictionCase{"BetweenInBoth", day(15, 3), "10500", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CheckOrderCase {
    const char* name;
    FuelInput input;
    std::optional<QString> message;
    FuelField focus;
};
void PrintTo(const CheckOrderCase& c, std::ostream* os) {
    *os << c.name;
}

class FuelCheckOrderTest : public FuelTest, public ::testing::WithParamInterface<CheckOrderCase> {};

TEST_P(FuelCheckOrderTest, FirstFailingCheck) {
    addFuel("01.03.2024", "10000");
    addFuel("01.04.2024", "11000");
    const auto error = checkFuelInput(state, GetParam().input);
    if (!GetParam().message) {
        EXPECT_FALSE(error) << error->message.toStdString();
        return;
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, *GetParam().message);
    EXPECT_EQ(error->focus, GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FuelCheckOrderTest,
    ::testing::Values(
        CheckOrderCase{"DateCheckFirst", fillUp(day(15, 3), "0", "0", "0"), kDateOdometerContradiction,
                       FuelField::Odometer},
        CheckOrderCase{"OdometerZero", fillUp(day(15, 2), "0", "0", "0"), kOdometerNotPositive, FuelField::Odometer},
        CheckOrderCase{"OdometerNegative", fillUp(day(15, 2), "-5"), kOdometerNotPositive, FuelField::Odometer},
        CheckOrderCase{"OdometerNotWhole", fillUp(day(15, 4), "12000,5"), kOdometerNotPositive, FuelField::Odometer},
        CheckOrderCase{"PriceZero", fillUp(day(15, 4), "12000", "0,00", "0"), kPriceNotPositive, FuelField::Price},
        CheckOrderCase{"PriceWithPoint", fillUp(day(15, 4), "12000", "45.67"), kPriceNotPositive, FuelField::Price},
        CheckOrderCase{"QuantityZero", fillUp(day(15, 4), "12000", "45,67", "0"), kQuantityNotPositive,
                       FuelField::Quantity},
        CheckOrderCase{"QuantityEmpty", fillUp(day(15, 4), "12000", "45,67", ""), kQuantityNotPositive,
                       FuelField::Quantity},
        CheckOrderCase{"Valid", fillUp(day(15, 4), "12000", "45,67", "38,2"), std::nullopt, FuelField::Date}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FuelTest, ContradictionBetweenStoredRecordsBlocksEveryNewFillUp) {
    addFuel("01.03.2024", "10000");
    addFuel("01.02.2024", "11000");
    EXPECT_TRUE(checkdatekm(state.CostTable, "3", fillUp(day(1, 5), "12000")));
}

TEST_F(FuelTest, UnreadableStoredDateTakesNoPart) {
    addFuel("01.03.2024", "10000");
    addFuel("kein Datum", "11000");
    addFuel("31.02.2024", "11500");
    addFuel("01.04.2024", "12000");
    EXPECT_FALSE(checkdatekm(state.CostTable, "3", fillUp(day(1, 5), "13000")));
    EXPECT_TRUE(checkdatekm(state.CostTable, "3", fillUp(day(15, 3), "13000")));
}

// The single pass must give the answer of comparing every fuel row with every later one, also
// for equal odometer readings in whatever order the sort leaves them.
TEST_F(FuelTest, ContradictionCheckAgreesWithPairwiseScan) {
    std::mt19937 random(7);
    const char* dates[] = {"01.01.2024", "01.02.2024", "01.03.2024", "01.04.2024", "bad"};
    const char* readings[] = {"1000", "2000", "2000", "3000"};
    int contradictions = 0;
    for (int round = 0; round < 300; ++round) {
        state.CostTable = emptyCostTable();
        const int rows = static_cast<int>(random() % 7);
        for (int i = 0; i < rows; ++i) {
            const char* date = dates[random() % 5];
            const char* km = readings[random() % 4];
            if (random() % 4 == 0)
                addOtherCost(date, km);
            else
                addFuel(date, km);
        }
        const FuelInput input = fillUp(day(1, 1 + static_cast<int>(random() % 4)), readings[random() % 4]);
        const int leaveOut = rows > 0 && random() % 2 ? 1 + static_cast<int>(random() % rows) : 0;

        TMlb2 copy;
        copy.CopyFrom(state.CostTable);
        if (leaveOut) copy.DeleteRow(leaveOut);
        copy.AppendRow();
        setFuelValues(copy, "3", input);
        copy.SortNumeric("kmstnd");
        const auto art = column(copy, "art");
        const auto datum = column(copy, "Datum");
        bool expected = false;
        for (std::size_t f = 0; f < art.size(); ++f)
            for (std::size_t g = f + 1; g < art.size(); ++g)
                if (art[f] == "t" && art[g] == "t" && recordDate(datum[f]).isValid() &&
                    recordDate(datum[g]).isValid() && recordDate(datum[g]) < recordDate(datum[f]))
                    expected = true;

        ASSERT_EQ(checkdatekm(state.CostTable, "3", input, leaveOut), expected) << "round " << round;
        contradictions += expected;
    }
    EXPECT_GT(contradictions, 30); // both answers were exercised
    EXPECT_LT(contradictions, 270);
}

TEST_F(FuelTest, ContradictionCheckOnTenThousandRecords) {
    std::string bytes = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n";
    QDate date(2000, 1, 1);
    for (int i = 0; i < 10000; ++i, date = date.addDays(1))
        bytes += "3;" + recordDateText(date) + ";" + std::to_string(10000 + 100 * i) + ";50,00;40,00;ja;t;;;;0\r\n";
    state.CostTable.LoadFromBytes(bytes);
    ASSERT_EQ(state.CostTable.RowCount(), 10000);
    EXPECT_FALSE(checkdatekm(state.CostTable, "3", fillUp(date, "2000000")));
    EXPECT_TRUE(checkdatekm(state.CostTable, "3", fillUp(QDate(2000, 1, 2), "2000000")));
}

// ---- entry: what the dialog shows ----

TEST_F(FuelTest, FirstFillUpStartsAtStartingReadingAndAddsKrart) {
    state.CostTable.DeleteField("krart"); // a file of the previous version
    addOtherCost("01.02.2024", "9000");
    const FuelEntrySetup first = prepareFuelEntry(state);
    EXPECT_TRUE(first.firstFillUp);
    EXPECT_EQ(first.odometer, "8500");
    EXPECT_EQ(first.price, "0");
    EXPECT_EQ(first.quantity, "0");
    EXPECT_EQ(column(state.CostTable, "krart"), std::vector<std::string>{"0"});

    addFuel("01.03.2024", "10000");
    const FuelEntrySetup later = prepareFuelEntry(state);
    EXPECT_FALSE(later.firstFillUp);
    EXPECT_EQ(later.odometer, "0");
}

struct VehicleCase {
    const char* name;
    const char *hybrid, *krstart, *krstart2, *kme, *kme2, *waehr;
    QStringList fuelTypes;
    QString priceSuffix, quantitySuffix, secondQuantitySuffix;
};
void PrintTo(const VehicleCase& c, std::ostream* os) {
    *os << c.name;
}

class FuelVehicleTest : public FuelTest, public ::testing::WithParamInterface<VehicleCase> {};

TEST_P(FuelVehicleTest, FuelTypesAndSuffixes) {
    const VehicleCase& c = GetParam();
    TMlb2& v = state.VehicleTable;
    v.SetValue("hybrid", c.hybrid);
    v.SetValue("krstart", c.krstart);
    v.SetValue("krstart2", c.krstart2);
    v.SetValue("kme", c.kme);
    v.SetValue("kme2", c.kme2);
    v.SetValue("waehr", c.waehr);
    const FuelEntrySetup setup = prepareFuelEntry(state);
    EXPECT_EQ(setup.fuelTypes, c.fuelTypes);
    EXPECT_EQ(setup.priceSuffix, c.priceSuffix);
    EXPECT_EQ(setup.quantitySuffix, c.quantitySuffix);
    EXPECT_EQ(setup.secondQuantitySuffix, c.secondQuantitySuffix);
    EXPECT_EQ(quantitySuffixFor(state, 0), c.quantitySuffix);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FuelVehicleTest,
    ::testing::Values(
        VehicleCase{"Plain", "0", "3", "0", "0", "0", "0", {"Diesel"}, " €", " L", ""},
        VehicleCase{
            "HybridWithSecondType", "1", "1", "8", "0", "4", "1", {"Benzin Super", "Elektro"}, " SFr", " L", " kW"},
        VehicleCase{"SecondTypeWithoutHybrid", "0", "0", "5", "2", "2", "0", {"Benzin Normal"}, " €", " CM³", ""},
        VehicleCase{"HybridWithoutSecondType", "1", "4", "0", "1", "0", "0", {"Erdgas"}, " €", " KG", ""},
        VehicleCase{"EmptyFieldsOfAnOlderTable", "", "2", "", "", "", "", {"Benzin Super-Plus"}, " ", " ", ""},
        VehicleCase{"IndexesOutsideTheLists", "1", "12", "9", "7", "0", "-1", {"", ""}, " ", " ", " "}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- entry: the new record ----

TEST_F(FuelTest, EarlierFillUpIsStoredAndSortedFirst) {
    addFuel("01.03.2024", "10000");
    addFuel("01.04.2024", "11000");
    const FuelInput input = fillUp(day(15, 2), "9000", " 45,67", "38,20 ", false);
    ASSERT_FALSE(checkFuelInput(state, input));
    appendFuelRecord(state, input);
    const TMlb2& costs = state.CostTable;
    EXPECT_EQ(column(costs, "kmstnd"), (std::vector<std::string>{"9000", "10000", "11000"}));
    std::vector<std::string> first;
    for (int f = 0; f < costs.FieldCount(); ++f) first.push_back(costs.ValueAt(1, f));
    EXPECT_EQ(first,
              (std::vector<std::string>{"3", "15.02.2024", "9000", "45,67", "38,20", "nein", "t", "", "", "", "0"}));
}

TEST_F(FuelTest, KrartIsThePositionOfAnOfferedFuelType) {
    const auto krartAfter = [this](int fuelIndex) {
        state.CostTable = emptyCostTable();
        appendFuelRecord(state, fillUp(day(1, 3), "10000", "45,67", "38,20", true, fuelIndex));
        return state.CostTable.ValueAt(1, state.CostTable.FieldIndex("krart"));
    };
    state.VehicleTable.SetValue("krstart2", "5");
    EXPECT_EQ(krartAfter(1), "0"); // not hybrid: one entry only
    state.VehicleTable.SetValue("hybrid", "1");
    EXPECT_EQ(krartAfter(0), "0");
    EXPECT_EQ(krartAfter(1), "1");
    EXPECT_EQ(krartAfter(2), "0");
}

TEST_F(FuelTest, SavedRecordFileBytes) {
    addFuel("01.03.2024", "10000");
    appendFuelRecord(state, fillUp(day(15, 2), "9000", "45,67", "38,20", false));
    ASSERT_EQ(saveCostTable(state), std::nullopt);
    EXPECT_EQ(readBytes(state.path("kfzdat.003")), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                                                   "3;15.02.2024;9000;45,67;38,20;nein;t;;;;0\r\n"
                                                   "3;01.03.2024;10000;50,00;40,00;ja;t;;;;0\r\n");
}

TEST_F(FuelTest, FailedSaveReportsAndKeepsTheRecord) {
    state.DataDir = m_dir.path() + QStringLiteral("/fehlt/");
    appendFuelRecord(state, fillUp(day(15, 2), "9000"));
    const auto message = saveCostTable(state);
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->startsWith(QStringLiteral("Die Datei kfzdat.003 konnte nicht gespeichert werden.\r")))
        << message->toStdString();
    EXPECT_EQ(column(state.CostTable, "kmstnd"), std::vector<std::string>{"9000"});
    EXPECT_FALSE(QFile::exists(state.path("kfzdat.003")));
}

// ---- editing ----

TEST_F(FuelTest, ListRowNamesTheFuelRecord) {
    addFuel("01.03.2024", "10000");
    addOtherCost("05.03.2024", "10200");
    addFuel("01.04.2024", "11000");
    addOtherCost("05.04.2024", "11200");
    const std::vector<std::pair<int, int>> rows = {{1, 1}, {2, 3}, {3, 0}, {0, 0}, {-1, 0}};
    for (const auto& [listRow, tableRow] : rows)
        EXPECT_EQ(fuelRecordRow(state.CostTable, listRow), tableRow) << listRow;
}

TEST_F(FuelTest, EditShowsTheRecordAndPutsTheCursorOnIt) {
    addOtherCost("05.02.2024", "9500");
    addFuel("01.03.2024", "10000");
    addRow(state.CostTable, {{"Datum", "unlesbar"},
                             {"kmstnd", "11000"},
                             {"preis", "45,6"},
                             {"liter", "38.2"},
                             {"voll", "nein"},
                             {"art", "t"}});
    const FuelEditSetup setup = prepareFuelEdit(state, 2);
    ASSERT_TRUE(setup.found);
    EXPECT_EQ(state.CostTable.RowNumber(), 3);
    EXPECT_EQ(setup.date, m_clock.today());
    EXPECT_EQ(setup.odometer, "11000");
    EXPECT_EQ(setup.price, "45,60");
    EXPECT_EQ(setup.quantity, "38,20");
    EXPECT_FALSE(setup.full);
    EXPECT_EQ(setup.priceSuffix, " €");
    EXPECT_EQ(setup.quantitySuffix, " L");

    const FuelEditSetup first = prepareFuelEdit(state, 1);
    EXPECT_EQ(first.date, day(1, 3));
    EXPECT_TRUE(first.full);
    EXPECT_EQ(state.CostTable.RowNumber(), 2);
    EXPECT_FALSE(prepareFuelEdit(state, 3).found);
    EXPECT_EQ(state.CostTable.RowNumber(), 2);
}

TEST_F(FuelTest, CorrectionBetweenNeighboursIgnoresTheOldValues) {
    addFuel("01.03.2024", "10000");
    addFuel("01.04.2024", "11000");
    addFuel("01.05.2024", "12000");
    state.CostTable.GoToRow(2);
    state.CostTable.SetValue("tart", "1");
    state.CostTable.SetValue("krart", "1");
    ASSERT_TRUE(prepareFuelEdit(state, 2).found);

    EXPECT_FALSE(checkFuelEdit(state, fillUp(day(15, 3), "11000")));
    // With the old values (01.04. at 11 000 km) this would be a contradiction.
    const FuelInput corrected = fillUp(day(20, 3), "11500", "44,00", "37,00", false);
    ASSERT_FALSE(checkFuelEdit(state, corrected));
    EXPECT_TRUE(checkFuelInput(state, corrected)); // as a new fill-up it contradicts the old record

    overwriteFuelRecord(state, corrected);
    const TMlb2& costs = state.CostTable;
    EXPECT_EQ(costs.RowCount(), 3);
    std::vector<std::string> second;
    for (int f = 0; f < costs.FieldCount(); ++f) second.push_back(costs.ValueAt(2, f));
    EXPECT_EQ(second,
              (std::vector<std::string>{"3", "20.03.2024", "11500", "44,00", "37,00", "nein", "t", "", "", "1", "1"}));
}

TEST_F(FuelTest, StoredContradictionBlocksOthersUntilCorrected) {
    addFuel("01.03.2024", "10000");
    addFuel("01.02.2024", "11000");
    addFuel("01.05.2024", "12000");
    ASSERT_TRUE(prepareFuelEdit(state, 3).found);
    const auto blocked = checkFuelEdit(state, fillUp(day(1, 5), "12000", "60,00"));
    ASSERT_TRUE(blocked);
    EXPECT_EQ(blocked->message, kDateOdometerContradiction);

    ASSERT_TRUE(prepareFuelEdit(state, 2).found);
    EXPECT_FALSE(checkFuelEdit(state, fillUp(day(1, 4), "11000")));
}

TEST_F(FuelTest, RaisedOdometerMovesTheRecordAfterTheSort) {
    addFuel("01.03.2024", "10000");
    addFuel("01.04.2024", "11000");
    addFuel("01.05.2024", "12000");
    ASSERT_TRUE(prepareFuelEdit(state, 1).found);
    const FuelInput raised = fillUp(day(15, 4), "11500");
    ASSERT_FALSE(checkFuelEdit(state, raised));
    overwriteFuelRecord(state, raised);
    EXPECT_EQ(column(state.CostTable, "kmstnd"), (std::vector<std::string>{"11000", "11500", "12000"}));
    EXPECT_EQ(column(state.CostTable, "Datum"), (std::vector<std::string>{"01.04.2024", "15.04.2024", "01.05.2024"}));
    EXPECT_EQ(fuelRecordRow(state.CostTable, 2), 2);
}

TEST_F(FuelTest, DeleteRemovesTheShownRecord) {
    addFuel("01.03.2024", "10000");
    addOtherCost("05.03.2024", "10200");
    addFuel("01.04.2024", "11000");
    ASSERT_TRUE(prepareFuelEdit(state, 2).found);
    deleteCurrentRecord(state);
    EXPECT_EQ(column(state.CostTable, "kmstnd"), (std::vector<std::string>{"10000", "10200"}));
}

} // namespace

TEST_F(FuelTest, AStoredFillUpIsKnownByDateReadingPriceAndQuantity) {
    addFuel("01.05.2024", "9000");
    addOtherCost("02.05.2024", "9100");
    struct Case {
        const char* name;
        FuelInput input;
        bool stored;
    };
    const Case cases[] = {
        {"same", fillUp(day(1, 5), "9000", "50,00", "40,00"), true},
        {"same_values_written_otherwise", fillUp(day(1, 5), "9000", "50", "40,0", false), true},
        {"other_date", fillUp(day(2, 5), "9000", "50,00", "40,00"), false},
        {"other_reading", fillUp(day(1, 5), "9001", "50,00", "40,00"), false},
        {"other_price", fillUp(day(1, 5), "9000", "50,01", "40,00"), false},
        {"other_quantity", fillUp(day(1, 5), "9000", "50,00", "40,01"), false},
        {"an_other_cost_is_no_fill_up", fillUp(day(2, 5), "9100", "120,50", "0"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(isStoredFillUp(state.CostTable, c.input), c.stored) << c.name;
}
