#pragma once
// TForm28 — the appointment edit dialog: a new appointment of the vehicle selected in the vehicle
// dialog, or the one under the cursor of AppointmentTable, by the caption the caller sets.

#include "appointments/appointment_table.h"

#include <QDialog>

#include <memory>

class Prompts;
namespace Ui {
class TForm28;
}

class TForm28 : public QDialog {
    Q_OBJECT
public:
    TForm28(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    ~TForm28() override;

    // Fills the dialog for the form its caption names, as every time it is shown.
    void prepare();
    int exec() override;
    Ui::TForm28& ui() { return *m_ui; }
    bool isEditForm() const;

    // "OK": stores the appointment, sorts, saves and closes.
    void onOk();
    // "Löschen": asks, then deletes the appointment, saves and closes; on No the dialog stays.
    void onDelete();

private:
    AppointmentInput input() const;

    std::unique_ptr<Ui::TForm28> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    // The time as it was set, seconds included: the picker shows hours and minutes only.
    QTime m_shownTime;
};
