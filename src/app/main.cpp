#include "app/application.h"
#include "app/main_window.h"
#include "app/message_prompts.h"
#include "app/single_instance.h"
#include "core/data_dir.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef WAGENWART_SANITIZE
// The dev build's LeakSanitizer: libdbus keeps about 1 KB to the end of every run; a leak of our own
// still ends the program with a failure.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
#endif

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file-size limit makes a save fail and be reported like a full disk, instead of ending
    // the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--manual-path") == 0) {
            // Where "Handbuch (PDF)" looks for the manual; an installation is checked with it.
            // It needs no screen, so it runs before any window system is asked for.
            const QCoreApplication console(argc, argv);
            std::printf("%s\n", qPrintable(findManual(QCoreApplication::applicationDirPath())));
            return 0;
        }
    WagenwartApplication app(argc, argv);
    const QString dataDir = locateDataDir();

    // One running copy per data directory: a second one brings the first to the front and ends.
    MessagePrompts prompts;
    SingleInstance instance(singleInstanceKey(dataDir));
    if (!instance.acquire()) {
        // Never two copies on one data directory: the running one comes to the front, or, when it
        // does not answer, this one says so; either way this one ends.
        if (!instance.askRunningCopyToRaise(2000))
            prompts.error(QStringLiteral("Wagenwart läuft bereits, reagiert aber nicht."));
        return 0;
    }

    app.prompts = &prompts;
    SystemClock clock;
    TForm1 window(dataDir, clock, prompts);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return QApplication::exec();
}
