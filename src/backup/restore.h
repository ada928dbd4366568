#pragma once
// The backup's file names, and the restore: the data directory replaced by the files of an archive
// or of a folder (a removable medium's copy), after the data as it was has been archived itself.

#include "backup/backup_archive.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class Clock;
class Prompts;

// The user's documents folder, where backups are proposed and the state before a restore is kept.
QString backupDocumentsFolder();

// The target a backup proposes: documents folder + "kfz_" + "dd.mm.yyyy" + ".z".
QString defaultBackupTarget(const QString& documentsFolder, const QDate& today);
// The archive of the data as it was before a restore:
// documents folder + "kfz_vor_Ruecksicherung_" + "dd.mm.yyyy_hh-mm-ss" + ".z".
QString preRestoreArchivePath(const QString& documentsFolder, const QDateTime& now);

// The files below `dir` (every subfolder, in the order of the backup), read whole, as a restore
// takes them up. nullopt with the message for one that cannot be read or whose name a data
// directory cannot hold.
struct FolderRead {
    std::vector<ArchiveEntry> entries;
    std::optional<QString> error;
};
FolderRead readFolderFiles(const QString& dir);

// Makes the files below `dir` those of `entries`: each written whole through a temporary file
// (missing folders made), then every file below `dir` that the entries lack removed. `naming`
// hears each file before it is written. nullopt on success, else the message for the user.
[[nodiscard]] std::optional<QString> replaceFolderFiles(const QString& dir, const std::vector<ArchiveEntry>& entries,
                                                        const std::function<void(const QString&)>& naming = {});

// Everything a restore needs besides the files: where the data lives, the clock and prompts, the
// documents folder for the archive of the state before, and how the program takes up new data.
struct RestoreContext {
    QString dataDir;
    const Clock& clock;
    Prompts& prompts;
    QString documentsFolder;
    std::function<void()> takeUpData;
    ArchiveEvents events;
};

// "Rück-Sicherung durchführen" with the archive `archivePath`: the archive read and checked
// whole (a fault is said and nothing changes), the user asked through ConfirmDialog, the data as
// it is archived as preRestoreArchivePath (a failure is said and nothing changes), the data
// directory replaced, the data taken up and "Die Daten wurden aus <name> wiederhergestellt." said.
// True when the data directory was replaced.
bool restoreFromArchive(const RestoreContext& context, const QString& archivePath);

// The same with the files of a folder (the copy on a removable medium) in place of an archive;
// a folder without "kfzdata.csv" holds no data of the program and is refused.
bool restoreFromFolder(const RestoreContext& context, const QString& folder);
