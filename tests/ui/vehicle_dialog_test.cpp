// The vehicle dialog driven headless: focus moves write the fields back, vehicles are created and
// deleted, and however the dialog closes the main window shows one vehicle, all of it.
#include "support/window_fixture.h"

#include "appointments/appointments_panel.h"
#include "core/vehicle_table.h"
#include "records/fuel_entry_dialog.h"
#include "records/record_list_view.h"
#include "store/code_page.h"
#include "ui_fuel_entry_dialog.h"
#include "ui_vehicle_dialog.h"
#include "vehicles/vehicle_dialog.h"
#include "vehicles/vehicle_picture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

#include <deque>
#include <functional>

namespace {

using Kind = ScriptedPrompts::Kind;

class ScriptedChooser final : public PictureChooser {
public:
    std::deque<std::optional<QString>> answers; // an empty script cancels
    std::vector<QString> starts;
    QString filter;

    std::optional<QString> choosePicture(QWidget*, const QString& start, const QString& f) override {
        starts.push_back(start);
        filter = f;
        if (answers.empty()) return std::nullopt;
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
};

const char* const kSampleHeader =
    "ID;bez;nummer;tachostart;tinh;au;tuev;kdatum;erstzul;kpreis;bemerk1;fgstnr;fahrer;instdat;instkm;sikm;simon;"
    "privat;kme;waehr;krstart;leas;leasdauer;leasstart;file;file2;file3;file4;file5;bild;kme2;krstart2;apreis;hybrid;"
    "file6\r\n";

class VehicleDialogTest : public testing::Test, public MainWindowFixture {
protected:
    // The dialog as the menu opens it, active, with the focus in the vehicle grid.
    TForm26& open(bool selectEnabled = true) {
        if (!window) start();
        TForm26& d = window->vehicles().vehicleDialog();
        d.setPictureChooser(chooser);
        d.prepare(selectEnabled);
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        return d;
    }
    // The user moves the focus into `field` and types `text` there.
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        field->setText(text);
    }
    static void leaveTo(QWidget* next) { next->setFocus(Qt::TabFocusReason); }
    // The first exit after opening writes nothing; this one uses it up.
    static void useUpFirstExit(TForm26& d) {
        leaveTo(d.ui().chassisLineEdit);
        leaveTo(d.ui().nameLineEdit);
    }
    // A click into the vehicle grid on row `row`.
    static void selectVehicle(TForm26& d, int row) {
        leaveTo(d.ui().vehicleTableWidget);
        d.ui().vehicleTableWidget->setCurrentCell(row - 1, 0);
    }
    static QString gridText(TForm26& d, int row, int column) {
        return d.ui().vehicleTableWidget->item(row - 1, column)->text();
    }
    QStringList menuEntries() const {
        QStringList out;
        for (QAction* a : window->vehicleMenu()->actions()) out << a->text();
        return out;
    }
    std::string row(int r) const {
        const TMlb2& v = window->state().VehicleTable;
        std::string line;
        for (int f = 0; f < v.FieldCount(); ++f) line += (f ? ";" : "") + v.ValueAt(r, f);
        return line;
    }
    QString quantityTitle() const {
        return window->fuelList()->listModel().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    void touch(const QString& name) {
        QFile f(dataDir() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // Runs the dialog modally, as the menu does, with `script` acting on it once it is shown.
    void runModal(const std::function<void(TForm26&)>& script, bool selectEnabled = true) {
        QTimer::singleShot(0, window.get(), [this, script] {
            TForm26& d = window->vehicles().vehicleDialog();
            d.setPictureChooser(chooser);
            // Focus moves count only in the active window.
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            script(d);
            if (d.isVisible()) d.reject();
        });
        window->openVehicleManagement(selectEnabled);
    }

    ScriptedChooser chooser;
};

TEST_F(VehicleDialogTest, OpensOnTheCurrentVehicle) {
    withSampleData();
    TForm26& d = open();
    EXPECT_EQ(d.windowTitle(), "Fahrzeugverwaltung");
    EXPECT_EQ(d.findChild<BannerStrip*>()->caption(), "Fahrzeugverwaltung");
    QTableWidget* grid = d.ui().vehicleTableWidget;
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Kennzeichen");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Bezeichnung");
    EXPECT_EQ(gridText(d, 3, 0), "M-EL 3");
    EXPECT_EQ(gridText(d, 3, 1), "Zoe");
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(d.ui().plateLineEdit->text(), "B-XY 10");
    EXPECT_EQ(d.ui().nameLineEdit->text(), "Transporter");
    EXPECT_EQ(d.ui().purchasePriceSpinBox->text(), QString::fromUtf8("20000,00 €"));
    EXPECT_EQ(d.ui().tankSpinBox->text(), "50,0 L");
    EXPECT_EQ(d.ui().startOdometerSpinBox->text(), "10000 KM");
    EXPECT_EQ(d.ui().huDateEdit->text(), "04.2027");
    EXPECT_EQ(d.ui().leasingStartDateEdit->text(), "03.2020"); // the month of the stored full date
    EXPECT_EQ(d.ui().fuelComboBox->currentText(), "Diesel");
    EXPECT_TRUE(d.ui().privateRadioButton->isChecked());
    EXPECT_FALSE(d.ui().leasingCheckBox->isChecked());
    EXPECT_FALSE(d.ui().leasingStartDateEdit->isEnabled());
    EXPECT_FALSE(d.ui().leasingDurationSpinBox->isEnabled());
    EXPECT_FALSE(d.ui().fuel2ComboBox->isVisibleTo(&d));
    EXPECT_FALSE(d.ui().unit2ComboBox->isVisibleTo(&d));
    EXPECT_TRUE(d.ui().selectButton->isEnabled());
    EXPECT_TRUE(d.ui().deleteButton->isEnabled());
    EXPECT_TRUE(d.ui().printButton->isEnabled()); // the data sheet
    EXPECT_EQ(d.ui().picture->toolTip(), "Neue Bildverknüpfung mit linker Maustaste\nLöschen mit rechter Maustaste");
    ASSERT_NE(d.appointmentsPage(), nullptr);
    EXPECT_NE(d.appointmentsPage()->layout(), nullptr);
    EXPECT_EQ(d.ui().tabWidget->tabText(d.ui().tabWidget->indexOf(d.appointmentsPage())), "Termine");
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(VehicleDialogTest, SelectingARowShowsThatVehicle) {
    withSampleData();
    TForm26& d = open();
    QSignalSpy shown(&d, &TForm26::vehicleShown);
    selectVehicle(d, 3);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), 3);
    EXPECT_EQ(d.ui().plateLineEdit->text(), "M-EL 3");
    // currency index 1 and unit index 1: a blank and SFr behind both amounts, KG behind the tank
    EXPECT_TRUE(d.ui().purchasePriceSpinBox->text().endsWith(" SFr"));
    EXPECT_EQ(d.ui().currentPriceSpinBox->suffix(), " SFr");
    EXPECT_EQ(d.ui().tankSpinBox->suffix(), " KG");
    EXPECT_EQ(d.ui().currencyComboBox->currentText(), "SFr Schweizer Franken");
    EXPECT_EQ(d.ui().unitComboBox->currentText(), "KG Kilogramm");
    // browsing writes nothing and leaves the main window as it was
    EXPECT_EQ(file("kfzdata.csv"), readBytes(QStringLiteral(WAGENWART_FIXTURES "/ui/kfzdata.csv")));
    EXPECT_EQ(window->currentVehicleCaption(), "B-XY 10  /  Transporter");
}

TEST_F(VehicleDialogTest, FirstExitWritesNothingTheSecondWritesAllFields) {
    withSampleData();
    TForm26& d = open();
    const std::string before = file("kfzdata.csv");
    type(d.ui().nameLineEdit, "Transit");
    type(d.ui().plateLineEdit, "B-XY 11"); // leaving "Bezeichnung": the first exit
    EXPECT_EQ(file("kfzdata.csv"), before);
    EXPECT_EQ(gridText(d, 2, 1), "Transporter");

    leaveTo(d.ui().chassisLineEdit); // the second exit writes every field
    EXPECT_TRUE(prompts.prompts.empty());
    const std::string written = "2;Transit;B-XY 11;10000;50;03.2027;04.2027;15.03.2020;15.03.2020;20000;;;;06.2027;"
                                "40000;30000;12;ja;0;0;3;nein;0;03.2020;kfzdat.002;kfzfb.002;kfzfbe.002;"
                                "kfznotiz.002;kfzwv.002;;0;0;0;0;kfzterm.002";
    EXPECT_EQ(row(2), written);
    const std::string stored = file("kfzdata.csv");
    EXPECT_NE(stored.find(written + "\r\n"), std::string::npos);
    EXPECT_EQ(stored.rfind(kSampleHeader, 0), 0u);
    EXPECT_EQ(gridText(d, 2, 0), "B-XY 11");
    EXPECT_EQ(gridText(d, 2, 1), "Transit");
    EXPECT_EQ(menuEntries(), QStringList({"A-BC 1\tGolf", "B-XY 11\tTransit", "M-EL 3\tZoe"}));
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), 2);
}

