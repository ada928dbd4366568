#include "backup/removable_medium.h"

#include "backup/restore.h"
#include "core/app_state.h"
#include "store/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QString withSlash(QString path) {
    if (!path.endsWith(u'/') && !path.endsWith(u'\\')) path += u'/';
    return path;
}

#ifndef Q_OS_WIN
// Whether the block device `device` ("/dev/sdb1") is removable: its disk's "removable" in /sys.
bool isRemovableDevice(const QByteArray& device) {
    if (!device.startsWith("/dev/")) return false;
    const QString name = QFileInfo(QString::fromLocal8Bit(device)).canonicalFilePath().section(u'/', -1);
    const QString sys = QFileInfo(u"/sys/class/block/"_s + name).canonicalFilePath();
    if (sys.isEmpty()) return false;
    // A partition has no "removable" of its own: its disk is the folder above.
    for (const QString& candidate : {sys + u"/removable"_s, sys + u"/../removable"_s}) {
        QFile f(candidate);
        if (f.open(QIODevice::ReadOnly)) return f.readAll().trimmed() == "1";
    }
    return false;
}
#endif

} // namespace

std::vector<Drive> mountedDrives() {
    std::vector<Drive> out;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        Drive d;
        d.rootPath = volume.rootPath();
        const QString name = volume.displayName();
        d.label = name == d.rootPath ? QDir::toNativeSeparators(d.rootPath)
                                     : u"%1 (%2)"_s.arg(QDir::toNativeSeparators(d.rootPath), name);
#ifdef Q_OS_WIN
        d.removable =
            GetDriveTypeW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(withSlash(d.rootPath)).utf16())) ==
            DRIVE_REMOVABLE;
#else
        d.removable = isRemovableDevice(volume.device());
#endif
        out.push_back(d);
    }
    return out;
}

QString mediumProgramFolder(const QString& driveRoot) {
    return QDir::toNativeSeparators(withSlash(driveRoot) + u"Wagenwart/"_s);
}

QString mediumDataFolder(const QString& driveRoot) {
    return QDir::toNativeSeparators(withSlash(driveRoot) + u"Wagenwart/Daten/"_s);
}

QStringList programFiles(const QString& programDir, const QString& executable) {
    QStringList files{executable};
    const QDir dir(programDir);
    if (QFileInfo(dir.filePath(u"Wagenwart.pdf"_s)).isFile()) files << dir.filePath(u"Wagenwart.pdf"_s);
#ifdef Q_OS_WIN
    for (const QString& dll : dir.entryList({u"*.dll"_s}, QDir::Files)) files << dir.filePath(dll);
#endif
    return files;
}

std::optional<QString> copyDataToMedium(const QString& dataDir, const QString& driveRoot,
                                        const std::function<void(const QString&)>& naming) {
    const FolderRead read = readFolderFiles(dataDir);
    if (read.error) return read.error;
    const QString target = mediumDataFolder(driveRoot);
    if (!QDir().mkpath(target))
        return u"Das Verzeichnis %1 konnte nicht angelegt werden."_s.arg(QDir::toNativeSeparators(target));
    return replaceFolderFiles(target, read.entries, naming);
}

std::optional<QString> copyProgramToMedium(const QStringList& files, const QString& driveRoot,
                                           const std::function<void(const QString&)>& naming) {
    const QString target = mediumProgramFolder(driveRoot);
    if (!QDir().mkpath(target))
        return u"Das Verzeichnis %1 konnte nicht angelegt werden."_s.arg(QDir::toNativeSeparators(target));
    for (const QString& file : files) {
        QByteArray bytes;
        QString reason;
        if (!readDataFile(file, bytes, &reason))
            return u"Die Datei %1 konnte nicht gelesen werden.\r%2"_s.arg(QDir::toNativeSeparators(file), reason);
        const QString copy = QDir(target).filePath(QFileInfo(file).fileName());
        if (naming) naming(QFileInfo(file).fileName());
        if (saveFileAtomically(copy, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                               &reason) != AtomicSaveResult::Ok)
            return u"Die Datei %1 konnte nicht gespeichert werden.\r%2"_s.arg(QDir::toNativeSeparators(copy), reason);
        QFile::setPermissions(copy, QFileInfo(file).permissions());
    }
    return std::nullopt;
}
