// The other-cost dialogs, the data generation and the settings dialog, driven headless as a person
// uses them: typed values, "OK", the questions answered through the prompts seam.
#include "support/window_fixture.h"

#include "core/colour_button.h"
#include "core/settings_dialog.h"
#include "core/system_colours.h"
#include "records/data_generation.h"
#include "records/data_generation_dialog.h"
#include "records/other_cost_edit_dialog.h"
#include "records/other_cost_entry_dialog.h"
#include "records/record_list_view.h"
#include "store/code_page.h"
#include "ui_data_generation_dialog.h"
#include "ui_other_cost_edit_dialog.h"
#include "ui_other_cost_entry_dialog.h"
#include "ui_settings_dialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompts::Kind;

const char* const kHeader10 = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;krart\r\n";
const char* const kVehicle2Rows =
    "2;01.03.2026;10000;70,00;50,00;ja;t;;;0\r\n2;01.04.2026;11000;80,00;60,00;ja;t;;;0\r\n";

void typeInto(QAbstractSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class CostsWindowTest : public testing::Test, public MainWindowFixture {
protected:
    TForm5& entry() {
        TForm5& d = window->records().otherCostEntry();
        d.prepare();
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        return d;
    }
};

TEST_F(CostsWindowTest, OtherCostTypedIntoTheDialogIsStoredWithTheNextService) {
    withSampleData();
    start();
    TForm5& d = entry();
    EXPECT_EQ(d.ui().priceSpinBox->suffix(), QString::fromUtf8(" €"));
    EXPECT_EQ(d.ui().dateEdit->date(), QDate(2026, 5, 10)); // today, set once

    d.ui().dateEdit->setDate(QDate(2026, 1, 31));
    typeInto(d.ui().odometerSpinBox, "10500");
    typeInto(d.ui().priceSpinBox, "1234,56");
    typeInto(d.ui().textLineEdit, "Inspektion");
    d.ui().serviceCheckBox->setChecked(true);
    prompts.answers = {true};
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);

    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Question);
    EXPECT_EQ(prompts.last()->message, "Sie haben \"Service durchgeführt\" markiert.\rSoll ein neuer Servicetermin "
                                       "errechnet und in die <Fahrzeugverwaltung> eingetragen werden ?");
    EXPECT_FALSE(d.isVisible());
    // Five significant digits; sorted in by odometer reading.
    EXPECT_EQ(file("kfzdat.002"), std::string(kHeader10) + "2;01.03.2026;10000;70,00;50,00;ja;t;;;0\r\n"
                                                           "2;31.01.2026;10500;1234,60;;;s;Inspektion;ja;\r\n"
                                                           "2;01.04.2026;11000;80,00;60,00;ja;t;;;0\r\n");
    // "simon" 12 and "sikm" 30000 of the Transporter.
    EXPECT_EQ(window->state().VehicleTable.GetValue("instdat"), "01.2027");
    EXPECT_EQ(window->state().VehicleTable.GetValue("instkm"), "40500");
    // At once in the panel and in kfzdata.csv.
    EXPECT_EQ(window->statisticText(TForm1::NextService), "01.2027 ");
    EXPECT_NE(file("kfzdata.csv").find(";01.2027;40500;"), std::string::npos);
    ASSERT_EQ(window->otherList()->listModel().rowCount(), 1);
    EXPECT_EQ(window->statisticText(TForm1::OtherCosts), "1234,60 ");
    // The dialog keeps the date last chosen and the service box's state.
    d.prepare();
    EXPECT_EQ(d.ui().dateEdit->date(), QDate(2026, 1, 31));
    EXPECT_TRUE(d.ui().serviceCheckBox->isChecked());
    EXPECT_EQ(d.ui().odometerSpinBox->value(), 0);
    EXPECT_TRUE(d.ui().textLineEdit->text().isEmpty());
}