TEST_F(VehicleDialogTest, LeavingTheTabAreaWritesToo) {
    withSampleData();
    TForm26& d = open();
    type(d.ui().driverLineEdit, "Erika"); // grid to field: no exit
    leaveTo(d.ui().newButton);            // field exit (the first) and tab area exit
    EXPECT_EQ(window->state().VehicleTable.GetValue("fahrer"), "Erika");
    EXPECT_NE(file("kfzdata.csv").find(";Erika;"), std::string::npos);
}

TEST_F(VehicleDialogTest, EveryKindOfFieldIsWrittenBack) {
    withSampleData();
    TForm26& d = open();
    useUpFirstExit(d);
    Ui::TForm26& u = d.ui();
    u.purchasePriceSpinBox->setValue(12500.5);
    u.tankSpinBox->setValue(62.5);
    u.firstRegistrationDateEdit->setDate(QDate(2019, 12, 24));
    u.companyRadioButton->setChecked(true);
    u.leasingCheckBox->setChecked(true);
    u.serviceDateEdit->setDate(QDate(2027, 9, 1));
    u.currencyComboBox->setCurrentIndex(1);
    u.unitComboBox->setCurrentIndex(2);
    u.serviceMonthsSpinBox->setValue(24);
    u.remarkPlainTextEdit->setFocus();
    u.remarkPlainTextEdit->setPlainText("Anhängerkupplung\nStandheizung");
    leaveTo(u.nameLineEdit);
    const TMlb2& v = window->state().VehicleTable;
    const std::pair<const char*, std::string> expected[] = {
        {"kpreis", "12500,5"},
        {"tinh", "62,5"},
        {"erstzul", "24.12.2019"},
        {"privat", "nein"},
        {"leas", "ja"},
        {"instdat", "09.2027"},
        {"waehr", "1"},
        {"kme", "2"},
        {"simon", "24"},
        {"bemerk1", "Anh\xE4ngerkupplung\r\nStandheizung"},
    };
    for (const auto& [field, value] : expected) EXPECT_EQ(v.GetValue(field), value) << field;
    EXPECT_NE(file("kfzdata.csv").find(";Anh\xE4ngerkupplung\\nStandheizung;"), std::string::npos);
    // Ticking the box does not enable the leasing fields; they follow the stored value at the next load.
    EXPECT_FALSE(u.leasingStartDateEdit->isEnabled());
    selectVehicle(d, 1);
    selectVehicle(d, 2);
    EXPECT_TRUE(u.leasingStartDateEdit->isEnabled());
    EXPECT_TRUE(u.leasingDurationSpinBox->isEnabled());
    EXPECT_EQ(u.remarkPlainTextEdit->toPlainText(), "Anhängerkupplung\nStandheizung");
    EXPECT_EQ(u.purchasePriceSpinBox->suffix(), " SFr");
}

