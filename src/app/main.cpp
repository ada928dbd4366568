#include "app/application.h"
#include "app/main_window.h"
#include "app/message_prompts.h"
#include "app/single_instance.h"
#include "core/data_dir.h"

#ifdef WAGENWART_SANITIZE
// The dev build's LeakSanitizer: libdbus keeps about 1 KB to the end of every run; a leak of our own
// still ends the program with a failure.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
#endif

int main(int argc, char* argv[]) {
    WagenwartApplication app(argc, argv);
    const QString dataDir = locateDataDir();

    // One running copy per data directory: a second one brings the first to the front and ends.
    SingleInstance instance(singleInstanceKey(dataDir));
    if (!instance.acquire()) {
        instance.askRunningCopyToRaise();
        return 0;
    }

    MessagePrompts prompts;
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
