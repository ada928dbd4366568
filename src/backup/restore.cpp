#include "backup/restore.h"

#include "core/app_state.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "store/atomic_file.h"
#include "store/code_page.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString inFolder(const QString& folder, const QString& name) {
    QString out = folder;
    if (!out.endsWith(u'/') && !out.endsWith(u'\\')) out += u'/';
    return native(out + name);
}

bool holdsVehicleTable(const std::vector<ArchiveEntry>& entries) {
    for (const ArchiveEntry& e : entries)
        if (e.path.empty() && QString::fromLatin1(e.name).compare(u"kfzdata.csv"_s, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Lists the files below `dir` as readFolderFiles does, without reading them.
void listFolder(const QString& dir, const std::string& path, std::vector<std::pair<QString, ArchiveEntry>>& out,
                std::optional<QString>& error) {
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : entries) {
        if (error) return;
        const std::string name = fromDisplay(info.fileName());
        if (toDisplay(name) != info.fileName() || !isStorableName(name)) {
            error = u"Der Name %1 kann in den Daten des Programms nicht stehen."_s.arg(native(info.filePath()));
            return;
        }
        if (info.isDir()) {
            if (!info.isSymLink()) listFolder(info.filePath(), path + name + '\\', out, error);
            continue;
        }
        ArchiveEntry entry;
        entry.path = path;
        entry.name = name;
        out.emplace_back(info.filePath(), std::move(entry));
    }
}

// The confirmation, the archive of the data as it is, the replacement and the taking up.
bool replaceData(const RestoreContext& c, const std::vector<ArchiveEntry>& entries, const QString& question,
                 const QString& source) {
    if (!c.prompts.ConfirmDialog(u"Rück-Sicherung"_s, u" Klicken Sie Ja nur wenn Sie sicher sind."_s, question))
        return false;
    QDir().mkpath(c.documentsFolder);
    const QString before = preRestoreArchivePath(c.documentsFolder, c.clock.now());
    if (auto failure = compressDirectory(c.dataDir, before, c.events)) {
        c.prompts.error(*failure + u"\rDie Rück-Sicherung wurde nicht durchgeführt."_s);
        return false;
    }
    const std::optional<QString> failure = replaceFolderFiles(c.dataDir, entries, c.events.decompressing);
    // What is on the disk now is what the program works with, even after a failure part of the way.
    if (c.takeUpData) c.takeUpData();
    if (failure) {
        c.prompts.error(*failure + u"\rDie Daten vor der Rück-Sicherung liegen in %1."_s.arg(native(before)));
        return true;
    }
    c.prompts.information(u"Die Daten wurden aus %1 wiederhergestellt."_s.arg(native(source)));
    return true;
}

} // namespace

QString backupDocumentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString defaultBackupTarget(const QString& documentsFolder, const QDate& today) {
    return inFolder(documentsFolder, u"kfz_"_s + today.toString(u"dd.MM.yyyy"_s) + u".z"_s);
}

QString preRestoreArchivePath(const QString& documentsFolder, const QDateTime& now) {
    return inFolder(documentsFolder, u"kfz_vor_Ruecksicherung_"_s + now.toString(u"dd.MM.yyyy_hh-mm-ss"_s) + u".z"_s);
}

FolderRead readFolderFiles(const QString& dir) {
    FolderRead out;
    std::vector<std::pair<QString, ArchiveEntry>> listed;
    listFolder(dir, std::string(), listed, out.error);
    if (out.error) return out;
    for (auto& [full, entry] : listed) {
        QByteArray bytes;
        QString reason;
        if (!readDataFile(full, bytes, &reason)) {
            out.error = u"Die Datei %1 konnte nicht gelesen werden.\r%2"_s.arg(native(full), reason);
            out.entries.clear();
            return out;
        }
        entry.data.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        out.entries.push_back(std::move(entry));
    }
    return out;
}

std::optional<QString> replaceFolderFiles(const QString& dir, const std::vector<ArchiveEntry>& entries,
                                          const std::function<void(const QString&)>& naming) {
    const QDir root(dir);
    QSet<QString> wanted;
    for (const ArchiveEntry& e : entries) wanted.insert(e.relativePath());
    // First away with what the new files lack: a file may stand where a folder is to be made.
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    QStringList lacking;
    while (it.hasNext()) {
        const QString full = it.next();
        if (!wanted.contains(root.relativeFilePath(full))) lacking << full;
    }
    for (const QString& full : lacking)
        if (!QFile::remove(full)) return u"Die Datei %1 konnte nicht entfernt werden."_s.arg(native(full));
    for (const ArchiveEntry& e : entries) {
        const QString relative = e.relativePath();
        const QString full = root.filePath(relative);
        if (naming) naming(relative);
        QDir().mkpath(QFileInfo(full).path());
        QString reason;
        if (saveFileAtomically(full, e.data, &reason) != AtomicSaveResult::Ok)
            return u"Die Datei %1 konnte nicht gespeichert werden.\r%2"_s.arg(native(full), reason);
    }
    return std::nullopt;
}

bool restoreFromArchive(const RestoreContext& context, const QString& archivePath) {
    ArchiveRead read = readArchive(archivePath);
    if (!read.error && !holdsVehicleTable(read.entries)) read.error = invalidArchiveMessage(archivePath);
    if (read.error) {
        context.prompts.error(*read.error);
        return false;
    }
    return replaceData(
        context, read.entries,
        u"Möchten Sie die Daten des Programms durch die Datensicherung %1 ersetzen ?"_s.arg(native(archivePath)),
        archivePath);
}

bool restoreFromFolder(const RestoreContext& context, const QString& folder) {
    FolderRead read = readFolderFiles(folder);
    if (!read.error && !holdsVehicleTable(read.entries))
        read.error = u"Im Verzeichnis %1 liegen keine Daten von Wagenwart."_s.arg(native(folder));
    if (read.error) {
        context.prompts.error(*read.error);
        return false;
    }
    return replaceData(context, read.entries,
                       u"Möchten Sie die Daten des Programms durch die Daten aus %1 ersetzen ?"_s.arg(native(folder)),
                       folder);
}
