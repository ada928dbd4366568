#include "store/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A device or pipe cannot be replaced by a new file: it is written directly, with the same checks.
AtomicSaveResult writeDirectly(const QString& path, std::string_view bytes, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason) *reason = file.errorString();
        return AtomicSaveResult::OpenFailed;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush() || file.error() != QFileDevice::NoError) {
        if (reason) *reason = file.errorString();
        return AtomicSaveResult::WriteFailed;
    }
    return AtomicSaveResult::Ok;
}

} // namespace

AtomicSaveResult saveFileAtomically(const QString& path, std::string_view bytes, QString* reason) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) return writeDirectly(path, bytes, reason);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason) *reason = file.errorString();
        return AtomicSaveResult::OpenFailed;
    }
    // QSaveFile::commit() alone can report success after a failed write and leave a cut-off
    // file, so every step is checked before the new file may replace the old one.
    const auto size = static_cast<qint64>(bytes.size());
    const bool written = file.write(bytes.data(), size) == size && file.flush() && file.error() == QFileDevice::NoError;
    if (!written) {
        if (reason) *reason = file.errorString();
        file.cancelWriting();
        return AtomicSaveResult::WriteFailed;
    }
    if (!file.commit()) {
        if (reason) *reason = file.errorString();
        return AtomicSaveResult::WriteFailed;
    }
    return AtomicSaveResult::Ok;
}
