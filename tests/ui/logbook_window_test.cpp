// The logbook windows over the main window: the new trip with its start, checks, question and
// choice lists; the overview with its list, warning, deactivation and deletion; the settings; the
// print. The logbook file on disk stays enciphered through every action.

#include "support/window_fixture.h"

#include "logbook/logbook_files.h"
#include "logbook/logbook_overview_dialog.h"
#include "logbook/logbook_settings_dialog.h"
#include "logbook/logbook_windows.h"
#include "logbook/new_trip_dialog.h"
#include "logbook/xor_cipher.h"
#include "report/al_preview.h"
#include "report/pdf_export.h"
#include "report/preview_dialog.h"
#include "report/report_windows.h"
#include "support/capture_printer.h"
#include "ui_logbook_overview_dialog.h"
#include "ui_logbook_settings_dialog.h"
#include "ui_new_trip_dialog.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompts::Kind;

const std::string kHeader =
    "Nr;dat1;dat2;zeit1;zeit2;tacho1;tacho2;von;ueber;nach;zweck;besucht;art;fahrer;kfznummer;daktiv\r\n";

std::string crypt(std::string bytes) {
    return TXorCipher::XorText(LogbookKey, std::move(bytes));
}

class LogbookWindowsTest : public testing::Test, public MainWindowFixture {
protected:
    void SetUp() override {
        withSampleData();
        TForm1& w = start();
        prompts.prompts.clear();
        // The vehicle A-BC 1, whose files end in 001.
        ASSERT_TRUE(w.state().VehicleTable.GoToRow(1));
        w.ActivateVehicle();
        ASSERT_EQ(w.state().CurTripFile, "kfzfb.001");
        prompts.prompts.clear();
    }
    void writeData(const char* name, const std::string& bytes) {
        QFile f(dataDir() + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string logbookOnDisk() const { return crypt(file("kfzfb.001")); }
    TForm10& trip() { return window->logbook().newTripDialog(); }
    Ui::TForm10& tripUi() { return trip().ui(); }
    TForm11& overview() { return window->logbook().overview(); }
    // A private trip typed into the open dialog.
    void typeTrip(const QString& to, int end) {
        tripUi().toComboBox->setEditText(to);
        tripUi().odometerEndSpinBox->setValue(end);
        tripUi().driverComboBox->setEditText(QStringLiteral("Max"));
    }
    void threeTrips() {
        writeData("kfzfb.001",
                  crypt(kHeader + "1;01.05.2026;01.05.2026;08:00;09:00;100 KM;110 KM;A;;B;;;privat;Max;A-BC 1;\r\n"
                                  "2;02.05.2026;02.05.2026;08:00;09:00;110 KM;130 KM;B;;C;Messe;Meier;gesch\xE4"
                                  "ftl.;Max;A-BC 1;\r\n"
                                  "3;03.05.2026;03.05.2026;08:00;09:00;130 KM;160 KM;C;;D;;;wohn;Max;A-BC 1;\r\n"));
    }
};

TEST_F(LogbookWindowsTest, MenuEntriesAreActiveForAVehicle) {
    for (const char* caption : {"Neue Fahrt", "Fahrtenbuch", "Einstellungen"}) {
        QAction* a = window->action(QStringLiteral("Fahrtenbuch"), QString::fromUtf8(caption));
        ASSERT_TRUE(a) << caption;
        EXPECT_TRUE(a->isEnabled()) << caption;
    }
    EXPECT_EQ(window->action(QStringLiteral("Fahrtenbuch"), QStringLiteral("Neue Fahrt"))->shortcut(),
              QKeySequence(Qt::Key_F5));
    EXPECT_EQ(window->action(QStringLiteral("Fahrtenbuch"), QStringLiteral("Fahrtenbuch"))->shortcut(),
              QKeySequence(Qt::Key_F6));
}

TEST_F(LogbookWindowsTest, FirstTripIsTypedWholeAndStoredEnciphered) {
    ASSERT_TRUE(trip().prepare());
    EXPECT_EQ(trip().windowTitle(), window->currentVehicleCaption());
    EXPECT_FALSE(tripUi().odometerStartSpinBox->isReadOnly());
    EXPECT_FALSE(tripUi().fromComboBox->isHidden());
    EXPECT_EQ(tripUi().departureDateEdit->date(), QDate(2026, 5, 10));
    EXPECT_EQ(tripUi().arrivalTimeEdit->time(), QTime(9, 30));
    tripUi().odometerStartSpinBox->setValue(12345);
    tripUi().fromComboBox->setEditText(QStringLiteral("Berlin"));
    // A pasted control character never reaches the file.
    tripUi().viaComboBox->setEditText(QStringLiteral("Werder\x1A"));
    typeTrip(QStringLiteral("Potsdam"), 12400);
    trip().onOk();
    EXPECT_TRUE(prompts.prompts.empty());
    EXPECT_EQ(trip().result(), QDialog::Accepted);
    EXPECT_EQ(logbookOnDisk(), kHeader +
                                   "1;10.05.2026;10.05.2026;09:30;09:30;12345 KM;12400 KM;Berlin;Werder;Potsdam;;;"
                                   "privat;Max;A-BC 1;\r\n");
    EXPECT_EQ(file("kfzfbe.001"), "rubrik;text\r\n1;Berlin\r\n1;Werder\r\n1;Potsdam\r\n4;Max\r\n");
}

TEST_F(LogbookWindowsTest, NextTripStartsWhereTheLastActiveOneEnded) {
    writeData("kfzfb.001", crypt(kHeader + "1;09.05.2026;09.05.2026;08:00;09:00;12300 KM;12400 KM;Berlin;;Hamburg;;;"
                                           "privat;Max;A-BC 1;\r\n"));
    ASSERT_TRUE(trip().prepare());
    EXPECT_TRUE(tripUi().odometerStartSpinBox->isReadOnly());
    EXPECT_EQ(tripUi().odometerStartSpinBox->focusPolicy(), Qt::NoFocus); // skipped by Tab
    EXPECT_EQ(tripUi().odometerStartSpinBox->value(), 12400);
    EXPECT_EQ(tripUi().odometerEndSpinBox->value(), 12401);
    EXPECT_TRUE(tripUi().fromComboBox->isHidden());
    EXPECT_EQ(tripUi().fromLabel->text(), QStringLiteral("Hamburg"));
    // The double-click on the place makes start place and odometer editable.
    trip().show();
    QTest::mouseDClick(tripUi().fromLabel, Qt::LeftButton);
    EXPECT_FALSE(tripUi().fromComboBox->isHidden());
    EXPECT_EQ(tripUi().fromComboBox->currentText(), QStringLiteral("Hamburg"));
    EXPECT_FALSE(tripUi().odometerStartSpinBox->isReadOnly());
    trip().hide();
}

TEST_F(LogbookWindowsTest, RefusedTripStaysOpenWithTheFieldFocusedAndWritesNothing) {
    ASSERT_TRUE(trip().prepare());
    trip().show();
    tripUi().businessRadioButton->setChecked(true);
    typeTrip(QStringLiteral("Potsdam"), 5);
    tripUi().fromComboBox->setEditText(QStringLiteral("Berlin"));
    trip().onOk();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].message,
              QStringLiteral("Das Feld \"Zweck\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben"));
    EXPECT_TRUE(trip().isVisible());
    QWidget* focused = trip().focusWidget();
    EXPECT_TRUE(focused == tripUi().purposeComboBox || focused == tripUi().purposeComboBox->lineEdit());
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzfb.001"));
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzfbe.001"));
    trip().hide();
}