TEST_F(CostsWindowTest, TheSameOtherCostAgainIsStoredOnlyAfterYes) {
    withSampleData();
    start();
    auto enter = [this](const char* price) {
        TForm5& d = entry();
        d.ui().dateEdit->setDate(QDate(2026, 2, 1));
        d.ui().serviceCheckBox->setChecked(false);
        typeInto(d.ui().odometerSpinBox, "10200");
        typeInto(d.ui().priceSpinBox, price);
        typeInto(d.ui().textLineEdit, "Reifen");
        prompts.prompts.clear();
        QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
        return d.isVisible();
    };
    EXPECT_FALSE(enter("99,90")); // the first time: no question
    EXPECT_TRUE(prompts.prompts.empty());
    for (bool yes : {false, true}) {
        prompts.answers = {yes};
        EXPECT_EQ(enter("99,9"), !yes); // No leaves the dialog open
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_EQ(prompts.last()->message, kDuplicateOtherCostQuestion);
        EXPECT_EQ(prompts.last()->answer, Prompts::Default::No);
        EXPECT_EQ(window->otherList()->listModel().rowCount(), yes ? 2 : 1);
        window->records().otherCostEntry().hide();
    }
}

TEST_F(CostsWindowTest, ATextCutShortInTheListShowsItselfWhole) {
    withSampleData();
    const std::string longText = "Zahnriemen, Wasserpumpe und Keilrippenriemen gewechselt, dazu Bremsfl\xFCssigkeit";
    ASSERT_TRUE(writeBytes(dataDir() + "kfzdat.002", std::string(kHeader10) + kVehicle2Rows +
                                                         "2;15.03.2026;10200;200,00;;;s;" + longText + ";;0\r\n"));
    start();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    RecordListView* list = window->otherList();
    static_cast<QTabWidget*>(list->parentWidget()->parentWidget())->setCurrentWidget(list);
    const int textColumn = list->listModel().columnCount() - 1;
    const QModelIndex text = list->listModel().index(0, textColumn);
    ASSERT_EQ(text.data().toString(), toDisplay(longText));
    EXPECT_EQ(list->cutShortText(list->visualRect(text).center()), toDisplay(longText));
    const QModelIndex date = list->listModel().index(0, 0);
    EXPECT_EQ(list->cutShortText(list->visualRect(date).center()), QString()); // shown whole: no tooltip
}

TEST_F(CostsWindowTest, ALongRecurringItemWidensTheDropDownListNotTheDialog) {
    withSampleData();
    start();
    auto shownWidth = [this] {
        TForm5 d(window->state(), prompts, *window);
        d.prepare();
        d.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
        QAbstractItemView* list = d.ui().itemComboBox->view();
        EXPECT_GE(list->minimumWidth(), list->sizeHintForColumn(0)); // the long item shows whole there
        return d.width();
    };
    const int width = shownWidth();
    ASSERT_TRUE(writeBytes(dataDir() + "kfzwv.002",
                           "Vorgang;preis\r\nJahresinspektion mit Bremsen, Klimaanlage und allen Fl\xFCssigkeiten "
                           "des Fahrzeugs;389,50\r\n"));
    EXPECT_EQ(shownWidth(), width);
}

TEST_F(CostsWindowTest, RefusedOtherCostStoresNothingAndFocusesItsField) {
    enum Focus { Odometer, Price, Text };
    struct Case {
        const char *odometer, *price, *text, *message;
        Focus focus;
    };
    const Case cases[] = {
        {"0", "10,00", "Steuer", "\rDer Tachostand darf nicht kleiner oder gleich 0 sein.", Odometer},
        {"10500", "0", "", "\rDer Preis darf nicht kleiner oder gleich 0 sein.", Price},
        {"10500", "10,00", "", "\rBitte geben Sie eine Kurzbeschreibung ein.", Text},
    };
    withSampleData();
    start();
    const std::string before = file("kfzdat.002");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        prompts.prompts.clear();
        TForm5& d = entry();
        typeInto(d.ui().odometerSpinBox, c.odometer);
        typeInto(d.ui().priceSpinBox, c.price);
        if (*c.text) typeInto(d.ui().textLineEdit, c.text);
        QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_EQ(prompts.last()->kind, Kind::Error);
        EXPECT_EQ(prompts.last()->message, c.message);
        QWidget* const fields[] = {d.ui().odometerSpinBox, d.ui().priceSpinBox, d.ui().textLineEdit};
        QWidget* expected = fields[c.focus];
        EXPECT_EQ(d.focusWidget(), expected);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(file("kfzdat.002"), before);
        d.hide();
    }
}

