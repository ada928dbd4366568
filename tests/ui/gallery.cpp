// The gallery: every window of the program with sample data, written as PNG files, so that anyone
// can look at what a person sees.  gallery --out DIR

#include "app/about_box.h"
#include "app/application.h"
#include "app/main_window.h"
#include "appointments/appointment_dialog.h"
#include "appointments/appointment_overview.h"
#include "appointments/appointment_overview_dialog.h"
#include "appointments/appointments_panel.h"
#include "core/settings_dialog.h"
#include "records/data_generation_dialog.h"
#include "records/fuel_edit_dialog.h"
#include "records/fuel_entry_dialog.h"
#include "records/other_cost_edit_dialog.h"
#include "records/other_cost_entry_dialog.h"
#include "report/al_preview.h"
#include "report/preview_dialog.h"
#include "report/print_reports.h"
#include "support/capture_printer.h"
#include "support/scripted_prompts.h"
#include "support/window_fixture.h"
#include "ui_other_cost_entry_dialog.h"
#include "ui_vehicle_dialog.h"
#include "vehicles/vehicle_dialog.h"

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

void writeSample(const QString& path, const char* bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// The appointments: the "Termine" tab of the vehicle dialog, the edit dialog in its two forms,
// the overview from the menu and the start-up reminder.
bool saveAppointmentWindows(TForm1& w, MainWindowFixture& f, const QString& out) {
    writeSample(f.dataDir() + "kfzterm.001", "kfz;datum;zeit;text\r\n"
                                             ";02.05.2026;08:00:00;HU bei der Pr\xFC"
                                             "fstelle\r\n"
                                             ";10.05.2026;16:30:00;Reifenwechsel\\nWinterr\xE4"
                                             "der einlagern\r\n"
                                             ";14.05.2026;09:30:00;Inspektion mit \xD6lwechsel\r\n");
    writeSample(f.dataDir() + "kfzterm.003", "kfz;datum;zeit;text\r\n"
                                             ";12.05.2026;07:15:00;Ladekabel pr\xFC"
                                             "fen lassen\r\n"
                                             ";01.09.2026;10:00:00;Versicherung k\xFCndigen\r\n");
    AppState& state = w.state();
    const int current = state.VehicleTable.RowNumber();
    state.VehicleTable.GoToRow(1);
    bool ok = true;
    {
        TAppointmentsPanel panel(state, f.prompts);
        panel.resize(520, 260);
        panel.showVehicle();
        ok &= save(panel, out, "appointments_tab");

        TForm28& dialog = panel.appointmentDialog();
        dialog.setWindowTitle(kNewAppointmentCaption);
        dialog.prepare();
        ok &= save(dialog, out, "appointment_new");
        dialog.hide();
        state.AppointmentTable.GoToRow(2);
        dialog.setWindowTitle(kEditAppointmentCaption);
        dialog.prepare();
        ok &= save(dialog, out, "appointment_edit");
        dialog.hide();
    }
    state.VehicleTable.GoToRow(current);

    TForm30& overview = w.appointments().overview();
    overview.setWindowTitle(kAllAppointmentsCaption);
    overview.prepare();
    ok &= save(overview, out, "appointment_overview");
    overview.hide();
    overview.setWindowTitle(reminderCaption(state.settings.remindDays));
    overview.prepare();
    ok &= save(overview, out, "appointment_reminder");
    overview.hide();
    return ok;
}

// The other costs, the data generation and the settings, on the vehicle shown in the main window.
bool saveCostWindows(TForm1& w, const QString& out) {
    bool ok = true;
    writeSample(w.state().DataDir + "kfzwv.001", "Vorgang;preis\r\nKfz-Steuer;190\r\nVersicherung;412,5\r\n");
    TForm5& entry = w.records().otherCostEntry();
    entry.setWindowTitle(w.currentVehicleCaption());
    entry.prepare();
    entry.ui().textLineEdit->setText(QStringLiteral("Kfz-Steuer"));
    ok &= save(entry, out, "other_cost_entry");
    entry.hide();

    TForm13& edit = w.records().otherCostEdit();
    edit.setWindowTitle(w.currentVehicleCaption());
    if (edit.prepare(1)) ok &= save(edit, out, "other_cost_edit");
    edit.hide();

    TForm16& generation = w.records().dataGeneration();
    generation.setWindowTitle(w.currentVehicleCaption());
    generation.prepare();
    ok &= save(generation, out, "data_generation");
    generation.hide();

    TSettingsForm& settings = w.coreWindows().settingsDialog();
    settings.setWindowTitle(QStringLiteral("Einstellungen"));
    settings.prepare();
    ok &= save(settings, out, "settings");
    settings.hide();
    return ok;
}

// The vehicle dialog on the current vehicle, one picture per tab.
bool saveVehicleDialog(TForm1& w, const QString& out) {
    TForm26& d = w.vehicles().vehicleDialog();
    d.prepare(true);
    bool ok = true;
    const char* const names[] = {"vehicle_dialog", "vehicle_dialog_configuration", "vehicle_dialog_appointments",
                                 "vehicle_dialog_photo", "vehicle_dialog_remark"};
    for (int tab = 0; tab < d.ui().tabWidget->count() && tab < 5; ++tab) {
        d.ui().tabWidget->setCurrentIndex(tab);
        ok &= save(d, out, names[tab]);
    }
    d.ui().tabWidget->setCurrentIndex(0);
    d.hide();
    return ok;
}

// The print preview with the cost list of the current vehicle and with its data sheet, on the
// A4 page of a machine without a printer, and every page of both as the paper shows it.
bool saveReportPreviews(TForm1& w, const QString& out) {
    ScriptedPrompts prompts;
    CapturePrinter printer;
    printer.metrics = pdfA4Metrics(alr_Portrait);
    ScriptedSaveFile saveFile;
    const PrintSeams seams{prompts, printer, saveFile};
    auto shoot = [&](std::unique_ptr<TfrmPreview> preview, const char* name) {
        if (!preview) return false;
        preview->resize(880, 1000);
        bool ok = save(*preview, out, name);
        for (int n = 1; n <= preview->preview().pageCount(); ++n) {
            const TDrawMetaFile& page = *preview->preview().pages().page(n);
            QImage paper(page.width(), page.height(), QImage::Format_RGB32);
            paper.fill(Qt::white);
            QPainter painter(&paper);
            drawPagePicture(painter, page, QRectF(paper.rect()));
            painter.end();
            const QString path = out + QStringLiteral("/%1_page%2.png").arg(QLatin1String(name)).arg(n);
            ok &= paper.save(path);
            std::printf("wrote %s\n", qPrintable(path));
        }
        return ok;
    };
    bool ok = shoot(costListPreview(&w, w.state(), w.currentVehicleCaption(), seams), "preview_cost_list");
    ok &= shoot(dataSheetPreview(&w, w.state(), seams), "preview_data_sheet");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    // Windows are tested and pictured headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    WagenwartApplication app(argc, argv);
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
    ok &= saveCostWindows(w, out);

    TForm3& entry = w.records().fuelEntry();
    entry.setWindowTitle(w.currentVehicleCaption());
    entry.prepare();
    ok &= save(entry, out, "fuel_entry");
    entry.hide();

    TForm9& edit = w.records().fuelEdit();
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
    ok &= saveAppointmentWindows(w, f, out);
    w.previousButton()->click();
    w.previousButton()->click(); // A-BC 1 with its appointments
    ok &= saveVehicleDialog(w, out);
    ok &= saveReportPreviews(w, out);
    return ok ? 0 : 1;
}
