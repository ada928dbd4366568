#pragma once
// TForm23 — "Wechseldatenträger": the data and the program copied onto a removable drive, so that
// the program runs from it, and the data copied back from it.

#include "backup/backup_seams.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class AppState;
class Prompts;
namespace Ui {
class TForm23;
}

class TForm23 : public QDialog {
    Q_OBJECT
public:
    TForm23(AppState& state, Prompts& prompts, const BackupSeams& seams, std::function<void()> takeUpData,
            QWidget* parent = nullptr);
    ~TForm23() override;

    // The banner, the drives of the computer, none chosen, the three buttons disabled.
    void prepare();
    int exec() override;
    Ui::TForm23& ui() { return *m_ui; }
    const std::vector<Drive>& drives() const { return m_drives; }

    // The three buttons, for the drive chosen in the list.
    void copyDataToDrive();
    void copyProgramToDrive();
    void copyDataFromDrive();

private:
    void driveChosen(int row);
    const Drive* chosenDrive() const;
    void setBusy(bool busy);

    std::unique_ptr<Ui::TForm23> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    const BackupSeams& m_seams;
    std::function<void()> m_takeUpData;
    std::vector<Drive> m_drives;
};