TEST_F(CostsWindowTest, RecurringItemIsStoredOfferedAndKeptAfterAbbruch) {
    withSampleData();
    start();
    TForm5& d = entry();
    EXPECT_EQ(d.ui().itemComboBox->count(), 0);
    typeInto(d.ui().textLineEdit, "Steuer");
    typeInto(d.ui().priceSpinBox, "190");
    prompts.answers = {true};
    d.ui().storeItemButton->click();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->message, "Aktuelle Eingaben in die Vorgangsliste eintragen ?");
    EXPECT_EQ(file("kfzwv.002"), "Vorgang;preis\r\nSteuer;190\r\n");
    QTest::keyClick(&d, Qt::Key_Escape); // "Abbruch": no cost, the item stays
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(window->otherList()->listModel().rowCount(), 0);

    TForm5& again = entry();
    ASSERT_EQ(again.ui().itemComboBox->count(), 1);
    EXPECT_TRUE(again.ui().textLineEdit->text().isEmpty());
    again.ui().itemComboBox->setCurrentIndex(0);
    emit again.ui().itemComboBox->textActivated(QStringLiteral("Steuer"));
    EXPECT_EQ(again.ui().textLineEdit->text(), "Steuer");
    EXPECT_EQ(again.ui().priceSpinBox->value(), 190.0);

    // Deleting asks first; "Nein" keeps the item.
    prompts.answers = {false, true};
    again.ui().deleteItemButton->click();
    EXPECT_EQ(file("kfzwv.002"), "Vorgang;preis\r\nSteuer;190\r\n");
    again.ui().deleteItemButton->click();
    EXPECT_EQ(prompts.last()->message, "Eintrag aus der Vorgangsliste löschen ?");
    EXPECT_EQ(file("kfzwv.002"), "Vorgang;preis\r\n");
    EXPECT_EQ(again.ui().itemComboBox->count(), 0);
}

TEST_F(CostsWindowTest, OtherCostCorrectedAndDeletedThroughItsListRow) {
    withSampleData();
    TForm1& w = start();
    w.previousButton()->click(); // A-BC 1: an inspection at 10200 between two fill-ups
    ASSERT_EQ(w.otherList()->listModel().rowCount(), 1);
    TForm13& d = w.records().otherCostEdit();
    ASSERT_TRUE(d.prepare(1));
    d.show();
    EXPECT_EQ(d.ui().odometerSpinBox->value(), 10200);
    EXPECT_EQ(d.ui().priceSpinBox->value(), 200.0);
    EXPECT_EQ(d.ui().textLineEdit->text(), "Inspektion");
    EXPECT_TRUE(d.ui().serviceCheckBox->isChecked());
    EXPECT_FALSE(d.prepare(2)); // no second other cost

    ASSERT_TRUE(d.prepare(1));
    typeInto(d.ui().odometerSpinBox, "10600");
    prompts.answers = {false}; // the service question: no new service date
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    const char* const header = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n";
    EXPECT_EQ(file("kfzdat.001"), std::string(header) + "1;01.03.2026;10000;60,00;40,00;ja;t;;;;0\r\n"
                                                        "1;01.04.2026;10500;52,50;35,00;ja;t;;;;0\r\n"
                                                        "1;15.03.2026;10600;200,00;;;s;Inspektion;ja;;\r\n");
    EXPECT_EQ(w.state().VehicleTable.GetValue("instdat"), "06.2027"); // unchanged

    ASSERT_TRUE(d.prepare(1));
    d.show();
    prompts.answers = {false, true};
    d.ui().deleteButton->click(); // "Nein": nothing happens
    EXPECT_TRUE(d.isVisible());
    d.ui().deleteButton->click();
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_EQ(prompts.last()->title, "Datensatz löschen");
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(file("kfzdat.001"), std::string(header) + "1;01.03.2026;10000;60,00;40,00;ja;t;;;;0\r\n"
                                                        "1;01.04.2026;10500;52,50;35,00;ja;t;;;;0\r\n");
    EXPECT_EQ(w.otherList()->listModel().rowCount(), 0);
    EXPECT_EQ(w.statisticText(TForm1::OtherCosts), "0,00 ");
}

