#include "appointments/appointment_overview.h"

#include "appointments/appointment_table.h"
#include "store/code_page.h"
#include "support/appointment_fixture.h"

#include <gtest/gtest.h>

namespace {

class AppointmentOverview : public AppointmentFixture {
protected:
    // Three vehicles, the second current; the third has no "file6" (data of an older version).
    void threeVehicles() {
        addVehicle(1, "A-BC 1", "kfzterm.001");
        addVehicle(2, "B-XY 2", "kfzterm.002");
        addVehicle(3, "M-EL 3", "");
        m_state.VehicleTable.GoToRow(2);
    }
    void expectCursorOnTheCurrentVehicle() {
        EXPECT_EQ(m_state.VehicleTable.RowNumber(), 2);
        EXPECT_EQ(m_state.VehicleTable.GetValue("nummer"), "B-XY 2");
    }
};

TEST_F(AppointmentOverview, ReminderCaptionHasItsThreeN) {
    EXPECT_EQ(reminderCaption(7), QString::fromUtf8("Termine innnerhalb der nächsten 7 Tage"));
}

TEST_F(AppointmentOverview, NoAppointmentsAnywhere) {
    threeVehicles();
    writeAppointments("kfzterm.001", ""); // a file without rows contributes nothing
    EXPECT_FALSE(appointmentReminderDue(m_state, 7));
    const auto lines = appointmentOverview(m_state, kAllAppointmentsCaption);
    EXPECT_EQ(overviewPlainText(lines), "Keine Termine");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].bold);
    expectCursorOnTheCurrentVehicle();
}

// The reminder window at 10.05.2024, 15:00.
struct WindowCase {
    const char* name;
    int days;
    QDate date;
    bool reminded;
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name;
}

class ReminderWindow : public AppointmentOverview, public testing::WithParamInterface<WindowCase> {};

TEST_P(ReminderWindow, DueUpToTodayPlusNDays) {
    threeVehicles();
    writeAppointments("kfzterm.001", ";" + appointmentDateText(GetParam().date) + ";08:00:00;Termin\r\n");
    EXPECT_EQ(appointmentReminderDue(m_state, GetParam().days), GetParam().reminded);
    m_state.settings.remindDays = GetParam().days;
    const QString text = overviewPlainText(appointmentOverview(m_state, reminderCaption(GetParam().days)));
    EXPECT_EQ(text.startsWith(toDisplay(appointmentDateText(GetParam().date))), GetParam().reminded)
        << text.toStdString();
    expectCursorOnTheCurrentVehicle();
}

INSTANTIATE_TEST_SUITE_P(Cases, ReminderWindow,
                         testing::Values(WindowCase{"n0_today_earlier_than_now", 0, QDate(2024, 5, 10), true},
                                         WindowCase{"n0_tomorrow", 0, QDate(2024, 5, 11), false},
                                         WindowCase{"n0_overdue", 0, QDate(2024, 5, 1), true},
                                         WindowCase{"n7_last_day", 7, QDate(2024, 5, 17), true},
                                         WindowCase{"n7_day_after", 7, QDate(2024, 5, 18), false},
                                         WindowCase{"n7_long_past", 7, QDate(2020, 1, 1), true}),
                         [](const testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

TEST_F(AppointmentOverview, TextOfAllVehiclesInDateOrder) {
    threeVehicles();
    writeAppointments("kfzterm.001", ";14.05.2024;09:30:00;Inspektion\\n\xD6lwechsel inklusive\r\n"
                                     ";01.01.2020;10:00:00;Alt\r\n"
                                     ";10.05.2031;07:45:00;Weit weg\r\n");
    writeAppointments("kfzterm.002", ";10.05.2024;08:00:00;Heute\r\n;11.05.2024;12:00:00;Morgen\r\n");
    // Vehicle 3 has no "file6": the data directory's own path contributes nothing.
    const auto lines = appointmentOverview(m_state, kAllAppointmentsCaption);
    EXPECT_EQ(overviewPlainText(lines), QString::fromUtf8("01.01.2020 - 10:00 - (vor 1591 Tagen)\n"
                                                          "----------------------------------------------------\n"
                                                          "A-BC 1\n"
                                                          "\tAlt\n"
                                                          "\n"
                                                          "10.05.2024 - 08:00 - (heute)\n"
                                                          "----------------------------------------------------\n"
                                                          "B-XY 2\n"
                                                          "\tHeute\n"
                                                          "\n"
                                                          "11.05.2024 - 12:00 - (in 1 Tagen)\n"
                                                          "----------------------------------------------------\n"
                                                          "B-XY 2\n"
                                                          "\tMorgen\n"
                                                          "\n"
                                                          "14.05.2024 - 09:30 - (in 4 Tagen)\n"
                                                          "----------------------------------------------------\n"
                                                          "A-BC 1\n"
                                                          "\tInspektion\n"
                                                          "\t\xC3\x96lwechsel inklusive\n"
                                                          "\n"
                                                          "10.05.2031 - 07:45 - (in 2556 Tagen)\n"
                                                          "----------------------------------------------------\n"
                                                          "A-BC 1\n"
                                                          "\tWeit weg\n"));
    // Only the headings are bold.
    int bold = 0;
    for (const OverviewLine& line : lines) bold += line.bold ? 1 : 0;
    EXPECT_EQ(bold, 5);
    EXPECT_TRUE(lines[0].bold);
    EXPECT_FALSE(lines[1].bold);
    expectCursorOnTheCurrentVehicle();
}

TEST_F(AppointmentOverview, ReminderListsEveryDueAppointmentOfAllVehicles) {
    threeVehicles();
    writeAppointments("kfzterm.001", ";17.05.2024;09:30:00;HU\r\n;18.05.2024;09:30:00;Zu spät\r\n");
    writeAppointments("kfzterm.002", ";01.05.2024;08:00:00;Vergessen\r\n");
    m_state.settings.remindDays = 7;
    EXPECT_TRUE(appointmentReminderDue(m_state, 7));
    const QString text = overviewPlainText(appointmentOverview(m_state, reminderCaption(7)));
    EXPECT_TRUE(text.startsWith("01.05.2024 - 08:00 - (vor 9 Tagen)\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("17.05.2024 - 09:30 - (in 7 Tagen)\n"));
    EXPECT_FALSE(text.contains("18.05.2024"));
    expectCursorOnTheCurrentVehicle();
}

} // namespace
