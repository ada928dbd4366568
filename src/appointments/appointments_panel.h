#pragma once
// TAppointmentsPanel — the "Termine" tab of the vehicle dialog: the appointments of the vehicle
// at the cursor of VehicleTable, "Neuer Termin", and a double click to edit one (TForm28).

#include <QWidget>

#include <memory>
#include <set>

class AppState;
class Prompts;
class QPushButton;
class QTableWidget;
class TForm28;

class TAppointmentsPanel : public QWidget {
    Q_OBJECT
public:
    TAppointmentsPanel(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    ~TAppointmentsPanel() override;

    // Makes a panel the content of `page` (a widget with a layout, or none yet).
    static TAppointmentsPanel* placeInto(QWidget* page, AppState& state, Prompts& prompts);

    // The vehicle at the cursor of VehicleTable is shown: its appointments are loaded and listed.
    void showVehicle();
    // Lists AppointmentTable as it is.
    void fillList();

    // "Neuer Termin", and editing list row `row` (0-based) as a double click does.
    void newAppointment();
    void editAppointment(int row);

    QTableWidget* list() const { return m_list; }
    QPushButton* newButton() const { return m_newButton; }
    TForm28& appointmentDialog();

private:
    AppState& m_state;
    Prompts& m_prompts;
    QTableWidget* m_list = nullptr;
    QPushButton* m_newButton = nullptr;
    std::unique_ptr<TForm28> m_dialog;
    bool m_unreadable = false;    // the shown vehicle's appointment file could not be read
    std::set<QString> m_reported; // the messages of unreadable files said so far
};