TEST_F(CostsWindowTest, DataGenerationFromThePanelsAverages) {
    withSampleData();
    TForm1& w = start(); // the Transporter: 6,00 per 100 km, 0,150 per km, last full fill-up at 11000
    ASSERT_EQ(w.statisticText(TForm1::Consumption), "6,00 ");
    TForm16& d = w.records().dataGeneration();
    d.prepare();
    d.show();
    EXPECT_FALSE(d.ui().okButton->isEnabled()); // the reading of 0 is not above 11000
    typeInto(d.ui().odometerSpinBox, "11000");
    EXPECT_FALSE(d.ui().okButton->isEnabled());
    EXPECT_EQ(d.ui().distanceSpinBox->value(), 0);
    typeInto(d.ui().odometerSpinBox, "11500");
    EXPECT_TRUE(d.ui().okButton->isEnabled());
    EXPECT_EQ(d.ui().distanceSpinBox->value(), 500);
    EXPECT_EQ(d.ui().quantitySpinBox->text(), "30,00 L");
    EXPECT_EQ(d.ui().priceSpinBox->text(), QString::fromUtf8("75,00 €")); // 500 km at 0,150 per km
    EXPECT_FALSE(d.ui().noteLabel->isVisible());
    QTest::mouseClick(d.ui().okButton, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(file("kfzdat.002"),
              std::string(kHeader10) + kVehicle2Rows + "2;10.05.2026;11500;75,00;30,00;ja;t;;;\r\n");
    EXPECT_EQ(w.fuelList()->listModel().rowCount(), 3);

    // Opened again, the kept reading is no longer above the latest one.
    d.prepare();
    EXPECT_EQ(d.ui().odometerSpinBox->value(), 11500);
    EXPECT_FALSE(d.ui().okButton->isEnabled());
}

TEST_F(CostsWindowTest, DataGenerationWithoutAveragesSaysSoAndStoresNothing) {
    withSampleData();
    TForm1& w = start();
    w.nextButton()->click(); // M-EL 3: no records, no averages
    TForm16& d = w.records().dataGeneration();
    d.prepare();
    d.show();
    typeInto(d.ui().odometerSpinBox, "500");
    EXPECT_FALSE(d.ui().okButton->isEnabled());
    EXPECT_TRUE(d.ui().noteLabel->isVisible());
    EXPECT_EQ(d.ui().noteLabel->text(), kNoAveragesNote);
    QTest::keyClick(d.ui().odometerSpinBox, Qt::Key_Return); // Enter does not store either
    d.onOk();
    EXPECT_EQ(w.state().CostTable.RowCount(), 0);
}

// The button, the list's double click and the menu entries open their dialogs on the current
// vehicle, captioned with its text.
TEST_F(CostsWindowTest, OpenedFromTheMainWindowWithTheVehicleAsCaption) {
    withSampleData();
    TForm1& w = start();
    w.previousButton()->click(); // A-BC 1 with one other cost
    w.show();
    QStringList captions;
    auto closeWhenOpen = [&] {
        QTimer::singleShot(0, &w, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                captions << modal->windowTitle();
                modal->close();
            }
        });
    };
    closeWhenOpen();
    w.newOtherButton()->click();
    closeWhenOpen();
    w.records().editOtherCost(1);
    closeWhenOpen();
    w.action("Datei", "Daten generieren")->trigger();
    closeWhenOpen();
    w.action("Datei", "Einstellungen")->trigger();
    const QString vehicle = w.currentVehicleCaption();
    EXPECT_EQ(captions, QStringList({vehicle, vehicle, vehicle, QStringLiteral("Einstellungen")}));
}