struct PlateCase {
    const char* name;
    const char* plate;
    bool refused;
};
void PrintTo(const PlateCase& c, std::ostream* os) {
    *os << c.name;
}

class PlateCheck : public VehicleDialogTest, public testing::WithParamInterface<PlateCase> {};

TEST_P(PlateCheck, DuplicateOfAnotherRowIsRefused) {
    withSampleData();
    TForm26& d = open();
    useUpFirstExit(d);
    // Moving into the plate field leaves "Bezeichnung": that exit writes all fields as they are.
    leaveTo(d.ui().plateLineEdit);
    const std::string before = file("kfzdata.csv");
    const QString plate = QString::fromUtf8(GetParam().plate);
    type(d.ui().plateLineEdit, plate);
    leaveTo(d.ui().nameLineEdit);
    if (GetParam().refused) {
        ASSERT_EQ(prompts.prompts.size(), 1u);
        EXPECT_EQ(prompts.last()->kind, Kind::Error);
        EXPECT_EQ(prompts.last()->message, "Das Kennzeichen \"" + plate +
                                               "\" ist bereits in der Datenbank vorhanden.\rBitte korrigieren Sie "
                                               "den Eintrag.");
        EXPECT_EQ(QApplication::focusWidget(), d.ui().plateLineEdit);
        // leaving the whole tab area with the duplicate still in the field writes nothing either
        leaveTo(d.ui().vehicleTableWidget);
        EXPECT_EQ(prompts.prompts.size(), 2u);
        EXPECT_EQ(QApplication::focusWidget(), d.ui().plateLineEdit);
        EXPECT_EQ(file("kfzdata.csv"), before);
        EXPECT_EQ(window->state().VehicleTable.GetValue("nummer"), "B-XY 10");
        EXPECT_EQ(gridText(d, 2, 0), "B-XY 10");
    } else {
        EXPECT_TRUE(prompts.prompts.empty());
        EXPECT_EQ(window->state().VehicleTable.GetValue("nummer"), fromDisplay(plate));
        EXPECT_NE(file("kfzdata.csv").find(";" + fromDisplay(plate) + ";"), std::string::npos);
        EXPECT_EQ(gridText(d, 2, 0), plate);
        EXPECT_EQ(menuEntries().at(1), plate + "\tTransporter");
    }
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), 2);
}

INSTANTIATE_TEST_SUITE_P(Plates, PlateCheck,
                         testing::Values(PlateCase{"another_rows_plate", "A-BC 1", true},
                                         PlateCase{"differs_only_in_letter_case", "a-bc 1", false},
                                         PlateCase{"its_own_plate_again", "B-XY 10", false}),
                         [](const testing::TestParamInfo<PlateCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleDialogTest, RefusedPlateIsNotWrittenWhenTheFocusLeavesAnotherWay) {
    withSampleData();
    TForm26& d = open();
    useUpFirstExit(d);
    leaveTo(d.ui().plateLineEdit);
    d.ui().plateLineEdit->setText(QStringLiteral("A-BC 1"));
    // The focus goes elsewhere without the plate field being left by a focus move of its own.
    {
        const QSignalBlocker quiet(qApp);
        d.ui().chassisLineEdit->setFocus(Qt::MouseFocusReason);
    }
    type(d.ui().chassisLineEdit, QStringLiteral("WVWZZZ1JZXW000001"));
    leaveTo(d.ui().driverLineEdit); // an exit of another field writes back all fields
    // The other fields are written; the duplicate plate is not, and nothing blocks the user.
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(QApplication::focusWidget(), d.ui().driverLineEdit);
    EXPECT_EQ(window->state().VehicleTable.GetValue("nummer"), "B-XY 10");
    EXPECT_EQ(window->state().VehicleTable.GetValue("fgstnr"), "WVWZZZ1JZXW000001");
    const std::string stored = file("kfzdata.csv");
    EXPECT_NE(stored.find(";B-XY 10;"), std::string::npos);
    EXPECT_NE(stored.find("WVWZZZ1JZXW000001"), std::string::npos);
    EXPECT_EQ(stored.find("A-BC 1", stored.find("A-BC 1") + 1), std::string::npos); // only row 1 has it
}

// What is typed into a field is kept when the dialog is closed while the field still has the focus.
TEST_F(VehicleDialogTest, FieldBeingEditedIsWrittenWhenTheDialogCloses) {
    withSampleData();
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Escape");
        TForm26& d = open();
        useUpFirstExit(d);
        const QString name = closeBox ? QStringLiteral("Erika") : QStringLiteral("Max");
        type(d.ui().driverLineEdit, name);
        if (closeBox)
            d.close();
        else
            QTest::keyClick(d.ui().driverLineEdit, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
        EXPECT_NE(file("kfzdata.csv").find(";" + fromDisplay(name) + ";"), std::string::npos);
    }
    EXPECT_TRUE(prompts.prompts.empty());
}

// Escape after choosing another vehicle in the grid: the typed text belongs to the vehicle the
// fields show, and the vehicle the dialog opened on keeps all of its values.
TEST_F(VehicleDialogTest, FieldBeingEditedGoesToTheShownVehicleNotTheOpeningOne) {
    withSampleData();
    TForm26& d = open(); // on B-XY 10
    selectVehicle(d, 1); // A-BC 1 / Golf
    useUpFirstExit(d);
    type(d.ui().driverLineEdit, QStringLiteral("Max"));
    QTest::keyClick(d.ui().driverLineEdit, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    const TMlb2& v = window->state().VehicleTable;
    EXPECT_EQ(v.GetValue("nummer"), "B-XY 10"); // the cursor went back to the opening vehicle
    EXPECT_EQ(v.GetValue("bez"), "Transporter");
    EXPECT_EQ(v.GetValue("fahrer"), "");
    EXPECT_EQ(v.ValueAt(1, v.FieldIndex("nummer")), "A-BC 1");
    EXPECT_EQ(v.ValueAt(1, v.FieldIndex("fahrer")), "Max");
    EXPECT_EQ(window->currentVehicleCaption(), "B-XY 10  /  Transporter");
}

// Enter in the grid or a list opens nothing: no button of the dialog is pressed by default.
TEST_F(VehicleDialogTest, EnterInTheGridPressesNoButton) {
    withSampleData();
    TForm26& d = open();
    d.ui().tabWidget->setCurrentWidget(d.ui().appointmentsTab);
    d.ui().vehicleTableWidget->setFocus();
    bool opened = false;
    QTimer::singleShot(0, &d, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &d) {
            opened = true;
            modal->close();
        }
    });
    QTest::keyClick(d.ui().vehicleTableWidget, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(window->state().VehicleTable.RowCount(), 3);
}

// A plate stored twice already (an older file) keeps nothing else of that vehicle from being written.
TEST_F(VehicleDialogTest, StoredDuplicatePlateDoesNotBlockTheOtherFields) {
    withSampleData();
    TMlb2 table;
    ASSERT_TRUE(table.LoadFromFile(dataDir() + "kfzdata.csv"));
    table.GoToRow(2);
    table.SetValue("nummer", "A-BC 1");
    ASSERT_TRUE(table.SaveToFile(dataDir() + "kfzdata.csv"));
    TForm26& d = open();
    selectVehicle(d, 2);
    useUpFirstExit(d);
    leaveTo(d.ui().driverLineEdit);
    type(d.ui().driverLineEdit, QStringLiteral("Erika"));
    leaveTo(d.ui().chassisLineEdit);
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(window->state().VehicleTable.GetValue("fahrer"), "Erika");
    EXPECT_NE(file("kfzdata.csv").find("Erika"), std::string::npos);
}

TEST_F(VehicleDialogTest, TermineTabListsTheAppointmentsOfTheShownVehicle) {
    withSampleData();
    {
        QFile f(dataDir() + "kfzterm.001");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("kfz;datum;zeit;text\r\n;02.05.2026;08:00:00;HU\r\n;14.05.2026;09:30:00;Inspektion\r\n");
    }
    TForm26& d = open(); // on B-XY 10, whose "file6" is empty: no appointments
    QTableWidget* list = d.appointments().list();
    EXPECT_EQ(list->rowCount(), 1); // the one empty row
    selectVehicle(d, 1);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 0)->text(), "02.05.2026");
    EXPECT_EQ(list->item(1, 1)->text(), "09:30");
    EXPECT_EQ(list->item(1, 2)->text(), "Inspektion");
    EXPECT_EQ(list->item(0, 0)->foreground().color(), QColor(Qt::red)); // past
    selectVehicle(d, 3);
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_TRUE(prompts.prompts.empty());
}

