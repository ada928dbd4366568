#include "backup/backup_windows.h"

#include "backup/backup_dialog.h"
#include "backup/medium_dialog.h"
#include "backup/restore.h"

#include <QCoreApplication>
#include <QFileDialog>

BackupSeams BackupSeams::system() {
    BackupSeams s;
    s.saveFile = [](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filter) -> std::optional<QString> {
        const QString name = QFileDialog::getSaveFileName(parent, caption, start, filter);
        if (name.isEmpty()) return std::nullopt;
        return name;
    };
    s.openFile = [](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filter) -> std::optional<QString> {
        // QFileDialog's open dialog takes only files that exist.
        const QString name = QFileDialog::getOpenFileName(parent, caption, start, filter);
        if (name.isEmpty()) return std::nullopt;
        return name;
    };
    s.documentsFolder = [] { return backupDocumentsFolder(); };
    s.drives = [] { return mountedDrives(); };
    s.programFiles = [] {
        return ::programFiles(QCoreApplication::applicationDirPath(), QCoreApplication::applicationFilePath());
    };
    return s;
}

BackupWindows::BackupWindows(AppState& state, Prompts& prompts, std::function<void()> takeUpData, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_takeUpData(std::move(takeUpData)), m_parent(parent),
      m_seams(BackupSeams::system()) {}

BackupWindows::~BackupWindows() = default;

TForm24& BackupWindows::backupDialog() {
    if (!m_backup) m_backup = std::make_unique<TForm24>(m_state, m_prompts, m_seams, m_takeUpData, m_parent);
    return *m_backup;
}

TForm23& BackupWindows::mediumDialog() {
    if (!m_medium) m_medium = std::make_unique<TForm23>(m_state, m_prompts, m_seams, m_takeUpData, m_parent);
    return *m_medium;
}

void BackupWindows::backUpData() {
    backupDialog().exec();
}

void BackupWindows::useRemovableMedium() {
    mediumDialog().exec();
}
