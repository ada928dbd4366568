#include "core/data_dir.h"
#include "app/main_window.h"
#include "app/message_prompts.h"
#include "app/single_instance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace {

// The general error handler: an error that reaches the event loop is shown, and the program
// goes on.
class WagenwartApplication final : public QApplication {
public:
    using QApplication::QApplication;
    Prompts* prompts = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            if (prompts) prompts->error(QString::fromUtf8(e.what()));
        } catch (...) {
            if (prompts) prompts->error(QStringLiteral("Unbekannter Fehler."));
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    WagenwartApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wagenwart"));
    QApplication::setApplicationDisplayName(QStringLiteral("Wagenwart"));

    SingleInstance instance(singleInstanceKey());
    if (!instance.acquire()) {
        instance.askRunningCopyToRaise();
        return 0;
    }

    // German numbers, dates and Qt's own buttons, whatever the system says.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    MessagePrompts prompts;
    app.prompts = &prompts;
    SystemClock clock;
    TForm1 window(locateDataDir(), clock, prompts);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return QApplication::exec();
}