TEST_F(VehicleDialogTest, UnreadableAppointmentFileIsReportedAndNeverWrittenOver) {
    withSampleData();
    ASSERT_TRUE(QDir().mkdir(dataDir() + "kfzterm.001")); // exists, cannot be read as a file
    TForm26& d = open();
    selectVehicle(d, 1);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Error);
    EXPECT_TRUE(prompts.last()->message.startsWith("Die Datei kfzterm.001 konnte nicht gelesen werden."));
    EXPECT_FALSE(d.appointments().newButton()->isEnabled());
    d.appointments().newAppointment(); // nothing opens, nothing is stored
    EXPECT_TRUE(QFileInfo(dataDir() + "kfzterm.001").isDir());
    selectVehicle(d, 2);
    EXPECT_TRUE(d.appointments().newButton()->isEnabled());
    // Browsing back to it does not say it again, this run; the file is still left alone.
    selectVehicle(d, 1);
    EXPECT_EQ(prompts.prompts.size(), 1u);
    EXPECT_FALSE(d.appointments().newButton()->isEnabled());
}

// A new vehicle takes the lowest number whose record file is missing.
struct NumberCase {
    const char* name;
    std::vector<int> present; // record files in the data directory
    const char* nnn;
    const char* id;
};
void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class NewVehicleNumber : public VehicleDialogTest, public testing::WithParamInterface<NumberCase> {};

