#include "core/data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString dataDirBelow(const QString& appDataFolder) {
    QString base = appDataFolder;
    while (base.endsWith(QLatin1Char('/')) || base.endsWith(QLatin1Char('\\'))) base.chop(1);
    const QString dir = QDir::toNativeSeparators(base + QStringLiteral("/Sternhof/Wagenwart_test/"));
    QDir().mkpath(dir);
    return dir;
}

QString portableDataDir(const QString& programDir) {
    if (programDir.isEmpty()) return {};
    const QString dir = QDir(programDir).filePath(QStringLiteral("Daten"));
    if (!QFileInfo(dir + QStringLiteral("/kfzdata.csv")).isFile()) return {};
    return QDir::toNativeSeparators(dir + QLatin1Char('/'));
}

QString locateDataDir() {
    if (QCoreApplication::instance()) {
        const QString portable = portableDataDir(QCoreApplication::applicationDirPath());
        if (!portable.isEmpty()) return portable;
    }
#ifdef Q_OS_WIN
    return dataDirBelow(qEnvironmentVariable("PROGRAMDATA"));
#else
    return dataDirBelow(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}
