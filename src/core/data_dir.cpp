#include "core/data_dir.h"

#include <QDir>
#include <QStandardPaths>

QString dataDirBelow(const QString& appDataFolder) {
    QString base = appDataFolder;
    while (base.endsWith(QLatin1Char('/')) || base.endsWith(QLatin1Char('\\'))) base.chop(1);
    const QString dir = QDir::toNativeSeparators(base + QStringLiteral("/Sternhof/Wagenwart_test/"));
    QDir().mkpath(dir);
    return dir;
}

QString locateDataDir() {
#ifdef Q_OS_WIN
    return dataDirBelow(qEnvironmentVariable("PROGRAMDATA"));
#else
    return dataDirBelow(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}