TEST_P(NewVehicleNumber, IsTheFirstFreeOne) {
    for (int n : GetParam().present) touch(QString::fromStdString("kfzdat." + vehicleNumberText(n)));
    start();
    TForm26& d = open(false);
    EXPECT_FALSE(d.ui().selectButton->isEnabled());
    EXPECT_FALSE(d.ui().deleteButton->isEnabled());
    EXPECT_FALSE(d.ui().nameLineEdit->isEnabled());
    EXPECT_TRUE(d.ui().newButton->isEnabled());

    prompts.answers = {true};
    QTest::mouseClick(d.ui().newButton, Qt::LeftButton);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_EQ(prompts.last()->title, "Neues Fahrzeug");
    EXPECT_EQ(prompts.last()->instruction, "Bei Klick auf Ja wird ein neuer Datensatz angelegt.");
    EXPECT_EQ(prompts.last()->message, QString::fromUtf8("Möchten Sie ein neues Fahrzeug anlegen ?"));

    const std::string nnn = GetParam().nnn;
    const TMlb2& v = window->state().VehicleTable;
    ASSERT_EQ(v.RowCount(), 1);
    const std::pair<const char*, std::string> expected[] = {
        {"nummer", "Nummer " + nnn},  {"bez", "Fahrzeug " + nnn}, {"ID", GetParam().id},
        {"file", "kfzdat." + nnn},    {"file2", "kfzfb." + nnn},  {"file3", "kfzfbe." + nnn},
        {"file4", "kfznotiz." + nnn}, {"file5", "kfzwv." + nnn},  {"file6", "kfzterm." + nnn},
    };
    for (const auto& [field, value] : expected) EXPECT_EQ(v.GetValue(field), value) << field;
    EXPECT_EQ(file(("kfzdat." + nnn).c_str()), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n");
    EXPECT_NE(file("kfzdata.csv").find("Nummer " + nnn), std::string::npos);
    EXPECT_EQ(gridText(d, 1, 0), QString::fromStdString("Nummer " + nnn));
    EXPECT_EQ(d.ui().plateLineEdit->text(), QString::fromStdString("Nummer " + nnn));
    EXPECT_EQ(d.ui().tankSpinBox->text(), "50,0 L");
    EXPECT_TRUE(d.ui().nameLineEdit->isEnabled());
    EXPECT_TRUE(d.ui().deleteButton->isEnabled());
    EXPECT_TRUE(d.ui().selectButton->isEnabled());
    EXPECT_EQ(menuEntries(), QStringList({QString::fromStdString("Nummer " + nnn + "\tFahrzeug " + nnn)}));
}

INSTANTIATE_TEST_SUITE_P(Numbers, NewVehicleNumber,
                         testing::Values(NumberCase{"gap_is_filled", {1, 3}, "002", "2"},
                                         NumberCase{"two_digits", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "012", "12"},
                                         NumberCase{"three_digits",
                                                    [] {
                                                        std::vector<int> n(122);
                                                        for (int i = 0; i < 122; ++i) n[i] = i + 1;
                                                        return n;
                                                    }(),
                                                    "123", "123"}),
                         [](const testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleDialogTest, NoToTheNewVehicleQuestionChangesNothing) {
    withSampleData();
    TForm26& d = open();
    QTest::mouseClick(d.ui().newButton, Qt::LeftButton); // the empty script answers No
    EXPECT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(window->state().VehicleTable.RowCount(), 3);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.ui().vehicleTableWidget->rowCount(), 3);
}

TEST_F(VehicleDialogTest, DeletingRemovesTheVehicleAndItsFiles) {
    withSampleData();
    for (const char* name : {"kfzfb.001", "kfzfbe.001", "kfznotiz.001", "kfzwv.001", "kfzterm.001"}) touch(name);
    TForm26& d = open();
    selectVehicle(d, 1);
    QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton); // answered No
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_EQ(prompts.last()->title, QString::fromUtf8("Fahrzeug löschen"));
    EXPECT_EQ(prompts.last()->instruction, " Klicken Sie Ja nur wenn Sie sicher sind.");
    EXPECT_EQ(prompts.last()->message, QString::fromUtf8("Möchten Sie das Fahrzeug \"A-BC 1\" löschen ?"));
    EXPECT_EQ(window->state().VehicleTable.RowCount(), 3);

    prompts.answers = {true};
    QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton);
    for (const char* name : {"kfzdat.001", "kfzfb.001", "kfzfbe.001", "kfznotiz.001", "kfzwv.001", "kfzterm.001"})
        EXPECT_FALSE(QFile::exists(dataDir() + name)) << name;
    EXPECT_TRUE(QFile::exists(dataDir() + "kfzdat.002"));
    EXPECT_EQ(file("kfzdata.csv").find("A-BC 1"), std::string::npos);
    ASSERT_EQ(d.ui().vehicleTableWidget->rowCount(), 2);
    EXPECT_EQ(d.ui().vehicleTableWidget->currentRow(), 0);
    EXPECT_EQ(d.ui().plateLineEdit->text(), "B-XY 10");
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), 1);
    EXPECT_EQ(menuEntries(), QStringList({"B-XY 10\tTransporter", "M-EL 3\tZoe"}));
}

TEST_F(VehicleDialogTest, DeletingTheOnlyVehicleAndCreatingOneAgain) {
    touch("kfzterm.001");
    start();
    TForm26& d = open(false);
    prompts.answers = {true};
    QTest::mouseClick(d.ui().newButton, Qt::LeftButton);
    ASSERT_EQ(window->state().VehicleTable.RowCount(), 1);

    prompts.prompts.clear();
    prompts.answers = {true, true, true}; // delete it, create one now, yes a new vehicle
    QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton);
    ASSERT_EQ(prompts.prompts.size(), 3u);
    EXPECT_EQ(prompts.prompts[0].title, QString::fromUtf8("Fahrzeug löschen"));
    EXPECT_EQ(prompts.prompts[1].kind, Kind::Question);
    EXPECT_EQ(prompts.prompts[1].message,
              QString::fromUtf8("Zur Verwendung des Programms muß mindestens ein Datensatz in der Fahrzeugverwaltung "
                                "vorliegen.\rMöchten Sie jetzt ein Fahrzeug anlegen ?"));
    // Where No ends the program, Enter answers Yes; deleting still defaults to No.
    EXPECT_EQ(prompts.prompts[0].answer, Prompts::Default::No);
    EXPECT_EQ(prompts.prompts[1].answer, Prompts::Default::Yes);
    EXPECT_EQ(prompts.prompts[2].title, "Neues Fahrzeug");
    EXPECT_EQ(prompts.prompts[2].answer, Prompts::Default::Yes);
    // number 001 again: its files were deleted with the vehicle
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzterm.001"));
    ASSERT_EQ(window->state().VehicleTable.RowCount(), 1);
    EXPECT_EQ(window->state().VehicleTable.GetValue("nummer"), "Nummer 001");
    EXPECT_EQ(d.ui().plateLineEdit->text(), "Nummer 001");
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.ui().nameLineEdit->isEnabled());
    EXPECT_EQ(menuEntries(), QStringList({"Nummer 001\tFahrzeug 001"}));
}

TEST_F(VehicleDialogTest, DeletingTheOnlyVehicleAndAnsweringNoEndsTheProgram) {
    start();
    window->show();
    bool dialogShown = false;
    prompts.onPrompt = [&](const ScriptedPrompts::Prompt& p) {
        if (p.kind != Kind::Information) return;
        QTimer::singleShot(0, window.get(), [&] {
            TForm26& d = window->vehicles().vehicleDialog();
            dialogShown = d.isVisible();
            EXPECT_FALSE(d.ui().selectButton->isEnabled());
            prompts.answers = {true};
            d.newVehicle();
            EXPECT_TRUE(d.ui().selectButton->isEnabled()); // a vehicle exists now
            prompts.answers = {true, false};               // delete it; do not create one now
            d.deleteSelectedVehicle();
            EXPECT_FALSE(d.isVisible());
        });
    };
    QTest::qWait(100);
    EXPECT_TRUE(dialogShown);
    ASSERT_EQ(prompts.prompts.size(), 4u);
    EXPECT_EQ(prompts.prompts[3].kind, Kind::Question);
    EXPECT_FALSE(window->isVisible()); // the program ends
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzdat.001"));
}

