// The import of version 4.x data: old master rows become new vehicles with their record files,
// numbered after what the data directory holds, saved at once; a fault leaves nothing behind.
#include "vehicles/import_old.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "support/app_state_fixture.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string kOldHeader = "nummer;bez;tinh;au;tuev;kdatum;kpreis;bemerk;bild;file\r\n";
// An old record file: no "service" yet, "ID" the old vehicle's number.
const std::string kOldRecords = "ID;Datum;kmstnd;preis;liter;voll;art;text\r\n"
                                "7;02.01.2011;10000;50,5;40;ja;t;\r\n"
                                "7;15.02.2011;10650;120;0;nein;s;Inspektion\r\n";

// An old data directory and the program's data directory (today 10.05.2026).
class ImportOld : public AppStateTest {
protected:
    ImportOld() : AppStateTest(QDateTime(QDate(2026, 5, 10), QTime(9, 30))) {}
    void SetUp() override {
        AppStateTest::SetUp();
        ASSERT_TRUE(m_old.isValid());
        ASSERT_EQ(loadVehicleTable(m_state), std::nullopt);
    }

    QString oldPath(const std::string& name) const { return m_old.path() + "/" + QString::fromStdString(name); }
    void writeOld(const std::string& name, const std::string& bytes) { ASSERT_TRUE(writeBytes(oldPath(name), bytes)); }
    // The old master table with one row per line (without the line end).
    void writeOldMaster(const std::vector<std::string>& rows) {
        std::string bytes = kOldHeader;
        for (const std::string& row : rows) bytes += row + "\r\n";
        writeOld("kfzdata.csv", bytes);
    }
    void addVehicles(int count) {
        for (int i = 0; i < count; ++i) ASSERT_EQ(createVehicle(m_state), std::nullopt);
    }
    ImportOutcome import() {
        OldMasterTable old = readOldMasterTable(m_old.path());
        EXPECT_FALSE(old.absent);
        EXPECT_EQ(old.error, std::nullopt);
        return importOldVehicles(m_state, m_old.path(), old.vehicles);
    }

