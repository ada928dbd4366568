// The gallery: every window of the program with sample data, written as PNG files, so that anyone
// can look at what a person sees.  gallery --out DIR

#include "app/about_box.h"
#include "app/application.h"
#include "app/main_window.h"
#include "appointments/appointment_dialog.h"
#include "appointments/appointment_overview.h"
#include "appointments/appointment_overview_dialog.h"
#include "appointments/appointments_panel.h"
#include "backup/backup_dialog.h"
#include "backup/backup_windows.h"
#include "backup/medium_dialog.h"
#include "charts/chart_windows.h"
#include "charts/consumption_chart_dialog.h"
#include "charts/cost_chart_dialog.h"
#include "charts/fuel_price_chart_dialog.h"
#include "core/settings_dialog.h"
#include "logbook/logbook_files.h"
#include "logbook/logbook_overview_dialog.h"
#include "logbook/logbook_settings_dialog.h"
#include "logbook/logbook_windows.h"
#include "logbook/new_trip_dialog.h"
#include "logbook/xor_cipher.h"
#include "records/data_generation_dialog.h"
#include "records/fuel_edit_dialog.h"
#include "records/fuel_entry_dialog.h"
#include "records/other_cost_edit_dialog.h"
#include "records/other_cost_entry_dialog.h"
#include "report/al_preview.h"
#include "report/logbook_report.h"
#include "report/preview_dialog.h"
#include "report/print_reports.h"
#include "store/number_text.h"
#include "support/capture_printer.h"
#include "support/scripted_prompts.h"
#include "support/window_fixture.h"
#include "ui_backup_dialog.h"
#include "ui_cost_chart_dialog.h"
#include "ui_cost_report_dialog.h"
#include "ui_import_dialog.h"
#include "ui_medium_dialog.h"
#include "ui_notes_dialog.h"
#include "ui_other_cost_entry_dialog.h"
#include "ui_vehicle_dialog.h"
#include "vehicles/cost_report_dialog.h"
#include "vehicles/data_export_dialog.h"
#include "vehicles/document_windows.h"
#include "vehicles/export_windows.h"
#include "vehicles/import_dialog.h"
#include "vehicles/notes_dialog.h"
#include "vehicles/vehicle_dialog.h"
#include "vehicles/vehicle_list_dialog.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFileSystemModel>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// With --check-fit: every label and button whose text the window shows cut, by window.
bool g_checkFit = false;
int g_cutTexts = 0;

QString shownText(QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text;
}

void checkTextsFit(QWidget& window, const char* name) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().isEmpty() || Qt::mightBeRichText(label->text()))
            continue;
        const QFontMetrics fm(label->font());
        int needed = 0;
        for (const QString& line : shownText(label->text()).split(u'\n'))
            needed = std::max(needed, fm.horizontalAdvance(line));
        if (needed > label->contentsRect().width() + 1) {
            ++g_cutTexts;
            std::printf("cut: %s: label \"%s\" needs %d px, has %d\n", name, qPrintable(label->text()), needed,
                        label->contentsRect().width());
        }
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) continue;
        if (button->sizeHint().width() > button->width() + 1) {
            ++g_cutTexts;
            std::printf("cut: %s: button \"%s\" needs %d px, has %d\n", name, qPrintable(button->text()),
                        button->sizeHint().width(), button->width());
        }
    }
}

// With --check-keys: every input field without a label buddy or accessible name, and every step
// of the tab chain that goes back up or to the left within a row.
bool g_checkKeys = false;
int g_keyFaults = 0;

