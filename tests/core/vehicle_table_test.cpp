#include "core/vehicle_table.h"

#include "support/app_state_fixture.h"
#include "support/fixture_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> fieldsOf(const TMlb2& t) {
    std::vector<std::string> out;
    for (int f = 1; f <= t.FieldCount(); ++f) out.push_back(t.FieldName(f));
    return out;
}

std::vector<std::string> column(const TMlb2& t, std::string_view field) {
    std::vector<std::string> out;
    for (int r = 1; r <= t.RowCount(); ++r) out.push_back(t.ValueAt(r, t.FieldIndex(field)));
    return out;
}

class VehicleTable : public AppStateTest {
protected:
    VehicleTable() : AppStateTest(QDateTime(QDate(2008, 3, 15), QTime(10, 30))) {}
    void touch(const char* name) { ASSERT_TRUE(writeBytes(m_dir.filePath(name), "")); }
    std::size_t fileCount() const { return QDir(m_dir.path()).entryList(QDir::Files).size(); }
};

TEST_F(VehicleTable, WithoutAFileTheTableHasTheBaseAndUpgradeFields) {
    EXPECT_EQ(loadVehicleTable(m_state), std::nullopt);
    const std::vector<std::string> expected = {
        "ID",     "bez",     "nummer",  "tachostart", "tinh",      "au",        "tuev",   "kdatum", "erstzul",
        "kpreis", "bemerk1", "fgstnr",  "fahrer",     "instdat",   "instkm",    "sikm",   "simon",  "privat",
        "kme",    "waehr",   "krstart", "leas",       "leasdauer", "leasstart", "file",   "file2",  "file3",
        "file4",  "file5",   "bild",    "kme2",       "krstart2",  "apreis",    "hybrid", "file6"};
    EXPECT_EQ(fieldsOf(m_state.VehicleTable), expected);
    EXPECT_EQ(m_state.VehicleTable.RowCount(), 0);
    EXPECT_EQ(fileCount(), 0u); // nothing is written by loading
}

// A kfzdata.csv cut short to nothing reads like no file at all: a new vehicle can be created.
TEST_F(VehicleTable, EmptyFileGetsTheBaseFieldsAndTakesANewVehicle) {
    touch("kfzdata.csv");
    EXPECT_EQ(loadVehicleTable(m_state), std::nullopt);
    EXPECT_EQ(m_state.VehicleTable.FieldCount(), 35);
    EXPECT_EQ(fieldsOf(m_state.VehicleTable).front(), "ID");
    EXPECT_EQ(fieldsOf(m_state.VehicleTable).back(), "file6");
    EXPECT_EQ(createVehicle(m_state), std::nullopt);
    EXPECT_EQ(m_state.VehicleTable.RowCount(), 1);
    EXPECT_EQ(m_state.VehicleTable.GetValue("file"), "kfzdat.001");
    EXPECT_TRUE(QFileInfo::exists(m_state.path("kfzdat.001")));
}

// A table of an older version gains the later fields at the end and is saved with them, sorted.
TEST_F(VehicleTable, OlderTableIsUpgradedAndSavedWithTheNewFields) {
    ASSERT_TRUE(QFile::copy(fixture("kfzdata_older.csv"), m_state.path(kVehicleFileName)));
    EXPECT_EQ(loadVehicleTable(m_state), std::nullopt);
    EXPECT_EQ(m_state.VehicleTable.FieldCount(), 35);
    EXPECT_EQ(m_state.VehicleTable.RowCount(), 2);
    EXPECT_EQ(saveVehicleTable(m_state, VehicleOrder::ByPlate), std::nullopt);
    EXPECT_EQ(readBytes(m_state.path(kVehicleFileName)), readBytes(fixture("kfzdata_older_upgraded.csv")));
}

TEST(VehicleTableUpgrade, FieldCheckCountsLetterCase) {
    TMlb2 t;
    for (const char* name : {"ID", "KME2", "Hybrid", "file6"}) t.AddField(name);
    t.AppendRow();
    t.SetValue("KME2", "2");
    upgradeVehicleTable(t);
    // "KME2" and "Hybrid" stay the only fields of their names; "kme2" reads the old field
    EXPECT_EQ(fieldsOf(t),
              (std::vector<std::string>{"ID", "KME2", "Hybrid", "file6", "erstzul", "krstart2", "apreis"}));
    EXPECT_EQ(t.GetValue("kme2"), "2");
    upgradeVehicleTable(t);
    EXPECT_EQ(t.FieldCount(), 7);
}

struct NumberCase {
    const char* name;
    std::vector<const char*> files;
    std::optional<int> expected;
};
void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class VehicleNumber : public VehicleTable, public testing::WithParamInterface<NumberCase> {};

