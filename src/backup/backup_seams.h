#pragma once
// What the backup windows ask of the system, behind seams that tests replace: the file dialogs,
// the documents folder, the drives and the files that make up the program.

#include "backup/removable_medium.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

struct BackupSeams {
    // A file dialog: caption, the file or folder it starts with, the file types; nullopt when
    // cancelled.
    using FileDialog = std::function<std::optional<QString>(QWidget* parent, const QString& caption,
                                                            const QString& start, const QString& filter)>;
    FileDialog saveFile;
    FileDialog openFile; // the chosen file must exist
    std::function<QString()> documentsFolder;
    DriveLister drives;
    std::function<QStringList()> programFiles;

    // The system's dialogs, folders and drives.
    static BackupSeams system();
};
