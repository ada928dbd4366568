#include "support/window_fixture.h"

#include "report/preview_dialog.h"
#include "report/report_windows.h"
#include "support/capture_printer.h"
#include "support/file_size_limit.h"
#include "ui_main_window.h"
#include "ui_preview_dialog.h"
#include "ui_vehicle_dialog.h"
#include "vehicles/vehicle_dialog.h"

#include "app/about_box.h"
#include "records/fuel_edit_dialog.h"
#include "records/fuel_entry.h"
#include "records/fuel_entry_dialog.h"
#include "records/record_list_view.h"
#include "ui_fuel_edit_dialog.h"
#include "ui_fuel_entry_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using Prompt = ScriptedPrompts::Prompt;
using Kind = ScriptedPrompts::Kind;

QString cell(RecordListView* list, int row, int column) {
    return list->listModel().data(list->listModel().index(row - 1, column), Qt::DisplayRole).toString();
}

void typeInto(QAbstractSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
}

const char* const kHeader10 = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;krart\r\n";
const char* const kVehicle2Rows =
    "2;01.03.2026;10000;70,00;50,00;ja;t;;;0\r\n2;01.04.2026;11000;80,00;60,00;ja;t;;;0\r\n";

class MainWindowTest : public testing::Test, public MainWindowFixture {};

TEST_F(MainWindowTest, StartsWithTheVehicleUsedLast) {
    withSampleData();
    TForm1& w = start();
    EXPECT_EQ(w.windowTitle(), "Wagenwart v5.3.0");
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(w.currentVehicleCaption(), "B-XY 10  /  Transporter");
    EXPECT_EQ(w.state().CurCostFile, "kfzdat.002");
    EXPECT_EQ(w.state().CurTripFile, "kfzfb.002");
    EXPECT_EQ(w.state().CurRecurringFile, "kfzwv.002");
    EXPECT_EQ(w.state().VehicleTable.GetValue("file6"), "kfzterm.002"); // filled in at start-up

    EXPECT_EQ(w.statisticText(TForm1::Odometer), "11000 ");
    EXPECT_EQ(w.statisticText(TForm1::Consumption), "6,00 ");
    EXPECT_EQ(w.statisticText(TForm1::Range), "833 ");
    EXPECT_EQ(w.statisticText(TForm1::TotalCosts), "150,00 ");
    EXPECT_EQ(w.statisticText(TForm1::CostsPerKm), "0,150 ");
    EXPECT_EQ(w.statisticText(TForm1::CostsPerMonth), "150,00 ");
    EXPECT_EQ(w.statisticText(TForm1::NextHu), "04.2027 ");
    EXPECT_EQ(w.statisticHint(TForm1::CostsPerMonth), "Erfasste Tage : 31");
    EXPECT_EQ(w.statisticCaption(TForm1::Consumption), QString::fromUtf8("Ø Verbr. (L/100 KM)"));
    EXPECT_EQ(w.statisticCaption(TForm1::TotalCosts), QString::fromUtf8("Gesamtkosten (€)"));

    RecordListView* fuel = w.fuelList();
    ASSERT_EQ(fuel->listModel().rowCount(), 2);
    EXPECT_EQ(fuel->listModel().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Liter");
    EXPECT_EQ(fuel->listModel().headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), "Verbrauch");
    const QStringList row2 = {"01.04.2026", "11000", " 80,00", " 60,00", "", "1000", "ja", "6,00"};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(cell(fuel, 2, c), row2[c]) << c;
    EXPECT_EQ(cell(fuel, 1, 5), "0");
    EXPECT_EQ(cell(fuel, 1, 7), "");
    EXPECT_EQ(w.otherList()->listModel().rowCount(), 0);
}

