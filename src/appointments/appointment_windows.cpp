#include "appointments/appointment_windows.h"

#include "appointments/appointment_overview.h"
#include "appointments/appointment_overview_dialog.h"
#include "core/app_state.h"

AppointmentWindows::AppointmentWindows(const AppState& state, QWidget* parent) : m_state(state), m_parent(parent) {}

AppointmentWindows::~AppointmentWindows() = default;

void AppointmentWindows::showAllAppointments() {
    overview().setWindowTitle(kAllAppointmentsCaption);
    overview().exec();
}

void AppointmentWindows::remindOfAppointments() {
    // The check reads every vehicle's appointments without moving the cursor off the current one.
    if (!appointmentReminderDue(m_state, m_state.settings.remindDays)) return;
    overview().setWindowTitle(reminderCaption(m_state.settings.remindDays));
    overview().exec();
}

TForm30& AppointmentWindows::overview() {
    if (!m_overview) m_overview = std::make_unique<TForm30>(m_state, m_parent);
    return *m_overview;
}
