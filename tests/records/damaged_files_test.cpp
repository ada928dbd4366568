// A table file that loads only in part is never lost: its original bytes are kept beside it before
// anything can be saved over them, and the user is told once, for every kind of table file.
#include "appointments/appointment_table.h"
#include "core/field_names.h"
#include "core/settings.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "records/current_vehicle.h"
#include "records/recurring_items.h"
#include "support/app_state_fixture.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <sys/stat.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(14, 5, 9));
const char* const kStamp = ".beschaedigt-10.12.2026-14-05-09";

// The vehicle table of the program with one vehicle, the cursor on it, its files numbered 001.
void oneVehicle(AppState& state) {
    ASSERT_EQ(loadVehicleTable(state), std::nullopt);
    ASSERT_EQ(createVehicle(state), std::nullopt);
    state.CurCostFile = "kfzdat.001";
    state.CurRecurringFile = "kfzwv.001";
}

struct Kind {
    const char* name;
    const char* file;
    const char* header; // the file's own header line, CR LF ended
    std::function<void(AppState&)> load;
};

const Kind kKinds[] = {
    {"vehicles", "kfzdata.csv", "ID;bez;nummer\r\n", [](AppState& s) { (void)loadVehicleTable(s); }},
    {"records", "kfzdat.001", "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n",
     [](AppState& s) { loadCurrentVehicle(s); }},
    {"appointments", "kfzterm.001", "kfz;datum;zeit;text\r\n", [](AppState& s) { (void)loadAppointments(s); }},
    {"recurring_items", "kfzwv.001", "Vorgang;preis\r\n", [](AppState& s) { (void)loadRecurringItems(s); }},
};

struct Damage {
    const char* name;
    std::string (*bytes)(const std::string& header);
};

const Damage kDamages[] = {
    {"end_of_file_mark", [](const std::string& h) { return h + "1;a\x1a" + "b;c\r\n2;d;e\r\n"; }},
    {"item_beyond_the_fields", [](const std::string& h) { return h + "1;2;3;4;5;6;7;8;9;10;11;12;13\r\n"; }},
    {"repeated_name", [](const std::string& h) { return h.substr(0, h.find(';')) + ";" + h + "1;2\r\n"; }},
    {"missing_name", [](const std::string& h) { return ";" + h + "1;2\r\n"; }},
    {"cr_alone", [](const std::string& h) { return h.substr(0, h.size() - 2) + "\r1;2;3\r4;5;6\r"; }},
    {"byte_order_mark", [](const std::string& h) { return "\xEF\xBB\xBF" + h + "1;2\r\n"; }},
};

class DamagedFile : public testing::TestWithParam<std::tuple<Kind, Damage>> {};