TEST_F(VehicleDialogTest, FirstStartCreatesTheFirstVehicle) {
    start();
    window->show();
    prompts.onPrompt = [&](const ScriptedPrompts::Prompt& p) {
        if (p.kind != Kind::Information) return;
        QTimer::singleShot(0, window.get(), [&] {
            TForm26& d = window->vehicles().vehicleDialog();
            // The way on is in view: "Neues Fahrzeug anlegen" has the focus and answers Enter, and
            // its question answers Enter with Yes (No would end the program).
            EXPECT_EQ(d.focusWidget(), d.ui().newButton);
            EXPECT_TRUE(d.ui().newButton->isDefault());
            prompts.answers = {true};
            QTest::keyClick(d.ui().newButton, Qt::Key_Return);
            EXPECT_EQ(prompts.last()->answer, Prompts::Default::Yes);
            EXPECT_FALSE(d.ui().newButton->isDefault());
            QTest::mouseClick(d.ui().closeButton, Qt::LeftButton);
        });
    };
    QTest::qWait(100);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentVehicleCaption(), "Nummer 001  /  Fahrzeug 001");
    EXPECT_EQ(window->state().CurCostFile, "kfzdat.001");
    EXPECT_EQ(window->state().CurRecurringFile, "kfzwv.001");
    EXPECT_EQ(window->state().VehicleTable.RowNumber(), 1);
    EXPECT_TRUE(window->newFuelButton()->isEnabled());
    EXPECT_EQ(menuEntries(), QStringList({"Nummer 001\tFahrzeug 001"}));
}

TEST_F(VehicleDialogTest, FirstStartAnsweringNoToANewVehicleEndsTheProgram) {
    start();
    window->show();
    prompts.onPrompt = [&](const ScriptedPrompts::Prompt& p) {
        if (p.kind != Kind::Information) return;
        QTimer::singleShot(0, window.get(), [&] {
            QTest::mouseClick(window->vehicles().vehicleDialog().ui().newButton, Qt::LeftButton); // answered No
        });
    };
    QTest::qWait(100);
    ASSERT_EQ(prompts.prompts.size(), 2u);
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_EQ(prompts.last()->message, "Möchten Sie ein neues Fahrzeug anlegen ?");
    EXPECT_FALSE(window->vehicles().vehicleDialog().isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->state().VehicleTable.IsEmpty());
}

TEST_F(VehicleDialogTest, MenuEntryAndPanelButtonOpenTheDialog) {
    withSampleData();
    start();
    QAction* entry = window->action("Datei", "Fahrzeugverwaltung");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_TRUE(window->vehicleButton()->isEnabled());
    for (const std::function<void()>& trigger : {std::function<void()>([&] { entry->trigger(); }),
                                                 std::function<void()>([&] { window->vehicleButton()->click(); })}) {
        bool shown = false;
        QTimer::singleShot(0, window.get(), [&] {
            TForm26& d = window->vehicles().vehicleDialog();
            shown = d.isVisible() && d.isModal();
            d.reject();
        });
        trigger();
        EXPECT_TRUE(shown);
    }
    EXPECT_EQ(window->currentVehicleCaption(), "B-XY 10  /  Transporter");
}

// However the dialog closes, the main window shows the vehicle under the cursor: its records, file
// names, panel and figures.
struct CloseCase {
    const char* name;
    std::vector<bool> answers;
    std::function<void(TForm26&)> act;
    const char* caption;
    const char* costFile;
    int cursorRow;
    int records; // in CostTable
    int fuelRows;
    const char* quantityTitle;
};
void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class Closing : public VehicleDialogTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, MainWindowShowsTheVehicleUnderTheCursor) {
    withSampleData();
    start();
    const CloseCase& c = GetParam();
    prompts.answers.assign(c.answers.begin(), c.answers.end());
    runModal([&](TForm26& d) { c.act(d); });
    EXPECT_FALSE(window->vehicles().vehicleDialog().isVisible());
    const AppState& s = window->state();
    EXPECT_EQ(window->currentVehicleCaption(), QString::fromUtf8(c.caption));
    EXPECT_EQ(s.VehicleTable.RowNumber(), c.cursorRow);
    EXPECT_EQ(s.CurCostFile, c.costFile);
    EXPECT_EQ(s.VehicleTable.GetValue("file"), c.costFile);
    EXPECT_EQ(s.CurTripFile, s.VehicleTable.GetValue("file2"));
    EXPECT_EQ(s.CurRecurringFile, s.VehicleTable.GetValue("file5"));
    EXPECT_EQ(s.CostTable.RowCount(), c.records);
    EXPECT_EQ(window->fuelList()->listModel().rowCount(), c.fuelRows);
    EXPECT_EQ(quantityTitle(), QString::fromUtf8(c.quantityTitle));
}

