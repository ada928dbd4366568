#include "store/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether something other than a regular file has the name (a link counts as what it points to;
// a name that does not exist is free).
bool isSomethingElse(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    return !S_ISREG(st.st_mode);
}

// Qt reports a write that stopped part of the way (a full disk, a size limit) as a short count
// without an error of its own ("Unknown error"); the system's error number tells why. When
// Qt's own calls left none, one more write of the rest asks the system directly; the file is
// given up anyway.
QString shortWriteReason(QSaveFile& file, int errorNumber, std::string_view rest) {
    if (errorNumber == 0 && file.handle() >= 0 && !rest.empty()) {
        errno = 0;
        if (::write(file.handle(), rest.data(), rest.size()) < 0) errorNumber = errno;
    }
    if (errorNumber != 0) return saveFailureReason(errorNumber);
    if (file.error() == QFileDevice::ResourceError) return saveFailureReason(ENOSPC);
    if (file.error() != QFileDevice::NoError) return file.errorString();
    return QStringLiteral("Die Datei wurde nicht vollständig geschrieben.");
}

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Six letters as a person writes a word: all small, all capitals, or one capital in front.
bool looksLikeAWord(QStringView letters) {
    const auto isLower = [](QChar c) { return c >= u'a' && c <= u'z'; };
    const bool restLower = std::all_of(letters.begin() + 1, letters.end(), isLower);
    const bool allUpper = std::all_of(letters.begin(), letters.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    return restLower || allUpper; // restLower: "backup" as well as "Backup"
}

} // namespace

QString saveFailureReason(int errorNumber) {
    if (errorNumber == ENOSPC) return QStringLiteral("Auf dem Datenträger ist nicht genug Speicherplatz frei.");
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString notARegularFileReason() {
    return QStringLiteral("Die Datei ist keine gewöhnliche Datei.");
}

AtomicSaveResult saveFileAtomically(const QString& path, std::string_view bytes, QString* reason) {
    return saveFileAtomically(
        path, [bytes](const SaveBlockWriter& write) { (void)write(bytes); }, reason);
}

AtomicSaveResult saveFileAtomically(const QString& path, const SaveBlockProducer& produce, QString* reason) {
    // A pipe in place of a data file would hold the program until someone reads it, and a device
    // cannot be replaced: only a regular file (or a free name) is written.
    if (isSomethingElse(path)) {
        if (reason) *reason = notARegularFileReason();
        return AtomicSaveResult::NotARegularFile;
    }
    QSaveFile file(path);
    // Unbuffered: every block goes to the system at once, so a failed write shows in its own count.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (reason) *reason = file.errorString();
        return AtomicSaveResult::OpenFailed;
    }
    // QSaveFile::commit() alone can report success after a failed write and leave a cut-off
    // file, so every block is checked before the new file may replace the old one.
    QString failure;
    bool failed = false;
    const SaveBlockWriter write = [&](std::string_view block) {
        if (failed) return false;
        const auto size = static_cast<qint64>(block.size());
        errno = 0;
        const qint64 written = file.write(block.data(), size);
        if (written == size) return true;
        const int errorNumber = errno;
        failed = true;
        failure =
            shortWriteReason(file, errorNumber, block.substr(static_cast<std::size_t>(std::max<qint64>(written, 0))));
        return false;
    };
    produce(write);
    if (!failed) {
        errno = 0;
        if (!file.flush() || file.error() != QFileDevice::NoError) {
            failed = true;
            failure = errno ? saveFailureReason(errno) : file.errorString();
        }
    }
    if (failed) {
        if (reason) *reason = failure;
        file.cancelWriting();
        return AtomicSaveResult::WriteFailed;
    }
    errno = 0;
    if (!file.commit()) {
        // Closing, syncing and renaming come last; a full disk can show only here.
        if (reason) *reason = errno == ENOSPC ? saveFailureReason(ENOSPC) : file.errorString();
        return AtomicSaveResult::WriteFailed;
    }
    return AtomicSaveResult::Ok;
}

int removeSaveLeftovers(const QString& dir) {
    const QDir folder(dir);
    int removed = 0;
    const QStringList names =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& name : names) {
        constexpr qsizetype kRandom = 6;
        if (name.size() < kRandom + 2 || name[name.size() - kRandom - 1] != u'.') continue;
        const QStringView letters = QStringView(name).right(kRandom);
        if (!std::all_of(letters.begin(), letters.end(), isAsciiLetter) || looksLikeAWord(letters)) continue;
        const QFileInfo leftover(folder.filePath(name));
        if (leftover.isSymLink() || !leftover.isFile()) continue;
        const QFileInfo target(folder.filePath(name.left(name.size() - kRandom - 1)));
        if (!target.isFile()) continue;
        if (QFile::remove(leftover.filePath())) ++removed;
    }
    return removed;
}