bool isInputField(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

// The letter after a single "&" of a caption, lower case; none for a caption without one.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

void checkKeyboard(QWidget& window, const char* name) {
    QSet<const QWidget*> labelled;
    // Alt and a letter reach each labelled field, check box and radio button; no letter twice on
    // one page of the window (the pages of a tab widget count apart only for their own fields).
    QHash<QChar, QString> letters;
    auto takeLetter = [&](const QWidget* w, const QString& text) {
        if (!w->isVisible()) return;
        const QChar letter = mnemonicOf(text);
        if (letter.isNull()) {
            ++g_keyFaults;
            std::printf("keys: %s: \"%s\" (%s) has no Alt shortcut\n", name, qPrintable(text),
                        qPrintable(w->objectName()));
        } else if (letters.contains(letter)) {
            ++g_keyFaults;
            std::printf("keys: %s: Alt+%s is both %s and %s\n", name, qPrintable(QString(letter)),
                        qPrintable(letters.value(letter)), qPrintable(w->objectName()));
        } else {
            letters.insert(letter, w->objectName());
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy()) {
            labelled.insert(label->buddy());
            if (isInputField(label->buddy())) takeLetter(label, label->text());
        }
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
        if (qobject_cast<const QCheckBox*>(b) || qobject_cast<const QRadioButton*>(b)) takeLetter(b, b->text());
    for (QWidget* field : window.findChildren<QWidget*>()) {
        if (!field->isVisible() || !isInputField(field)) continue;
        if (qobject_cast<QComboBox*>(field->parentWidget()) || qobject_cast<QAbstractSpinBox*>(field->parentWidget()))
            continue; // the editor inside a combo box or spin box
        if (!labelled.contains(field) && field->accessibleName().isEmpty()) {
            ++g_keyFaults;
            std::printf("keys: %s: field %s has no label buddy and no accessible name\n", name,
                        qPrintable(field->objectName()));
        }
    }
    // The tab chain of the window's own widgets.
    QList<QWidget*> chain;
    QWidget* first = &window;
    for (QWidget* w = first->nextInFocusChain(); w && w != first; w = w->nextInFocusChain())
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && w->window() == &window &&
            !qobject_cast<QComboBox*>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
            chain << w;
    for (int i = 1; i < chain.size(); ++i) {
        const QRect a(chain[i - 1]->mapTo(&window, QPoint()), chain[i - 1]->size());
        const QRect b(chain[i]->mapTo(&window, QPoint()), chain[i]->size());
        const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
        const bool goesOn = sameRow ? b.left() >= a.left() : b.top() >= a.top();
        // A new column of fields starts at the top again, to the right of the last one.
        const bool nextColumn = b.left() >= a.right();
        if (!goesOn && !nextColumn) {
            ++g_keyFaults;
            std::printf("keys: %s: tab goes back from %s to %s\n", name, qPrintable(chain[i - 1]->objectName()),
                        qPrintable(chain[i]->objectName()));
        }
    }
}

bool save(QWidget& w, const QString& dir, const char* name) {
    w.show();
    QTest::qWait(30);
    if (g_checkFit) checkTextsFit(w, name);
    if (g_checkKeys) checkKeyboard(w, name);
    const QString path = dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

void writeSample(const QString& path, std::string_view bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qsizetype>(bytes.size()));
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
bool saveReportPreviews(TForm1& w, const QString& out, const LogbookPrint* logbook = nullptr) {
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
    if (logbook) ok &= shoot(logbookPreview(&w, w.state(), *logbook, seams), "preview_logbook");
    ok &= shoot(vehicleListPreview(&w, w.state(), buildVehicleList(w.state()), seams), "preview_vehicle_list");
    return ok;
}

// Every vehicle side by side with its figures.
bool saveVehicleList(TForm1& w, const QString& out) {
    TForm22& list = w.vehicles().vehicleList();
    list.UpdateList();
    list.resize(1180, 360);
    const bool ok = save(list, out, "vehicle_list");
    list.hide();
    return ok;
}

// The logbook of the current vehicle: a new trip after the last one, the overview with a
// deactivated entry, the settings with their lists; the print of the overview for the previews.
bool saveLogbookWindows(TForm1& w, MainWindowFixture& f, const QString& out, LogbookPrint& print) {
    const std::string plain =
        "Nr;dat1;dat2;zeit1;zeit2;tacho1;tacho2;von;ueber;nach;zweck;besucht;art;fahrer;kfznummer;daktiv\r\n"
        "1;02.05.2026;02.05.2026;07:40;08:25;10250 KM;10282 KM;Berlin;;Potsdam;Kundenbesuch;Meier GmbH;"
        "gesch\xE4"
        "ftl.;Max Mustermann;A-BC 1;\r\n"
        "2;02.05.2026;02.05.2026;17:10;17:55;10282 KM;10314 KM;Potsdam;;Berlin;;;wohn;Max Mustermann;A-BC 1;\r\n"
        "3;04.05.2026;04.05.2026;09:00;12:30;10314 KM;10498 KM;Berlin;Werder;Brandenburg;Messe;Stadtwerke;"
        "gesch\xE4"
        "ftl.;Erika Mustermann;A-BC 1;j\r\n"
        "4;04.05.2026;04.05.2026;09:05;12:40;10314 KM;10496 KM;Berlin;Werder;Brandenburg;Messe;Stadtwerke;"
        "gesch\xE4"
        "ftl.;Erika Mustermann;A-BC 1;\r\n"
        "5;08.05.2026;09.05.2026;18:00;11:15;10496 KM;10811 KM;Berlin;;Usedom;;;privat;Max Mustermann;A-BC 1;\r\n";
    const std::string stored = TXorCipher::XorText(LogbookKey, plain);
    writeSample(f.dataDir() + "kfzfb.001", stored);
    writeSample(f.dataDir() + "kfzfbe.001", "rubrik;text\r\n1;Berlin\r\n1;Potsdam\r\n1;Brandenburg\r\n1;Usedom\r\n"
                                            "2;Kundenbesuch\r\n2;Messe\r\n3;Meier GmbH\r\n3;Stadtwerke\r\n"
                                            "4;Erika Mustermann\r\n4;Max Mustermann\r\n5;n\r\n");
    bool ok = true;
    TForm10& trip = w.logbook().newTripDialog();
    if (trip.prepare()) ok &= save(trip, out, "logbook_new_trip");
    trip.hide();
    TForm11& overview = w.logbook().overview();
    overview.prepare();
    overview.resize(900, 620);
    ok &= save(overview, out, "logbook_overview");
    print.vehicleCaption = w.currentVehicleCaption();
    print.listing = overview.model().listing();
    print.fingerprint = shortFingerprint(w.logbook().files().fingerprintOf(5));
    overview.hide();
    TForm12& settings = w.logbook().settings();
    if (settings.prepare()) ok &= save(settings, out, "logbook_settings");
    settings.hide();
    return ok;
}

// "Daten importieren": the directory list open at a folder of version 4.x data. The list shows a
// home folder of its own (the machine's folders would differ from run to run).
bool saveImportDialog(TForm1& w, const QString& out) {
    QTemporaryDir home;
    for (const char* sub : {"Bilder", "Downloads", "Musik", "Dokumente/Rechnungen"})
        QDir().mkpath(home.filePath(QLatin1String(sub)));
    const QString folder = home.filePath(QStringLiteral("Dokumente/Wagenwart 4"));
    for (const char* sub : {"Bilder", "Sicherung"}) QDir().mkpath(folder + QLatin1Char('/') + QLatin1String(sub));
    writeSample(folder + QStringLiteral("/kfzdata.csv"), "nummer;bez;file\r\nB-AB 1;Golf;kfzdat.001\r\n");
    TForm17& d = w.vehicles().importDialog();
    d.prepare();
    d.setDirectory(folder);
    d.show();
    QTreeView* tree = d.ui().directoryTreeView;
    if (auto* files = qobject_cast<QFileSystemModel*>(tree->model())) tree->setRootIndex(files->index(home.path()));
    // The directory list is read in the background.
    const QAbstractItemModel* model = tree->model();
    const QModelIndex chosen = tree->currentIndex();
    tree->expand(chosen);
    if (!QTest::qWaitFor([&] { return model->rowCount(chosen) == 2 && model->rowCount(tree->rootIndex()) == 4; }, 3000))
        std::printf("data_import: the directory list was not read in time\n");
    tree->expand(chosen.parent());
    QTest::qWait(100);
    const bool ok = save(d, out, "data_import");
    d.hide();
    return ok;
}

// "Daten exportieren": the choice of the format.
bool saveExportDialog(TForm1& w, MainWindowFixture& f, const QString& out) {
    ExportWindows exports(w.state(), f.prompts, &w);
    TFormExport& d = exports.exportDialog();
    d.prepare();
    const bool ok = save(d, out, "data_export");
    d.hide();
    return ok;
}

// "Datensicherung" as it opens and while it works, and "Wechseldatenträger" with a USB stick chosen.
bool saveBackupWindows(TForm1& w, const QString& out) {
    BackupSeams& seams = w.backup().seams();
    seams.documentsFolder = [] { return QStringLiteral("/home/anna/Dokumente"); };
    seams.drives = [] {
        return std::vector<Drive>{{"/", "/ (Festplatte)", false},
                                  {"/media/anna/USB-STICK", "/media/anna/USB-STICK (USB-STICK)", true}};
    };
    TForm24& backup = w.backup().backupDialog();
    backup.prepare();
    bool ok = save(backup, out, "backup");
    backup.ui().statusLabel->setText(QStringLiteral("kfzdat.001"));
    backup.ui().progressBar->setMaximum(2048);
    backup.ui().progressBar->setValue(900);
    ok &= save(backup, out, "backup_working");
    backup.hide();
    TForm23& medium = w.backup().mediumDialog();
    medium.prepare();
    medium.ui().driveListWidget->setCurrentRow(1);
    ok &= save(medium, out, "removable_medium");
    medium.hide();
    return ok;
}

} // namespace

// The note of the Golf, and its cost report with and without a picture.
bool saveDocumentWindows(TForm1& w, MainWindowFixture& f, const QString& out) {
    w.vehicleMenu()->actions().at(0)->trigger(); // A-BC 1
    writeSample(f.dataDir() + QStringLiteral("kfznotiz.001"), "Winterreifen: im Keller, Profil 6 mm\r\nN\xE4"
                                                              "chster \xD6lwechsel bei 40.000 km\r\n\r\n"
                                                              "Werkstatt\tAutohaus M\xFC"
                                                              "ller, Tel. 030 123456\r\nR\xFC"
                                                              "ckruf wegen Airbag: erledigt am "
                                                              "12.03.2026 (Kosten 0,00 \x80)");
    bool ok = true;
    TForm15& notes = w.documents().notes();
    if (notes.prepare()) ok &= save(notes, out, "notes");
    notes.hide();

    TForm14& report = w.documents().costReport();
    if (report.preparePicture()) {
        report.prepare();
        report.ui().valueSpinBox->setValue(12000);
        ok &= save(report, out, "cost_report");
    }
    report.hide();

    QTemporaryDir pictures;
    QImage photo(400, 300, QImage::Format_RGB32);
    {
        QPainter p(&photo);
        QLinearGradient sky(0, 0, 0, 300);
        sky.setColorAt(0, QColor(120, 170, 220));
        sky.setColorAt(1, QColor(230, 240, 250));
        p.fillRect(photo.rect(), sky);
        p.fillRect(0, 220, 400, 80, QColor(90, 90, 90));
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(200, 30, 30));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(60, 150, 280, 70, 20, 20);
        p.drawRoundedRect(110, 110, 170, 60, 20, 20);
        p.setBrush(Qt::black);
        p.drawEllipse(100, 195, 50, 50);
        p.drawEllipse(250, 195, 50, 50);
    }
    const QString picture = pictures.filePath(QStringLiteral("golf.png"));
    photo.save(picture);
    w.state().VehicleTable.SetValue("bild", picture.toStdString());
    if (report.preparePicture()) {
        report.prepare();
        ok &= save(report, out, "cost_report_picture");
    }
    report.hide();
    w.state().VehicleTable.SetValue("bild", "");
    return ok;
}

// The three charts on a year of fill-ups of the Golf and a few of the Transporter: consumption,
// fuel price, and the costs of the Golf alone, of all vehicles and of all per month.
bool saveChartWindows(TForm1& w, MainWindowFixture& f, const QString& out) {
    std::string golf = "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n";
    QDate day(2025, 1, 4);
    int km = 12000;
    for (int i = 0; i < 36; ++i, day = day.addDays(10)) {
        km += 520 + (i * 37) % 160;
        const double litres = 32 + (i * 13) % 9 + (i % 5 == 0 ? 4 : 0);
        const double price = litres * (1.62 + 0.04 * std::sin(i / 4.0));
        golf += "1;" + day.toString(QStringLiteral("dd.MM.yyyy")).toStdString() + ";" + std::to_string(km) + ";" +
                FormatMoney62(price).substr(FormatMoney62(price).find_first_not_of(' ')) + ";" +
                FormatMoney62(litres).substr(FormatMoney62(litres).find_first_not_of(' ')) + ";" +
                (i % 4 == 3 ? "nein" : "ja") + ";t;;;;0\r\n";
        if (i % 9 == 4)
            golf += "1;" + day.toString(QStringLiteral("dd.MM.yyyy")).toStdString() + ";" + std::to_string(km) +
                    ";189,90;;;s;Inspektion;ja;;\r\n";
    }
    writeSample(f.dataDir() + QStringLiteral("kfzdat.001"), golf);
    w.vehicleMenu()->actions().at(0)->trigger(); // A-BC 1 with its new records
    bool ok = true;
    TForm6& consumption = w.charts().consumption();
    consumption.fill();
    ok &= save(consumption, out, "chart_consumption");
    consumption.hide();
    TForm7& price = w.charts().fuelPrice();
    price.fill();
    ok &= save(price, out, "chart_fuel_price");
    price.hide();
    TForm8& costs = w.charts().costs();
    costs.ui().allVehiclesCheckBox->setChecked(false);
    costs.ui().totalRadioButton->setChecked(true);
    costs.refill();
    ok &= save(costs, out, "chart_costs");
    costs.ui().allVehiclesCheckBox->setChecked(true);
    costs.refill();
    ok &= save(costs, out, "chart_costs_all");
    costs.ui().perMonthRadioButton->setChecked(true);
    costs.refill();
    ok &= save(costs, out, "chart_costs_all_per_month");
    costs.hide();
    costs.ui().allVehiclesCheckBox->setChecked(false);
    costs.ui().totalRadioButton->setChecked(true);
    return ok;
}

int main(int argc, char** argv) {
    // Windows are tested and pictured headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The scale must be set before the application exists: "--scale 2" draws every window as on a
    // screen of twice the pixel density.
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--scale") == 0) qputenv("QT_SCALE_FACTOR", argv[i + 1]);
    WagenwartApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("folder for the PNG files"), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("scale"), QStringLiteral("scale factor of the screen"), QStringLiteral("FACTOR")});
    parser.addOption({QStringLiteral("check-fit"), QStringLiteral("fail on any label or button shown cut")});
    parser.addOption(
        {QStringLiteral("check-keys"), QStringLiteral("fail on unlabelled fields and a tab order against the view")});
    parser.process(app);
    g_checkFit = parser.isSet(QStringLiteral("check-fit"));
    g_checkKeys = parser.isSet(QStringLiteral("check-keys"));
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
    ok &= saveVehicleList(w, out);
    ok &= saveImportDialog(w, out);
    LogbookPrint logbook;
    ok &= saveLogbookWindows(w, f, out, logbook);
    ok &= saveReportPreviews(w, out, &logbook);
    ok &= saveDocumentWindows(w, f, out);
    ok &= saveExportDialog(w, f, out);
    ok &= saveChartWindows(w, f, out);
    ok &= saveBackupWindows(w, out);
    if (g_checkFit) std::printf("%d texts shown cut\n", g_cutTexts);
    if (g_checkKeys) std::printf("%d keyboard faults\n", g_keyFaults);
    return ok && g_cutTexts == 0 && g_keyFaults == 0 ? 0 : 1;
}