class SettingsWindowTest : public CostsWindowTest {
protected:
    TSettingsForm& settings() {
        TSettingsForm& d = window->coreWindows().settingsDialog();
        d.prepare();
        d.show();
        return d;
    }
    // "Other Colors..." of a colour button, answered with `colour`.
    static void chooseOther(ColourButton* button, const QColor& colour) {
        button->setOtherColourPicker([colour](const QColor&, QWidget*) { return std::optional<QColor>(colour); });
        button->showPalette();
        button->palettePopup()->findChild<QToolButton*>(QStringLiteral("otherColoursButton"))->click();
    }
    bool listsShow(const QColor& background) const {
        const QString css = QStringLiteral("background-color: %1;").arg(background.name());
        return window->fuelList()->styleSheet().contains(css) && window->otherList()->styleSheet().contains(css);
    }
};

TEST_F(SettingsWindowTest, ColourPreviewAndAbbruchBackToTheStoredColours) {
    withSampleData();
    start();
    TSettingsForm& d = settings();
    const QColor yellow(255, 255, 0);
    chooseOther(d.ui().backgroundColourButton, yellow);
    EXPECT_EQ(window->state().settings.listBackground, fromQColor(yellow));
    EXPECT_TRUE(listsShow(yellow)); // at once, without "OK"
    d.ui().cancelButton->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(window->state().settings.listBackground, clWindow);
    EXPECT_FALSE(listsShow(yellow));
}

// "Abbruch" takes back what this opening chose, whatever kfz.ini holds: no file, or a file that
// "OK" wrote with the reminder keys alone.
TEST_F(SettingsWindowTest, AbbruchRestoresTheColoursOfTheOpening) {
    withSampleData();
    QFile::remove(dataDir() + "kfz.ini");
    start();
    TSettingsForm& d = settings();
    const QColor teal(0, 128, 128);
    chooseOther(d.ui().textColourButton, teal);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(window->state().settings.listText, clWindowText);

    TSettingsForm& again = settings();
    chooseOther(again.ui().textColourButton, teal);
    again.ui().okButton->click(); // kfz.ini now holds the reminder keys only
    ASSERT_EQ(file("kfz.ini").find("Farbe2"), std::string::npos);
    TSettingsForm& third = settings();
    const QColor olive(128, 128, 0);
    chooseOther(third.ui().backgroundColourButton, olive);
    third.ui().cancelButton->click();
    EXPECT_EQ(window->state().settings.listText, fromQColor(teal));
    EXPECT_EQ(window->state().settings.listBackground, clWindow);
}

TEST_F(SettingsWindowTest, OkWritesTheReminderAtOnceAndDefColoursAtShutDown) {
    withSampleData();
    start();
    TSettingsForm& d = settings();
    EXPECT_EQ(d.ui().daysSpinBox->minimum(), 0);
    EXPECT_EQ(d.ui().daysSpinBox->maximum(), 200);
    chooseOther(d.ui().backgroundColourButton, QColor(255, 0, 0));
    chooseOther(d.ui().textColourButton, QColor(0, 0, 255));
    d.ui().backgroundDefaultButton->click();
    d.ui().textDefaultButton->setFocus();
    QTest::keyClick(d.ui().textDefaultButton, Qt::Key_Return); // Enter on "Def." is "Def.", not "OK"
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(window->state().settings.listText, clWindowText);
    d.ui().remindCheckBox->setChecked(true);
    d.ui().soundCheckBox->setChecked(true);
    d.ui().daysSpinBox->setValue(250);
    EXPECT_EQ(d.ui().daysSpinBox->value(), 200);
    typeInto(d.ui().daysSpinBox, "20");
    d.ui().okButton->click();
    EXPECT_FALSE(d.isVisible());
    const std::string ini = file("kfz.ini");
    EXPECT_NE(ini.find("TerminRemind=ja\r\nTerminRemTime=20\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("StartSound=nein"), std::string::npos); // the sound flag waits for shut-down

    TSettingsForm& again = settings();
    EXPECT_TRUE(again.ui().remindCheckBox->isChecked());
    EXPECT_EQ(again.ui().daysSpinBox->value(), 20);
    again.close(); // the title bar: nothing taken over, nothing undone
    window.reset();
    const std::string shutDown = file("kfz.ini");
    EXPECT_NE(shutDown.find("StartSound=ja\r\n"), std::string::npos);
    EXPECT_NE(shutDown.find("Farbe1=clWindow\r\nFarbe2=clWindowText\r\n"), std::string::npos);
}

} // namespace
