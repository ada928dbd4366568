#include "core/settings.h"

#include "support/app_state_fixture.h"
#include "support/fixture_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Expected {
    bool startSound = false;
    TColor background = clWindow;
    TColor text = clWindowText;
    std::string unitText;
    std::string currencyText;
    bool remind = false;
    int remindDays = 0;
    std::string nfName;
    bool windowPos = false;
    std::string costFile;
};

auto tie(const Expected& e) {
    return std::tie(e.startSound, e.background, e.text, e.unitText, e.currencyText, e.remind, e.remindDays, e.nfName,
                    e.windowPos, e.costFile);
}

Expected actual(const AppState& state) {
    const Settings& s = state.settings;
    return {s.startSound, s.listBackground, s.listText, s.unitText,  s.currencyText,
            s.remind,     s.remindDays,     s.nfName,   s.windowPos, state.CurCostFile};
}

class SettingsFile : public AppStateTest {
protected:
    SettingsFile() : AppStateTest(QDateTime(QDate(2008, 3, 15), QTime(9, 0))) {}
    QString iniPath() const { return m_dir.filePath("kfz.ini"); }
};

struct ReadCase {
    const char* name;
    std::optional<std::string> file; // nullopt: no kfz.ini
    Expected expected;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsRead : public SettingsFile, public testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsRead, GivesTheValues) {
    const ReadCase& c = GetParam();
    if (c.file) {
        ASSERT_TRUE(writeBytes(iniPath(), *c.file));
    }
    m_state.settings.startSound = true; // whatever was there before
    m_state.CurCostFile = "kfzdat.009";
    ASSERT_EQ(readSettings(m_state), std::nullopt);
    EXPECT_EQ(tie(actual(m_state)), tie(c.expected));
    EXPECT_EQ(QFile::exists(iniPath()), c.file.has_value()); // reading writes nothing
}

Expected withUnit(std::string unit) {
    Expected e;
    e.unitText = std::move(unit);
    return e;
}

Expected full() {
    Expected e;
    e.costFile = "kfzdat.004";
    e.nfName = "Notiz";
    e.startSound = true;
    e.background = static_cast<TColor>(0x00A1B2C3);
    e.text = 0x800000;
    e.windowPos = true;
    e.currencyText = "\x80";
    e.unitText = "KG Kilogramm";
    e.remind = true;
    e.remindDays = 30;
    return e;
}

