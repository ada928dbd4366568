#include "app/main_window.h"

#include "app/about_box.h"
#include "appointments/appointment_windows.h"
#include "backup/backup_windows.h"
#include "charts/chart_windows.h"
#include "core/banner.h"
#include "core/core_windows.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/system_colours.h"
#include "core/vehicle_table.h"
#include "logbook/logbook_windows.h"
#include "records/current_vehicle.h"
#include "records/record_list_view.h"
#include "records/record_lists.h"
#include "records/record_windows.h"
#include "records/statistics.h"
#include "report/report_windows.h"
#include "store/code_page.h"
#include "ui_main_window.h"
#include "vehicles/document_windows.h"
#include "vehicles/export_windows.h"
#include "vehicles/vehicle_management.h"
#include "vehicles/vehicle_windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSoundEffect>
#include <QStyle>
#include <QTimer>
#include <QUrl>

namespace {

template <std::size_t N, typename A> std::vector<Qt::Alignment> alignments(const std::array<A, N>& cols) {
    std::vector<Qt::Alignment> out;
    for (auto a : cols) out.push_back(a == CellAlignment::Left ? Qt::AlignLeft : Qt::AlignRight);
    return out;
}

template <std::size_t N> QStringList titles(const std::array<std::u16string_view, N>& t) {
    QStringList out;
    for (auto s : t) out << QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
    return out;
}

template <std::size_t N> std::vector<double> divisors(const std::array<double, N>& d) {
    return std::vector<double>(d.begin(), d.end());
}

QString stripMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

TForm1::TForm1(const QString& dataDir, const Clock& clock, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::TForm1>()), m_state(dataDir, clock), m_prompts(prompts),
      m_openDocument([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    Topleiste(*m_ui->banner, QStringLiteral("Wagenwart"));
    m_ui->notesButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    setUpLists();

    m_records = std::make_unique<RecordWindows>(m_state, m_prompts, *this, this, [this] {
        // The dialog works with the two averages as the panel shows them, rounded.
        return TForm16::PanelFigures{statisticText(Consumption), statisticText(FuelCostsPerKm)};
    });
    m_vehicles = std::make_unique<VehicleWindows>(m_state, m_prompts, *this, this);
    m_appointments = std::make_unique<AppointmentWindows>(m_state, this);
    m_coreWindows = std::make_unique<CoreWindows>(
        m_state, m_prompts, [this] { applyListColours(); }, this);
    m_reports = std::make_unique<ReportWindows>(m_state, m_prompts, this);
    m_logbook = std::make_unique<LogbookWindows>(m_state, m_prompts, *this, *m_reports, this);
    m_documents = std::make_unique<DocumentWindows>(
        m_state, m_prompts, *this,
        [this] {
            return ReportPanelTexts{statisticText(TotalCosts), statisticText(FuelCosts), statisticText(OtherCosts),
                                    statisticText(Consumption)};
        },
        this);
    m_charts = std::make_unique<ChartWindows>(
        m_state, m_prompts, *this, [this] { return statisticText(Consumption); }, this);
    m_backup = std::make_unique<BackupWindows>(
        m_state, m_prompts, [this] { takeUpData(); }, this);
    wireActions();

    const StartupOutcome outcome = startUp(m_state);
    m_keepVehicleFile = outcome.vehicleFileUnreadable;
    m_keepSettingsFile = outcome.settingsFileUnreadable;
    fuelList()->listModel().setTitle(3, quantityColumnTitle(m_state.settings.unitText));
    applyListColours();
    if (m_state.settings.startSound) playStartSound();
    RebuildVehicleMenu();
    if (!m_state.VehicleTable.IsEmpty()) {
        ShowCurrentVehicle();
    } else {
        UpdateDisplay();
    }
    if (outcome.message) m_prompts.error(*outcome.message);
}

TForm1::~TForm1() {
    saveOnExit();
}

void TForm1::setUpLists() {
    RecordListView* fuel = m_ui->fuelListView;
    fuel->listModel().setColumns(titles(kFuelListTitles), alignments(kFuelColumnAlignment));
    fuel->setWidthDivisors(divisors(kFuelColumnDivisors));
    RecordListView* other = m_ui->otherListView;
    other->listModel().setColumns(titles(kOtherCostListTitles), alignments(kOtherCostColumnAlignment));
    other->setWidthDivisors(divisors(kOtherCostColumnDivisors));

    for (int f = 0; f < FigureCount; ++f) {
        m_captions[f] = findChild<QLabel*>(QStringLiteral("caption%1").arg(f));
        m_values[f] = findChild<QLabel*>(QStringLiteral("figure%1").arg(f));
        m_values[f]->setBackgroundRole(QPalette::Base);
    }
}

void TForm1::wireActions() {
    Ui::TForm1& u = *m_ui;
    RecordWindows& records = *m_records;
    connect(u.fuelListView, &RecordListView::recordActivated, this,
            [&records](int row) { records.editFuelRecord(row); });
    connect(u.otherListView, &RecordListView::recordActivated, this,
            [&records](int row) { records.editOtherCost(row); });
    connect(u.newFuelButton, &QPushButton::clicked, this, [&records] { records.newFuelRecord(); });
    connect(u.newOtherButton, &QPushButton::clicked, this, [&records] { records.newOtherCost(); });
    connect(u.actionDatenGenerieren, &QAction::triggered, this, [&records] { records.generateData(); });

    connect(u.previousButton, &QToolButton::clicked, this, [this] {
        if (previousVehicle(m_state)) showActivatedVehicle();
    });
    connect(u.nextButton, &QToolButton::clicked, this, [this] {
        if (nextVehicle(m_state)) showActivatedVehicle();
    });
    connect(u.currentVehicleButton, &QPushButton::clicked, this, [this] { openVehicleManagement(); });
    connect(u.actionFahrzeugverwaltung, &QAction::triggered, this, [this] { openVehicleManagement(); });
    connect(u.actionFahrzeuglisteUebersicht, &QAction::triggered, this, [this] {
        if (m_state.VehicleTable.IsEmpty()) return;
        m_vehicles->showVehicleList();
        if (m_state.VehicleTable.IsEmpty()) close(); // the last vehicle was deleted: the program ends
    });

    connect(u.actionTermineUebersicht, &QAction::triggered, this, [this] { m_appointments->showAllAppointments(); });
    connect(u.actionDrucken, &QAction::triggered, this, [this] {
        if (!m_state.VehicleTable.IsEmpty()) m_reports->printCostList(currentVehicleCaption());
    });
    connect(u.actionNeueFahrt, &QAction::triggered, this, [this] { m_logbook->newTrip(); });
    connect(u.actionFahrtenbuch, &QAction::triggered, this, [this] { m_logbook->showLogbook(); });
    connect(u.actionFahrtenbuchEinstellungen, &QAction::triggered, this, [this] { m_logbook->editSettings(); });
    u.actionDatenImportieren->setEnabled(true); // also before the first vehicle exists
    connect(u.actionDatenImportieren, &QAction::triggered, this, [this] {
        m_vehicles->importData();
        if (m_state.VehicleTable.IsEmpty()) close(); // the vehicle management after it left no vehicle
    });
    connect(u.actionDatenExportieren, &QAction::triggered, this,
            [this] { m_vehicles->exports().exportCurrentVehicle(this); });
    connect(u.notesButton, &QToolButton::clicked, this, [this] { m_documents->showNotes(this); });
    connect(u.actionBerichtZeigen, &QAction::triggered, this, [this] { m_documents->showCostReport(this); });
    connect(u.actionVerbrauch, &QAction::triggered, this, [this] { m_charts->showConsumption(); });
    connect(u.actionKraftstoffpreis, &QAction::triggered, this, [this] { m_charts->showFuelPrice(); });
    connect(u.actionKosten, &QAction::triggered, this, [this] { m_charts->showCosts(); });
    connect(u.actionEinstellungen, &QAction::triggered, this, [this] { m_coreWindows->editSettings(); });
    connect(u.actionBeenden, &QAction::triggered, this, &TForm1::close);
    connect(u.actionHandbuch, &QAction::triggered, this,
            [this] { openManual(findManual(QCoreApplication::applicationDirPath())); });
    connect(u.actionUeberDasProgramm, &QAction::triggered, this, [this] { aboutBox().exec(); });
    // The backup and the removable medium work on the whole data directory, with or without a vehicle.
    u.actionDatensicherung->setEnabled(true);
    u.actionWechselmedium->setEnabled(true);
    connect(u.actionDatensicherung, &QAction::triggered, this, [this] { m_backup->backUpData(); });
    connect(u.actionWechselmedium, &QAction::triggered, this, [this] { m_backup->useRemovableMedium(); });
}

RecordListView* TForm1::fuelList() const {
    return m_ui->fuelListView;
}
RecordListView* TForm1::otherList() const {
    return m_ui->otherListView;
}
QMenu* TForm1::vehicleMenu() const {
    return m_ui->menuFahrzeuge;
}
QToolButton* TForm1::previousButton() const {
    return m_ui->previousButton;
}
QToolButton* TForm1::nextButton() const {
    return m_ui->nextButton;
}
QPushButton* TForm1::newFuelButton() const {
    return m_ui->newFuelButton;
}
QPushButton* TForm1::newOtherButton() const {
    return m_ui->newOtherButton;
}
QPushButton* TForm1::vehicleButton() const {
    return m_ui->currentVehicleButton;
}

QAction* TForm1::action(const QString& menu, const QString& caption) const {
    for (QAction* top : m_ui->menuBar->actions()) {
        if (!top->menu() || stripMnemonic(top->text()) != menu) continue;
        for (QAction* a : top->menu()->actions())
            if (a->text() == caption) return a;
    }
    return nullptr;
}

void TForm1::RebuildVehicleMenu() {
    QMenu* menu = m_ui->menuFahrzeuge;
    menu->clear();
    for (const std::string& caption : vehicleMenuCaptions(m_state.VehicleTable)) {
        // An "&" of a plate or name is a character, not a mnemonic.
        QString text = toDisplay(caption);
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = menu->addAction(text);
        connect(a, &QAction::triggered, this, [this, caption] {
            if (chooseVehicleByCaption(m_state, caption)) showActivatedVehicle();
        });
    }
    menu->setEnabled(!menu->isEmpty());
}

void TForm1::applyListColours() {
    const QPalette& pal = palette();
    const QColor background = toQColor(m_state.settings.listBackground, pal, QPalette::Base);
    const QColor text = toQColor(m_state.settings.listText, pal, QPalette::Text);
    fuelList()->setColours(background, text);
    otherList()->setColours(background, text);
}

void TForm1::showVehicleHeader() {
    m_ui->currentVehicleButton->setText(currentVehicleText(m_state.VehicleTable));
    const PanelCaptions c = panelCaptions(m_state.VehicleTable);
    m_captions[Consumption]->setText(c.consumption);
    m_captions[TotalCosts]->setText(c.totalCosts);
    m_captions[FuelCosts]->setText(c.fuelCosts);
    m_captions[OtherCosts]->setText(c.otherCosts);
    m_captions[CostsPerKm]->setText(c.costsPerKm);
    m_captions[FuelCostsPerKm]->setText(c.fuelCostsPerKm);
    m_captions[CostsPerMonth]->setText(c.costsPerMonth);
    const bool any = !m_state.VehicleTable.IsEmpty();
    m_ui->previousButton->setEnabled(any);
    m_ui->nextButton->setEnabled(any);
    // Nothing is recorded into a record file that could not be read.
    const bool recording = any && !m_state.costFileError;
    m_ui->newFuelButton->setEnabled(recording);
    m_ui->newOtherButton->setEnabled(recording);
    m_ui->actionDatenGenerieren->setEnabled(recording);
    m_ui->actionDrucken->setEnabled(any);
    m_ui->actionFahrzeuglisteUebersicht->setEnabled(any);
    // The logbook belongs to a vehicle.
    m_ui->actionNeueFahrt->setEnabled(any);
    m_ui->actionFahrtenbuch->setEnabled(any);
    m_ui->actionFahrtenbuchEinstellungen->setEnabled(any);
    // The note and the report of a vehicle.
    m_ui->notesButton->setEnabled(any);
    m_ui->actionBerichtZeigen->setEnabled(any);
    m_ui->actionDatenExportieren->setEnabled(any);
    // The charts of a vehicle, and the comparison of the vehicles.
    m_ui->actionVerbrauch->setEnabled(any);
    m_ui->actionKraftstoffpreis->setEnabled(any);
    m_ui->actionKosten->setEnabled(any);
}

void TForm1::ActivateVehicle() {
    loadCurrentVehicle(m_state);
    showActivatedVehicle();
}

void TForm1::showActivatedVehicle() {
    // Every switch of the vehicle gives the quantity column the new vehicle's unit (start-up keeps
    // the unit of the settings).
    SetQuantityColumnTitle(quantityTitleOf(m_state.VehicleTable));
    UpdateListe();
    showVehicleHeader();
    UpdateDisplay();
    if (m_state.costFileError) m_prompts.error(*m_state.costFileError);
    m_prompts.errorIfAny(takeNotices(m_state));
}

void TForm1::ShowCurrentVehicle() {
    showVehicleHeader();
    UpdateListe();
    UpdateDisplay();
}

void TForm1::SetQuantityColumnTitle(const QString& title) {
    fuelList()->listModel().setTitle(3, title);
}

void TForm1::SetCurrentVehicleCaption(const QString& caption) {
    m_ui->currentVehicleButton->setText(caption);
}

void TForm1::PrintDataSheet(QWidget* dialog) {
    m_reports->printDataSheet(dialog);
}

void TForm1::PrintVehicleList(QWidget* dialog, const std::vector<VehicleListRow>& rows) {
    m_reports->printVehicleList(dialog, rows);
}

void TForm1::UpdateListe() {
    const RecordLists lists = buildRecordLists(m_state.CostTable, m_state.VehicleTable);
    fuelList()->listModel().setTitle(7, QStringLiteral("Verbrauch"));
    std::vector<QStringList> fuel;
    fuel.reserve(lists.fuel.size());
    for (const FuelListRow& r : lists.fuel) fuel.emplace_back(QStringList(r.cells.begin(), r.cells.end()));
    std::vector<QStringList> other;
    other.reserve(lists.other.size());
    for (const OtherCostListRow& r : lists.other) other.emplace_back(QStringList(r.cells.begin(), r.cells.end()));
    fuelList()->listModel().setRows(std::move(fuel));
    otherList()->listModel().setRows(std::move(other));
    fuelList()->showEnd();
    otherList()->showEnd();
}

void TForm1::UpdateDisplay() {
    StatisticsPanel panel;
    try {
        panel = computeStatistics(m_state.CostTable, m_state.VehicleTable);
    } catch (const std::exception& e) {
        // A value the figures cannot be read from: say which, and show no figures.
        m_prompts.error(QString::fromUtf8(e.what()));
        panel = StatisticsPanel{};
        panel.captions = panelCaptions(m_state.VehicleTable);
    }
    const QString* values[FigureCount] = {&panel.odometer,   &panel.consumption,    &panel.range,
                                          &panel.totalCosts, &panel.fuelCosts,      &panel.otherCosts,
                                          &panel.costsPerKm, &panel.fuelCostsPerKm, &panel.costsPerMonth,
                                          &panel.nextHu,     &panel.nextAu,         &panel.nextService};
    for (int f = 0; f < FigureCount; ++f) m_values[f]->setText(*values[f]);
    m_values[FuelCosts]->setToolTip(panel.fuelCostsHint);
    m_values[OtherCosts]->setToolTip(panel.otherCostsHint);
    m_values[CostsPerKm]->setToolTip(panel.costsPerKmHint);
    m_values[FuelCostsPerKm]->setToolTip(panel.fuelCostsPerKmHint);
    m_values[CostsPerMonth]->setToolTip(panel.costsPerMonthHint);
    m_values[NextService]->setToolTip(panel.nextServiceHint);
}

QString TForm1::statisticText(int figure) const {
    return m_values.at(static_cast<std::size_t>(figure))->text();
}
QString TForm1::statisticCaption(int figure) const {
    return m_captions.at(static_cast<std::size_t>(figure))->text();
}
QString TForm1::statisticHint(int figure) const {
    return m_values.at(static_cast<std::size_t>(figure))->toolTip();
}
QString TForm1::currentVehicleCaption() const {
    return m_ui->currentVehicleButton->text();
}

void TForm1::openVehicleManagement(bool selectEnabled) {
    m_vehicles->manageVehicles(selectEnabled);
    if (m_state.VehicleTable.IsEmpty()) close();
}

QString findManual(const QString& programDir) {
    // Beside the program (the build tree, a portable folder), else where an installation puts it.
    const QString beside = programDir + QStringLiteral("/Wagenwart.pdf");
    const QString installed = programDir + QStringLiteral("/../share/doc/wagenwart/Wagenwart.pdf");
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) return QFileInfo(installed).absoluteFilePath();
    return beside;
}

void TForm1::openManual(const QString& pdf) {
    if (!QFileInfo::exists(pdf)) return;
    if (m_openDocument(QUrl::fromLocalFile(pdf))) return;
    m_prompts.error(QStringLiteral("Das Handbuch %1 konnte nicht geöffnet werden. Es ist kein Programm zum Anzeigen "
                                   "von PDF-Dateien eingerichtet.")
                        .arg(QDir::toNativeSeparators(QFileInfo(pdf).absoluteFilePath())));
}

TAboutBox& TForm1::aboutBox() {
    if (!m_about) m_about = std::make_unique<TAboutBox>(this);
    return *m_about;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_activatedOnce) return;
    m_activatedOnce = true;
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(0, this, &TForm1::firstActivation);
}