void pick(TForm26& d, int row) {
    d.ui().vehicleTableWidget->setCurrentCell(row - 1, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, Closing,
                         testing::Values(CloseCase{"schliessen_after_browsing",
                                                   {},
                                                   [](TForm26& d) {
                                                       pick(d, 3);
                                                       d.ui().closeButton->click();
                                                   },
                                                   "B-XY 10  /  Transporter",
                                                   "kfzdat.002",
                                                   2,
                                                   2,
                                                   2,
                                                   "Liter"},
                                         CloseCase{"escape_is_schliessen",
                                                   {},
                                                   [](TForm26& d) {
                                                       pick(d, 1);
                                                       QTest::keyClick(d.ui().vehicleTableWidget, Qt::Key_Escape);
                                                   },
                                                   "B-XY 10  /  Transporter",
                                                   "kfzdat.002",
                                                   2,
                                                   2,
                                                   2,
                                                   "Liter"},
                                         CloseCase{"auswaehlen_und_schliessen",
                                                   {},
                                                   [](TForm26& d) {
                                                       pick(d, 1);
                                                       d.ui().selectButton->click();
                                                   },
                                                   "A-BC 1 / Golf",
                                                   "kfzdat.001",
                                                   1,
                                                   3,
                                                   2,
                                                   "L"},
                                         CloseCase{"auswaehlen_a_vehicle_in_kilograms",
                                                   {},
                                                   [](TForm26& d) {
                                                       pick(d, 3);
                                                       d.ui().selectButton->click();
                                                   },
                                                   "M-EL 3 / Zoe",
                                                   "kfzdat.003",
                                                   3,
                                                   0,
                                                   0,
                                                   "KG"},
                                         CloseCase{"close_box_keeps_the_selected_vehicle",
                                                   {},
                                                   [](TForm26& d) {
                                                       pick(d, 3);
                                                       d.close();
                                                   },
                                                   "M-EL 3  /  Zoe",
                                                   "kfzdat.003",
                                                   3,
                                                   0,
                                                   0,
                                                   "KG"},
                                         CloseCase{"new_vehicle_then_schliessen",
                                                   {true},
                                                   [](TForm26& d) {
                                                       d.newVehicle();
                                                       d.ui().closeButton->click();
                                                   },
                                                   "B-XY 10  /  Transporter",
                                                   "kfzdat.002",
                                                   2,
                                                   2,
                                                   2,
                                                   "Liter"},
                                         CloseCase{"new_vehicle_then_auswaehlen",
                                                   {true},
                                                   [](TForm26& d) {
                                                       d.newVehicle();
                                                       d.ui().selectButton->click();
                                                   },
                                                   "Nummer 004 / Fahrzeug 004",
                                                   "kfzdat.004",
                                                   4,
                                                   0,
                                                   0,
                                                   "L"},
                                         CloseCase{"current_vehicle_deleted",
                                                   {true},
                                                   [](TForm26& d) {
                                                       d.deleteSelectedVehicle();
                                                       d.ui().closeButton->click();
                                                   },
                                                   "A-BC 1  /  Golf",
                                                   "kfzdat.001",
                                                   1,
                                                   3,
                                                   2,
                                                   "L"},
                                         CloseCase{"current_vehicle_deleted_then_close_box",
                                                   {true},
                                                   [](TForm26& d) {
                                                       d.deleteSelectedVehicle();
                                                       d.close();
                                                   },
                                                   "A-BC 1  /  Golf",
                                                   "kfzdat.001",
                                                   1,
                                                   3,
                                                   2,
                                                   "L"},
                                         CloseCase{"earlier_vehicle_deleted",
                                                   {true},
                                                   [](TForm26& d) {
                                                       pick(d, 1);
                                                       d.deleteSelectedVehicle();
                                                       d.ui().closeButton->click();
                                                   },
                                                   "B-XY 10  /  Transporter",
                                                   "kfzdat.002",
                                                   1,
                                                   2,
                                                   2,
                                                   "Liter"},
                                         CloseCase{"current_deleted_and_its_number_given_again",
                                                   {true, true},
                                                   [](TForm26& d) {
                                                       d.deleteSelectedVehicle();
                                                       d.newVehicle(); // number 002 is free again
                                                       d.ui().closeButton->click();
                                                   },
                                                   "A-BC 1  /  Golf",
                                                   "kfzdat.001",
                                                   1,
                                                   3,
                                                   2,
                                                   "L"}),
                         [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleDialogTest, EditedCurrentVehicleIsShownAgainWithoutReloadingItsRecords) {
    withSampleData();
    start();
    runModal([&](TForm26& d) {
        useUpFirstExit(d);
        type(d.ui().nameLineEdit, "Sprinter");
        d.ui().currencyComboBox->setCurrentIndex(1);
        leaveTo(d.ui().closeButton);
        d.ui().closeButton->click();
    });
    EXPECT_EQ(window->currentVehicleCaption(), "B-XY 10  /  Sprinter");
    EXPECT_EQ(window->statisticCaption(TForm1::TotalCosts), "Gesamtkosten (SFr)");
    EXPECT_EQ(window->fuelList()->listModel().rowCount(), 2);
}

TEST_F(VehicleDialogTest, NoFileOfADeletedVehicleIsWrittenAgain) {
    withSampleData();
    start();
    prompts.answers = {true, true};
    runModal([&](TForm26& d) {
        d.deleteSelectedVehicle(); // B-XY 10, the current vehicle
        d.newVehicle();            // gets number 002 and the deleted vehicle's file names
        d.ui().selectButton->click();
    });
    EXPECT_EQ(window->currentVehicleCaption(), "Nummer 002 / Fahrzeug 002");
    EXPECT_EQ(window->state().CostTable.RowCount(), 0); // not the deleted vehicle's records
    EXPECT_EQ(window->fuelList()->listModel().rowCount(), 0);

    TForm3& entry = window->records().fuelEntry();
    entry.prepare();
    entry.ui().odometerSpinBox->setValue(500);
    entry.ui().priceSpinBox->setValue(30);
    entry.ui().quantitySpinBox->setValue(20);
    entry.onOk();
    EXPECT_EQ(file("kfzdat.002"), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n"
                                  "2;10.05.2026;500;30,00;20,00;ja;t;;;;0\r\n");
    window.reset(); // shut-down writes the settings and the master table, nothing of the old vehicle
    EXPECT_EQ(file("kfzdata.csv").find("B-XY 10"), std::string::npos);
}

TEST_F(VehicleDialogTest, RemarkKeepsItsLinesThroughTheFile) {
    withSampleData();
    TForm26& d = open();
    useUpFirstExit(d);
    d.ui().remarkPlainTextEdit->setFocus();
    d.ui().remarkPlainTextEdit->setPlainText("Zeile 1\nZeile 2");
    leaveTo(d.ui().nameLineEdit);
    EXPECT_NE(file("kfzdata.csv").find(";Zeile 1\\nZeile 2;"), std::string::npos);
    d.reject();

    window.reset();
    start();
    TForm26& again = open();
    EXPECT_EQ(again.ui().remarkPlainTextEdit->toPlainText(), "Zeile 1\nZeile 2");
}

TEST_F(VehicleDialogTest, EnterMovesToTheNextFieldButBreaksALineInTheRemark) {
    withSampleData();
    TForm26& d = open();
    d.ui().nameLineEdit->setFocus();
    QTest::keyClick(d.ui().nameLineEdit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), d.ui().plateLineEdit);
    d.ui().remarkPlainTextEdit->setFocus();
    QTest::keyClicks(d.ui().remarkPlainTextEdit, "a");
    QTest::keyClick(d.ui().remarkPlainTextEdit, Qt::Key_Return);
    QTest::keyClicks(d.ui().remarkPlainTextEdit, "b");
    EXPECT_EQ(QApplication::focusWidget(), d.ui().remarkPlainTextEdit);
    EXPECT_EQ(d.ui().remarkPlainTextEdit->toPlainText(), "a\nb");
}

struct PictureCase {
    const char* name;
    const char* file;
    const char* format; // written with this image format; nullptr: not a picture Qt can read
    bool shown;
};
void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

class PictureLink : public VehicleDialogTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(PictureLink, LeftButtonLinksRightButtonRemoves) {
    withSampleData();
    const QString path = dataDir() + GetParam().file;
    if (GetParam().format) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(path, GetParam().format));
    } else {
        touch(GetParam().file);
    }
    TForm26& d = open();
    d.ui().tabWidget->setCurrentWidget(d.ui().photoTab);
    VehiclePicture* picture = d.ui().picture;

    QTest::mouseClick(picture, Qt::LeftButton); // cancelled
    ASSERT_EQ(chooser.starts.size(), 1u);
    EXPECT_EQ(chooser.starts[0], dataDir());
    EXPECT_EQ(chooser.filter, pictureFilter()); // its names and patterns: PictureFilter below
    EXPECT_EQ(window->state().VehicleTable.GetValue("bild"), "");

    chooser.answers = {path};
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_EQ(window->state().VehicleTable.GetValue("bild"), fromDisplay(path));
    EXPECT_NE(file("kfzdata.csv").find(fromDisplay(path)), std::string::npos);
    EXPECT_EQ(picture->hasPicture(), GetParam().shown);
    QTest::mouseClick(picture, Qt::MiddleButton); // the last path is offered next time
    EXPECT_EQ(chooser.starts.back(), path);

    QTest::mouseClick(picture, Qt::RightButton); // answered No
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Question);
    EXPECT_EQ(prompts.last()->message, "Bildverknüpfung löschen ?");
    EXPECT_EQ(window->state().VehicleTable.GetValue("bild"), fromDisplay(path));
    prompts.answers = {true};
    QTest::mouseClick(picture, Qt::RightButton);
    EXPECT_EQ(window->state().VehicleTable.GetValue("bild"), "");
    EXPECT_NE(file("kfzdata.csv").find(";kfzwv.002;;"), std::string::npos);
    EXPECT_FALSE(picture->hasPicture());
    EXPECT_TRUE(QFile::exists(path)); // linked, never copied or deleted
}

