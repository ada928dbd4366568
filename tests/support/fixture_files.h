#pragma once
// The fixture files of the core tests, and the file helpers they are used with.

#include "support/file_bytes.h"
#include "support/file_size_limit.h"

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

inline QString fixture(const char* name) {
    return QStringLiteral(WAGENWART_FIXTURES "/core/") + QLatin1String(name);
}
