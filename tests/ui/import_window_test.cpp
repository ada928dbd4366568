// The import dialog driven headless: it starts in the documents folder, asks before it imports,
// and after the import the vehicles are in the menu and on disk before the vehicle management opens.
#include "support/window_fixture.h"

#include "records/record_list_view.h"
#include "support/file_size_limit.h"
#include "ui_import_dialog.h"
#include "vehicles/import_dialog.h"
#include "vehicles/vehicle_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Kind = ScriptedPrompts::Kind;

// Old data: three vehicles, the second without its record file.
const char* const kOldMaster = "nummer;bez;tinh;au;tuev;kdatum;kpreis;bemerk;bild;file\r\n"
                               "A-BC 1;Golf alt;55;15.03.2011;20.04.2012;01.06.2005;18500;;;kfzdat.001\r\n"
                               "K-LM 2;Polo;45;01.01.2011;01.01.2011;01.01.2004;12000;;;kfzdat.002\r\n"
                               "Z-XY 3;Passat;70;01.09.2011;01.09.2011;01.02.2008;30000;;;kfzdat.003\r\n";
const char* const kOldRecords = "ID;Datum;kmstnd;preis;liter;voll;art;text\r\n"
                                "1;02.01.2011;10000;50,5;40;ja;t;\r\n";

class ImportWindowTest : public testing::Test, public MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_old.isValid());
        withSampleData();
        start();
    }
    void writeOldData() {
        ASSERT_TRUE(writeBytes(m_old.filePath("kfzdata.csv"), kOldMaster));
        ASSERT_TRUE(writeBytes(m_old.filePath("kfzdat.001"), kOldRecords));
        ASSERT_TRUE(writeBytes(m_old.filePath("kfzdat.003"), kOldRecords));
    }
    TForm17& open() {
        TForm17& d = window->vehicles().importDialog();
        d.prepare();
        d.show();
        return d;
    }
    QStringList menuTexts() const {
        QStringList out;
        for (QAction* a : window->vehicleMenu()->actions()) out << a->text();
        return out;
    }

    QTemporaryDir m_old;
};

TEST_F(ImportWindowTest, OpensInTheDocumentsFolderEveryTime) {
    TForm17& d = open();
    EXPECT_EQ(d.windowTitle(), "Daten-Import");
    EXPECT_EQ(d.ui().hintLabel->text(), "Bitte wählen Sie das Verzeichniss mit den zu importierenden Dateien aus");
    EXPECT_EQ(d.ui().driveLabel->text(), "&Laufwerke");
    EXPECT_EQ(d.ui().directoryLabel->text(), "&Verzeichnisse");
    EXPECT_EQ(d.ui().cancelButton->text(), "Abbruch");
    EXPECT_GT(d.ui().driveComboBox->count(), 0);

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString start = QDir(documents).exists() ? documents : QDir::homePath();
    EXPECT_EQ(d.selectedDirectory(), QDir::cleanPath(start));
    d.setDirectory(m_old.path());
    EXPECT_EQ(d.selectedDirectory(), m_old.path());
    d.hide();
    open();
    EXPECT_EQ(d.selectedDirectory(), QDir::cleanPath(start));
}

TEST_F(ImportWindowTest, ChoosingADriveShowsItsRoot) {
    TForm17& d = open();
    QComboBox* drives = d.ui().driveComboBox;
    ASSERT_GT(drives->count(), 0);
    drives->setCurrentIndex(0);
    emit drives->activated(0);
    EXPECT_EQ(d.selectedDirectory(), QDir::cleanPath(drives->itemData(0).toString()));
}

