// The gallery: every window of the program with sample data, written as PNG files, so that anyone
// can look at what a person sees.  gallery --out DIR

#include "core/about_box.h"
#include "core/main_window.h"
#include "records/fuel_edit_dialog.h"
#include "records/fuel_entry_dialog.h"
#include "support/scripted_prompts.h"
#include "ui/window_fixture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cstdio>

namespace {

bool save(QWidget& w, const QString& dir, const char* name) {
    w.show();
    QTest::qWait(30);
    const QString path = dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    // Windows are tested and pictured headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("folder for the PNG files"), QStringLiteral("DIR")});
    parser.process(app);
    const QString out = parser.value(QStringLiteral("out"));
    if (out.isEmpty() || !QDir().mkpath(out)) {
        std::fprintf(stderr, "usage: gallery --out DIR\n");
        return 2;
    }

    MainWindowFixture f;
    f.withSampleData();
    f.prompts.answers = {};
    TForm1& w = f.start();
    bool ok = save(w, out, "main_window");
    w.previousButton()->click(); // A-BC 1: fill-ups and an other cost
    ok &= save(w, out, "main_window_golf");
    w.findChild<QTabWidget*>()->setCurrentIndex(1);
    ok &= save(w, out, "main_window_other_costs");
    w.findChild<QTabWidget*>()->setCurrentIndex(0);

    TForm3& entry = w.fuelEntryDialog();
    entry.setWindowTitle(w.currentVehicleCaption());
    entry.prepare();
    ok &= save(entry, out, "fuel_entry");
    entry.hide();

    TForm9& edit = w.fuelEditDialog();
    edit.setWindowTitle(w.currentVehicleCaption());
    edit.prepare(2);
    ok &= save(edit, out, "fuel_edit");
    edit.hide();

    ok &= save(w.aboutBox(), out, "about_box");
    w.aboutBox().hide();

    w.nextButton()->click();
    w.nextButton()->click(); // M-EL 3: no records yet
    ok &= save(w, out, "main_window_empty_vehicle");
    entry.prepare();
    ok &= save(entry, out, "fuel_entry_first_fill_up");
    entry.hide();
    return ok ? 0 : 1;
}