INSTANTIATE_TEST_SUITE_P(Files, PictureLink,
                         testing::Values(PictureCase{"jpeg", "auto.jpg", "JPEG", true},
                                         PictureCase{"bitmap", "auto.bmp", "BMP", true},
                                         PictureCase{"png", "auto.png", "PNG", true},
                                         PictureCase{"metafile_qt_cannot_show", "auto.wmf", nullptr, false}),
                         [](const testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

TEST_F(VehicleDialogTest, MissingPictureFileIsNotShownAndKeepsItsLink) {
    withSampleData();
    start();
    window->state().VehicleTable.SetValue("bild", "/nirgendwo/auto.jpg");
    TForm26& d = open();
    EXPECT_FALSE(d.ui().picture->hasPicture());
    EXPECT_EQ(window->state().VehicleTable.GetValue("bild"), "/nirgendwo/auto.jpg");
}

// The names the picture dialog shows, and the files each one lists.
TEST(PictureFilter, ShowsItsNamesAndFiltersByTheirPatterns) {
    QTemporaryDir dir;
    for (const char* name : {"auto.jpg", "auto.png", "notiz.txt"}) ASSERT_TRUE(writeBytes(dir.filePath(name), "x"));
    QFileDialog dialog(nullptr, QString(), dir.path(), pictureFilter());
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.show();
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 8);
    EXPECT_EQ(types->itemText(0), "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)");
    EXPECT_EQ(types->itemText(1), "JPEG Image File (*.jpg)");
    EXPECT_EQ(types->itemText(2), "JPEG Image File (*.jpeg)");
    EXPECT_EQ(types->itemText(3), "Bitmaps (*.bmp)");
    EXPECT_EQ(types->itemText(4), "Icons (*.ico)");
    EXPECT_EQ(types->itemText(5), "Enhanced Metafiles (*.emf)");
    EXPECT_EQ(types->itemText(6), "Metafiles (*.wmf)");
    EXPECT_TRUE(types->itemText(7).startsWith("Weitere Bildformate (")) << types->itemText(7).toStdString();
    EXPECT_TRUE(types->itemText(7).contains("*.png"));

    auto* files = dialog.findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(files, nullptr);
    // The file names listed, once the list shows `expected` (it fills and filters itself in the
    // background), or after three seconds.
    auto listed = [&](const QStringList& expected) {
        QStringList names;
        for (int waited = 0; waited <= 3000; waited += 20) {
            names.clear();
            for (int r = 0; r < files->model()->rowCount(files->rootIndex()); ++r)
                names << files->model()->index(r, 0, files->rootIndex()).data().toString();
            if (names == expected) break;
            QTest::qWait(20);
        }
        return names;
    };
    EXPECT_EQ(listed({"auto.jpg"}), QStringList{"auto.jpg"});
    dialog.selectNameFilter(dialog.nameFilters().at(7));
    EXPECT_EQ(listed({"auto.png"}), QStringList{"auto.png"});
}

} // namespace
