// The dialog "Daten-Export" and the export through the save dialog, headless: the save dialog and
// the program that opens the new file are scripted.

#include "core/banner.h"
#include "support/app_state_fixture.h"
#include "support/scripted_prompts.h"
#include "ui_data_export_dialog.h"
#include "vehicles/data_export.h"
#include "vehicles/data_export_dialog.h"
#include "vehicles/export_windows.h"
#include "vehicles/workbook_samples.h"

#include <QDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompts::Kind;

class ExportWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_data.dir.isValid());
        ASSERT_TRUE(m_out.isValid());
        m_data.state.VehicleTable = sampleVehicle();
        m_data.state.CostTable = sampleRecords();
        m_exports.setSaveFileDialog(
            [this](QWidget*, const QString& caption, const QString& proposed, const QString& filter) {
                m_asked.push_back({caption, proposed, filter});
                return m_answer;
            });
        m_exports.setFileOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return m_openerWorks;
        });
    }
    // The dialog as the menu shows it, without its own event loop.
    TFormExport& shown() {
        TFormExport& d = m_exports.exportDialog();
        d.prepare();
        d.show();
        return d;
    }
    QString target(const char* name) const { return m_out.path() + u'/' + QLatin1String(name); }

    struct Asked {
        QString caption, proposed, filter;
    };
    TestDataDir m_data{QDateTime(QDate(2026, 5, 10), QTime(9, 30))};
    QTemporaryDir m_out;
    ScriptedPrompts m_prompts;
    ExportWindows m_exports{m_data.state, m_prompts, nullptr};
    std::vector<Asked> m_asked;
    std::optional<QString> m_answer;
    std::vector<QUrl> m_opened;
    bool m_openerWorks = true;
};