TEST_P(DamagedFile, IsKeptAndToldOnce) {
    const auto& [kind, damage] = GetParam();
    TestDataDir data(kNow);
    AppState& state = data.state;
    if (std::string(kind.file) != "kfzdata.csv") {
        oneVehicle(state);
        state.VehicleTable.SetValue(field::file6, "kfzterm.001");
    }
    const std::string original = damage.bytes(kind.header);
    ASSERT_TRUE(writeBytes(state.path(kind.file), original));

    kind.load(state);
    const std::string copy = std::string(kind.file) + kStamp;
    EXPECT_EQ(data.file(copy), original); // the original bytes survive, whatever is saved later
    ASSERT_EQ(state.notices.size(), 1u);
    EXPECT_EQ(state.notices[0], QStringLiteral("Die Datei %1 war beschädigt und konnte nicht vollständig gelesen "
                                               "werden. Eine Kopie des ursprünglichen Inhalts liegt unter %2.")
                                    .arg(QString::fromLatin1(kind.file), QDir::toNativeSeparators(state.path(copy))));
    EXPECT_FALSE(takeNotices(state).isEmpty());

    kind.load(state); // loaded again in the same run: no second copy, nothing said again
    EXPECT_TRUE(state.notices.empty());
    EXPECT_EQ(QDir(data.dir.path()).entryList({QStringLiteral("*.beschaedigt-*")}, QDir::Files).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryTableFile, DamagedFile,
                         testing::Combine(testing::ValuesIn(kKinds), testing::ValuesIn(kDamages)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

// Bytes the reader takes whole (a NUL inside a value, an end-of-file mark that ends the file) are
// no damage: nothing is copied, nothing said, and a save gives the same bytes back.
TEST(UndamagedFile, IsNeitherCopiedNorTold) {
    TestDataDir data(kNow);
    AppState& state = data.state;
    oneVehicle(state);
    const std::string bytes = std::string("ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                                          "1;01.02.2026;100;5,00;;;s;Ab") +
                              '\0' + "c;;;0\r\n\x1a";
    ASSERT_TRUE(writeBytes(state.path("kfzdat.001"), bytes));
    loadCurrentVehicle(state);
    EXPECT_TRUE(state.notices.empty());
    EXPECT_EQ(state.CostTable.RowCount(), 1);
    EXPECT_EQ(QDir(data.dir.path()).entryList({QStringLiteral("*.beschaedigt-*")}, QDir::Files).size(), 0);
}

// When the copy cannot be written (here a file-size limit below the file's size), the file counts
// as unreadable: nothing is recorded into it, so it is never saved over.
TEST(DamagedFileWithoutCopy, IsNeverWrittenOver) {
    TestDataDir data(kNow);
    AppState& state = data.state;
    oneVehicle(state);
    const std::string original = "ID;Datum;kmstnd\r\n1;01.02.2026;100;und noch etwas, das verloren ginge\r\n";
    ASSERT_TRUE(writeBytes(state.path("kfzdat.001"), original));
    {
        const FileSizeLimit limit(16);
        loadCurrentVehicle(state);
    }
    ASSERT_TRUE(state.costFileError.has_value());
    EXPECT_TRUE(state.costFileError->startsWith("Die Datei kfzdat.001 war beschädigt"));
    EXPECT_TRUE(state.notices.empty());
    EXPECT_TRUE(saveCostTable(state).has_value()); // refused
    EXPECT_EQ(data.file("kfzdat.001"), original);
}

// A pipe (or device, or directory) in place of a data file is reported like an unreadable file at
// once, without waiting for a writer, and nothing is ever written into it.
class PipeInPlace : public testing::TestWithParam<Kind> {};

TEST_P(PipeInPlace, IsReportedAtOnceAndLeftAlone) {
    const Kind& kind = GetParam();
    TestDataDir data(kNow);
    AppState& state = data.state;
    if (std::string(kind.file) != "kfzdata.csv") {
        oneVehicle(state);
        state.VehicleTable.SetValue(field::file6, "kfzterm.001");
        QFile::remove(state.path(kind.file));
    }
    ASSERT_EQ(::mkfifo(state.path(kind.file).toLocal8Bit().constData(), 0600), 0);
    // A read that waited for a writer would hang here; the watchdog ends the test instead.
    std::atomic<bool> done{false};
    std::thread watchdog([&done] {
        for (int i = 0; i < 100 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) std::abort();
    });
    kind.load(state);
    done = true;
    watchdog.join();
    EXPECT_TRUE(QFileInfo(state.path(kind.file)).exists());
    EXPECT_FALSE(QFileInfo(state.path(kind.file)).isFile()); // still the pipe
    if (std::string(kind.file) == "kfzdat.001") {
        ASSERT_TRUE(state.costFileError.has_value());
        EXPECT_TRUE(state.costFileError->startsWith("Die Datei kfzdat.001 konnte nicht gelesen werden."));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTableFile, PipeInPlace, testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PipeInPlace, SettingsFile) {
    TestDataDir data(kNow);
    ASSERT_EQ(::mkfifo(data.state.path("kfz.ini").toLocal8Bit().constData(), 0600), 0);
    const std::optional<QString> error = readSettings(data.state); // returns at once
    ASSERT_TRUE(error.has_value());
}

// What a save broken off by a crash left beside its file goes at start-up; the user's files stay.
TEST(StartUp, RemovesTheLeftoversOfBrokenOffSaves) {
    TestDataDir data(kNow);
    AppState& state = data.state;
    oneVehicle(state);
    for (const char* name : {"kfzdata.csv.qWxZrT", "kfzdat.001.PlmNbV", "kfzdat.001.backup", "notiz.txt.AbCdEf"})
        ASSERT_TRUE(writeBytes(state.path(name), "x"));
    (void)startUp(state);
    const QStringList left = QDir(data.dir.path()).entryList(QDir::Files);
    EXPECT_FALSE(left.contains("kfzdata.csv.qWxZrT"));
    EXPECT_FALSE(left.contains("kfzdat.001.PlmNbV"));
    EXPECT_TRUE(left.contains("kfzdat.001.backup")); // a name a person gives
    EXPECT_TRUE(left.contains("notiz.txt.AbCdEf"));  // no file of that name beside it
}

} // namespace