TEST_F(MainWindowTest, ArrowsMoveWithoutWrapAround) {
    withSampleData();
    TForm1& w = start();
    w.nextButton()->click();
    EXPECT_EQ(w.currentVehicleCaption(), "M-EL 3  /  Zoe");
    EXPECT_EQ(w.state().CurCostFile, "kfzdat.003");
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 0); // no record file: an empty vehicle
    EXPECT_EQ(w.statisticText(TForm1::Consumption), "");
    EXPECT_EQ(w.statisticCaption(TForm1::Consumption), QString::fromUtf8("Ø Verbr. (KG/100 KM)"));
    EXPECT_EQ(w.statisticCaption(TForm1::TotalCosts), "Gesamtkosten (SFr)");
    w.nextButton()->click();
    EXPECT_EQ(w.currentVehicleCaption(), "M-EL 3  /  Zoe");

    for (int i = 0; i < 3; ++i) w.previousButton()->click();
    EXPECT_EQ(w.currentVehicleCaption(), "A-BC 1  /  Golf");
    EXPECT_EQ(w.statisticText(TForm1::Consumption), "7,00 ");
    EXPECT_EQ(w.otherList()->listModel().rowCount(), 1);
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(MainWindowTest, VehicleMenuListsEveryVehicleAndSwitches) {
    withSampleData();
    TForm1& w = start();
    const QList<QAction*> entries = w.vehicleMenu()->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), "A-BC 1\tGolf");
    EXPECT_EQ(entries[2]->text(), "M-EL 3\tZoe");
    entries[0]->trigger();
    EXPECT_EQ(w.currentVehicleCaption(), "A-BC 1  /  Golf");
    EXPECT_EQ(w.state().VehicleTable.RowNumber(), 1);
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 2);
}

TEST_F(MainWindowTest, MenuEntriesAreThereAndEnabled) {
    withSampleData();
    TForm1& w = start();
    for (const char* caption : {"Fahrzeugverwaltung", "Fahrzeugliste-Übersicht", "Termine-Übersicht", "Einstellungen",
                                "Daten generieren", "Bericht zeigen", "Datensicherung", "Wechselmedium..."}) {
        QAction* a = w.action("Datei", QString::fromUtf8(caption));
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_TRUE(a->isEnabled()) << caption;
    }
    EXPECT_EQ(w.action("Datei", "Fahrzeugverwaltung")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(w.action("Fahrtenbuch", "Neue Fahrt")->shortcut(), QKeySequence(Qt::Key_F5));
    ASSERT_NE(w.action("Hilfe", QString::fromUtf8("Über das Programm")), nullptr);
    EXPECT_TRUE(w.action("Hilfe", QString::fromUtf8("Über das Programm"))->isEnabled());
    EXPECT_TRUE(w.action("Datei", "Beenden")->isEnabled());
}

// The window system receives exactly the windows' captions, nothing appended.
TEST_F(MainWindowTest, TitleBarsShowTheCaptionsAlone) {
    withSampleData();
    TForm1& w = start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.windowHandle()->title(), "Wagenwart v5.3.0");
    TForm3& d = w.records().fuelEntry();
    d.setWindowTitle(w.currentVehicleCaption());
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowHandle()->title(), "B-XY 10  /  Transporter");
    d.hide();
}

TEST(Manual, IsFoundBesideTheProgramElseInTheInstallation) {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString doc = prefix.filePath(QStringLiteral("share/doc/wagenwart"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(doc));
    EXPECT_EQ(findManual(bin), bin + QStringLiteral("/Wagenwart.pdf")); // in neither place
    ASSERT_TRUE(writeBytes(doc + QStringLiteral("/Wagenwart.pdf"), "%PDF-1.4\n"));
    EXPECT_EQ(findManual(bin), doc + QStringLiteral("/Wagenwart.pdf"));
    ASSERT_TRUE(writeBytes(bin + QStringLiteral("/Wagenwart.pdf"), "%PDF-1.4\n"));
    EXPECT_EQ(findManual(bin), bin + QStringLiteral("/Wagenwart.pdf")); // a portable folder's own first
}

TEST_F(MainWindowTest, WindowsCarryTheProgramsIcon) {
    withSampleData();
    TForm1& w = start();
    for (const int size : {16, 32, 48, 256}) EXPECT_EQ(w.windowIcon().pixmap(size).width(), size) << size;
    EXPECT_FALSE(w.records().fuelEntry().windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("de.sternhof.Wagenwart"));
}

TEST_F(MainWindowTest, AManualThatCannotBeOpenedIsSaid) {
    withSampleData();
    TForm1& w = start();
    const QString pdf = dataDir() + "Wagenwart.pdf";
    ASSERT_TRUE(writeBytes(pdf, "%PDF-1.4\n"));
    QUrl opened;
    w.setDocumentOpener([&](const QUrl& url) {
        opened = url;
        return true;
    });
    w.openManual(pdf);
    EXPECT_EQ(opened, QUrl::fromLocalFile(pdf));
    EXPECT_TRUE(prompts.prompts.empty());

    w.setDocumentOpener([](const QUrl&) { return false; }); // no PDF viewer on this machine
    w.openManual(pdf);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->message, "Das Handbuch " + QDir::toNativeSeparators(pdf) +
                                           " konnte nicht geöffnet werden. Es ist kein Programm zum Anzeigen von "
                                           "PDF-Dateien eingerichtet.");
    w.openManual(dataDir() + "fehlt.pdf"); // a manual that is not there is not reported
    EXPECT_EQ(prompts.prompts.size(), 1u);
}