    TMlb2& vehicles() { return m_state.VehicleTable; }
    std::string valueOf(int row, std::string_view name) { return vehicles().ValueAt(row, vehicles().FieldIndex(name)); }
    std::vector<std::string> column(std::string_view name) {
        std::vector<std::string> out;
        for (int r = 1; r <= vehicles().RowCount(); ++r) out.push_back(valueOf(r, name));
        return out;
    }
    QStringList dataFiles() const { return QDir(dataDir()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir m_old;
};

TEST_F(ImportOld, ThreeOldVehiclesOfWhichOneHasNoRecordsBecomeTwoSavedAtOnce) {
    writeOldMaster(
        {"B-AB 1;Golf;55;15.03.2011;20.04.2012;01.06.2005;18500;erste Zeile;C:\\\\Bilder\\\\golf.jpg;kfzdat.001",
         "B-CD 2;Polo;45;01.01.2011;01.01.2011;01.01.2004;12000;;;kfzdat.002",
         "A-XY 3;Passat;70;01.09.2011;01.09.2011;01.02.2008;30000;;;kfzdat.003"});
    writeOld("kfzdat.001", kOldRecords);
    writeOld("kfzdat.003", kOldRecords); // vehicle 002 left no record file

    EXPECT_EQ(readOldMasterTable(m_old.path()).vehicles.RowCount(), 3); // the question names all three
    const ImportOutcome outcome = import();
    ASSERT_EQ(outcome.error, std::nullopt);
    EXPECT_EQ(outcome.imported, 2);

    // Sorted by plate; the Passat came last but got the second number.
    EXPECT_EQ(column(field::nummer), (std::vector<std::string>{"A-XY 3", "B-AB 1"}));
    EXPECT_EQ(column(field::file), (std::vector<std::string>{"kfzdat.002", "kfzdat.001"}));
    EXPECT_EQ(dataFiles(), (QStringList{"kfzdat.001", "kfzdat.002", "kfzdata.csv"}));

    // The master table is on disk as it is in memory: a crash now loses nothing.
    EXPECT_EQ(file("kfzdata.csv"), vehicles().ToBytes());
    TMlb2 saved;
    ASSERT_TRUE(saved.LoadFromFile(dataDir() + "kfzdata.csv"));
    EXPECT_EQ(saved.RowCount(), 2);
}

TEST_F(ImportOld, TheNewMasterRowIsFilledFromTheOldOneAndWithFixedValues) {
    // The old file escapes its backslashes as the table format does.
    writeOldMaster(
        {"B-AB 1;Golf;55;15.03.2011;20.04.2012;01.06.2005;18500;erste Zeile;C:\\\\Bilder\\\\golf.jpg;kfzdat.007"});
    writeOld("kfzdat.007", kOldRecords);
    ASSERT_EQ(import().error, std::nullopt);

    const std::map<std::string_view, std::string> expected = {
        {field::ID, "1"},
        {field::bez, "Golf"},
        {field::nummer, "B-AB 1"},
        {field::tinh, "55"},
        {field::au, "03.2011"},
        {field::tuev, "04.2012"},
        {field::kdatum, "01.06.2005"},
        {field::kpreis, "18500"},
        {field::bemerk1, "erste Zeile"},
        {field::bild, "C:\\Bilder\\golf.jpg"},
        {field::file, "kfzdat.001"},
        {field::file2, "kfzfb.001"},
        {field::file3, "kfzfbe.001"},
        {field::file4, "kfznotiz.001"},
        {field::file5, "kfzwv.001"},
        {field::file6, "kfzterm.001"},
        {field::tachostart, "0"},
        {field::instkm, "0"},
        {field::fahrer, ""},
        {field::sikm, "30000"},
        {field::simon, "12"},
        {field::privat, "ja"},
        {field::fgstnr, ""},
        {field::kme, "0"},
        {field::kme2, "0"},
        {field::waehr, "0"},
        {field::krstart, "0"},
        {field::krstart2, "0"},
        {field::apreis, "0"},
        {field::leas, "nein"},
        {field::leasdauer, "0"},
        {field::leasstart, "01.01.2000"},
        {field::instdat, "05.2026"},
        {field::erstzul, ""},
        {field::hybrid, ""},
    };
    ASSERT_EQ(vehicles().RowCount(), 1);
    for (int f = 0; f < vehicles().FieldCount(); ++f) {
        const std::string name = vehicles().FieldName(f + 1); // names count from 1, values from 0
        const auto it = expected.find(name);
        ASSERT_NE(it, expected.end()) << "unexpected field " << name;
        EXPECT_EQ(vehicles().ValueAt(1, f), it->second) << name;
    }
    EXPECT_EQ(vehicles().FieldCount(), static_cast<int>(expected.size()));
}

TEST_F(ImportOld, TheRecordFileKeepsEveryFieldAndRowGainsServiceAndTheNewNumber) {
    addVehicles(3);
    const std::string firstBefore = file("kfzdat.001");
    writeOldMaster({"B-AB 1;Golf;55;15.03.2011;20.04.2012;01.06.2005;18500;;;kfzdat.001"});
    writeOld("kfzdat.001", kOldRecords);
    ASSERT_EQ(import().error, std::nullopt);

    // With vehicles 001 to 003 present, the imported one is number 4; their files are untouched.
    EXPECT_EQ(file("kfzdat.004"), "ID;Datum;kmstnd;preis;liter;voll;art;text;service\r\n"
                                  "4;02.01.2011;10000;50,5;40;ja;t;;\r\n"
                                  "4;15.02.2011;10650;120;0;nein;s;Inspektion;\r\n");
    EXPECT_EQ(file("kfzdat.001"), firstBefore);
}

TEST_F(ImportOld, AnExistingRecordFileIsNeverOverwritten) {
    // kfzdat.001 belongs to no vehicle; vehicle 003 has no record file yet, but owns its number.
    ASSERT_TRUE(writeBytes(dataDir() + "kfzdat.001", "fremd"));
    addVehicles(2);
    ASSERT_TRUE(QFile::remove(dataDir() + "kfzdat.003"));
    writeOldMaster({"B-AB 1;Golf;55;;;;;;;kfzdat.001", "B-CD 2;Polo;45;;;;;;;kfzdat.002"});
    writeOld("kfzdat.001", kOldRecords);
    writeOld("kfzdat.002", kOldRecords);
    ASSERT_EQ(import().error, std::nullopt);

    EXPECT_EQ(file("kfzdat.001"), "fremd");
    EXPECT_EQ(column(field::file), (std::vector<std::string>{"kfzdat.004", "kfzdat.005", "kfzdat.002", "kfzdat.003"}));
}

TEST_F(ImportOld, APlateThatExistsGetsTheNewNumberAndImportingTwiceMakesEveryVehicleTwice) {
    addVehicles(3); // "Nummer 001" .. "Nummer 003"
    writeOldMaster({"Nummer 002;Golf;55;;;;;;;kfzdat.001", "nummer 001;Polo;45;;;;;;;kfzdat.002"});
    writeOld("kfzdat.001", kOldRecords);
    writeOld("kfzdat.002", kOldRecords);

    ASSERT_EQ(import().error, std::nullopt);
    // Letter case counts: "nummer 001" is no duplicate of "Nummer 001".
    EXPECT_EQ(column(field::nummer),
              (std::vector<std::string>{"Nummer 001", "Nummer 002", "Nummer 002 [4]", "Nummer 003", "nummer 001"}));

    ASSERT_EQ(import().error, std::nullopt);
    EXPECT_EQ(column(field::nummer),
              (std::vector<std::string>{"Nummer 001", "Nummer 002", "Nummer 002 [4]", "Nummer 002 [6]", "Nummer 003",
                                        "nummer 001", "nummer 001 [7]"}));
    EXPECT_EQ(file("kfzdata.csv"), vehicles().ToBytes());
}

TEST_F(ImportOld, TheCursorStaysOnTheCurrentVehicle) {
    addVehicles(3);
    ASSERT_TRUE(vehicles().GoToRow(2));
    m_state.CurCostFile = "kfzdat.002";
    writeOldMaster({"A-AA 1;Golf;55;;;;;;;kfzdat.001"}); // sorts before every plate present
    writeOld("kfzdat.001", kOldRecords);
    ASSERT_EQ(import().error, std::nullopt);
    EXPECT_EQ(vehicles().GetValue(field::file), "kfzdat.002");
}

TEST_F(ImportOld, OnlyRecordFilesBesideTheOldMasterTableAreRead) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(writeBytes(elsewhere.path() + "/kfzdat.009", kOldRecords));
    const QString outside = QDir(m_old.path()).relativeFilePath(elsewhere.path() + "/kfzdat.009");
    writeOldMaster(
        {"B-AB 1;Golf;55;;;;;;;" + outside.toStdString(), "B-CD 2;Polo;45;;;;;;;", "B-EF 3;Kombi;45;;;;;;;kfzdat.003"});
    writeOld("kfzdat.003", kOldRecords);
    const ImportOutcome outcome = import();
    ASSERT_EQ(outcome.error, std::nullopt);
    EXPECT_EQ(column(field::nummer), std::vector<std::string>{"B-EF 3"});
}

TEST_F(ImportOld, VehiclesBeyondTheLimitAreLeftOutAndNamed) {
    for (int i = 1; i < kMaxVehicles; ++i) {
        vehicles().AppendRow();
        vehicles().SetValue(field::nummer, "V " + std::to_string(i));
        vehicles().SetValue(field::file, "kfzdat." + vehicleNumberText(i));
    }
    writeOldMaster({"B-AB 1;Golf;55;;;;;;;kfzdat.001", "B-CD 2;Polo;45;;;;;;;kfzdat.001"});
    writeOld("kfzdat.001", kOldRecords);
    const ImportOutcome outcome = import();
    ASSERT_EQ(outcome.error, std::nullopt);
    EXPECT_EQ(outcome.imported, 1);
    EXPECT_EQ(outcome.overLimit, 1);
    EXPECT_EQ(vehicles().RowCount(), kMaxVehicles);
    EXPECT_EQ(importDoneMessage(outcome),
              kImportDoneMessage +
                  "\r\rEs können höchstens 99 Fahrzeuge verwaltet werden: 1 Fahrzeuge wurden nicht importiert.");
}

TEST_F(ImportOld, ADirectoryWithoutMasterTableIsNoError) {
    const OldMasterTable old = readOldMasterTable(m_old.path());
    EXPECT_TRUE(old.absent);
    EXPECT_EQ(old.error, std::nullopt);
    EXPECT_TRUE(readOldMasterTable(QString()).absent);
}

// Old files that cannot be taken whole: the message names the file, and nothing is imported.
struct BadOldFile {
    const char* name;
    std::string file;    // the bad file of the old directory
    std::string bytes;   // its content; empty: a directory of that name
    const char* message; // how the message begins
};
void PrintTo(const BadOldFile& c, std::ostream* os) {
    *os << c.name;
}

class ImportOldBadFile : public ImportOld, public testing::WithParamInterface<BadOldFile> {};

TEST_P(ImportOldBadFile, IsReportedAndNothingIsImported) {
    addVehicles(1);
    const std::string masterBefore = file("kfzdata.csv");
    const QStringList filesBefore = dataFiles();
    writeOldMaster({"B-AB 1;Golf;55;;;;;;;kfzdat.001", "B-CD 2;Polo;45;;;;;;;kfzdat.002"});
    writeOld("kfzdat.001", kOldRecords);
    writeOld("kfzdat.002", kOldRecords);
    const BadOldFile& c = GetParam();
    QFile::remove(oldPath(c.file));
    if (c.bytes.empty())
        ASSERT_TRUE(QDir().mkdir(oldPath(c.file)));
    else
        writeOld(c.file, c.bytes);

    std::optional<QString> error;
    OldMasterTable old = readOldMasterTable(m_old.path());
    if (old.error) {
        error = old.error;
        EXPECT_EQ(old.vehicles.RowCount(), 0);
    } else {
        error = importOldVehicles(m_state, m_old.path(), old.vehicles).error;
    }
    ASSERT_TRUE(error);
    const QString path = QDir::toNativeSeparators(oldPath(c.file));
    EXPECT_TRUE(error->startsWith(QString::fromUtf8(c.message).arg(path))) << error->toStdString();
    EXPECT_TRUE(error->endsWith("Es wurden keine Daten importiert.")) << error->toStdString();
    EXPECT_EQ(vehicles().RowCount(), 1);
    EXPECT_EQ(file("kfzdata.csv"), masterBefore);
    EXPECT_EQ(dataFiles(), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportOldBadFile,
    testing::Values(
        BadOldFile{"RecordFileIsADirectory", "kfzdat.002", "", "Die Datei %1 konnte nicht gelesen werden.\r"},
        BadOldFile{"RecordFileCutByEndOfFileMark", "kfzdat.002",
                   "ID;Datum;kmstnd\r\n1;01.01.2011;100\r\n\x1a"
                   "2;x;y\r\n",
                   "Die Datei %1 ist beschädigt und konnte nicht vollständig gelesen werden.\r"},
        BadOldFile{"RecordRowWithMoreItemsThanFields", "kfzdat.002", "ID;Datum\r\n1;01.01.2011;100;200\r\n",
                   "Die Datei %1 ist beschädigt und konnte nicht vollständig gelesen werden.\r"},
        BadOldFile{"MasterTableIsADirectory", "kfzdata.csv", "", "Die Datei %1 konnte nicht gelesen werden.\r"},
        BadOldFile{"MasterTableWithRepeatedField", "kfzdata.csv", "nummer;nummer;file\r\nB;B;kfzdat.001\r\n",
                   "Die Datei %1 ist beschädigt und konnte nicht vollständig gelesen werden.\r"}),
    [](const testing::TestParamInfo<BadOldFile>& info) { return std::string(info.param.name); });

// A save that fails, first of a record file, then of the master table: the files written so far go
// again, the table in memory and kfzdata.csv stay as they were.
struct SaveFailure {
    const char* name;
    rlim_t limit;
    const char* failingFile;
};
void PrintTo(const SaveFailure& c, std::ostream* os) {
    *os << c.name;
}

class ImportOldSaveFailure : public ImportOld, public testing::WithParamInterface<SaveFailure> {};

TEST_P(ImportOldSaveFailure, IsReportedAndLeavesNothingBehind) {
    addVehicles(1);
    const std::string masterBefore = file("kfzdata.csv");
    const QStringList filesBefore = dataFiles();
    ASSERT_GT(masterBefore.size(), GetParam().limit); // the new master table cannot be written
    writeOldMaster({"B-AB 1;Golf;55;;;;;;;kfzdat.001", "B-CD 2;Polo;45;;;;;;;kfzdat.002"});
    writeOld("kfzdat.001", kOldRecords);
    writeOld("kfzdat.002", kOldRecords);
    OldMasterTable old = readOldMasterTable(m_old.path());
    ASSERT_EQ(old.error, std::nullopt);

    ImportOutcome outcome;
    {
        const FileSizeLimit limit(GetParam().limit);
        outcome = importOldVehicles(m_state, m_old.path(), old.vehicles);
    }
    ASSERT_TRUE(outcome.error);
    const QString start = QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r").arg(GetParam().failingFile);
    EXPECT_TRUE(outcome.error->startsWith(start)) << outcome.error->toStdString();
    EXPECT_GT(outcome.error->size(), start.size() + 40); // the reason, then that nothing was imported
    EXPECT_TRUE(outcome.error->endsWith("Es wurden keine Daten importiert."));
    EXPECT_EQ(vehicles().RowCount(), 1);
    EXPECT_EQ(file("kfzdata.csv"), masterBefore);
    EXPECT_EQ(dataFiles(), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportOldSaveFailure,
                         testing::Values(SaveFailure{"RecordFile", 16, "kfzdat.002"},
                                         // the record files (about 120 bytes) fit, the master table does not
                                         SaveFailure{"MasterTable", 200, "kfzdata.csv"}),
                         [](const testing::TestParamInfo<SaveFailure>& info) { return std::string(info.param.name); });

// "au" and "tuev" of the old master table.
struct OldMonth {
    const char* name;
    const char* old;
    const char* month;
};
void PrintTo(const OldMonth& c, std::ostream* os) {
    *os << c.name;
}

class OldMonthText : public testing::TestWithParam<OldMonth> {};

TEST_P(OldMonthText, BecomesTheMonthOrNothing) {
    EXPECT_EQ(oldMonthText(GetParam().old), GetParam().month);
}

INSTANTIATE_TEST_SUITE_P(Cases, OldMonthText,
                         testing::Values(OldMonth{"FullDate", "15.03.2011", "03.2011"},
                                         OldMonth{"DateWithoutLeadingZeros", "5.3.2011", "03.2011"},
                                         OldMonth{"MonthKept", "03.2011", "03.2011"},
                                         OldMonth{"MonthOfOneDigit", "3.2011", ""},
                                         OldMonth{"NoSuchMonth", "13.2011", ""},
                                         OldMonth{"NoSuchDay", "32.03.2011", ""}, OldMonth{"Words", "bald", ""},
                                         OldMonth{"Empty", "", ""}),
                         [](const testing::TestParamInfo<OldMonth>& info) { return std::string(info.param.name); });

// The drive of a directory: the one whose root holds it deepest, and only at a folder boundary.
struct DriveCase {
    const char* name;
    const char* path;
    int drive;
};
void PrintTo(const DriveCase& c, std::ostream* os) {
    *os << c.name;
}

class DriveOf : public testing::TestWithParam<DriveCase> {};

TEST_P(DriveOf, IsTheDeepestRootAboveIt) {
    const std::vector<ImportDrive> drives = {{"/", "/"}, {"/home", "/home"}, {"/media/usb/", "/media/usb"}};
    EXPECT_EQ(driveOf(drives, GetParam().path), GetParam().drive);
    EXPECT_EQ(driveOf({}, GetParam().path), -1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DriveOf,
                         testing::Values(DriveCase{"SystemFolder", "/usr/share", 0}, DriveCase{"TheRoot", "/", 0},
                                         DriveCase{"HomeFolder", "/home/erika/Dokumente", 1},
                                         DriveCase{"HomeDriveItself", "/home", 1},
                                         DriveCase{"NameThatOnlyBeginsLikeADrive", "/homework", 0},
                                         DriveCase{"RootWithSeparator", "/media/usb/Wagenwart", 2},
                                         DriveCase{"UncleanPath", "/home/erika/../erika/", 1}),
                         [](const testing::TestParamInfo<DriveCase>& info) { return std::string(info.param.name); });

} // namespace
