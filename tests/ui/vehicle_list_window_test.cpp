// The vehicle list over the main window: the figures of every vehicle, shading and alignment, the
// print through the preview, deleting a vehicle with its questions, and the main window's current
// vehicle afterwards.

#include "support/window_fixture.h"

#include "report/al_preview.h"
#include "report/pdf_export.h"
#include "report/preview_dialog.h"
#include "report/report_windows.h"
#include "support/capture_printer.h"
#include "ui_main_window.h"
#include "ui_vehicle_list_dialog.h"
#include "vehicles/export_windows.h"
#include "vehicles/vehicle_list_dialog.h"
#include "vehicles/workbook.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompts::Kind;

class VehicleListWindow : public testing::Test, public MainWindowFixture {
protected:
    void SetUp() override {
        withSampleData();
        start();
        // The vehicle A-BC 1, whose files end in 001, is the current one.
        ASSERT_TRUE(window->state().VehicleTable.GoToRow(1));
        window->ActivateVehicle();
        prompts.prompts.clear();
    }
    TForm22& list() { return window->vehicles().vehicleList(); }
    QString cell(int row, int column) { return list().ui().grid->item(row, column)->text(); }
    // Runs `inside` while the list is shown modally from the main menu, then closes it.
    void withListOpen(const std::function<void(TForm22&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<TForm22*>(QApplication::activeModalWidget());
            if (!shown) return;
            ran = true;
            inside(*shown);
            if (shown->isVisible()) shown->reject();
        });
        window->ui().actionFahrzeuglisteUebersicht->trigger();
        EXPECT_TRUE(ran);
    }
};

TEST_F(VehicleListWindow, ShowsEveryVehicleShadedAndAlignedAndLeavesTheCursor) {
    window->state().VehicleTable.GoToRow(2);
    window->ActivateVehicle();
    ASSERT_TRUE(window->ui().actionFahrzeuglisteUebersicht->isEnabled());
    withListOpen([&](TForm22& shown) {
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("Fahrzeugliste"));
        QTableWidget* grid = shown.ui().grid;
        ASSERT_EQ(grid->rowCount(), 3);
        ASSERT_EQ(grid->columnCount(), 19);
        EXPECT_EQ(cell(0, 0), QStringLiteral("A-BC 1"));
        EXPECT_EQ(cell(0, 2), QStringLiteral("312,50"));
        EXPECT_EQ(cell(0, 3), QStringLiteral("312,50")); // one whole month
        EXPECT_EQ(cell(0, 12), QStringLiteral("10500"));
        EXPECT_EQ(cell(1, 2), QStringLiteral("150,00"));
        EXPECT_EQ(cell(1, 11), QStringLiteral("6,00")); // 60 over 1000 km
        EXPECT_EQ(cell(2, 0), QStringLiteral("M-EL 3"));
        EXPECT_EQ(cell(2, 2), QString()); // no record file
        EXPECT_EQ(cell(2, 15), QString());
        EXPECT_EQ(grid->item(0, 2)->background().color(), QColor(0xC0, 0xDC, 0xC0));
        EXPECT_EQ(grid->item(0, 3)->background().color(), QColor(0xD6, 0xE9, 0xD6));
        EXPECT_EQ(grid->item(0, 12)->background().style(), Qt::NoBrush);
        EXPECT_TRUE(grid->item(0, 17)->textAlignment() & Qt::AlignRight);
        EXPECT_TRUE(grid->item(0, 18)->textAlignment() & Qt::AlignLeft);
        EXPECT_GT(grid->columnWidth(1), grid->columnWidth(18));
        EXPECT_GT(grid->columnWidth(18), grid->columnWidth(2));
        QTest::keyClick(&shown, Qt::Key_Escape);
        EXPECT_FALSE(shown.isVisible());
    });
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), 2);
    EXPECT_EQ(window->state().CurCostFile, "kfzdat.002");
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(VehicleListWindow, DeletingTheCurrentVehicleRebuildsTheListAndShowsTheNextOne) {
    ASSERT_EQ(window->state().CurCostFile, "kfzdat.001");
    prompts.answers = {true};
    withListOpen([&](TForm22& shown) {
        shown.ui().grid->setCurrentCell(0, 4);
        shown.ui().deleteButton->click();
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_EQ(prompts.prompts[0].kind, Kind::Confirm);
        EXPECT_EQ(prompts.prompts[0].title, QStringLiteral("Fahrzeug löschen"));
        EXPECT_EQ(prompts.prompts[0].instruction, QStringLiteral(" Klicken Sie Ja nur wenn Sie sicher sind."));
        EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("Möchten Sie das Fahrzeug \"A-BC 1\" löschen ?"));
        ASSERT_EQ(shown.ui().grid->rowCount(), 2);
        // the row that moved up shows its own vehicle, nothing of the deleted one
        EXPECT_EQ(cell(0, 0), QStringLiteral("B-XY 10"));
        EXPECT_EQ(cell(0, 2), QStringLiteral("150,00"));
        EXPECT_EQ(cell(0, 8), QStringLiteral("0,00"));
        EXPECT_EQ(cell(1, 2), QString());
    });
    EXPECT_FALSE(QFile::exists(dataDir() + QStringLiteral("kfzdat.001")));
    EXPECT_EQ(window->state().VehicleTable.RowCount(), 2);
    EXPECT_EQ(window->state().CurCostFile, "kfzdat.002");
    EXPECT_EQ(window->vehicleButton()->text().left(7), QStringLiteral("B-XY 10"));
    EXPECT_EQ(window->vehicleMenu()->actions().size(), 2);
    window->close(); // the save at shut-down never writes the deleted vehicle's files again
    EXPECT_FALSE(QFile::exists(dataDir() + QStringLiteral("kfzdat.001")));
    EXPECT_EQ(file("kfzdata.csv").find("A-BC 1"), std::string::npos);
}