// "Drucken" of the main window and of the vehicle dialog: the preview of the cost list and of the
// data sheet, printed into a capture.
TEST_F(MainWindowTest, PrintsGoThroughThePreview) {
    withSampleData();
    TForm1& w = start();
    CapturePrinter printer;
    ScriptedSaveFile saveFile;
    w.reports().setSeams(printer, saveFile);
    printer.answer = PrintRange{1, 1, 1};
    QString seen;
    auto printShownPreview = [&] {
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<TfrmPreview*>(QApplication::activeModalWidget());
            if (!preview) return;
            seen = preview->ui().pageLabel->text();
            preview->print();
            preview->close();
        });
    };
    QAction* print = w.action("Datei", "Drucken");
    ASSERT_TRUE(print->isEnabled());
    printShownPreview();
    print->trigger();
    EXPECT_EQ(seen, "1/1");
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].pages.size(), 1u);

    TForm26& d = w.vehicles().vehicleDialog();
    d.prepare(true);
    d.show();
    seen.clear();
    printShownPreview();
    QTest::mouseClick(d.ui().printButton, Qt::LeftButton);
    EXPECT_EQ(seen, "1/1");
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_TRUE(prompts.prompts.empty());
    d.hide();
}

TEST_F(MainWindowTest, EverySwitchOfTheVehicleShowsItsUnitOverTheQuantities) {
    withSampleData();
    TForm1& w = start();
    auto quantityTitle = [&w] {
        return w.fuelList()->listModel().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    EXPECT_EQ(quantityTitle(), "Liter"); // start-up: the unit of the settings
    TMlb2& v = w.state().VehicleTable;
    v.GoToRow(1);
    v.SetValue("kme", "1"); // the Golf runs on natural gas, in KG
    v.GoToRow(2);
    QTest::mouseClick(w.previousButton(), Qt::LeftButton);
    ASSERT_EQ(w.currentVehicleCaption(), "A-BC 1  /  Golf");
    EXPECT_EQ(quantityTitle(), "KG");
    QTest::mouseClick(w.nextButton(), Qt::LeftButton);
    EXPECT_EQ(quantityTitle(), "L");
    w.vehicleMenu()->actions().at(0)->trigger();
    EXPECT_EQ(quantityTitle(), "KG");
}

TEST_F(MainWindowTest, AnUnreadableSettingsFileIsSaidAndKept) {
    withSampleData();
    QFile::remove(dataDir() + "kfz.ini");
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfz.ini")); // there, and no file that can be read
    TForm1& w = start();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->message, "Die Einstellungsdatei kfz.ini konnte nicht gelesen werden; sie wird beim "
                                       "Beenden nicht überschrieben.");
    EXPECT_EQ(w.currentVehicleCaption(), "A-BC 1  /  Golf"); // row 1, without a word about a remembered file
    window.reset();
    EXPECT_EQ(prompts.prompts.size(), 1u); // nothing more at the end
    EXPECT_TRUE(QFileInfo(dataDir() + "kfz.ini").isDir());
}

TEST_F(MainWindowTest, FilesThatCannotBeSavedAtTheEndAreNamedInOneMessage) {
    withSampleData();
    TForm1& w = start();
    w.show();
    {
        const FileSizeLimit limit(64); // kfz.ini and kfzdata.csv are both larger
        w.close();
        window.reset();
    }
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.contains("kfz.ini konnte nicht gespeichert werden"));
    EXPECT_TRUE(prompts.last()->message.contains("kfzdata.csv konnte nicht gespeichert werden"));
}