TEST_F(ImportWindowTest, YesImportsSavesRebuildsTheMenuAndOpensTheVehicleManagement) {
    writeOldData();
    TForm17& d = open();
    d.setDirectory(m_old.path());
    prompts.answers = {true};
    bool managementShown = false;
    prompts.onPrompt = [&](const ScriptedPrompts::Prompt& p) {
        if (p.kind != Kind::Information) return;
        // The vehicles are in the menu and on disk before the message is read.
        EXPECT_EQ(menuTexts().size(), 5);
        EXPECT_NE(file("kfzdata.csv").find("Z-XY 3"), std::string::npos);
        QTimer::singleShot(0, [&] {
            if (auto* management = qobject_cast<TForm26*>(QApplication::activeModalWidget())) {
                managementShown = true;
                management->reject();
            }
        });
    };
    d.onOk();

    ASSERT_EQ(prompts.prompts.size(), 2u);
    const auto& question = prompts.prompts[0];
    EXPECT_EQ(question.kind, Kind::Confirm);
    EXPECT_EQ(question.title, "Import aus Version 4.x");
    EXPECT_EQ(question.instruction, "Bei Klick auf Ja werden 3 neue Datensätze angelegt.");
    EXPECT_EQ(question.message, "Datenfiles gefunden ! Möchten Sie die Daten von 3 Fahrzeugen importieren ?");
    EXPECT_EQ(prompts.prompts[1].message,
              "Die Daten wurden importiert. In Version 4.x nicht vorhandene Daten wurden mit Standartwerten gefüllt.\r"
              "Bitte überprüfen und editieren Sie diese in der Fahrzuegverwaltung.");
    EXPECT_TRUE(managementShown);
    EXPECT_FALSE(d.isVisible());
    // The old plate "A-BC 1" is taken: the Golf of version 4 got number 4 (kfzdat.003 is owned by M-EL 3).
    EXPECT_TRUE(menuTexts().join('|').contains("A-BC 1 [4]")) << menuTexts().join('|').toStdString();
    EXPECT_NE(file("kfzdat.004"), "<missing>");
    EXPECT_NE(file("kfzdat.005"), "<missing>");
    // The main window still shows the vehicle it showed.
    EXPECT_EQ(window->state().VehicleTable.GetValue("file"), window->state().CurCostFile);

    // Chosen in the menu, the imported vehicle shows its old fill-up.
    for (QAction* a : window->vehicleMenu()->actions())
        if (a->text().contains("Z-XY 3")) a->trigger();
    EXPECT_EQ(window->state().CurCostFile, "kfzdat.005");
    EXPECT_EQ(window->fuelList()->listModel().rowCount(), 1);
    EXPECT_TRUE(std::none_of(prompts.prompts.begin(), prompts.prompts.end(),
                             [](const ScriptedPrompts::Prompt& p) { return p.kind == Kind::Error; }));
}

TEST_F(ImportWindowTest, AnythingButYesLeavesEverythingAsItWas) {
    writeOldData();
    const std::string master = file("kfzdata.csv");
    TForm17& d = open();
    d.setDirectory(m_old.path());
    d.onOk(); // the empty script answers No
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, Kind::Confirm);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(file("kfzdata.csv"), master);
    EXPECT_EQ(file("kfzdat.004"), "<missing>");
    EXPECT_EQ(menuTexts().size(), 3);
}

TEST_F(ImportWindowTest, ADirectoryWithoutOldDataDoesNothing) {
    TForm17& d = open();
    d.setDirectory(m_old.path());
    d.onOk();
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_TRUE(d.isVisible());
}

TEST_F(ImportWindowTest, ADamagedOldFileIsReportedAndTheDialogStaysOpen) {
    writeOldData();
    ASSERT_TRUE(writeBytes(m_old.filePath("kfzdat.003"), "ID;Datum\r\n1;02.01.2011;zu viel\r\n"));
    const std::string master = file("kfzdata.csv");
    TForm17& d = open();
    d.setDirectory(m_old.path());
    prompts.answers = {true};
    d.onOk();
    ASSERT_EQ(prompts.prompts.size(), 2u);
    EXPECT_EQ(prompts.prompts[1].kind, Kind::Error);
    EXPECT_EQ(prompts.prompts[1].message,
              "Die Datei " + QDir::toNativeSeparators(m_old.filePath("kfzdat.003")) +
                  " ist beschädigt und konnte nicht vollständig gelesen werden.\rEs wurden keine Daten importiert.");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(file("kfzdata.csv"), master);
    EXPECT_EQ(file("kfzdat.004"), "<missing>");
    EXPECT_EQ(menuTexts().size(), 3);
}

TEST_F(ImportWindowTest, AFailedSaveIsReportedAndNothingIsImported) {
    writeOldData();
    const std::string master = file("kfzdata.csv");
    TForm17& d = open();
    d.setDirectory(m_old.path());
    prompts.answers = {true};
    {
        const FileSizeLimit limit(200); // the record files fit, the master table does not
        d.onOk();
    }
    ASSERT_EQ(prompts.prompts.size(), 2u);
    EXPECT_EQ(prompts.prompts[1].kind, Kind::Error);
    EXPECT_TRUE(prompts.prompts[1].message.startsWith("Die Datei kfzdata.csv konnte nicht gespeichert werden.\r"))
        << prompts.prompts[1].message.toStdString();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(file("kfzdata.csv"), master);
    EXPECT_EQ(file("kfzdat.004"), "<missing>");
    EXPECT_EQ(menuTexts().size(), 3);
    EXPECT_EQ(window->state().VehicleTable.RowCount(), 3);
}

TEST_F(ImportWindowTest, EscapeClosesWithoutImporting) {
    writeOldData();
    TForm17& d = open();
    d.setDirectory(m_old.path());
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(file("kfzdat.004"), "<missing>");
}

TEST_F(ImportWindowTest, TheMenuItemIsEnabledAndOpensTheDialog) {
    QAction* item = window->action("Datei", "Daten importieren");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<TForm17*>(QApplication::activeModalWidget())) {
            shown = d->windowTitle();
            d->reject();
        }
    });
    item->trigger();
    EXPECT_EQ(shown, "Daten-Import");
    EXPECT_EQ(window->state().VehicleTable.RowCount(), 3); // cancelled: nothing imported
}

} // namespace