Expected with(Expected e, auto member, auto value) {
    e.*member = value;
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRead,
    testing::Values(
        ReadCase{"NoFileGivesDefaults", std::nullopt, withUnit("L Liter")},
        ReadCase{"AllKeys",
                 "[LastUse]\r\nFileName=kfzdat.004\r\nNFname=Notiz\r\n[Einstellung]\r\nStartSound=ja\r\n"
                 "FensterPos=ja\r\nFarbe1=$00A1B2C3\r\nFarbe2=clNavy\r\nWaehrung=\x80\r\n"
                 "Masseinheit=KG Kilogramm\r\nTerminRemind=ja\r\nTerminRemTime=30\r\n",
                 full()},
        ReadCase{"NamesInOtherLetterCase",
                 "[lastuse]\r\nFILENAME=kfzdat.004\r\nnfname=Notiz\r\n[EINSTELLUNG]\r\nstartsound=ja\r\n"
                 "fensterpos= ja \r\nfarbe1=$00a1b2c3\r\nfarbe2=CLNAVY\r\nwaehrung=\x80\r\n"
                 "masseinheit=KG Kilogramm\r\nterminremind=ja\r\nterminremtime= 30\r\n",
                 full()},
        ReadCase{"StartSoundCapitalJaIsOff", "[Einstellung]\r\nStartSound=Ja\r\nTerminRemind=JA\r\n", Expected{}},
        ReadCase{"RemTimeNotAnIntegerIsZero", "[Einstellung]\r\nTerminRemTime=abc\r\n", Expected{}},
        ReadCase{"MasseinheitAbsentIsEmpty", "[Einstellung]\r\nStartSound=nein\r\n", Expected{}},
        // An absent or unreadable colour keeps the window's colour.
        ReadCase{"ColourNotAColourText", "[Einstellung]\r\nFarbe1=blau\r\nFarbe2=\r\n", Expected{}},
        ReadCase{"OnlyOneColour", "[Einstellung]\r\nFarbe2=clRed\r\n", with(Expected{}, &Expected::text, 0x0000FF)},
        ReadCase{"EmptyFile", "", Expected{}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// First shut-down on a machine that had no kfz.ini: the ten keys in their order.
TEST_F(SettingsFile, FirstShutDownWritesTheTenKeysInOrder) {
    ASSERT_EQ(readSettings(m_state), std::nullopt);
    m_state.CurCostFile = "kfzdat.002";
    m_state.settings.nfName = "Muster";
    m_state.settings.startSound = true;
    m_state.settings.listBackground = static_cast<TColor>(0x00A1B2C3);
    m_state.settings.listText = 0x800000;
    m_state.settings.currencyText = "\x80";
    EXPECT_EQ(writeShutdownSettings(m_state, 120, -8), std::nullopt);
    EXPECT_EQ(readBytes(iniPath()), readBytes(fixture("kfz_first_shutdown.ini")));

    // and the next start reads the same values back, the nameless colour included
    AppState next(dataDir(), m_clock);
    ASSERT_EQ(readSettings(next), std::nullopt);
    EXPECT_EQ(tie(actual(next)), tie(actual(m_state)));
}

// A file of an older version keeps its lines; missing keys join their sections, "Masseinheit"
// absent is written back empty, "Ja" is written back as "nein".
TEST_F(SettingsFile, ShutDownKeepsAnOlderFileInPlace) {
    ASSERT_TRUE(QFile::copy(fixture("kfz_older.ini"), iniPath()));
    ASSERT_EQ(readSettings(m_state), std::nullopt);
    EXPECT_EQ(m_state.settings.unitText, "");
    EXPECT_EQ(m_state.settings.listBackground, static_cast<TColor>(0xF0CAA6));
    EXPECT_EQ(writeShutdownSettings(m_state, 10, 20), std::nullopt);
    EXPECT_EQ(readBytes(iniPath()), readBytes(fixture("kfz_older_after_shutdown.ini")));
}

TEST_F(SettingsFile, ShutDownCreatesAMissingDataDirectory) {
    AppState state(m_dir.filePath("neu/Sternhof/Wagenwart_test/"), m_clock);
    ASSERT_EQ(readSettings(state), std::nullopt);
    EXPECT_EQ(writeShutdownSettings(state, 0, 0), std::nullopt);
    EXPECT_TRUE(QFile::exists(state.path("kfz.ini")));
}

TEST_F(SettingsFile, ReminderKeysAreWrittenTogetherAndTakenOver) {
    ASSERT_TRUE(QFile::copy(fixture("kfz_first_shutdown.ini"), iniPath()));
    ASSERT_EQ(readSettings(m_state), std::nullopt);
    EXPECT_EQ(writeReminderSettings(m_state, true, 200), std::nullopt);
    EXPECT_TRUE(m_state.settings.remind);
    EXPECT_EQ(m_state.settings.remindDays, 200);
    EXPECT_EQ(readBytes(iniPath()),
              readBytes(fixture("kfz_first_shutdown.ini")) + "TerminRemind=ja\r\nTerminRemTime=200\r\n");
    EXPECT_EQ(writeReminderSettings(m_state, false, 0), std::nullopt);
    EXPECT_EQ(readBytes(iniPath()),
              readBytes(fixture("kfz_first_shutdown.ini")) + "TerminRemind=nein\r\nTerminRemTime=0\r\n");
}

TEST_F(SettingsFile, FailedWritesAreReportedAndTheFileStays) {
    ASSERT_TRUE(QFile::copy(fixture("kfz_older.ini"), iniPath()));
    const std::string old = readBytes(iniPath());
    ASSERT_EQ(readSettings(m_state), std::nullopt);
    std::optional<QString> shutDown, reminder;
    {
        FileSizeLimit limit(32);
        shutDown = writeShutdownSettings(m_state, 1, 2);
        reminder = writeReminderSettings(m_state, true, 7);
    }
    for (const auto& message : {shutDown, reminder}) {
        ASSERT_TRUE(message.has_value());
        EXPECT_TRUE(message->startsWith("Die Datei kfz.ini konnte nicht gespeichert werden.\r"));
        EXPECT_GT(message->size(), QString("Die Datei kfz.ini konnte nicht gespeichert werden.\r").size());
    }
    EXPECT_EQ(readBytes(iniPath()), old);
    EXPECT_TRUE(m_state.settings.remind); // the values are kept in memory
    EXPECT_EQ(m_state.settings.remindDays, 7);

    // a data directory that cannot be created
    ASSERT_TRUE(writeBytes(m_dir.filePath("datei"), "x"));
    AppState blocked(m_dir.filePath("datei/"), m_clock);
    EXPECT_TRUE(writeShutdownSettings(blocked, 0, 0).has_value());
}

} // namespace