TEST_F(MainWindowTest, TheNotesButtonAndTheReportNeedAVehicle) {
    withSampleData();
    TForm1& w = start();
    w.show();
    EXPECT_TRUE(w.ui().notesButton->isEnabled());
    EXPECT_TRUE(w.ui().actionBerichtZeigen->isEnabled());
    window.reset();
    QFile::remove(dataDir() + "kfzdata.csv");
    TForm1& empty = start(); // not shown: no first vehicle asked for
    EXPECT_FALSE(empty.ui().notesButton->isEnabled());
    EXPECT_FALSE(empty.ui().actionBerichtZeigen->isEnabled());
}

TEST_F(MainWindowTest, FillUpTypedIntoTheDialogIsStored) {
    withSampleData();
    TForm1& w = start();
    TForm3& d = w.records().fuelEntry();
    d.prepare();
    d.show();
    EXPECT_TRUE(prompts.prompts.empty()); // not the first fill-up
    EXPECT_EQ(d.ui().odometerSpinBox->value(), 0);
    EXPECT_EQ(d.ui().priceSpinBox->suffix(), QString::fromUtf8(" €"));
    EXPECT_EQ(d.ui().quantitySpinBox->suffix(), " L");
    EXPECT_EQ(d.ui().fuelTypeComboBox->count(), 1);
    EXPECT_EQ(d.ui().fuelTypeComboBox->currentText(), "Diesel");

    d.ui().dateEdit->setDate(QDate(2026, 5, 15));
    typeInto(d.ui().odometerSpinBox, "11600");
    typeInto(d.ui().priceSpinBox, "55,20");
    typeInto(d.ui().quantitySpinBox, "40,00");
    d.ui().fullCheckBox->setChecked(true);
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);

    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(file("kfzdat.002"),
              std::string(kHeader10) + kVehicle2Rows + "2;15.05.2026;11600;55,20;40,00;ja;t;;;0\r\n");
    ASSERT_EQ(w.fuelList()->listModel().rowCount(), 3);
    EXPECT_EQ(cell(w.fuelList(), 3, 5), "600");
    EXPECT_EQ(cell(w.fuelList(), 3, 7), "6,67");
    EXPECT_EQ(w.statisticText(TForm1::Odometer), "11600 ");
}

TEST_F(MainWindowTest, TheSameFillUpAgainIsStoredOnlyAfterYes) {
    withSampleData();
    TForm1& w = start();
    TForm3& d = w.records().fuelEntry();
    const std::string before = file("kfzdat.002");
    for (bool yes : {false, true}) {
        d.prepare();
        d.show();
        d.ui().dateEdit->setDate(QDate(2026, 4, 1)); // the stored fill-up at 11 000 km
        typeInto(d.ui().odometerSpinBox, "11000");
        typeInto(d.ui().priceSpinBox, "80");
        typeInto(d.ui().quantitySpinBox, "60,0");
        d.ui().fullCheckBox->setChecked(true);
        prompts.prompts.clear();
        prompts.answers = {yes};
        QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_EQ(prompts.last()->kind, Kind::Question);
        EXPECT_EQ(prompts.last()->message, kDuplicateFuelQuestion);
        EXPECT_EQ(prompts.last()->answer, Prompts::Default::No);
        EXPECT_EQ(d.isVisible(), !yes); // No leaves the dialog open
        if (!yes) {
            EXPECT_EQ(file("kfzdat.002"), before);
        }
    }
    EXPECT_EQ(file("kfzdat.002"),
              std::string(kHeader10) + kVehicle2Rows + "2;01.04.2026;11000;80,00;60,00;ja;t;;;0\r\n");

    // Another price is another fill-up: no question.
    d.prepare();
    d.show();
    d.ui().dateEdit->setDate(QDate(2026, 4, 1));
    typeInto(d.ui().odometerSpinBox, "11000");
    typeInto(d.ui().priceSpinBox, "80,01");
    typeInto(d.ui().quantitySpinBox, "60");
    prompts.prompts.clear();
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_FALSE(d.isVisible());
}

