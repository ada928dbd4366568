// The RTF writer: the report as a file that another program reads back (unrtf), and the escapes
// of the characters RTF treats specially.
#include "records/statistics.h"
#include "support/cost_tables.h"
#include "vehicles/cost_report.h"
#include "vehicles/rtf_writer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::string rtfOf(const std::vector<ReportParagraph>& paragraphs) {
    QTextDocument document;
    fillReportDocument(document, paragraphs);
    return writeRtf(document);
}

// What unrtf reads from the RTF text. Its text output knows no euro sign and no character beyond
// Latin-1, so it is asked for HTML (UTF-8 with entities), whose plain text is what was read.
QString unrtf(const std::string& rtf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bericht.rtf"_s);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rtf.data(), static_cast<qint64>(rtf.size()));
    f.close();
    QProcess p;
    p.start(u"unrtf"_s, {u"--html"_s, path});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QTextDocument html;
    html.setHtml(QString::fromUtf8(p.readAllStandardOutput()));
    return html.toPlainText().replace(QChar::Nbsp, u' ');
}

TEST(RtfWriter, TheReportReadsBackWithUmlautsAndTheEuroSign) {
    TMlb2 vehicles = vehicleTable();
    for (const char* f : {"nummer", "bez", "kpreis", "apreis"}) vehicles.AddField(f);
    vehicles.SetValue("nummer", "M-\xD6L 7"); // "M-ÖL 7"
    vehicles.SetValue("bez", "K\xE4"
                             "fer {alt} \\ neu");
    vehicles.SetValue("kpreis", "20000");
    const TMlb2 costs = costTable(
        {fillUp("01.01.2023", "10000", "60,00", "40,00", true), fillUp("01.01.2024", "25000", "52,50", "35,00", true)});
    const StatisticsPanel panel = computeStatistics(costs, vehicles);
    const std::vector<ReportParagraph> paragraphs =
        drawbericht({costs,
                     vehicles,
                     {panel.totalCosts, panel.fuelCosts, panel.otherCosts, panel.consumption},
                     12000,
                     70,
                     QDate(2026, 5, 10)});
    const std::string rtf = rtfOf(paragraphs);
    for (unsigned char c : rtf) ASSERT_LT(c, 0x80) << "RTF is 7-bit text";

    // unrtf joins a paragraph's lines its own way: compare the words.
    const QString read = unrtf(rtf).simplified();
    for (const ReportParagraph& p : paragraphs) {
        const QString expected = QString(p.text).replace(u'\n', u' ').simplified();
        EXPECT_TRUE(read.contains(expected)) << expected.toStdString() << "\nin\n" << read.toStdString();
    }
    EXPECT_TRUE(read.contains(u"Zusammenfassung für M-ÖL 7 - Käfer {alt} \\ neu"_s)) << read.toStdString();
    EXPECT_TRUE(read.contains(u"Gesamtkosten von 8112,50 €"_s));
    EXPECT_TRUE(read.contains(u"Der Kauf-/Verkaufspreis beträgt : 20000 € / 12000,00 €."_s));
}

TEST(RtfWriter, EscapesFormatsAndCharactersOutsideTheCodePage) {
    const std::string rtf =
        rtfOf({{u"Titel\nzweite Zeile"_s, true, 12, false}, {u"a\\b{c}\td € ü ✓ 🚗"_s, false, 10, true}});
    EXPECT_NE(rtf.find("{\\rtf1\\ansi\\ansicpg1252"), std::string::npos);
    EXPECT_NE(rtf.find("\\fs24\\b Titel\\line zweite Zeile}\\par"), std::string::npos) << rtf;
    EXPECT_NE(
        rtf.find("\\pard\\plain\\fi200 {\\f0\\fs20 a\\\\b\\{c\\}\\tab d \\'80 \\'fc \\u10003? \\u-10179?\\u-8553?}"),
        std::string::npos)
        << rtf;
    const QString read = unrtf(rtf);
    EXPECT_TRUE(read.contains(u"Titel\nzweite Zeile"_s)) << read.toStdString();
    EXPECT_TRUE(read.contains(u"a\\b{c}"_s)) << read.toStdString();
    EXPECT_TRUE(read.contains(u"d € ü ✓"_s)) << read.toStdString();
}

TEST(RtfWriter, TheReportDocumentHasTheParagraphsFormats) {
    QTextDocument document;
    fillReportDocument(document, {{u"Wagenwart\nZusammenfassung"_s, true, 12, false},
                                  {QString(), false, 10, false},
                                  {u"Satz"_s, false, 10, true}});
    ASSERT_EQ(document.blockCount(), 3);
    const QTextBlock title = document.firstBlock();
    EXPECT_EQ(title.text(), u"Wagenwart\u2028Zusammenfassung"_s);
    EXPECT_EQ(title.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(title.begin().fragment().charFormat().fontPointSize(), 12);
    const QTextBlock sentence = document.lastBlock();
    EXPECT_NEAR(sentence.blockFormat().textIndent(), 10 * 96.0 / 72.0, 1e-9);
    EXPECT_EQ(sentence.begin().fragment().charFormat().fontWeight(), QFont::Normal);
}

} // namespace
