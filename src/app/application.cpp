#include "app/application.h"

#include "core/prompts.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

#include <exception>

WagenwartApplication::WagenwartApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The name only: a display name would be appended to every window title (" — Wagenwart"),
    // and the titles are the windows' own captions.
    setApplicationName(QStringLiteral("Wagenwart"));
    // The desktop finds the menu entry, and with it the icon, by this name; every window carries
    // the icon.
    setDesktopFileName(QStringLiteral("de.sternhof.Wagenwart"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/wagenwart_%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (m_qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);
}

bool WagenwartApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (prompts) prompts->error(QString::fromUtf8(e.what()));
    } catch (...) {
        if (prompts) prompts->error(QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}