TEST_F(MainWindowTest, RefusedFillUpStoresNothingAndFocusesItsField) {
    struct Case {
        const char* name;
        QDate date;
        const char *odometer, *price, *quantity;
        QString message;
        const char* focus;
    };
    const Case cases[] = {
        {"date before a stored one at a higher reading", QDate(2026, 3, 15), "12000", "0,00", "0,00",
         kDateOdometerContradiction, "odometerSpinBox"},
        {"odometer 0", QDate(2026, 2, 15), "0", "0,00", "0,00", kOdometerNotPositive, "odometerSpinBox"},
        {"price 0", QDate(2026, 5, 15), "11600", "0,00", "0,00", kPriceNotPositive, "priceSpinBox"},
        {"quantity 0", QDate(2026, 5, 15), "11600", "55,20", "0,00", kQuantityNotPositive, "quantitySpinBox"},
    };
    withSampleData();
    TForm1& w = start();
    const std::string before = file("kfzdat.002");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.prompts.clear();
        TForm3& d = w.records().fuelEntry();
        d.prepare();
        d.show();
        d.ui().dateEdit->setDate(c.date);
        typeInto(d.ui().odometerSpinBox, c.odometer);
        typeInto(d.ui().priceSpinBox, c.price);
        typeInto(d.ui().quantitySpinBox, c.quantity);
        d.ui().okButton->setFocus();
        QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_EQ(prompts.last()->kind, Kind::Error);
        EXPECT_EQ(prompts.last()->message, c.message);
        ASSERT_NE(d.focusWidget(), nullptr);
        EXPECT_EQ(d.focusWidget()->objectName(), c.focus);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(file("kfzdat.002"), before);
        EXPECT_EQ(w.state().CostTable.RowCount(), 2);
        d.reject();
    }
}

TEST_F(MainWindowTest, FirstFillUpIsAlwaysAFullOne) {
    withSampleData();
    TForm1& w = start();
    w.nextButton()->click(); // M-EL 3 has no records
    TForm3& d = w.records().fuelEntry();
    d.prepare();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Information);
    EXPECT_EQ(prompts.last()->message, kFirstFillUpMessage);
    EXPECT_TRUE(d.ui().fullCheckBox->isChecked());
    EXPECT_FALSE(d.ui().fullCheckBox->isEnabled());
    EXPECT_EQ(d.ui().odometerSpinBox->value(), 10000); // the starting reading
    EXPECT_EQ(d.ui().priceSpinBox->suffix(), " SFr");
    EXPECT_EQ(d.ui().quantitySpinBox->suffix(), " KG");
}

TEST_F(MainWindowTest, CorrectingAndDeletingThroughTheEditDialog) {
    withSampleData();
    TForm1& w = start();
    TForm9& d = w.records().fuelEdit();
    ASSERT_TRUE(d.prepare(2));
    d.show();
    EXPECT_EQ(d.ui().odometerSpinBox->value(), 11000);
    EXPECT_EQ(d.ui().priceSpinBox->cleanText(), "80,00");
    EXPECT_TRUE(d.ui().fullCheckBox->isChecked());
    typeInto(d.ui().priceSpinBox, "85,50");
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(file("kfzdat.002"), std::string(kHeader10) + "2;01.03.2026;10000;70,00;50,00;ja;t;;;0\r\n"
                                                           "2;01.04.2026;11000;85,50;60,00;ja;t;;;0\r\n");
    EXPECT_EQ(w.statisticText(TForm1::TotalCosts), "155,50 ");

    // "Löschen", answered No: the record stays and the dialog stays open.
    ASSERT_TRUE(d.prepare(1));
    d.show();
    QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_EQ(prompts.last()->title, QString::fromUtf8("Datensatz löschen"));
    EXPECT_EQ(prompts.last()->instruction, "Klicken Sie Ja nur wenn Sie sicher sind.");
    EXPECT_EQ(prompts.last()->message, QString::fromUtf8("Möchten Sie den Eintrag aus der Datenbank löschen ?"));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(w.state().CostTable.RowCount(), 2);

    // Answered Yes: the only remaining full fill-up pair is gone, so is the consumption.
    prompts.answers = {true};
    QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(file("kfzdat.002"), std::string(kHeader10) + "2;01.04.2026;11000;85,50;60,00;ja;t;;;0\r\n");
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 1);
    EXPECT_EQ(w.statisticText(TForm1::Consumption), "");
}