TEST_F(LogbookWindowsTest, AnsweringNoToTheQuestionStoresNoTripButTheTypedTexts) {
    writeData("kfzfbe.001", "rubrik;text\r\n5;j\r\n1;Berlin\r\n");
    ASSERT_TRUE(trip().prepare());
    EXPECT_EQ(tripUi().toComboBox->count(), 1); // the places offered
    typeTrip(QStringLiteral("Potsdam"), 5);
    trip().onOk();
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, Kind::Question);
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("Einträge können nachträglich nicht gelöscht oder editiert "
                                                         "werden.\rMöchten Sie den neuen Eintrag jetzt speichern ? "));
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzfb.001"));
    EXPECT_EQ(file("kfzfbe.001"), "rubrik;text\r\n5;j\r\n1;Berlin\r\n1;Potsdam\r\n4;Max\r\n");
    EXPECT_EQ(trip().result(), QDialog::Accepted);
    prompts.answers = {true};
    ASSERT_TRUE(trip().prepare());
    typeTrip(QStringLiteral("Potsdam"), 5);
    trip().onOk();
    EXPECT_EQ(logbookOnDisk().substr(kHeader.size(), 2), "1;");
}

TEST_F(LogbookWindowsTest, LogbookOnDiskIsNeverPlainWhileTheDialogIsOpenOrAfterItIsClosed) {
    threeTrips();
    const std::string stored = file("kfzfb.001");
    ASSERT_TRUE(trip().prepare());
    trip().show();
    EXPECT_EQ(file("kfzfb.001"), stored); // opening deciphers nothing on disk
    trip().close();                       // the close box
    EXPECT_EQ(file("kfzfb.001"), stored);
    ASSERT_TRUE(trip().prepare());
    tripUi().cancelButton->click();
    EXPECT_EQ(file("kfzfb.001"), stored);
}

