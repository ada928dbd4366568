#pragma once
// The removable medium: the computer's drives, and the copies of the data and of the program that
// let the program run from the medium ("<drive>/Wagenwart/", its data in "Daten/" below it).

#include "backup/backup_archive.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

struct Drive {
    QString rootPath; // where the drive is mounted
    QString label;    // how the list shows it
    bool removable = false;
};

// The mounted drives (QStorageInfo); removable as the system says: /sys/block/<disk>/removable on
// Linux, the drive type on Windows.
std::vector<Drive> mountedDrives();
// The drives seam: tests hand in a temporary folder as a drive.
using DriveLister = std::function<std::vector<Drive>()>;

// "<drive>/Wagenwart/" and "<drive>/Wagenwart/Daten/".
QString mediumProgramFolder(const QString& driveRoot);
QString mediumDataFolder(const QString& driveRoot);

// The files that make up the program in `programDir`: the executable, the manual "Wagenwart.pdf"
// when it is there, and on Windows the libraries beside them.
QStringList programFiles(const QString& programDir, const QString& executable);

// "Datenbanken auf Wechseldatenträger kopieren": the files of the data directory become the files
// of the medium's data folder. nullopt on success, else the message for the user.
[[nodiscard]] std::optional<QString> copyDataToMedium(const QString& dataDir, const QString& driveRoot,
                                                      const std::function<void(const QString&)>& naming = {});
// "Programm auf Wechseldatenträger übertragen": each of `files` into the medium's program folder,
// whole, with its permissions (an executable stays executable).
[[nodiscard]] std::optional<QString> copyProgramToMedium(const QStringList& files, const QString& driveRoot,
                                                         const std::function<void(const QString&)>& naming = {});