// Enter on a focused button presses that button, never the dialog's "OK".
TEST_F(MainWindowTest, EnterPressesTheFocusedButtonNotOk) {
    withSampleData();
    TForm1& w = start();
    const std::string before = file("kfzdat.002");

    TForm3& entry = w.records().fuelEntry();
    entry.prepare();
    entry.show();
    entry.ui().dateEdit->setDate(QDate(2026, 5, 15));
    typeInto(entry.ui().odometerSpinBox, "12000");
    typeInto(entry.ui().priceSpinBox, "55,20");
    typeInto(entry.ui().quantitySpinBox, "40,00");
    entry.ui().cancelButton->setFocus();
    QTest::keyClick(entry.ui().cancelButton, Qt::Key_Return);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(entry.result(), QDialog::Rejected);
    EXPECT_EQ(file("kfzdat.002"), before);
    EXPECT_EQ(w.state().CostTable.RowCount(), 2);

    // "Löschen" asks its question; answered No, the changed reading is not stored either.
    TForm9& edit = w.records().fuelEdit();
    ASSERT_TRUE(edit.prepare(2));
    edit.show();
    typeInto(edit.ui().odometerSpinBox, "11001");
    edit.ui().deleteButton->setFocus();
    QTest::keyClick(edit.ui().deleteButton, Qt::Key_Enter);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_TRUE(edit.isVisible());
    EXPECT_EQ(file("kfzdat.002"), before);
    edit.reject();
}

TEST_F(MainWindowTest, EditingLeavesTheRecordsOwnOldValuesOutOfTheCheck) {
    withSampleData();
    TForm1& w = start();
    TForm9& d = w.records().fuelEdit();
    ASSERT_TRUE(d.prepare(2));
    // moved before the first fill-up in date and reading: fits, its old values take no part
    d.ui().dateEdit->setDate(QDate(2026, 2, 1));
    typeInto(d.ui().odometerSpinBox, "9000");
    d.onOk();
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(cell(w.fuelList(), 1, 1), "9000"); // the list already shows the new order
    EXPECT_EQ(cell(w.fuelList(), 2, 1), "10000");
}

TEST_F(MainWindowTest, ShutDownWritesSettingsAndSortedVehicleTable) {
    withSampleData();
    TForm1& w = start();
    const QPoint at = w.pos();
    window.reset();
    EXPECT_EQ(file("kfz.ini"), "[LastUse]\r\nFileName=kfzdat.002\r\nNFname=\r\n[Einstellung]\r\nStartSound=nein\r\n"
                               "FensterPos=nein\r\nFarbe1=clWindow\r\nFarbe2=clWindowText\r\nWaehrung=\x80 Euro\r\n"
                               "Masseinheit=L Liter\r\nTerminRemind=nein\r\nTerminRemTime=7\r\n[Fenster]\r\nLeft=" +
                                   std::to_string(at.x()) + "\r\nTop=" + std::to_string(at.y()) + "\r\n");
    const std::string vehicles = file("kfzdata.csv");
    EXPECT_NE(vehicles.find("kfzwv.002;;0;0;0;0;kfzterm.002\r\n"), std::string::npos);
    EXPECT_LT(vehicles.find("A-BC 1"), vehicles.find("B-XY 10"));
    EXPECT_LT(vehicles.find("B-XY 10"), vehicles.find("M-EL 3"));
}

TEST_F(MainWindowTest, RememberedFileThatNoVehicleHas) {
    withSampleData();
    QFile ini(dataDir() + "kfz.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[LastUse]\r\nFileName=kfzdat.009\r\n[Einstellung]\r\nFarbe1=clWindow\r\nFarbe2=clWindowText\r\n");
    ini.close();
    TForm1& w = start();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->message,
              "FEHLER\r\n Das zuletzt verwendete Datenfile kfzdat.009 befindet sich nicht mehr "
              "im Verzeichnis " +
                  dataDir() +
                  QString::fromUtf8("\r\nWählen Sie bitte in der Fahrzeugverwaltung ein "
                                    "Fahrzeug aus."));
    // Row 1 is current, and everything about it belongs to row 1.
    EXPECT_EQ(w.currentVehicleCaption(), "A-BC 1  /  Golf");
    EXPECT_EQ(w.state().CurCostFile, "kfzdat.001");
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 2);
    // "Masseinheit" is absent: the quantity column keeps its title.
    EXPECT_EQ(w.fuelList()->listModel().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Menge");
}

