#include "app/main_window.h"

#include "appointments/appointment_overview.h"
#include "appointments/appointment_overview_dialog.h"
#include "app/about_box.h"
#include "core/banner.h"
#include "records/current_vehicle.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/settings_dialog.h"
#include "core/system_colours.h"
#include "core/vehicle_table.h"
#include "records/fuel_edit_dialog.h"
#include "records/data_generation_dialog.h"
#include "records/fuel_entry_dialog.h"
#include "records/other_cost_edit_dialog.h"
#include "records/other_cost_entry_dialog.h"
#include "records/record_list_view.h"
#include "records/record_lists.h"
#include "records/statistics.h"
#include "store/code_page.h"
#include "vehicles/vehicle_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSoundEffect>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const kFigureCaptions[TForm1::FigureCount] = {
    "Tachostand (KM)",  "Durchschn. Verbrauch", "Reichweite (KM)", "Gesamtkosten",
    "Kraftstoffkosten", "Sonstige Kosten",      "Kosten / KM",     "Kraftstoffkosten / KM",
    "Kosten / Monat",   "Nächster TÜV",         "Nächste AU",      "Nächster Service",
};

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
    : QMainWindow(parent), m_state(dataDir, clock), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Wagenwart v5.3.0"));
    buildWindow();
    buildMenus();

    const StartupOutcome outcome = startUp(m_state);
    m_keepVehicleFile = outcome.vehicleFileUnreadable;
    m_fuelList->listModel().setTitle(3, quantityColumnTitle(m_state.settings.unitText));
    applyListColours();
    if (m_state.settings.startSound) playStartSound();
    rebuildVehicleMenu();
    if (!m_state.VehicleTable.IsEmpty()) {
        showCurrentVehicle();
        UpdateListe();
        UpdateDisplay();
    } else {
        UpdateDisplay();
    }
    if (outcome.message) m_prompts.error(*outcome.message);
}

TForm1::~TForm1() {
    // The settings and the vehicle table, sorted by plate, once more as the program ends. After a
    // vehicle table that could not be read nothing was used: the vehicle used last stays noted.
    if (!m_keepVehicleFile) reportSaveFailure(writeShutdownSettings(m_state, pos().x(), pos().y()));
    saveVehicleTable();
}

