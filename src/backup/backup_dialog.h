#pragma once
// TForm24 — "Datensicherung": the whole data directory saved into one archive file, and the data
// directory restored from one.

#include "backup/backup_seams.h"

#include <QDialog>

#include <functional>
#include <memory>

class AppState;
class Prompts;
namespace Ui {
class TForm24;
}

class TForm24 : public QDialog {
    Q_OBJECT
public:
    // `takeUpData` has the program take up the data of the data directory as at start-up.
    TForm24(AppState& state, Prompts& prompts, const BackupSeams& seams, std::function<void()> takeUpData,
            QWidget* parent = nullptr);
    ~TForm24() override;

    // The start values: the proposed target of today, the documents folder as the archive to
    // restore, "Rück-Sicherung durchführen" disabled, an empty status line and progress bar.
    void prepare();
    int exec() override;
    Ui::TForm24& ui() { return *m_ui; }

    // "Ziel auswählen", "Sicherung durchführen", "Datei auswählen", "Rück-Sicherung durchführen".
    void chooseTarget();
    void makeBackup();
    void chooseArchive();
    void restore();

private:
    // While the archive component works: busy cursor, fields and buttons disabled.
    void setBusy(bool busy);
    // The status line with the path of a file relative to the data directory.
    void showFile(const QString& fullPath);

    std::unique_ptr<Ui::TForm24> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    const BackupSeams& m_seams;
    std::function<void()> m_takeUpData;
    bool m_busy = false;
};