void TForm1::firstActivation() {
    if (m_keepVehicleFile) {
        // The vehicle table could not be read (the message has been shown): nothing may replace it,
        // so there is no first vehicle to create either; the program ends.
        close();
        return;
    }
    if (m_state.VehicleTable.IsEmpty()) {
        m_prompts.information(QStringLiteral("Es sind keine Fahrzeugdaten vorhanden.\r\nBitte legen Sie in folgendem "
                                             "Dialogfenster ein neues Fahrzeug an..."));
        // The vehicle dialog without "Auswählen und Schließen"; with still no vehicle the program ends.
        openVehicleManagement(false);
        if (m_state.VehicleTable.IsEmpty()) return; // the program ends
    }
    if (m_state.settings.remind) m_appointments->remindOfAppointments();
    emit activated();
}

void TForm1::closeEvent(QCloseEvent* event) {
    saveOnExit();
    QMainWindow::closeEvent(event);
}

void TForm1::saveOnExit() {
    // Once, when the window closes (or, never closed, goes): the settings and the vehicle table,
    // sorted by plate. After a vehicle table that could not be read nothing was used, and neither
    // file is written: the vehicle used last stays noted. Every file that could not be saved is
    // named in one message.
    if (m_savedOnExit || m_keepVehicleFile) return;
    m_savedOnExit = true;
    QStringList failures;
    if (!m_keepSettingsFile) {
        if (const auto failure = writeShutdownSettings(m_state, pos().x(), pos().y())) failures << *failure;
    }
    if (const auto failure = ::saveVehicleTable(m_state, VehicleOrder::ByPlate)) failures << *failure;
    if (!failures.isEmpty()) m_prompts.error(failures.join(QStringLiteral("\r\r")));
}

void TForm1::takeUpData() {
    const StartupOutcome outcome = startUp(m_state);
    m_keepVehicleFile = outcome.vehicleFileUnreadable;
    m_keepSettingsFile = outcome.settingsFileUnreadable;
    fuelList()->listModel().setTitle(3, quantityColumnTitle(m_state.settings.unitText));
    applyListColours();
    RebuildVehicleMenu();
    showVehicleHeader();
    UpdateListe();
    UpdateDisplay();
    if (outcome.message) m_prompts.error(*outcome.message);
}

void TForm1::playStartSound() {
    // Played in the background; a machine without sound output plays nothing and says nothing.
    m_sound = new QSoundEffect(this);
    m_sound->setSource(QUrl(QStringLiteral("qrc:/sounds/hupe.wav")));
    m_sound->setVolume(0.8f);
    m_sound->play();
}