void TForm1::buildWindow() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(6);

    m_banner = new BannerStrip(central);
    Topleiste(*m_banner, QStringLiteral("Wagenwart"));
    layout->addWidget(m_banner);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->setSpacing(8);
    layout->addLayout(body);

    m_tabs = new QTabWidget(central);
    m_fuelList = new RecordListView(m_tabs);
    m_fuelList->setObjectName(QStringLiteral("fuelListView"));
    m_fuelList->listModel().setColumns(titles(kFuelListTitles), alignments(kFuelColumnAlignment));
    m_fuelList->setWidthDivisors(divisors(kFuelColumnDivisors));
    m_otherList = new RecordListView(m_tabs);
    m_otherList->setObjectName(QStringLiteral("otherListView"));
    m_otherList->listModel().setColumns(titles(kOtherCostListTitles), alignments(kOtherCostColumnAlignment));
    m_otherList->setWidthDivisors(divisors(kOtherCostColumnDivisors));
    m_tabs->addTab(m_fuelList, QStringLiteral("Tank-Liste"));
    m_tabs->addTab(m_otherList, QStringLiteral("Sonstige-Liste"));
    m_tabs->setMinimumHeight(300);
    body->addWidget(m_tabs, 1);
    connect(m_fuelList, &RecordListView::recordActivated, this, &TForm1::editFuelRecord);
    connect(m_otherList, &RecordListView::recordActivated, this, &TForm1::editOtherCostRecord);

    // The statistics panel: three columns of caption and value.
    auto* panel = new QFrame(central);
    panel->setObjectName(QStringLiteral("statisticsPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    const int column[FigureCount] = {0, 0, 0, 1, 1, 1, 0, 0, 1, 2, 2, 2};
    const int row[FigureCount] = {0, 1, 2, 0, 1, 2, 3, 4, 3, 0, 1, 2};
    for (int f = 0; f < FigureCount; ++f) {
        m_captions[f] = new QLabel(QString::fromUtf8(kFigureCaptions[f]), panel);
        m_values[f] = new QLabel(panel);
        m_values[f]->setObjectName(QStringLiteral("figure%1").arg(f));
        m_values[f]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_values[f]->setFrameShape(QFrame::StyledPanel);
        m_values[f]->setFrameShadow(QFrame::Sunken);
        m_values[f]->setMinimumWidth(f >= NextHu ? 80 : 96);
        m_values[f]->setAutoFillBackground(true);
        m_values[f]->setBackgroundRole(QPalette::Base);
        m_captions[f]->setBuddy(m_values[f]);
        grid->addWidget(m_captions[f], row[f], column[f] * 2);
        grid->addWidget(m_values[f], row[f], column[f] * 2 + 1);
    }
    for (int c = 0; c < 3; ++c) grid->setColumnStretch(c * 2, 1);
    body->addWidget(panel);

    // The current vehicle with its two arrows, and the buttons.
    auto* bottom = new QHBoxLayout;
    m_prevButton = new QToolButton(central);
    m_prevButton->setArrowType(Qt::LeftArrow);
    m_prevButton->setToolTip(QStringLiteral("Fahrzeug zurück"));
    m_vehicleButton = new QPushButton(central);
    m_vehicleButton->setObjectName(QStringLiteral("currentVehicleButton"));
    m_vehicleButton->setToolTip(QStringLiteral("Aktuelles Fahrzeug"));
    m_vehicleButton->setMinimumWidth(260);
    QFont bold = m_vehicleButton->font();
    bold.setBold(true);
    m_vehicleButton->setFont(bold);
    m_nextButton = new QToolButton(central);
    m_nextButton->setArrowType(Qt::RightArrow);
    m_nextButton->setToolTip(QStringLiteral("Fahrzeug vor"));
    m_newFuelButton = new QPushButton(QStringLiteral("Neue Tankdaten"), central);
    m_newOtherButton = new QPushButton(QStringLiteral("Neue sonstige Daten"), central);
    m_notesButton = new QToolButton(central);
    m_notesButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_notesButton->setToolTip(QStringLiteral("Notizen"));
    m_notesButton->setEnabled(false);
    bottom->addWidget(m_prevButton);
    bottom->addWidget(m_vehicleButton, 1);
    bottom->addWidget(m_nextButton);
    bottom->addSpacing(16);
    bottom->addWidget(m_newFuelButton);
    bottom->addWidget(m_newOtherButton);
    bottom->addWidget(m_notesButton);
    body->addLayout(bottom);

    connect(m_prevButton, &QToolButton::clicked, this, [this] {
        if (previousVehicle(m_state)) showActivatedVehicle();
    });
    connect(m_nextButton, &QToolButton::clicked, this, [this] {
        if (nextVehicle(m_state)) showActivatedVehicle();
    });
    connect(m_newFuelButton, &QPushButton::clicked, this, &TForm1::newFuelRecord);
    connect(m_newOtherButton, &QPushButton::clicked, this, &TForm1::newOtherCostRecord);
    connect(m_vehicleButton, &QPushButton::clicked, this, [this] { openVehicleManagement(); });

    setCentralWidget(central);
    // A fixed-size window: it can be minimised, not resized or maximised.
    setFixedSize(780, 660);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

void TForm1::buildMenus() {
    struct Entry {
        const char* caption;
        QKeySequence shortcut;
        bool separatorAfter;
        std::function<void()> action; // empty: the window of a later version of this program
    };
    auto fill = [this](QMenu* menu, const std::vector<Entry>& entries) {
        for (const Entry& e : entries) {
            QAction* a = menu->addAction(QString::fromUtf8(e.caption));
            a->setShortcut(e.shortcut);
            if (e.action)
                connect(a, &QAction::triggered, this, e.action);
            else
                a->setEnabled(false);
            if (e.separatorAfter) menu->addSeparator();
        }
    };
    auto add = [this, &fill](const QString& title, const std::vector<Entry>& entries) {
        fill(menuBar()->addMenu(title), entries);
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    m_vehicleMenu = file->addMenu(QStringLiteral("Fahrzeuge"));
    fill(file, {
                   {"Fahrzeugverwaltung", QKeySequence(Qt::Key_F2), false, [this] { openVehicleManagement(); }},
                   {"Fahrzeugliste-Übersicht", {}, false, {}},
                   {"Termine-Übersicht", {}, true, [this] {
                        appointmentOverview().setWindowTitle(kAllAppointmentsCaption);
                        appointmentOverview().exec();
                    }},
                   {"Datensicherung", {}, false, {}},
                   {"Daten importieren", {}, false, {}},
                   {"Daten exportieren", {}, true, {}},
                   {"Bericht zeigen", {}, false, {}},
                   {"Drucken", {}, false, {}},
                   {"Daten generieren", {}, false, [this] { generateData(); }},
                   {"Wechselmedium...", {}, true, {}},
                   {"Einstellungen", {}, true, [this] { settingsDialog().exec(); }},
                   {"Beenden", {}, false, [this] { close(); }},
               });
    m_generateAction = action(QStringLiteral("Datei"), QStringLiteral("Daten generieren"));
    add(QStringLiteral("&Fahrtenbuch"), {
                                            {"Neue Fahrt", QKeySequence(Qt::Key_F5), false, {}},
                                            {"Fahrtenbuch", QKeySequence(Qt::Key_F6), true, {}},
                                            {"Einstellungen", {}, false, {}},
                                        });
    add(QStringLiteral("D&iagramme"), {
                                          {"Verbrauch", {}, false, {}},
                                          {"Kraftstoffpreis", {}, false, {}},
                                          {"Kosten", {}, false, {}},
                                      });
    add(QStringLiteral("&Hilfe"), {
                                      {"Handbuch (PDF)",
                                       {},
                                       true,
                                       [] {
                                           // The manual beside the program; a missing one is not reported.
                                           const QString pdf = QCoreApplication::applicationDirPath() +
                                                               QStringLiteral("/Wagenwart.pdf");
                                           if (QFileInfo::exists(pdf))
                                               QDesktopServices::openUrl(QUrl::fromLocalFile(pdf));
                                       }},
                                      {"Über das Programm", {}, false, [this] { aboutBox().exec(); }},
                                  });
}

QAction* TForm1::action(const QString& menu, const QString& caption) const {
    for (QAction* top : menuBar()->actions()) {
        if (!top->menu() || stripMnemonic(top->text()) != menu) continue;
        for (QAction* a : top->menu()->actions())
            if (a->text() == caption) return a;
    }
    return nullptr;
}

void TForm1::rebuildVehicleMenu() {
    m_vehicleMenu->clear();
    for (const std::string& caption : vehicleMenuCaptions(m_state.VehicleTable)) {
        // An "&" of a plate or name is a character, not a mnemonic.
        QString text = toDisplay(caption);
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = m_vehicleMenu->addAction(text);
        connect(a, &QAction::triggered, this, [this, caption] {
            if (chooseVehicleByCaption(m_state, caption)) showActivatedVehicle();
        });
    }
    m_vehicleMenu->setEnabled(!m_vehicleMenu->isEmpty());
}

void TForm1::applyListColours() {
    const QPalette& pal = palette();
    const QColor background = toQColor(m_state.settings.listBackground, pal, QPalette::Base);
    const QColor text = toQColor(m_state.settings.listText, pal, QPalette::Text);
    m_fuelList->setColours(background, text);
    m_otherList->setColours(background, text);
}

void TForm1::showCurrentVehicle() {
    m_vehicleButton->setText(currentVehicleText(m_state.VehicleTable));
    const PanelCaptions c = panelCaptions(m_state.VehicleTable);
    m_captions[Consumption]->setText(c.consumption);
    m_captions[TotalCosts]->setText(c.totalCosts);
    m_captions[FuelCosts]->setText(c.fuelCosts);
    m_captions[OtherCosts]->setText(c.otherCosts);
    m_captions[CostsPerKm]->setText(c.costsPerKm);
    m_captions[FuelCostsPerKm]->setText(c.fuelCostsPerKm);
    m_captions[CostsPerMonth]->setText(c.costsPerMonth);
    const bool any = !m_state.VehicleTable.IsEmpty();
    m_prevButton->setEnabled(any);
    m_nextButton->setEnabled(any);
    // Nothing is recorded into a record file that could not be read.
    const bool recording = any && !m_state.costFileError;
    m_newFuelButton->setEnabled(recording);
    m_newOtherButton->setEnabled(recording);
    m_generateAction->setEnabled(recording);
}

void TForm1::ActivateVehicle() {
    activateVehicle(m_state);
    showActivatedVehicle();
}

void TForm1::showActivatedVehicle() {
    UpdateListe();
    showCurrentVehicle();
    UpdateDisplay();
    if (m_state.costFileError) m_prompts.error(*m_state.costFileError);
}

void TForm1::ShowCurrentVehicle() {
    showCurrentVehicle();
    UpdateListe();
    UpdateDisplay();
}

void TForm1::SetQuantityColumnTitle(const QString& title) {
    m_fuelList->listModel().setTitle(3, title);
}

void TForm1::SetCurrentVehicleCaption(const QString& caption) {
    m_vehicleButton->setText(caption);
}

void TForm1::UpdateListe() {
    const RecordLists lists = buildRecordLists(m_state.CostTable, m_state.VehicleTable);
    m_fuelList->listModel().setTitle(7, QStringLiteral("Verbrauch"));
    std::vector<QStringList> fuel;
    fuel.reserve(lists.fuel.size());
    for (const FuelListRow& r : lists.fuel) fuel.emplace_back(QStringList(r.cells.begin(), r.cells.end()));
    std::vector<QStringList> other;
    other.reserve(lists.other.size());
    for (const OtherCostListRow& r : lists.other) other.emplace_back(QStringList(r.cells.begin(), r.cells.end()));
    m_fuelList->listModel().setRows(std::move(fuel));
    m_otherList->listModel().setRows(std::move(other));
    m_fuelList->showEnd();
    m_otherList->showEnd();
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
    return m_vehicleButton->text();
}

TForm3& TForm1::fuelEntryDialog() {
    if (!m_fuelEntry) m_fuelEntry = std::make_unique<TForm3>(m_state, m_prompts, *this, this);
    return *m_fuelEntry;
}

TForm9& TForm1::fuelEditDialog() {
    if (!m_fuelEdit) m_fuelEdit = std::make_unique<TForm9>(m_state, m_prompts, *this, this);
    return *m_fuelEdit;
}

TForm30& TForm1::appointmentOverview() {
    if (!m_appointmentOverview) m_appointmentOverview = std::make_unique<TForm30>(m_state, this);
    return *m_appointmentOverview;
}

void TForm1::remindOfAppointments() {
    // The check reads every vehicle's appointments without moving the cursor off the current one.
    if (!appointmentReminderDue(m_state, m_state.settings.remindDays)) return;
    appointmentOverview().setWindowTitle(reminderCaption(m_state.settings.remindDays));
    appointmentOverview().exec();
}

TForm26& TForm1::vehicleDialog() {
    if (!m_vehicleDialog) m_vehicleDialog = std::make_unique<TForm26>(m_state, m_prompts, *this, this);
    return *m_vehicleDialog;
}

void TForm1::openVehicleManagement(bool selectEnabled) {
    if (selectEnabled)
        vehicleDialog().exec();
    else
        vehicleDialog().execWithoutSelect();
    if (m_state.VehicleTable.IsEmpty()) close();
}

TAboutBox& TForm1::aboutBox() {
    if (!m_about) m_about = std::make_unique<TAboutBox>(this);
    return *m_about;
}

void TForm1::newFuelRecord() {
    if (m_state.VehicleTable.IsEmpty() || m_state.costFileError) return;
    fuelEntryDialog().setWindowTitle(currentVehicleCaption());
    fuelEntryDialog().exec();
}

void TForm1::editFuelRecord(int listRow) {
    if (listRow < 1 || listRow > m_fuelList->listModel().rowCount()) return;
    fuelEditDialog().setWindowTitle(currentVehicleCaption());
    fuelEditDialog().open(listRow);
}

TForm5& TForm1::otherCostEntryDialog() {
    if (!m_otherCostEntry) m_otherCostEntry = std::make_unique<TForm5>(m_state, m_prompts, *this, this);
    return *m_otherCostEntry;
}

TForm13& TForm1::otherCostEditDialog() {
    if (!m_otherCostEdit) m_otherCostEdit = std::make_unique<TForm13>(m_state, m_prompts, *this, this);
    return *m_otherCostEdit;
}

TForm16& TForm1::dataGenerationDialog() {
    if (!m_dataGeneration) {
        // The dialog works with the two averages as the panel shows them, rounded.
        auto figures = [this] {
            return TForm16::PanelFigures{statisticText(Consumption), statisticText(FuelCostsPerKm)};
        };
        m_dataGeneration = std::make_unique<TForm16>(m_state, m_prompts, *this, figures, this);
    }
    return *m_dataGeneration;
}

TSettingsForm& TForm1::settingsDialog() {
    if (!m_settings) m_settings = std::make_unique<TSettingsForm>(m_state, m_prompts, [this] { applyListColours(); }, this);
    return *m_settings;
}

void TForm1::newOtherCostRecord() {
    if (m_state.VehicleTable.IsEmpty() || m_state.costFileError) return;
    otherCostEntryDialog().setWindowTitle(currentVehicleCaption());
    otherCostEntryDialog().exec();
}

void TForm1::editOtherCostRecord(int listRow) {
    if (listRow < 1 || listRow > m_otherList->listModel().rowCount()) return;
    otherCostEditDialog().setWindowTitle(currentVehicleCaption());
    otherCostEditDialog().open(listRow);
}

void TForm1::generateData() {
    if (m_state.VehicleTable.IsEmpty() || m_state.costFileError) return;
    dataGenerationDialog().setWindowTitle(currentVehicleCaption());
    dataGenerationDialog().exec();
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
    if (m_state.settings.remind) remindOfAppointments();
    emit activated();
}

void TForm1::closeEvent(QCloseEvent* event) {
    saveVehicleTable();
    QMainWindow::closeEvent(event);
}

void TForm1::saveVehicleTable() {
    if (m_keepVehicleFile) return;
    reportSaveFailure(saveVehicleTableSorted(m_state));
}

void TForm1::reportSaveFailure(const std::optional<QString>& failure) {
    if (failure) m_prompts.error(*failure);
}

void TForm1::playStartSound() {
    // Played in the background; a machine without sound output plays nothing and says nothing.
    m_sound = new QSoundEffect(this);
    m_sound->setSource(QUrl(QStringLiteral("qrc:/sounds/hupe.wav")));
    m_sound->setVolume(0.8f);
    m_sound->play();
}
