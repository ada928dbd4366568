#pragma once
// The windows of the appointments that the main window opens, created on first use and kept for
// the run. (The appointment dialog itself belongs to the vehicle dialog's "Termine" tab.)

#include <memory>

class AppState;
class QWidget;
class TForm30;

class AppointmentWindows {
public:
    AppointmentWindows(const AppState& state, QWidget* parent);
    ~AppointmentWindows();

    // "Termine-Übersicht": every vehicle's appointments.
    void showAllAppointments();
    // The start-up reminder: the overview of the appointments due within the reminder days, when
    // there is any.
    void remindOfAppointments();

    TForm30& overview();

private:
    const AppState& m_state;
    QWidget* m_parent;
    std::unique_ptr<TForm30> m_overview;
};