TEST_F(ExportWindowTest, ShowsTheFormatChoiceWithExcelPreselected) {
    TFormExport& d = shown();
    Ui::TFormExport& u = d.ui();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Daten-Export"));
    EXPECT_EQ(u.banner->caption(), QStringLiteral("Daten exportieren"));
    EXPECT_EQ(u.formatGroupBox->title(), QStringLiteral("Format"));
    EXPECT_EQ(u.excelRadioButton->text(), QStringLiteral("&Microsoft Excel"));
    EXPECT_EQ(u.calcRadioButton->text(), QStringLiteral("&OpenOffice Calc"));
    EXPECT_TRUE(u.excelRadioButton->isChecked());
    EXPECT_FALSE(u.calcRadioButton->isChecked());
    EXPECT_EQ(u.okButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(u.closeButton->text(), QStringLiteral("Schließen"));
    EXPECT_EQ(d.format(), WorkbookFormat::Xlsx);
}

TEST_F(ExportWindowTest, OkWritesTheChosenFileAndOpensIt) {
    for (const WorkbookFormat format : {WorkbookFormat::Xlsx, WorkbookFormat::Ods}) {
        const QString suffix = workbookSuffix(format);
        m_asked.clear();
        m_opened.clear();
        TFormExport& d = shown();
        (format == WorkbookFormat::Xlsx ? d.ui().excelRadioButton : d.ui().calcRadioButton)->click();
        m_answer = target("Kosten") + suffix;
        d.ui().okButton->click();

        ASSERT_EQ(m_asked.size(), 1u);
        EXPECT_EQ(m_asked[0].caption, QStringLiteral("Daten exportieren"));
        EXPECT_EQ(m_asked[0].proposed, documentsFolder() + QStringLiteral("/M-AB 123 Kosten") + suffix);
        EXPECT_EQ(m_asked[0].filter, format == WorkbookFormat::Xlsx ? QStringLiteral("Excel-Arbeitsmappe (*.xlsx)")
                                                                    : QStringLiteral("OpenDocument-Tabelle (*.ods)"));
        EXPECT_EQ(readBytes(*m_answer).substr(0, 2), "PK");
        EXPECT_EQ(m_opened, std::vector<QUrl>{QUrl::fromLocalFile(*m_answer)});
        EXPECT_TRUE(m_prompts.prompts.empty());
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
}

TEST_F(ExportWindowTest, ANameWithoutTheSuffixGetsIt) {
    TFormExport& d = shown();
    d.ui().calcRadioButton->click();
    m_answer = target("Auswertung");
    d.ui().okButton->click();
    EXPECT_EQ(m_opened, std::vector<QUrl>{QUrl::fromLocalFile(target("Auswertung.ods"))});
    EXPECT_EQ(QDir(m_out.path()).entryList(QDir::Files), QStringList{"Auswertung.ods"});
}

TEST_F(ExportWindowTest, AFailedWriteIsSaidAndTheDialogStaysOpen) {
    ASSERT_TRUE(QDir().mkdir(target("Kosten.xlsx")));
    TFormExport& d = shown();
    m_answer = target("Kosten.xlsx");
    d.ui().okButton->click();
    ASSERT_EQ(m_prompts.prompts.size(), 1u);
    EXPECT_EQ(m_prompts.prompts[0].kind, Kind::Error);
    EXPECT_EQ(m_prompts.prompts[0].message,
              QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\rUnter diesem Namen gibt es schon einen "
                             "Ordner.")
                  .arg(QDir::toNativeSeparators(target("Kosten.xlsx"))));
    EXPECT_TRUE(m_opened.empty());
    EXPECT_TRUE(d.isVisible());
}

TEST_F(ExportWindowTest, ACancelledSaveDialogWritesNothing) {
    TFormExport& d = shown();
    m_answer = std::nullopt;
    d.ui().okButton->click();
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(m_opened.empty());
    EXPECT_TRUE(QDir(m_out.path()).isEmpty());
}

TEST_F(ExportWindowTest, SchliessenAndEscapeCloseWithoutWriting) {
    TFormExport& d = shown();
    d.ui().closeButton->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    TFormExport& again = shown();
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_TRUE(m_asked.empty());
    EXPECT_TRUE(m_prompts.prompts.empty());
}

TEST_F(ExportWindowTest, AFileThatDoesNotOpenIsStillWrittenAndTheUserIsTold) {
    m_openerWorks = false;
    m_answer = target("Kosten.ods");
    EXPECT_TRUE(
        m_exports.exportWorkbook(nullptr, sampleWorkbook(), QStringLiteral("Fahrzeugliste"), WorkbookFormat::Ods));
    EXPECT_EQ(m_asked[0].proposed, documentsFolder() + QStringLiteral("/Fahrzeugliste.ods"));
    ASSERT_EQ(m_prompts.prompts.size(), 1u);
    EXPECT_EQ(m_prompts.prompts[0].kind, Kind::Information);
    EXPECT_EQ(m_prompts.prompts[0].message,
              QStringLiteral("Die Datei %1 wurde gespeichert, konnte aber nicht geöffnet werden.")
                  .arg(QDir::toNativeSeparators(*m_answer)));
    EXPECT_EQ(readBytes(*m_answer).substr(0, 2), "PK");
}

TEST_F(ExportWindowTest, TheMenuOpensTheDialogModally) {
    // The dialog runs its own loop until "Schließen".
    bool seen = false;
    QTimer::singleShot(0, [&] {
        TFormExport& d = m_exports.exportDialog();
        seen = d.isVisible() && d.ui().banner->caption() == QStringLiteral("Daten exportieren");
        d.ui().closeButton->click();
    });
    m_exports.exportCurrentVehicle();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(m_asked.empty());
}

TEST_F(ExportWindowTest, ARecordFileThatCouldNotBeReadIsNotExported) {
    m_data.state.costFileError = QStringLiteral("Die Datei kfzdat.001 konnte nicht gelesen werden.\rE/A-Fehler");
    m_exports.exportCurrentVehicle();
    ASSERT_EQ(m_prompts.prompts.size(), 1u);
    EXPECT_EQ(m_prompts.prompts[0].message, *m_data.state.costFileError);
    EXPECT_TRUE(m_asked.empty());
}

} // namespace
