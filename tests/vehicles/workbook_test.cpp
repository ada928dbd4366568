// The workbook writers: the texts cells show, the names they accept, and files that replace the old
// one only when complete. What Excel and Calc read from the files is checked by
// check_workbooks.py with independent readers.

#include "vehicles/workbook.h"

#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "vehicles/workbook_samples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace {

using Kind = WorkbookColumn::Kind;

struct CellTextCase {
    const char* name;
    WorkbookCell cell;
    WorkbookColumn column;
    QString shown;
};
void PrintTo(const CellTextCase& c, std::ostream* os) {
    *os << c.name;
}

class CellTexts : public testing::TestWithParam<CellTextCase> {};

TEST_P(CellTexts, AreWrittenAsAGermanUserReadsThem) {
    EXPECT_EQ(workbookCellText(GetParam().cell, GetParam().column), GetParam().shown);
}

const WorkbookColumn kEuro{{}, Kind::Number, 2, QStringLiteral("€")};
const WorkbookColumn kWhole{{}, Kind::Number, 0, {}};

INSTANTIATE_TEST_SUITE_P(
    Workbook, CellTexts,
    testing::Values(CellTextCase{"amount_with_grouping", 1234.5, kEuro, QStringLiteral("1.234,50 €")},
                    CellTextCase{"millions", -1234567.891, kEuro, QStringLiteral("-1.234.567,89 €")},
                    CellTextCase{"rounded_to_zero_has_no_minus", -0.004, kEuro, QStringLiteral("0,00 €")},
                    CellTextCase{"whole_number", 100000.0, kWhole, QStringLiteral("100.000")},
                    CellTextCase{"three_digits_no_point", 999.0, kWhole, QStringLiteral("999")},
                    CellTextCase{"own_format_wins", WorkbookNumber{0.1234, 3, QStringLiteral("SFr")}, kWhole,
                                 QStringLiteral("0,123 SFr")},
                    CellTextCase{"date", QDate(2024, 3, 7), kWhole, QStringLiteral("07.03.2024")},
                    CellTextCase{"text_as_it_is", QStringLiteral("M-AB 123"), kEuro, QStringLiteral("M-AB 123")},
                    CellTextCase{"not_a_number_shows_nothing", std::numeric_limits<double>::infinity(), kEuro,
                                 QString()},
                    CellTextCase{"empty", std::monostate{}, kEuro, QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Workbook, SheetNamesAreMadeValid) {
    EXPECT_EQ(sheetName(QStringLiteral("Sonstige Kosten")), QStringLiteral("Sonstige Kosten"));
    EXPECT_EQ(sheetName(QStringLiteral("Tank/daten [1]: *?\\")), QStringLiteral("Tank_daten _1__ ___"));
    EXPECT_EQ(sheetName(QStringLiteral("'Liste'")), QStringLiteral("_Liste_"));
    EXPECT_EQ(sheetName(QString(40, u'x')), QString(31, u'x'));
    EXPECT_EQ(sheetName(QString()), QStringLiteral("Tabelle"));
    EXPECT_EQ(workbookSuffix(WorkbookFormat::Xlsx), QStringLiteral(".xlsx"));
    EXPECT_EQ(workbookSuffix(WorkbookFormat::Ods), QStringLiteral(".ods"));
}

// A big workbook: 3000 fill-ups.
Workbook bigWorkbook() {
    Workbook book = sampleWorkbook();
    auto& rows = book.sheets[0].rows;
    for (int i = 0; i < 3000; ++i)
        rows.push_back({QDate(2020, 1, 1).addDays(i), 10000.0 + i * 500, 50.0 + i % 40, 40.5, QStringLiteral("ja"),
                        6.5 + (i % 13) / 10.0});
    return book;
}

// The files of a folder, hidden ones too.
QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class WorkbookFile : public testing::TestWithParam<WorkbookFormat> {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& stem = QStringLiteral("Kosten")) const {
        return m_dir.path() + u'/' + stem + workbookSuffix(GetParam());
    }
    QTemporaryDir m_dir;
};

TEST_P(WorkbookFile, ReplacesTheOldFileAndKeepsItsPermissions) {
    ASSERT_TRUE(writeBytes(path(), "die alte Datei"));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path(), permissions));
    const auto before = QFile::permissions(path());

    EXPECT_EQ(writeWorkbook(path(), sampleWorkbook(), GetParam()), QString());

    const std::string bytes = readBytes(path());
    EXPECT_EQ(bytes.substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_EQ(QFile::permissions(path()), before);
    EXPECT_EQ(filesIn(m_dir.path()), QStringList{QFileInfo(path()).fileName()}); // no temporary left
    if (GetParam() == WorkbookFormat::Ods) {
        // The package begins with "mimetype", stored, so that its type shows at offset 30.
        EXPECT_EQ(bytes.substr(30, 8 + 46), "mimetypeapplication/vnd.oasis.opendocument.spreadsheet");
    }
}