// The remembered file is gone and row 1's cannot be read: both are said, in one message.
TEST_F(MainWindowTest, RememberedFileGoneAndRowOnesUnreadable) {
    withSampleData();
    QFile ini(dataDir() + "kfz.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[LastUse]\r\nFileName=kfzdat.009\r\n");
    ini.close();
    QFile::remove(dataDir() + "kfzdat.001");
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfzdat.001"));
    TForm1& w = start();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_TRUE(prompts.last()->message.startsWith("FEHLER\r\n Das zuletzt verwendete Datenfile kfzdat.009 "));
    EXPECT_TRUE(prompts.last()->message.contains("\r\n\r\nDie Datei kfzdat.001 konnte nicht gelesen werden."));
    EXPECT_FALSE(w.newFuelButton()->isEnabled());
}

TEST_F(MainWindowTest, UnreadableRecordValueIsReportedNotFatal) {
    withSampleData();
    QFile f(dataDir() + "kfzdat.002");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n2;01.03.2026;10000;12.5;50,00;ja;t;;;;0\r\n");
    f.close();
    TForm1& w = start();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.contains("12.5"));
    EXPECT_EQ(w.statisticText(TForm1::TotalCosts), "");
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 1);
}

// A record file that exists but cannot be read is reported, never written over, and nothing can
// be recorded into it; the other vehicles work as before.
TEST_F(MainWindowTest, UnreadableRecordFileIsReportedAndNeverWrittenOver) {
    withSampleData();
    QFile::remove(dataDir() + "kfzdat.002");
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfzdat.002")); // exists, cannot be read as a file
    TForm1& w = start();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.startsWith("Die Datei kfzdat.002 konnte nicht gelesen werden."));
    EXPECT_EQ(w.currentVehicleCaption(), "B-XY 10  /  Transporter");
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 0);
    EXPECT_FALSE(w.newFuelButton()->isEnabled());

    EXPECT_FALSE(w.action("Datei", "Daten generieren")->isEnabled());
    EXPECT_TRUE(QFileInfo(dataDir() + "kfzdat.002").isDir());

    w.nextButton()->click(); // another vehicle: recording works again
    EXPECT_TRUE(w.newFuelButton()->isEnabled());
    EXPECT_TRUE(w.action("Datei", "Daten generieren")->isEnabled());
    EXPECT_EQ(prompts.prompts.size(), 1u);
    w.previousButton()->click(); // and back: said again
    ASSERT_EQ(prompts.prompts.size(), 2u);
    EXPECT_TRUE(prompts.last()->message.startsWith("Die Datei kfzdat.002 konnte nicht gelesen werden."));
    EXPECT_FALSE(w.newFuelButton()->isEnabled());

    // The save itself refuses whenever the file was not read, even where it could be written.
    w.previousButton()->click(); // A-BC 1, whose record file is readable and writable
    const std::string before = file("kfzdat.001");
    w.state().costFileError = QStringLiteral("nicht gelesen");
    appendFuelRecord(w.state(), FuelInput{QDate(2026, 5, 15), "12000", "50,00", "40,00", true, 0});
    const std::optional<QString> refused = saveCostTable(w.state());
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains("kfzdat.001"));
    EXPECT_EQ(file("kfzdat.001"), before);
    window.reset();
    EXPECT_TRUE(QFileInfo(dataDir() + "kfzdat.002").isDir());
}

