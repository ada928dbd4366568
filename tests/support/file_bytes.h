#pragma once
// A file's bytes, read and written whole, for the tests that compare stored files byte for byte.

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

// The whole file, or "<missing>" when it cannot be opened.
inline std::string readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

// Replaces the file by `bytes`; false when it could not be written whole.
inline bool writeBytes(const QString& path, std::string_view bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}