TEST_P(VehicleNumber, IsTheFirstWithoutCostRecordFile) {
    for (const char* f : GetParam().files) touch(f);
    EXPECT_EQ(newVehicleNumber(m_state), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, VehicleNumber,
                         testing::Values(NumberCase{"Empty", {}, 1}, NumberCase{"Gap", {"kfzdat.001", "kfzdat.003"}, 2},
                                         NumberCase{"NoGap", {"kfzdat.001", "kfzdat.002"}, 3},
                                         NumberCase{"OnlyCostFileCounts", {"kfzfb.001", "kfzterm.001"}, 1},
                                         NumberCase{"LowestFreeFirst", {"kfzdat.002"}, 1}),
                         [](const testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

TEST(VehicleNumberText, HasThreeDigits) {
    EXPECT_EQ(vehicleNumberText(2), "002");
    EXPECT_EQ(vehicleNumberText(42), "042");
    EXPECT_EQ(vehicleNumberText(999), "999");
}

// With kfzdat.001 and kfzdat.003 present, on 15 March 2008.
TEST_F(VehicleTable, NewVehicleTakesTheGapAndHasItsStartValues) {
    touch("kfzdat.001");
    touch("kfzdat.003");
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    ASSERT_EQ(createVehicle(m_state), std::nullopt);

    const std::pair<const char*, const char*> expected[] = {
        {"ID", "2"},
        {"bez", "Fahrzeug 002"},
        {"nummer", "Nummer 002"},
        {"tachostart", "0"},
        {"tinh", "50"},
        {"au", "03.2008"},
        {"tuev", "03.2008"},
        {"kdatum", "15.03.2008"},
        {"erstzul", "15.03.2008"},
        {"kpreis", "1"},
        {"bemerk1", ""},
        {"fgstnr", ""},
        {"fahrer", ""},
        {"instdat", "03.2008"},
        {"instkm", "10000"},
        {"sikm", "30000"},
        {"simon", "12"},
        {"privat", "ja"},
        {"kme", "0"},
        {"waehr", "0"},
        {"krstart", "0"},
        {"leas", "nein"},
        {"leasdauer", "0"},
        {"leasstart", "15.03.2008"},
        {"file", "kfzdat.002"},
        {"file2", "kfzfb.002"},
        {"file3", "kfzfbe.002"},
        {"file4", "kfznotiz.002"},
        {"file5", "kfzwv.002"},
        {"bild", ""},
        {"kme2", "0"},
        {"krstart2", "0"},
        {"apreis", "0"},
        {"hybrid", "0"},
        {"file6", "kfzterm.002"},
    };
    TMlb2& t = m_state.VehicleTable;
    ASSERT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.RowNumber(), 1); // the new vehicle is at the cursor
    ASSERT_EQ(t.FieldCount(), static_cast<int>(std::size(expected)));
    for (const auto& [field, value] : expected) {
        SCOPED_TRACE(field);
        EXPECT_EQ(t.GetValue(field), value);
    }
    // the master table is on disk at once, and the empty cost-record file beside it
    EXPECT_EQ(readBytes(m_state.path(kVehicleFileName)), t.ToBytes());
    EXPECT_EQ(readBytes(m_state.path("kfzdat.002")),
              "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n");
    EXPECT_EQ(fileCount(), 4u); // no other file of the vehicle yet
}

TEST_F(VehicleTable, NewVehicleIsAppendedAtTheEnd) {
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    ASSERT_EQ(createVehicle(m_state), std::nullopt);
    m_state.VehicleTable.SetValue("nummer", "Z-Z 1");
    ASSERT_EQ(createVehicle(m_state), std::nullopt);
    EXPECT_EQ(column(m_state.VehicleTable, "nummer"), (std::vector<std::string>{"Z-Z 1", "Nummer 002"}));
    EXPECT_EQ(column(m_state.VehicleTable, "ID"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(m_state.VehicleTable.RowNumber(), 2);
}

TEST_F(VehicleTable, HundredthVehicleIsRefused) {
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    for (int i = 0; i < kMaxVehicles; ++i) m_state.VehicleTable.AppendRow();
    EXPECT_EQ(createVehicle(m_state), QString("Es können höchstens 99 Fahrzeuge verwaltet werden."));
    EXPECT_EQ(m_state.VehicleTable.RowCount(), kMaxVehicles);
    EXPECT_EQ(fileCount(), 0u);
}

TEST_F(VehicleTable, NoFreeNumberIsRefused) {
    for (int n = 1; n <= kMaxVehicleNumber; ++n)
        ASSERT_TRUE(writeBytes(m_state.path("kfzdat." + vehicleNumberText(n)), ""));
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    EXPECT_EQ(newVehicleNumber(m_state), std::nullopt);
    EXPECT_EQ(createVehicle(m_state), QString("Es ist keine freie Fahrzeugnummer mehr vorhanden."));
    EXPECT_EQ(m_state.VehicleTable.RowCount(), 0);
    EXPECT_EQ(fileCount(), static_cast<std::size_t>(kMaxVehicleNumber));
}

TEST_F(VehicleTable, CostFileThatCannotBeWrittenLeavesNoVehicle) {
    AppState state(m_dir.filePath("fehlt/"), m_clock);
    ASSERT_EQ(loadVehicleTable(state), std::nullopt);
    const std::optional<QString> message = createVehicle(state);
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->startsWith("Die Datei kfzdat.001 konnte nicht gespeichert werden.\r"))
        << message->toStdString();
    EXPECT_EQ(state.VehicleTable.RowCount(), 0);
}

TEST_F(VehicleTable, MasterTableThatCannotBeWrittenLeavesNoVehicle) {
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    TMlb2& t = m_state.VehicleTable;
    for (int i = 0; i < 40; ++i) {
        t.AppendRow();
        t.SetValue("nummer", "K-XX " + std::to_string(i));
        t.SetValue("bemerk1", std::string(100, 'x'));
        t.SetValue("file", "kfzdat." + vehicleNumberText(i + 1));
    }
    t.GoToRow(7);
    ASSERT_EQ(saveTable(t, m_state, kVehicleFileName), std::nullopt);
    for (int i = 1; i <= 40; ++i) ASSERT_TRUE(writeBytes(m_state.path("kfzdat." + vehicleNumberText(i)), ""));
    const std::string old = readBytes(m_state.path(kVehicleFileName));
    const std::string oldTable = t.ToBytes();
    std::optional<QString> message;
    {
        FileSizeLimit limit(1024); // room for the cost-record file, not for the master table
        message = createVehicle(m_state);
    }
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->startsWith("Die Datei kfzdata.csv konnte nicht gespeichert werden.\r"));
    EXPECT_EQ(readBytes(m_state.path(kVehicleFileName)), old);
    EXPECT_FALSE(QFile::exists(m_state.path("kfzdat.041")));
    EXPECT_EQ(t.ToBytes(), oldTable);
    EXPECT_EQ(t.RowNumber(), 7);
}

TEST_F(VehicleTable, ShutDownSortsByPlateBytewise) {
    ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    for (const char* plate : {"M-AB 5", "A-ZZ 1", "a-bc 2", "B-XY 9", "B-XY 10"}) {
        m_state.VehicleTable.AppendRow();
        m_state.VehicleTable.SetValue("nummer", plate);
    }
    EXPECT_EQ(saveVehicleTable(m_state, VehicleOrder::ByPlate), std::nullopt);
    TMlb2 saved;
    ASSERT_TRUE(saved.LoadFromFile(m_state.path(kVehicleFileName)));
    EXPECT_EQ(column(saved, "nummer"), (std::vector<std::string>{"A-ZZ 1", "B-XY 10", "B-XY 9", "M-AB 5", "a-bc 2"}));
}

TEST_F(VehicleTable, FailedSaveAtShutDownIsReported) {
    AppState state(m_dir.filePath("fehlt/"), m_clock);
    ASSERT_EQ(loadVehicleTable(state), std::nullopt);
    const std::optional<QString> message = saveVehicleTable(state, VehicleOrder::ByPlate);
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->startsWith("Die Datei kfzdata.csv konnte nicht gespeichert werden.\r"));
}

TEST(VehicleTableAppointments, EmptyFile6IsFilledFromFile2) {
    struct Case {
        const char* file2;
        const char* file6;
        const char* expected;
        bool filled;
    };
    const Case cases[] = {
        {"kfzfb.002", "", "kfzterm.002", true},
        {"kfzfb.017", "kfzterm.099", "kfzterm.099", false},
        {"kfzfb.0123", "", "kfzterm.012", true},
        {"kfzfb", "", "kfzterm", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file2);
        TMlb2 t;
        t.AddField("file2");
        t.AddField("file6");
        t.AppendRow();
        t.SetValue("file2", c.file2);
        t.SetValue("file6", c.file6);
        EXPECT_EQ(fillAppointmentFileName(t), c.filled);
        EXPECT_EQ(t.GetValue("file6"), c.expected);
    }
}

TEST(VehicleCodeLists, ShortTextOfAnIndexText) {
    struct Case {
        std::string (*name)(std::string_view);
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {unitName, "0", "L"},        {unitName, "2", "CM\xB3"},
        {unitName, "3", "kW"},       {unitName, "4", ""},
        {unitName, "-1", ""},        {unitName, "", ""},
        {unitName, "1,0", ""},       {currencyName, "0", "\x80"},
        {currencyName, "1", "SFr"},  {currencyName, "2", ""},
        {fuelName, "0", "Benzin N"}, {fuelName, "2", "Benzin S+"},
        {fuelName, "7", "Elektro"},  {fuelName, "8", ""},
        {fuelName, "x", ""},         {secondUnitName, "0", "-"},
        {secondUnitName, "1", "L"},  {secondUnitName, "4", "kW"},
        {secondUnitName, "5", ""},   {secondUnitName, "", ""},
        {secondFuelName, "0", "-"},  {secondFuelName, "4", "Diesel"},
        {secondFuelName, "9", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.name(c.text), c.expected);
    }
}

} // namespace
