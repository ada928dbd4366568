#include "core/app_state.h"
#include "core/data_dir.h"

#include "support/fixture_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST(DataDir, FollowsXdgDataHomeAndIsCreatedWithItsParents) {
    QTemporaryDir home;
    const QString base = home.filePath("a/b");
    ScopedEnv env("XDG_DATA_HOME", base);
    const QString dir = locateDataDir();
    EXPECT_EQ(dir, base + "/Sternhof/Wagenwart_test/");
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_EQ(locateDataDir(), dir); // an existing directory is fine
}

TEST(DataDir, EndsWithOneSeparatorWhateverTheFolderEndsWith) {
    QTemporaryDir home;
    for (const QString& folder : {home.path(), home.path() + "/", home.path() + "//"}) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_EQ(dataDirBelow(folder), home.path() + "/Sternhof/Wagenwart_test/");
    }
}

TEST(DataDir, FailureToCreateIsNotReported) {
    QTemporaryDir home;
    ASSERT_TRUE(writeBytes(home.filePath("datei"), "x"));
    const QString dir = dataDirBelow(home.filePath("datei"));
    EXPECT_EQ(dir, home.filePath("datei") + "/Sternhof/Wagenwart_test/");
    EXPECT_FALSE(QFileInfo::exists(dir));
}

} // namespace

namespace {

// The files a vehicle names are files of the data directory only, and never the program's own.
TEST(VehicleFileName, OnlyOwnFilesOfTheDataDirectory) {
    for (const char* name : {"kfzdat.001", "kfzterm.012", "kfzwv.099", "Auto Daten.csv", "kfzdata.csv.bak"})
        EXPECT_TRUE(isVehicleFileName(name)) << name;
    const std::string refused[] = {"",
                                   ".",
                                   "..",
                                   "../kfzdat.001",
                                   "sub/kfzdat.001",
                                   "a\\b",
                                   "c:kfzdat",
                                   "kfz.ini",
                                   "KFZ.INI",
                                   "kfzdata.csv",
                                   "Kfzdata.CSV",
                                   "kfz.ini.",
                                   "kfzdata.csv ",
                                   "KFZDAT~1.CSV",
                                   "NUL",
                                   "con.txt",
                                   "COM1",
                                   "lpt9.dat",
                                   std::string("a\0b", 3),
                                   "kfzdat\r.001",
                                   "kfzdat.001\n",
                                   "kfz\x1a"
                                   "dat",
                                   "COM\xB9",
                                   "lpt\xB3.txt",
                                   "CONIN$",
                                   "conout$.log"};
    for (const std::string& name : refused) EXPECT_FALSE(isVehicleFileName(name)) << name;

    FixedClock clock{QDateTime(QDate(2026, 1, 1), QTime(0, 0))};
    const AppState state(QStringLiteral("/daten/"), clock);
    EXPECT_EQ(state.path("kfz.ini"), "/daten/kfz.ini"); // the program's own files by their own names
    EXPECT_EQ(state.vehicleFilePath("kfz.ini"), "");
    EXPECT_EQ(state.path("../kfzdat.001"), "");
    EXPECT_EQ(state.vehicleFilePath("kfzdat.001"), "/daten/kfzdat.001");
}

} // namespace