TEST_F(LogbookWindowsTest, OverviewListsSumsAndDeactivatesTheLastEntry) {
    threeTrips();
    overview().prepare();
    Ui::TForm11& u = overview().ui();
    EXPECT_EQ(overview().model().rowCount(), 3);
    EXPECT_EQ(overview().model().index(2, 1).data().toString(), QStringLiteral("Wohnung\nArbeit"));
    EXPECT_EQ(u.summaryValueLabel->text(), QStringLiteral("01.05.2026 - 03.05.2026\n60\n10\n50"));
    EXPECT_TRUE(u.allRadioButton->isChecked());
    EXPECT_EQ(u.fromDateEdit->date(), QDate(2026, 5, 1));
    EXPECT_EQ(u.toDateEdit->date(), QDate(2026, 5, 10));
    // An older logbook: its chain starts now, and the overview says so once.
    EXPECT_EQ(u.chainLabel->text(), QStringLiteral("Prüfkette ab Eintrag L.Nr. 3"));

    overview().onRowActivated(0);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, Kind::Information);
    prompts.answers = {true};
    overview().onRowActivated(2);
    ASSERT_EQ(prompts.prompts.size(), 2u);
    EXPECT_EQ(prompts.prompts[1].kind, Kind::Question);
    EXPECT_NE(logbookOnDisk().find("A-BC 1;j\r\n"), std::string::npos);
    EXPECT_TRUE(overview().model().listing().rows[2].deactivated);
    EXPECT_EQ(u.summaryValueLabel->text(), QStringLiteral("01.05.2026 - 02.05.2026\n30\n10\n20"));

    overview().prepare(); // opened again: no break, the notice not again
    EXPECT_TRUE(u.chainLabel->isHidden());
    u.betweenRadioButton->setChecked(true);
    prompts.prompts.clear();
    overview().onRowActivated(1);
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].message,
              QStringLiteral("Die Editierfunktion steht nur bei \"Auswahl: Alle Einträge\" zur Verfügung."));
}

TEST_F(LogbookWindowsTest, EntryChangedOutsideTheProgramIsShownAboveTheList) {
    threeTrips();
    overview().prepare(); // makes the chain
    std::string plain = logbookOnDisk();
    plain.replace(plain.find(";Messe;"), 7, ";Urlaub;");
    writeData("kfzfb.001", crypt(plain));
    overview().prepare();
    EXPECT_FALSE(overview().ui().chainLabel->isHidden());
    EXPECT_EQ(overview().ui().chainLabel->text(),
              QStringLiteral("Achtung: Eintrag L.Nr. 2 wurde außerhalb von Wagenwart verändert."));
}

