#pragma once
// The windows of the backup that the main window opens, created on first use and kept for the run.

#include "backup/backup_seams.h"

#include <functional>
#include <memory>

class AppState;
class Prompts;
class QWidget;
class TForm23;
class TForm24;

class BackupWindows {
public:
    // `takeUpData` has the main window take up the data of the data directory as at start-up,
    // after a restore replaced them.
    BackupWindows(AppState& state, Prompts& prompts, std::function<void()> takeUpData, QWidget* parent);
    ~BackupWindows();

    // "Datensicherung" and "Wechselmedium...".
    void backUpData();
    void useRemovableMedium();

    TForm24& backupDialog();
    TForm23& mediumDialog();
    // The seams the windows use; tests replace them before the windows are first shown.
    BackupSeams& seams() { return m_seams; }

private:
    AppState& m_state;
    Prompts& m_prompts;
    std::function<void()> m_takeUpData;
    QWidget* m_parent;
    BackupSeams m_seams;
    std::unique_ptr<TForm24> m_backup;
    std::unique_ptr<TForm23> m_medium;
};
