#pragma once
// A data directory with three vehicles, and the main window over it with scripted prompts and a
// fixed clock.

#include "app/about_box.h"
#include "app/main_window.h"
#include "appointments/appointment_windows.h"
#include "core/core_windows.h"
#include "records/record_windows.h"
#include "support/file_bytes.h"
#include "support/qt_print.h"
#include "support/scripted_prompts.h"
#include "vehicles/vehicle_windows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

inline void copyFixtures(const QString& from, const QString& to) {
    const QDir dir(from);
    for (const QString& name : dir.entryList(QDir::Files))
        QFile::copy(dir.filePath(name), to + QLatin1Char('/') + name);
}

struct MainWindowFixture {
    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2026, 5, 10), QTime(9, 30))};
    ScriptedPrompts prompts;
    std::unique_ptr<TForm1> window;

    QString dataDir() const { return dir.path() + QLatin1Char('/'); }
    void withSampleData() { copyFixtures(QStringLiteral(WAGENWART_FIXTURES "/ui"), dir.path()); }
    TForm1& start() {
        window = std::make_unique<TForm1>(dataDir(), clock, prompts);
        return *window;
    }
    std::string file(const char* name) const { return readBytes(dataDir() + QLatin1String(name)); }
};
