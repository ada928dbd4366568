#include "store/atomic_file.h"
#include "store/mlb2.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::vector<std::vector<std::string>> contentOf(const TMlb2& t) {
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> header;
    for (int f = 1; f <= t.FieldCount(); ++f) header.push_back(t.FieldName(f));
    out.push_back(header);
    for (int r = 1; r <= t.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int f = 0; f < t.FieldCount(); ++f) row.push_back(t.ValueAt(r, f));
        out.push_back(row);
    }
    return out;
}

using Content = std::vector<std::vector<std::string>>;

struct LoadCase {
    const char* name;
    std::string bytes;
    Content expected; // header first
};
void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class TableFileLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(TableFileLoad, ReadsTheBytes) {
    const LoadCase& c = GetParam();
    TMlb2 t;
    t.LoadFromBytes(c.bytes);
    EXPECT_EQ(contentOf(t), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableFileLoad,
    testing::Values(
        LoadCase{"EmptyFile", "", Content{{}}}, LoadCase{"HeaderOnly", "a;b\r\n", Content{{"a", "b"}}},
        LoadCase{"EmptyHeaderItemAddsNoField", "ID;bez;;nummer\r\n", Content{{"ID", "bez", "nummer"}}},
        LoadCase{"DuplicateHeaderItemAddsNoField", "a;A;b\r\n1;2;3\r\n", Content{{"a", "b"}, {"1", "2"}}},
        LoadCase{"BlankLinesSkipped", "a;b\r\n1;2\r\n\r\n   \r\n3;4\r\n", Content{{"a", "b"}, {"1", "2"}, {"3", "4"}}},
        LoadCase{"ShortLineFilledWithEmpty", "a;b;c;d\r\na;b\r\n", Content{{"a", "b", "c", "d"}, {"a", "b", "", ""}}},
        LoadCase{"LongLineCutToTheFields", "a\r\n1;2\r\n", Content{{"a"}, {"1"}}},
        LoadCase{"Escapes", "a;b\r\nx\\;y;z\r\nC:\\\\Daten;zeile1\\nzeile2\r\n",
                 Content{{"a", "b"}, {"x;y", "z"}, {"C:\\Daten", "zeile1\r\nzeile2"}}},
        LoadCase{"CapitalNIsALineBreakToo", "a\r\n1\\N2\r\n", Content{{"a"}, {"1\r\n2"}}},
        LoadCase{"TrailingBackslashKept", "a;b\r\n1;2\\\r\n", Content{{"a", "b"}, {"1", "2\\"}}},
        LoadCase{"BareLfAndLoneCr", "a;b\n1;2\r3\n", Content{{"a", "b"}, {"1", "23"}}},
        LoadCase{"LastLineWithoutLineEnd", "a\r\nx", Content{{"a"}, {"x"}}},
        LoadCase{"CtrlZEndsTheFile", "a\r\n1\r\n2\x1a\r\n3\r\n", Content{{"a"}, {"1"}, {"2"}}},
        LoadCase{"SpacesKept", "a;b\r\n ; x \r\n", Content{{"a", "b"}, {" ", " x "}}},
        LoadCase{"HighBytesUnchanged", "t\r\n\xd6l \x80\xff\r\n", Content{{"t"}, {"\xd6l \x80\xff"}}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

TEST(TableFileSave, WritesTheDocumentedBytes) {
    TMlb2 t;
    t.AddField("datum");
    t.AddField("preis");
    t.AddField("text");
    EXPECT_EQ(t.ToBytes(), "datum;preis;text\r\n"); // fields, no rows: header only
    t.AppendRow();
    t.SetValue("datum", "01.02.2007");
    t.SetValue("preis", "45,10");
    t.SetValue("text", "\xd6l;Filter\r\nneu");
    EXPECT_EQ(t.ToBytes(), "datum;preis;text\r\n01.02.2007;45,10;\xd6l\\;Filter\\nneu\r\n");

    TMlb2 one;
    one.AddField("x");
    one.AppendRow();
    one.SetValue("x", "a\\b\nc");
    EXPECT_EQ(one.ToBytes(), "x\r\na\\\\bc\r\n"); // one field: no separator; a lone LF is dropped

    TMlb2 none;
    EXPECT_EQ(none.ToBytes(), "");
    EXPECT_EQ(TMlb2ParseCSV::EscapeValue("a;b\\c\rd\ne"), "a\\;b\\\\c\\nde");
}

TEST(TableFileSave, RoundTripKeepsEveryByteAndValue) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    TMlb2 t;
    t.AddField("v");
    t.AddField("w");
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '\n' && b != '\r' && b != 26) all.push_back(static_cast<char>(b));
    const std::vector<std::string> values = {" ", "a\\", "\\", ";", "x\r\ny", "\\n", all, ""};
    for (const auto& v : values) {
        t.AppendRow();
        t.SetValue("v", v);
        t.SetValue("w", "-");
    }
    ASSERT_TRUE(t.SaveToFile(path));
    const std::string written = readBytes(path);
    EXPECT_EQ(written, t.ToBytes());

    TMlb2 back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(contentOf(back), contentOf(t));
    EXPECT_EQ(back.RowNumber(), back.RowCount()); // cursor on the last row after loading
    ASSERT_TRUE(back.SaveToFile(path));
    EXPECT_EQ(readBytes(path), written);
}

TEST(TableFileSave, LoneCrComesBackAsCrLf) {
    TMlb2 t;
    t.AddField("v");
    t.AppendRow();
    t.SetValue("v", "a\rb");
    TMlb2 back;
    back.LoadFromBytes(t.ToBytes());
    EXPECT_EQ(back.ValueAt(1, 0), "a\r\nb");
}

TEST(TableFileErrors, MissingFileLeavesTheTable) {
    QTemporaryDir dir;
    TMlb2 t;
    t.AddField("keep");
    t.AppendRow();
    EXPECT_FALSE(t.LoadFromFile(dir.filePath("gibtsnicht.csv")));
    EXPECT_EQ(t.ErrorCode(), 3);
    EXPECT_EQ(t.ErrorText(), "1-Unable to open the file for reading");
    EXPECT_EQ(t.FieldCount(), 1);
    EXPECT_EQ(t.RowCount(), 1);
    EXPECT_FALSE(t.LoadFromFile("   "));
    EXPECT_EQ(t.ErrorCode(), 3);

    ASSERT_TRUE(writeBytes(dir.filePath("leer"), ""));
    EXPECT_TRUE(t.LoadFromFile(dir.filePath("leer")));
    EXPECT_EQ(t.ErrorCode(), 0);
    EXPECT_TRUE(t.ErrorText().isEmpty());
    EXPECT_EQ(t.FieldCount(), 0);
}

TEST(TableFileErrors, SaveIntoMissingFolderFails) {
    QTemporaryDir dir;
    TMlb2 t;
    t.AddField("a");
    EXPECT_FALSE(t.SaveToFile(dir.filePath("nicht/da/kfzdata.csv")));
    EXPECT_EQ(t.ErrorCode(), 3);
    EXPECT_EQ(t.ErrorText(), "1-Unable to open the file for writing");
    EXPECT_FALSE(QFile::exists(dir.filePath("nicht/da/kfzdata.csv")));
    EXPECT_TRUE(t.SaveToFile(dir.filePath("kfzdata.csv")));
    EXPECT_EQ(t.ErrorCode(), 0);
}

TEST(TableFileErrors, FailedSaveLeavesTheOldFileByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    const std::string old = "ID;Datum\r\n1;01.01.2020\r\n";
    ASSERT_TRUE(writeBytes(path, old));

    TMlb2 t;
    t.AddField("ID");
    t.AddField("Datum");
    for (int i = 0; i < 2000; ++i) {
        t.AppendRow();
        t.SetValue("ID", "1");
        t.SetValue("Datum", "01.01.2020 mit etwas mehr Text");
    }
    ASSERT_GT(t.ToBytes().size(), 12000u);
    bool saved = true;
    {
        FileSizeLimit limit(8192);
        saved = t.SaveToFile(path);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(t.ErrorCode(), 3);
    EXPECT_TRUE(t.ErrorText().startsWith("2-"));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left behind
    EXPECT_EQ(t.RowCount(), 2000);                                // the table keeps the change
}

// A device is no file of the program: nothing is written into it, and the reason is given.
TEST(TableFileErrors, DevFullIsRefused) {
    QString reason;
    EXPECT_EQ(saveFileAtomically("/dev/full", std::string(100000, 'x'), &reason), AtomicSaveResult::NotARegularFile);
    EXPECT_FALSE(reason.isEmpty());
}

} // namespace

namespace {

// Inputs the fuzzer found interesting: loading them, saving and loading again gives the same
// table and the same bytes.
TEST(TableFileFuzzFindings, LoadSaveLoadIsStable) {
    const QDir dir(QStringLiteral(WAGENWART_FIXTURES "/fuzz/table_load"));
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const std::string bytes = readBytes(dir.filePath(name));
        TMlb2 first;
        first.LoadFromBytes(bytes);
        bool plainNames = true;
        for (int f = 1; f <= first.FieldCount(); ++f)
            plainNames = plainNames && first.FieldName(f).find_first_of(";\\\r\n") == std::string::npos;
        if (!plainNames) continue; // names are written as they are; the program never makes such names
        TMlb2 second;
        second.LoadFromBytes(first.ToBytes());
        TMlb2 third;
        third.LoadFromBytes(second.ToBytes());
        EXPECT_EQ(third.ToBytes(), second.ToBytes());
        EXPECT_EQ(second.FieldCount(), first.FieldCount());
    }
}

} // namespace

// A load tells whether it took the whole file; what it did not take would be lost by a save.
struct WholeCase {
    const char* name;
    const char* bytes;
    bool whole;
};

class LoadedWhole : public testing::TestWithParam<WholeCase> {};

TEST_P(LoadedWhole, SaysWhetherTheFileWasTakenWhole) {
    TMlb2 t;
    t.LoadFromBytes(GetParam().bytes);
    EXPECT_EQ(t.LoadedWhole(), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadedWhole,
    testing::Values(WholeCase{"plain", "ID;bez\r\n1;Golf\r\n2;Zoe\r\n", true},
                    WholeCase{"lf_line_ends", "ID;bez\n1;Golf\n", true},
                    WholeCase{"end_of_file_mark_at_the_end", "ID;bez\r\n1;Golf\r\n\x1a", true},
                    WholeCase{"empty_items_beyond_the_fields", "ID;bez\r\n1;Golf;;\r\n", true},
                    WholeCase{"empty_name_at_the_end_of_the_header", "ID;bez;\r\n1;Golf\r\n", true},
                    WholeCase{"empty_file", "", true},
                    WholeCase{"bytes_after_an_end_of_file_mark", "ID;bez\r\n1;Go\x1alf\r\n2;Zoe\r\n", false},
                    WholeCase{"an_item_beyond_the_fields", "ID;bez\r\n1;Golf;rot\r\n", false},
                    WholeCase{"a_repeated_name", "ID;bez;BEZ;nummer\r\n1;Golf;x;A-B 1\r\n", false},
                    WholeCase{"a_missing_name", "ID;;nummer\r\n1;Golf;A-B 1\r\n", false},
                    WholeCase{"cr_alone_as_line_end", "ID;bez\r1;Golf\r2;Zoe\r", false},
                    WholeCase{"byte_order_mark", "\xEF\xBB\xBFID;bez\r\n1;Golf\r\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableFileErrors, WhatIsNotARegularFileIsNotRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("kfzdat.001");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    TMlb2 t;
    t.AddField("ID");
    EXPECT_FALSE(t.LoadFromFile(fifo)); // at once: a pipe without a writer would block
    EXPECT_EQ(t.FieldCount(), 1);       // the table stays
    EXPECT_FALSE(t.LoadFromFile(dir.path()));
}
