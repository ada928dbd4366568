#include "core/ini_file.h"

#include "support/fixture_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    std::string bytes;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheValue) {
    const ReadCase& c = GetParam();
    IniFile ini;
    ini.loadFromBytes(c.bytes);
    EXPECT_EQ(ini.find(c.section, c.key), c.expected);
    EXPECT_EQ(ini.value(c.section, c.key, "default"), c.expected.value_or("default"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    testing::Values(ReadCase{"Plain", "[Fenster]\r\nLeft=12\r\n", "Fenster", "Left", "12"},
                    ReadCase{"NamesIgnoreLetterCase", "[fenster]\r\nLEFT=12\r\n", "FENSTER", "left", "12"},
                    ReadCase{"BlanksAroundRemoved", "  [ Fenster ]  \r\n  Left =  12 \t\r\n", "Fenster", "Left", "12"},
                    ReadCase{"BlanksInsideKept", "[E]\r\nMasseinheit= L Liter \r\n", "E", "Masseinheit", "L Liter"},
                    ReadCase{"EmptyValueIsPresent", "[E]\r\nWaehrung=\r\n", "E", "Waehrung", ""},
                    ReadCase{"EqualsSignInValue", "[E]\r\nk=a=b\r\n", "E", "k", "a=b"},
                    ReadCase{"LineFeedOnly", "[E]\nk=v\n", "E", "k", "v"},
                    ReadCase{"NoFinalLineEnd", "[E]\r\nk=v", "E", "k", "v"},
                    ReadCase{"Windows1252Kept", "[E]\r\nWaehrung=\x80\r\n", "E", "Waehrung", "\x80"},
                    ReadCase{"FirstSectionOfTwoWins", "[E]\r\nk=1\r\n[X]\r\n[e]\r\nk=2\r\n", "E", "k", "1"},
                    ReadCase{"FirstKeyOfTwoWins", "[E]\r\nk=1\r\nK=2\r\n", "E", "k", "1"},
                    ReadCase{"KeyOfAnotherSection", "[A]\r\nk=1\r\n[B]\r\n", "B", "k", std::nullopt},
                    ReadCase{"KeyBeforeAnySection", "k=1\r\n[E]\r\n", "E", "k", std::nullopt},
                    ReadCase{"CommentIsNoKey", "[E]\r\n;k=1\r\n#k=2\r\n", "E", "k", std::nullopt},
                    ReadCase{"UnclosedBracketIsNoSection", "[E\r\nk=1\r\n", "E", "k", std::nullopt},
                    ReadCase{"AbsentSection", "", "E", "k", std::nullopt}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(IniReadInteger, IsDecimalOrTheDefault) {
    IniFile ini;
    ini.loadFromBytes("[E]\r\na=14\r\nb=abc\r\nc=\r\nd=-3\r\ne=12x\r\nf=+5\r\ng=99999999999\r\nh=$10\r\n");
    const std::pair<const char*, int> cases[] = {{"a", 14}, {"b", 7}, {"c", 7}, {"d", -3},    {"e", 7},
                                                 {"f", 5},  {"g", 7}, {"h", 7}, {"absent", 7}};
    for (const auto& [key, expected] : cases) {
        SCOPED_TRACE(key);
        EXPECT_EQ(ini.intValue("E", key, 7), expected);
    }
}

struct WriteCase {
    const char* name;
    std::string before;
    std::vector<std::array<const char*, 3>> writes; // section, key, value
    std::string after;
};
void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, GivesTheBytes) {
    const WriteCase& c = GetParam();
    IniFile ini;
    ini.loadFromBytes(c.before);
    for (const auto& [section, key, value] : c.writes) ini.setValue(section, key, value);
    EXPECT_EQ(ini.toBytes(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(WriteCase{"IntoNothing",
                              "",
                              {{"A", "x", "1"}, {"B", "y", ""}, {"A", "z", "3"}},
                              "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=\r\n"},
                    WriteCase{"ReplaceKeepsPlaceAndSpelling",
                              "[a]\r\n Left = 1 \r\nTop=2\r\n",
                              {{"A", "left", "5"}},
                              "[a]\r\nLeft=5\r\nTop=2\r\n"},
                    WriteCase{"NewKeyBeforeTheBlankLineOfItsSection",
                              "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n",
                              {{"A", "z", "3"}},
                              "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
                    WriteCase{"NewKeyIntoEmptySection", "[A]\r\n[B]\r\n", {{"A", "x", "1"}}, "[A]\r\nx=1\r\n[B]\r\n"},
                    WriteCase{"CommentsAndUnknownLinesStay",
                              "; Kopf\r\n[A]\r\n; x\r\nunklar\r\nx=1\r\n",
                              {{"A", "x", "2"}},
                              "; Kopf\r\n[A]\r\n; x\r\nunklar\r\nx=2\r\n"},
                    WriteCase{"LineFeedFileGetsCrLf", "[A]\nx=1", {{"A", "y", "2"}}, "[A]\r\nx=1\r\ny=2\r\n"},
                    WriteCase{"SameValueTwiceOneLine", "", {{"A", "x", "1"}, {"a", "X", "2"}}, "[A]\r\nx=2\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

// The shut-down writes its keys in one save; the bytes are those of writing each key for itself.
TEST(IniFileOnDisk, GroupSaveEqualsWritingOneByOne) {
    const std::array<std::array<const char*, 3>, 5> writes{{{"Fenster", "Left", "3"},
                                                            {"Fenster", "Top", "4"},
                                                            {"LastUse", "FileName", "kfzdat.001"},
                                                            {"Einstellung", "startsound", "ja"},
                                                            {"Einstellung", "Masseinheit", ""}}};
    for (const char* start : {"", "kfz_older.ini"}) {
        SCOPED_TRACE(*start ? start : "no file");
        QTemporaryDir dir;
        const QString single = dir.filePath("single.ini");
        const QString group = dir.filePath("group.ini");
        if (*start) {
            ASSERT_TRUE(QFile::copy(fixture(start), single));
            ASSERT_TRUE(QFile::copy(fixture(start), group));
        }
        for (const auto& [section, key, value] : writes) ASSERT_TRUE(writeIniValue(single, section, key, value));
        IniFile ini;
        ASSERT_TRUE(ini.load(group));
        for (const auto& [section, key, value] : writes) ini.setValue(section, key, value);
        ASSERT_TRUE(ini.save(group));
        EXPECT_EQ(readBytes(group), readBytes(single));
        EXPECT_EQ(readIniValue(single, "LASTUSE", "filename"), "kfzdat.001");
    }
}

TEST(IniFileOnDisk, MissingFileReadsAsEmpty) {
    QTemporaryDir dir;
    IniFile ini;
    EXPECT_TRUE(ini.load(dir.filePath("kfz.ini")));
    EXPECT_EQ(ini.toBytes(), "");
    EXPECT_EQ(readIniValue(dir.filePath("kfz.ini"), "E", "k", "vorgabe"), "vorgabe");
    EXPECT_FALSE(QFile::exists(dir.filePath("kfz.ini")));
}

TEST(IniFileOnDisk, FailedWriteIsReportedAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfz.ini");
    ASSERT_TRUE(QFile::copy(fixture("kfz_older.ini"), path));
    const std::string old = readBytes(path);
    QString reason;
    bool written = true;
    {
        FileSizeLimit limit(16);
        written = writeIniValue(path, "Einstellung", "Waehrung", "SFr", &reason);
    }
    EXPECT_FALSE(written);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readBytes(path), old);

    reason.clear();
    EXPECT_FALSE(writeIniValue(dir.filePath("fehlt/kfz.ini"), "E", "k", "v", &reason));
    EXPECT_FALSE(reason.isEmpty());
}

} // namespace
