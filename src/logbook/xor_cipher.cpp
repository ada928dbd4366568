#include "logbook/xor_cipher.h"

#include <QFile>
#include <QFileInfo>

void TXorCipher::XorBuffer(std::string_view key, char* buffer, std::size_t size, std::size_t offset) {
    if (key.empty()) return;
    const std::size_t n = key.size();
    std::size_t k = offset % n;
    for (std::size_t i = 0; i < size; ++i) {
        buffer[i] = static_cast<char>(buffer[i] ^ key[k]);
        if (++k == n) k = 0;
    }
}

std::string TXorCipher::XorText(std::string_view key, std::string text) {
    XorBuffer(key, text.data(), text.size());
    return text;
}

bool TXorCipher::XorStream(std::string_view key, QIODevice& device) {
    if (device.isSequential()) return false; // a pipe cannot be written back over its bytes
    const qint64 start = device.pos();
    QByteArray changed = device.readAll();
    XorBuffer(key, changed.data(), static_cast<std::size_t>(changed.size()));
    if (!device.seek(start)) return false;
    return device.write(changed) == changed.size();
}

namespace {

bool xorFile(std::string_view key, const QString& fileName, QString* reason) {
    // Only a regular file: a pipe or a device would hold the program up.
    const QFileInfo info(fileName);
    QFile file(fileName);
    if (info.exists() && !info.isFile()) {
        if (reason) *reason = QStringLiteral("Es ist keine gewöhnliche Datei.");
        return false;
    }
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        if (reason) *reason = file.errorString();
        return false;
    }
    const bool ok = TXorCipher::XorStream(key, file) && file.flush();
    if (!ok && reason) *reason = file.errorString();
    return ok;
}

} // namespace

bool TXorCipher::DecipherFile(std::string_view key, const QString& fileName, QString* reason) {
    return xorFile(key, fileName, reason);
}

bool TXorCipher::EncipherFile(std::string_view key, const QString& fileName, QString* reason) {
    return xorFile(key, fileName, reason);
}
