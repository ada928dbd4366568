// The pages written as a PDF file and read back with pdfinfo and pdftotext: page count, texts in
// order and their places; a target that cannot be written.

#include "core/app_state.h"
#include "report/cost_list_report.h"
#include "report/data_sheet_report.h"
#include "report/pdf_export.h"
#include "report/report_fixture.h"
#include "support/cost_tables.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompts.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& path) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The words of one page in reading order.
QStringList pageWords(const QString& path, int page) {
    const QString text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                          QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")});
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// xMin, yMin, xMax of the first word `word` on page 1, in points.
QRectF wordBox(const QString& path, const QString& word) {
    const QString html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    const QRegularExpression re(
        QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">") +
        QRegularExpression::escape(word) + QStringLiteral("</word>"));
    const QRegularExpressionMatch m = re.match(html);
    if (!m.hasMatch()) return {};
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

// Layout pixels at 96 per inch in PDF points.
double points(int pixels) {
    return pixels * 72.0 / 96.0;
}

class Pdf : public ::testing::Test {
protected:
    tPages prepare(const LayoutPlan& described, const std::function<void(TAlReport&)>& fill) {
        LoadedReport loaded = LoadReport(described, prompts);
        EXPECT_TRUE(loaded);
        fill(*loaded.report);
        tPages pages;
        TAlPrinter printer;
        PreparePages(*loaded.report, pages, printer, reportClock());
        return pages;
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    FixedClock clock{QDateTime(QDate(2026, 5, 10), QTime(9, 30))};
    AppState state{QStringLiteral("/nowhere/"), clock};
};

TEST_F(Pdf, CostListOfAHundredRecordsReadsBackPageByPage) {
    std::vector<Record> records;
    for (int i = 0; i < 100; ++i)
        records.push_back(fillUp("01.03.2026", std::to_string(10000 + 500 * i), "60,00", "40", true));
    records.push_back(otherCost("02.03.2026", "60000", "89,90", "Inspektion"));
    state.CostTable = costTable(records);
    state.VehicleTable = vehicleTable();
    const tPages pages = prepare(costListLayout(), [&](TAlReport& r) { fillCostList(r, state, "A-BC 1  /  Golf"); });
    ASSERT_FALSE(savePagesAsPdf(pages, "Wagenwart v5.3.0", path("kosten.pdf")));

    // Page 1 holds 54 rows below the title and the column titles (1072 - 313 = 759 = 54 × 14 + 3),
    // page 2 the other 47 below the column titles, then the report footer.
    ASSERT_EQ(pdfPages(path("kosten.pdf")), 2);
    const QStringList first = pageWords(path("kosten.pdf"), 1);
    const QStringList start = first.mid(0, 8);
    EXPECT_EQ(start, (QStringList{"A-BC", "1", "/", "Golf", "10.05.2026", "Tachostand", "(KM)", "60000"}));
    EXPECT_EQ(first.count(QStringLiteral("01.03.2026")), 54);
    EXPECT_EQ(first.mid(first.size() - 2), (QStringList{"Seite", "1"}));
    const QStringList second = pageWords(path("kosten.pdf"), 2);
    EXPECT_EQ(second.mid(0, 7), (QStringList{"Datum", "KM-Stand", "Preis", "Menge", "voll", "Verbrauch", "Text"}));
    EXPECT_EQ(second.count(QStringLiteral("01.03.2026")), 46);
    EXPECT_TRUE(second.contains(QStringLiteral("Inspektion")));
    EXPECT_EQ(second.mid(second.size() - 4), (QStringList{"Wagenwart", "v5.3.0", "Seite", "2"}));
}

TEST_F(Pdf, DataSheetTextsStandWhereTheLayoutPutsThem) {
    TMlb2 vehicles;
    for (const char* f : {"nummer", "bez", "kpreis", "waehr", "privat"}) vehicles.AddField(f);
    vehicles.AppendRow();
    vehicles.SetValue("nummer", "A-BC");
    vehicles.SetValue("bez", "Golf");
    vehicles.SetValue("kpreis", "20000");
    vehicles.SetValue("waehr", "0");
    const tPages pages = prepare(dataSheetLayout(), [&](TAlReport& r) { fillDataSheet(r, vehicles); });
    ASSERT_FALSE(savePagesAsPdf(pages, "Datenblatt", path("blatt.pdf")));
    ASSERT_EQ(pdfPages(path("blatt.pdf")), 1);
    constexpr int margin = 57; // 15 mm
    // Captions end at 223, values start at 229 of the left box.
    // The first caption drawn, "Bruttoanschaffungspreis :", ends with its colon at 223.
    EXPECT_NEAR(wordBox(path("blatt.pdf"), ":").right(), points(margin + 223), 1.0);
    EXPECT_NEAR(wordBox(path("blatt.pdf"), "20000,00").left(), points(margin + 229), 1.0);
    EXPECT_NEAR(wordBox(path("blatt.pdf"), "Fahrzeugdaten").left(), points(margin + 53), 1.0);
    EXPECT_NEAR(wordBox(path("blatt.pdf"), "Druckdatum:").left(), points(margin + 504), 1.0);
    const QRectF name = wordBox(path("blatt.pdf"), "Golf");
    EXPECT_NEAR(name.top(), points(92), 4.0); // 15 px text: its glyphs' top a little below the field's top
    const QStringList words = pageWords(path("blatt.pdf"), 1);
    EXPECT_EQ(words.mid(0, 8),
              (QStringList{"Fahrzeugnummer", "/", "Bezeichnung", "Druckdatum:", "10.05.2026", "A-BC", "/", "Golf"}));
    EXPECT_EQ(words.last(), QStringLiteral("v5.3.0"));
}

TEST_F(Pdf, TargetInAFolderThatDoesNotExistIsReported) {
    tPages pages = prepare(costListLayout(), [](TAlReport&) {});
    const QString target = path("fehlt/kosten.pdf");
    const std::optional<QString> failure = savePagesAsPdf(pages, "t", target);
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->startsWith(QStringLiteral("Die Datei ") + target +
                                    QStringLiteral(" konnte nicht gespeichert werden.\r")));
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(Pdf, WriteFailureKeepsTheOldFileByteForByte) {
    tPages pages = prepare(costListLayout(), [](TAlReport&) {});
    const QString target = path("kosten.pdf");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("alt");
    }
    std::optional<QString> failure;
    {
        const FileSizeLimit limit(1000); // the document is larger
        failure = savePagesAsPdf(pages, "t", target);
    }
    EXPECT_TRUE(failure);
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("alt"));
}

} // namespace