// A record file name with a path in it, or naming one of the program's own files, is neither read
// nor written: a document beside the data directory stays as it is.
TEST_F(MainWindowTest, RecordFileNameOutsideTheDataDirectoryIsRefused) {
    for (const char* name : {"../victim.txt", "kfz.ini"}) {
        SCOPED_TRACE(name);
        prompts.prompts.clear();
        for (const QString& old : QDir(dir.path()).entryList(QDir::Files)) QFile::remove(dir.filePath(old));
        withSampleData();
        TMlb2 vehicles;
        ASSERT_TRUE(vehicles.LoadFromFile(dataDir() + "kfzdata.csv"));
        vehicles.First();
        vehicles.BeginSearch();
        ASSERT_TRUE(vehicles.Find("file", "=", "kfzdat.002"));
        vehicles.EndSearch();
        vehicles.SetValue("file", name);
        ASSERT_TRUE(vehicles.SaveToFile(dataDir() + "kfzdata.csv"));
        {
            QFile ini(dataDir() + "kfz.ini");
            ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write(QByteArray("[LastUse]\r\nFileName=") + name + "\r\n");
        }
        QFile victim(dataDir() + "../victim.txt");
        ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
        victim.write("a document of the user\r\n");
        victim.close();

        TForm1& w = start();
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_TRUE(prompts.last()->message.startsWith(QString::fromUtf8("Der Dateiname \"") + name));
        EXPECT_EQ(w.currentVehicleCaption(), "B-XY 10  /  Transporter");
        EXPECT_FALSE(w.newFuelButton()->isEnabled());
        appendFuelRecord(w.state(), FuelInput{QDate(2026, 5, 15), "12000", "50,00", "40,00", true, 0});
        EXPECT_TRUE(saveCostTable(w.state()));
        window.reset();
        EXPECT_EQ(readBytes(dataDir() + "../victim.txt"), "a document of the user\r\n");
        EXPECT_TRUE(QFile::remove(dataDir() + "../victim.txt"));
        EXPECT_NE(file("kfz.ini").find("[Einstellung]"), std::string::npos); // written by the shut-down only
    }
}

// A record file cut short to nothing takes a fill-up with all the record's fields.
TEST_F(MainWindowTest, EmptyRecordFileTakesAFillUp) {
    withSampleData();
    QFile f(dataDir() + "kfzdat.002");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    TForm1& w = start();
    EXPECT_TRUE(prompts.prompts.empty());
    appendFuelRecord(w.state(), FuelInput{QDate(2026, 5, 15), "12000", "50,00", "40,00", true, 0});
    EXPECT_EQ(saveCostTable(w.state()), std::nullopt);
    EXPECT_EQ(file("kfzdat.002"), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                                  "2;15.05.2026;12000;50,00;40,00;ja;t;;;;0\r\n");
}

TEST_F(MainWindowTest, FirstStartWithoutVehicleAsksAndEnds) {
    TForm1& w = start();
    EXPECT_TRUE(QFileInfo::exists(dataDir()));
    EXPECT_FALSE(QFileInfo::exists(dataDir() + "kfz.ini"));
    // The vehicle dialog opens after the message; closed with no vehicle created, the program ends.
    bool dialogOpened = false;
    prompts.onPrompt = [&](const ScriptedPrompts::Prompt&) {
        QTimer::singleShot(0, &w, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialogOpened = dialog != nullptr;
            if (dialog) dialog->reject();
        });
    };
    w.show();
    QTest::qWait(50);
    EXPECT_TRUE(dialogOpened);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->message, "Es sind keine Fahrzeugdaten vorhanden.\r\nBitte legen Sie in folgendem "
                                       "Dialogfenster ein neues Fahrzeug an...");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.fuelList()->listModel().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Liter");
    window.reset();
    EXPECT_NE(file("kfz.ini").find("Masseinheit=L Liter\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, UnreadableVehicleTableIsReportedAndNeverReplaced) {
    withSampleData();
    QFile::remove(dataDir() + "kfzdata.csv");
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfzdata.csv")); // exists, cannot be read as a file
    const std::string settings = file("kfz.ini");
    TForm1& w = start();
    w.show();
    QTest::qWait(50);
    // The reason is shown; no first-start question, no vehicle dialog; the program ends.
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.startsWith("Die Datei kfzdata.csv konnte nicht gelesen werden."));
    EXPECT_FALSE(w.isVisible());
    window.reset();
    EXPECT_EQ(prompts.prompts.size(), 1u); // no attempt to write it at shut-down either
    EXPECT_TRUE(QFileInfo(dataDir() + "kfzdata.csv").isDir());
    EXPECT_EQ(file("kfz.ini"), settings); // the vehicle used last stays noted
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersion) {
    withSampleData();
    TForm1& w = start();
    QDialog& about = w.aboutBox();
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("Über das Programm"));
    auto* label = about.findChild<QLabel*>("versionLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "<b>Wagenwart</b> Version 5.3.0");
    auto* close = about.findChild<QPushButton*>();
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QString::fromUtf8("Schließen"));
}

} // namespace