TEST_P(WorkbookFile, ANewFileIsMadeWhereThereWasNone) {
    EXPECT_EQ(writeWorkbook(path(QStringLiteral("M-AB 123 Kosten")), sampleWorkbook(), GetParam()), QString());
    EXPECT_EQ(filesIn(m_dir.path()), QStringList{QFileInfo(path(QStringLiteral("M-AB 123 Kosten"))).fileName()});
}

TEST_P(WorkbookFile, AWriteThatFailsLeavesTheOldFileByteForByte) {
    const std::string old = "die alte Datei, die bleiben muss";
    ASSERT_TRUE(writeBytes(path(), old));
    QString reason;
    {
        const FileSizeLimit limit(16 * 1024); // the new file needs far more
        reason = writeWorkbook(path(), bigWorkbook(), GetParam());
    }
    // The .ods is written by minizip, which sees the refused write. libxlsxwriter does not look at
    // its own writes: the cut-off sheet is found when the new file is checked.
    EXPECT_EQ(reason, GetParam() == WorkbookFormat::Ods
                          ? QStringLiteral("Die Datei wird zu groß für diesen Datenträger.")
                          : QStringLiteral("Die Datei konnte nicht vollständig geschrieben werden."));
    EXPECT_EQ(readBytes(path()), old);
    EXPECT_EQ(filesIn(m_dir.path()), QStringList{QFileInfo(path()).fileName()});
}

TEST_P(WorkbookFile, NamesThatCannotBeWrittenAreRefusedWithTheirReason) {
    const QString folder = path(QStringLiteral("Ordner"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString missing = m_dir.path() + QStringLiteral("/fehlt/Kosten") + workbookSuffix(GetParam());
    const struct {
        QString path, reason;
    } cases[] = {
        {folder, QStringLiteral("Unter diesem Namen gibt es schon einen Ordner.")},
        {missing, QStringLiteral("Der Ordner %1 ist nicht vorhanden.")
                      .arg(QDir::toNativeSeparators(m_dir.path() + QStringLiteral("/fehlt")))},
        {QStringLiteral("/dev/null"), QStringLiteral("Die Datei ist keine gewöhnliche Datei.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(writeWorkbook(c.path, sampleWorkbook(), GetParam()), c.reason) << c.path.toStdString();
    EXPECT_EQ(filesIn(m_dir.path()), QStringList());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_P(WorkbookFile, AFolderWithoutPermissionToWriteIsSaid) {
    // sysfs refuses new files even to root, where a chmod would not.
    if (!QFileInfo(QStringLiteral("/sys/kernel")).isDir()) GTEST_SKIP() << "no /sys";
    EXPECT_EQ(
        writeWorkbook(QStringLiteral("/sys/kernel/Kosten") + workbookSuffix(GetParam()), sampleWorkbook(), GetParam()),
        QStringLiteral("Es fehlt die Berechtigung, in diesem Ordner zu schreiben."));
}

TEST_P(WorkbookFile, SheetsTheFormatsRefuseAreNotWritten) {
    ASSERT_TRUE(writeBytes(path(), "alt"));
    Workbook twice = sampleWorkbook();
    twice.sheets[1].name = QStringLiteral("TANKDATEN");
    Workbook invalid = sampleWorkbook();
    invalid.sheets[0].name = QStringLiteral("Tank/daten");
    EXPECT_EQ(writeWorkbook(path(), twice, GetParam()),
              QStringLiteral("Der Tabellenname \"TANKDATEN\" kommt zweimal vor."));
    EXPECT_EQ(writeWorkbook(path(), invalid, GetParam()),
              QStringLiteral("Der Tabellenname \"Tank/daten\" ist ungültig."));
    EXPECT_EQ(writeWorkbook(path(), Workbook{}, GetParam()), QStringLiteral("Die Arbeitsmappe enthält keine Tabelle."));
    EXPECT_EQ(readBytes(path()), "alt");
}

TEST_P(WorkbookFile, EmptySheetsAndLongTextsAreWritten) {
    Workbook book;
    book.sheets.push_back({QStringLiteral("Leer"), {}, {}});
    book.sheets.push_back({QStringLiteral("Lang"), {{QStringLiteral("Text")}}, {{QString(40000, u'ä')}}});
    EXPECT_EQ(writeWorkbook(path(), book, GetParam()), QString());
}

INSTANTIATE_TEST_SUITE_P(Workbook, WorkbookFile, testing::Values(WorkbookFormat::Xlsx, WorkbookFormat::Ods),
                         [](const auto& info) { return info.param == WorkbookFormat::Xlsx ? "xlsx" : "ods"; });

} // namespace
