#pragma once
// Small file helpers of the core tests.

#include "support/file_size_limit.h"

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

inline std::string readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

inline bool writeBytes(const QString& path, std::string_view bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) &&
           f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

inline QString fixture(const char* name) {
    return QStringLiteral(WAGENWART_FIXTURES "/core/") + QLatin1String(name);
}