TEST_F(VehicleListWindow, DeletingAnotherVehicleKeepsTheCurrentOneAndNoKeepsEverything) {
    prompts.answers = {false, true};
    withListOpen([&](TForm22& shown) {
        shown.ui().grid->setCurrentCell(1, 0);
        shown.deleteCurrentVehicle(); // No
        EXPECT_EQ(shown.ui().grid->rowCount(), 3);
        EXPECT_TRUE(QFile::exists(dataDir() + QStringLiteral("kfzdat.002")));
        shown.deleteCurrentVehicle(); // Yes
        EXPECT_EQ(shown.ui().grid->rowCount(), 2);
    });
    EXPECT_FALSE(QFile::exists(dataDir() + QStringLiteral("kfzdat.002")));
    EXPECT_EQ(window->state().CurCostFile, "kfzdat.001");
    EXPECT_EQ(window->state().VehicleTable.GetValue("nummer"), "A-BC 1");
}

TEST_F(VehicleListWindow, DeletingTheLastVehicleAndAnsweringNoEndsTheProgram) {
    window->show();
    prompts.answers = {true, true, true, false}; // three deletions, then No to creating a vehicle
    withListOpen([&](TForm22& shown) {
        for (int i = 0; i < 3; ++i) shown.deleteCurrentVehicle();
        EXPECT_FALSE(shown.isVisible());
    });
    ASSERT_FALSE(prompts.prompts.empty());
    EXPECT_EQ(prompts.last()->kind, Kind::Question);
    EXPECT_TRUE(prompts.last()->message.startsWith(QStringLiteral("Zur Verwendung des Programms muß")));
    EXPECT_EQ(prompts.last()->answer, Prompts::Default::Yes);
    EXPECT_FALSE(window->isVisible()); // the main window closed
    EXPECT_TRUE(window->state().VehicleTable.IsEmpty());
}

TEST_F(VehicleListWindow, PrintShowsEveryVehicleInTheLandscapePreview) {
    CapturePrinter printer;
    printer.metrics = pdfA4Metrics(alr_Portrait); // turned by the printer for the landscape layout
    ScriptedSaveFile saveFile;
    window->reports().setSeams(printer, saveFile);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("liste.pdf"));
    int pages = 0;
    withListOpen([&](TForm22& shown) {
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<TfrmPreview*>(QApplication::activeModalWidget());
            if (!preview) return;
            pages = preview->preview().pageCount();
            EXPECT_GT(preview->preview().pages().page(1)->width(), preview->preview().pages().page(1)->height());
            EXPECT_FALSE(savePagesAsPdf(preview->preview().pages(), QStringLiteral("Fahrzeugliste"), pdf));
            preview->close();
        });
        shown.ui().printButton->click();
    });
    EXPECT_EQ(pages, 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Liste aller Fahrzeuge", "Anzahl: 3", "A-BC 1", "Transporter", "312,50", "10500",
                                 "M-EL 3", "Erstellt mit \"Wagenwart v5.3.0\""})
        EXPECT_TRUE(words.contains(QString::fromUtf8(expected))) << expected << "\n" << words.toStdString();
}

TEST_F(VehicleListWindow, ExportMenuWritesTheListAndOpensIt) {
    QTemporaryDir target;
    QStringList proposed;
    std::vector<QUrl> opened;
    ExportWindows& exports = window->vehicles().exports();
    exports.setSaveFileDialog([&](QWidget*, const QString&, const QString& path, const QString&) {
        proposed << path;
        return std::optional<QString>(target.filePath(QFileInfo(path).fileName()));
    });
    exports.setFileOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    withListOpen([&](TForm22& shown) {
        ASSERT_EQ(shown.ui().exportButton->menu()->actions().size(), 2);
        EXPECT_EQ(shown.excelAction()->text(), QStringLiteral("Microsoft Excel"));
        EXPECT_EQ(shown.calcAction()->text(), QStringLiteral("OpenOffice Calc"));
        shown.excelAction()->trigger();
        shown.calcAction()->trigger();
    });
    ASSERT_EQ(proposed.size(), 2);
    EXPECT_TRUE(proposed[0].endsWith(QStringLiteral("/Fahrzeugliste.xlsx"))) << proposed[0].toStdString();
    EXPECT_TRUE(proposed[1].endsWith(QStringLiteral("/Fahrzeugliste.ods"))) << proposed[1].toStdString();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(target.filePath(QStringLiteral("Fahrzeugliste.xlsx"))));
    EXPECT_GT(QFileInfo(target.filePath(QStringLiteral("Fahrzeugliste.ods"))).size(), 0);
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_TRUE(window->ui().actionDatenExportieren->isEnabled());
}

} // namespace
