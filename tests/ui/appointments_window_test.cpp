#include "support/window_fixture.h"

#include "appointments/appointment_dialog.h"
#include "appointments/appointment_overview.h"
#include "appointments/appointment_overview_dialog.h"
#include "appointments/appointment_table.h"
#include "appointments/appointments_panel.h"
#include "core/banner.h"
#include "ui_appointment_dialog.h"
#include "ui_appointment_overview_dialog.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Kind = ScriptedPrompts::Kind;

const char* const kHeader = "kfz;datum;zeit;text\r\n";

// Acts on the next modal dialog as soon as it is shown (the test then continues after its exec).
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QDialog&)> act) : m_act(std::move(act)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            m_timer.stop();
            ++seen;
            m_act(*dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        m_timer.start();
    }
    int seen = 0;

private:
    std::function<void(QDialog&)> m_act;
    QTimer m_timer;
};

class AppointmentWindows : public testing::Test, public MainWindowFixture {
protected:
    void writeData(const char* name, const std::string& bytes) {
        QFile f(dataDir() + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // A panel on the vehicle in row `vehicleRow`, as the vehicle dialog shows it.
    TAppointmentsPanel& panelOn(TForm1& w, int vehicleRow) {
        w.state().VehicleTable.GoToRow(vehicleRow);
        m_panel = std::make_unique<TAppointmentsPanel>(w.state(), prompts);
        m_panel->resize(500, 300);
        m_panel->show();
        m_panel->showVehicle();
        return *m_panel;
    }
    static QString cell(QTableWidget* list, int row, int column) {
        const QTableWidgetItem* item = list->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<TAppointmentsPanel> m_panel;
};

TEST_F(AppointmentWindows, ListShowsWrappedRowsAndDueDatesInRed) {
    withSampleData();
    writeData("kfzterm.001", std::string(kHeader) + ";09.05.2026;08:00:00;Vorbei\r\n"
                                                    ";10.05.2026;17:00:00;Heute\\nzwei Zeilen\r\n"
                                                    ";11.05.2026;09:15:30;Morgen\r\n");
    TForm1& w = start();
    TAppointmentsPanel& panel = panelOn(w, 1);
    QTableWidget* list = panel.list();
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), " Datum");
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), " Uhrzeit");
    EXPECT_EQ(list->horizontalHeaderItem(2)->text(), " Text");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(cell(list, 2, 0), "11.05.2026");
    EXPECT_EQ(cell(list, 2, 1), "09:15");
    EXPECT_EQ(cell(list, 1, 2), "Heute\nzwei Zeilen");
    EXPECT_EQ(list->item(0, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(list->item(1, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_NE(list->item(2, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_NE(list->item(1, 1)->foreground().color(), QColor(Qt::red)); // only the date cell
    EXPECT_GT(list->rowHeight(1), list->rowHeight(0));                  // two lines, a taller row

    // A vehicle without appointments: one empty row, and a double click on it opens nothing.
    w.state().VehicleTable.GoToRow(3);
    panel.showVehicle();
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(cell(list, 0, 0), "");
    ModalWatcher watcher([](QDialog&) {});
    panel.editAppointment(0);
    QTest::qWait(20);
    EXPECT_EQ(watcher.seen, 0);
}

TEST_F(AppointmentWindows, NewAppointmentThroughThePanel) {
    withSampleData();
    clock.set(QDateTime(QDate(2026, 5, 10), QTime(10, 15, 42)));
    TForm1& w = start();
    TAppointmentsPanel& panel = panelOn(w, 3);
    QString caption;
    bool deleteVisible = true;
    QDate date;
    QTime time;
    ModalWatcher watcher([&](QDialog& d) {
        auto& dialog = static_cast<TForm28&>(d);
        caption = dialog.windowTitle();
        deleteVisible = dialog.ui().deleteButton->isVisible();
        date = dialog.ui().dateEdit->date();
        time = dialog.ui().timeEdit->time();
        dialog.ui().timeEdit->setTime(QTime(11, 5));
        dialog.ui().textEdit->setPlainText("Reifenwechsel\nWinterreifen");
        QTest::mouseClick(dialog.ui().okButton, Qt::LeftButton);
    });
    QTest::mouseClick(panel.newButton(), Qt::LeftButton);
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(caption, "Neuen Termin editieren");
    EXPECT_FALSE(deleteVisible);
    EXPECT_EQ(date, QDate(2026, 5, 10));
    EXPECT_EQ(time.toString("HH:mm"), "10:15");
    EXPECT_EQ(panel.appointmentDialog().ui().banner->caption(), "Neuen Termin editieren");
    EXPECT_TRUE(prompts.prompts.empty());
    // Stored to the second although the picker shows minutes only; both lines in one row.
    EXPECT_EQ(file("kfzterm.003"), std::string(kHeader) + ";10.05.2026;11:05:42;Reifenwechsel\\nWinterreifen\r\n");
    ASSERT_EQ(panel.list()->rowCount(), 1);
    EXPECT_EQ(cell(panel.list(), 0, 1), "11:05");
    EXPECT_EQ(cell(panel.list(), 0, 2), "Reifenwechsel\nWinterreifen");
}

TEST_F(AppointmentWindows, EditFormShowsTheRowAndDeletesOnlyOnYes) {
    withSampleData();
    const std::string stored = std::string(kHeader) + ";01.06.2026;08:00:00;HU\r\n;02.06.2026;14:30:00;AU\r\n";
    writeData("kfzterm.001", stored);
    TForm1& w = start();
    TAppointmentsPanel& panel = panelOn(w, 1);
    TForm28& d = panel.appointmentDialog();

    // Double click on the second row: its values, and "Löschen" shown; No keeps everything.
    QString caption;
    ModalWatcher no([&](QDialog&) {
        caption = d.windowTitle();
        EXPECT_TRUE(d.ui().deleteButton->isVisible());
        EXPECT_EQ(d.ui().dateEdit->date(), QDate(2026, 6, 2));
        EXPECT_EQ(d.ui().timeEdit->time(), QTime(14, 30));
        EXPECT_EQ(d.ui().textEdit->toPlainText(), "AU");
        QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
    });
    panel.editAppointment(1);
    EXPECT_EQ(caption, "Termin editieren");
    ASSERT_EQ(prompts.prompts.size(), 1u);
    EXPECT_EQ(prompts.last()->kind, Kind::Confirm);
    EXPECT_EQ(prompts.last()->title, QString::fromUtf8("Termineintrag löschen"));
    EXPECT_EQ(prompts.last()->instruction, " Klicken Sie Ja nur wenn Sie sicher sind.");
    EXPECT_EQ(prompts.last()->message, QString::fromUtf8("Möchten Sie den Eintrag löschen ?"));
    EXPECT_EQ(file("kfzterm.001"), stored);
    EXPECT_EQ(panel.list()->rowCount(), 2);

    // Yes: the row goes, the file is written, the dialog closes.
    prompts.answers = {true};
    bool closed = false;
    ModalWatcher yes([&](QDialog&) {
        QTest::mouseClick(d.ui().deleteButton, Qt::LeftButton);
        closed = !d.isVisible();
    });
    panel.editAppointment(0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(file("kfzterm.001"), std::string(kHeader) + ";02.06.2026;14:30:00;AU\r\n");
    ASSERT_EQ(panel.list()->rowCount(), 1);
    EXPECT_EQ(cell(panel.list(), 0, 2), "AU");
}

TEST_F(AppointmentWindows, CancelAfterChangingTheDateChangesNothing) {
    withSampleData();
    const std::string stored = std::string(kHeader) + ";01.06.2026;08:00:00;HU\r\n";
    writeData("kfzterm.001", stored);
    TForm1& w = start();
    TAppointmentsPanel& panel = panelOn(w, 1);
    ModalWatcher watcher([&](QDialog& d) {
        auto& dialog = static_cast<TForm28&>(d);
        dialog.ui().dateEdit->setDate(QDate(2026, 7, 1));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    panel.editAppointment(0);
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(file("kfzterm.001"), stored);
    EXPECT_EQ(w.state().AppointmentTable.GetValue("datum"), "01.06.2026");
}

TEST_F(AppointmentWindows, OverviewFromTheMenuListsEverything) {
    withSampleData();
    writeData("kfzterm.001", std::string(kHeader) + ";01.06.2040;08:00:00;Weit weg\r\n");
    writeData("kfzterm.003", std::string(kHeader) + ";10.05.2026;08:00:00;Laden\\nKabel mitnehmen\r\n");
    TForm1& w = start();
    QAction* entry = w.action("Datei", QString::fromUtf8("Termine-Übersicht"));
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isEnabled());
    QString caption, banner, text;
    bool headingBold = false, ruleBold = true;
    QColor background;
    ModalWatcher watcher([&](QDialog& d) {
        auto& overview = static_cast<TForm30&>(d);
        caption = overview.windowTitle();
        banner = overview.ui().banner->caption();
        text = overview.ui().textEdit->toPlainText();
        const QTextDocument* doc = overview.ui().textEdit->document();
        headingBold = doc->firstBlock().charFormat().fontWeight() == QFont::Bold ||
                      doc->firstBlock().begin().fragment().charFormat().fontWeight() == QFont::Bold;
        ruleBold = doc->firstBlock().next().begin().fragment().charFormat().fontWeight() == QFont::Bold;
        background = overview.ui().textEdit->palette().color(QPalette::Base);
        QTest::mouseClick(overview.ui().closeButton, Qt::LeftButton);
    });
    entry->trigger();
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(caption, "Termine");
    EXPECT_EQ(banner, "Termine");
    EXPECT_EQ(text, "10.05.2026 - 08:00 - (heute)\n"
                    "----------------------------------------------------\n"
                    "M-EL 3\n"
                    "\tLaden\n"
                    "\tKabel mitnehmen\n"
                    "\n"
                    "01.06.2040 - 08:00 - (in 5136 Tagen)\n"
                    "----------------------------------------------------\n"
                    "A-BC 1\n"
                    "\tWeit weg\n");
    EXPECT_TRUE(headingBold);
    EXPECT_FALSE(ruleBold);
    EXPECT_EQ(background, w.palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(w.state().VehicleTable.RowNumber(), 2);
}

// The start-up reminder at 10.05.2026, 09:30.
struct ReminderCase {
    const char* name;
    bool on;
    int days;
    bool shown;
};

TEST_F(AppointmentWindows, StartUpReminder) {
    const ReminderCase cases[] = {
        {"on, due within 7 days", true, 7, true},
        {"on, not due within 0 days", true, 0, false},
        {"off", false, 7, false},
    };
    for (const ReminderCase& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture f;
        f.withSampleData();
        auto write = [&f](const char* name, const std::string& bytes) {
            QFile out(f.dataDir() + QLatin1String(name));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes.data(), static_cast<qint64>(bytes.size()));
        };
        write("kfz.ini", "[LastUse]\r\nFileName=kfzdat.002\r\n[Einstellung]\r\nFarbe1=clWindow\r\n"
                         "Farbe2=clWindowText\r\nTerminRemind=" +
                             std::string(c.on ? "ja" : "nein") + "\r\nTerminRemTime=" + std::to_string(c.days) +
                             "\r\n");
        write("kfzterm.001", std::string(kHeader) + ";01.08.2026;08:00:00;Noch lange hin\r\n");
        write("kfzterm.003", std::string(kHeader) + ";15.05.2026;10:00:00;Inspektion\r\n");
        TForm1& w = f.start();
        QString caption, text;
        ModalWatcher watcher([&](QDialog& d) {
            caption = d.windowTitle();
            text = static_cast<TForm30&>(d).ui().textEdit->toPlainText();
        });
        bool activated = false;
        QObject::connect(&w, &TForm1::activated, [&activated] { activated = true; });
        w.show();
        for (int i = 0; i < 100 && !activated; ++i) QTest::qWait(10);
        ASSERT_TRUE(activated);
        EXPECT_EQ(watcher.seen, c.shown ? 1 : 0);
        if (c.shown) {
            EXPECT_EQ(caption, QString::fromUtf8("Termine innnerhalb der nächsten 7 Tage"));
            EXPECT_EQ(text, "15.05.2026 - 10:00 - (in 5 Tagen)\n"
                            "----------------------------------------------------\n"
                            "M-EL 3\n"
                            "\tInspektion\n");
        }
        // The walk over all vehicles leaves the current vehicle current.
        EXPECT_EQ(w.state().VehicleTable.RowNumber(), 2);
        EXPECT_EQ(w.state().VehicleTable.GetValue("nummer"), "B-XY 10");
        EXPECT_EQ(w.currentVehicleCaption(), "B-XY 10  /  Transporter");
        EXPECT_TRUE(f.prompts.prompts.empty());
    }
}

} // namespace
