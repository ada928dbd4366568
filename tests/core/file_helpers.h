#pragma once
// Small file helpers of the core tests.

#include "support/file_bytes.h"
#include "support/file_size_limit.h"

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

inline QString fixture(const char* name) {
    return QStringLiteral(WAGENWART_FIXTURES "/core/") + QLatin1String(name);
}