TEST_F(LogbookWindowsTest, DeletingAllEntriesAsksRemovesBothFilesAndCloses) {
    threeTrips();
    overview().prepare();
    overview().onDeleteAll(); // an empty script answers No
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.prompts[0].kind, Kind::Confirm);
    EXPECT_EQ(prompts.prompts[0].title, QStringLiteral("Fahrtenbuch löschen"));
    EXPECT_EQ(prompts.prompts[0].instruction, QStringLiteral("Klicken Sie Ja nur wenn Sie sicher sind."));
    EXPECT_EQ(prompts.prompts[0].message, QStringLiteral("Möchten Sie alle Fahrtenbucheinträge löschen ?"));
    EXPECT_TRUE(QFile::exists(dataDir() + "kfzfb.001"));
    prompts.answers = {true};
    overview().onDeleteAll();
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzfb.001"));
    EXPECT_FALSE(QFile::exists(dataDir() + "kfzfbp.001"));
    EXPECT_EQ(overview().result(), QDialog::Accepted);
    overview().prepare();
    EXPECT_EQ(overview().model().rowCount(), 1); // the empty row
    EXPECT_EQ(overview().ui().summaryValueLabel->text(), QStringLiteral("-\n-\n-\n-"));
}

TEST_F(LogbookWindowsTest, NewEntryFromTheOverviewIsListedAfterwards) {
    threeTrips();
    overview().prepare();
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<TForm10*>(QApplication::activeModalWidget());
        if (!dialog) return;
        typeTrip(QStringLiteral("E"), 170);
        dialog->onOk();
    });
    overview().ui().newEntryButton->click();
    EXPECT_EQ(overview().model().rowCount(), 4);
    EXPECT_EQ(overview().model().listing().rows[3].cells[0], QStringLiteral("4"));
}

TEST_F(LogbookWindowsTest, PrintShowsTheListedTripsWithTheFingerprint) {
    threeTrips();
    CapturePrinter printer;
    printer.metrics = pdfA4Metrics(alr_Portrait);
    ScriptedSaveFile saveFile;
    window->reports().setSeams(printer, saveFile);
    overview().prepare();
    prompts.answers = {true};
    overview().onRowActivated(2); // the third entry printed struck out
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("fahrtenbuch.pdf"));
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<TfrmPreview*>(QApplication::activeModalWidget());
        if (!preview) return;
        EXPECT_FALSE(savePagesAsPdf(preview->preview().pages(), QStringLiteral("Fahrtenbuch"), pdf));
        preview->close();
    });
    overview().ui().printButton->click();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains(QStringLiteral("FAHRTENBUCH-AUSDRUCK für (Kennzeichen/Fahrzeug)")));
    EXPECT_TRUE(words.contains(QStringLiteral("01.05.2026 - 02.05.2026"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("Ende des Ausdrucks")));
    const QString fingerprint = shortFingerprint(window->logbook().files().fingerprintOf(3));
    EXPECT_TRUE(words.contains(fingerprint)) << fingerprint.toStdString();
}

TEST_F(LogbookWindowsTest, SettingsWithoutAFileAndWithOne) {
    TForm12& settings = window->logbook().settings();
    ASSERT_TRUE(settings.prepare());
    EXPECT_EQ(settings.windowTitle(), window->currentVehicleCaption());
    EXPECT_TRUE(settings.ui().confirmCheckBox->isChecked());
    EXPECT_TRUE(settings.ui().placesEdit->toPlainText().isEmpty());
    settings.onOk();
    EXPECT_EQ(file("kfzfbe.001"), "rubrik;text\r\n5;j\r\n");

    writeData("kfzfbe.001", "rubrik;text\r\n5;n\r\n1;Berlin\r\n2;Messe\r\n1;Potsdam\r\n");
    ASSERT_TRUE(settings.prepare());
    EXPECT_FALSE(settings.ui().confirmCheckBox->isChecked());
    EXPECT_EQ(settings.ui().placesEdit->toPlainText(), QStringLiteral("Berlin\nPotsdam"));
    settings.ui().placesEdit->setPlainText(QStringLiteral("potsdam\n\nBerlin"));
    settings.ui().purposesEdit->clear();
    settings.onOk();
    EXPECT_EQ(file("kfzfbe.001"), "rubrik;text\r\n1;Berlin\r\n5;n\r\n1;potsdam\r\n");
}

} // namespace
