#pragma once
// TForm1 — the main window: the two record lists, the statistics panel and the current vehicle.
// It owns the program's state and wires its menu entries and buttons to the windows of each folder.

#include "core/app_state.h"
#include "core/refresh.h"
#include "vehicles/vehicle_host.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class AppointmentWindows;
class BackupWindows;
class CoreWindows;
class ChartWindows;
class DocumentWindows;
class LogbookWindows;
class Prompts;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSoundEffect;
class QToolButton;
class QUrl;
class RecordListView;
class RecordWindows;
class ReportWindows;
class TAboutBox;
class VehicleWindows;
namespace Ui {
class TForm1;
}

// The manual "Wagenwart.pdf": beside the program in `programDir`, else in the installation's
// share/doc/wagenwart/ next to its bin/; the name beside the program when it is in neither.
QString findManual(const QString& programDir);

class TForm1 : public QMainWindow, public MainWindowRefresh, public VehicleHost {
    Q_OBJECT
public:
    TForm1(const QString& dataDir, const Clock& clock, Prompts& prompts, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& state() { return m_state; }

    void UpdateListe() override;
    void UpdateDisplay() override;
    QString currentVehicleCaption() const override;
    // Makes the row at the cursor of VehicleTable current and shows it.
    void ActivateVehicle() override;
    void ShowCurrentVehicle() override;
    void RebuildVehicleMenu() override;
    void SetQuantityColumnTitle(const QString& title) override;
    void SetCurrentVehicleCaption(const QString& caption) override;
    void PrintDataSheet(QWidget* dialog) override;
    void PrintVehicleList(QWidget* dialog, const std::vector<VehicleListRow>& rows) override;

    // What the window shows, for tests and the gallery.
    Ui::TForm1& ui() { return *m_ui; }
    RecordListView* fuelList() const;
    RecordListView* otherList() const;
    QString statisticText(int figure) const;
    QString statisticCaption(int figure) const;
    QString statisticHint(int figure) const;
    QMenu* vehicleMenu() const;
    QAction* action(const QString& menu, const QString& caption) const;
    QToolButton* previousButton() const;
    QToolButton* nextButton() const;
    QPushButton* newFuelButton() const;
    QPushButton* newOtherButton() const;
    QPushButton* vehicleButton() const;

    // The windows of each folder, created on first use and kept for the run.
    RecordWindows& records() { return *m_records; }
    VehicleWindows& vehicles() { return *m_vehicles; }
    AppointmentWindows& appointments() { return *m_appointments; }
    CoreWindows& coreWindows() { return *m_coreWindows; }
    ReportWindows& reports() { return *m_reports; }
    LogbookWindows& logbook() { return *m_logbook; }
    DocumentWindows& documents() { return *m_documents; }
    ChartWindows& charts() { return *m_charts; }
    TAboutBox& aboutBox();
    BackupWindows& backup() { return *m_backup; }
    // After a restore replaced the data directory: settings, vehicle table, vehicle menu, current
    // vehicle, lists and figures taken up as at start-up.
    void takeUpData();

    // "Fahrzeugverwaltung"; when no vehicle is left afterwards, the program ends.
    void openVehicleManagement(bool selectEnabled = true);
    // "Handbuch (PDF)": opens the manual with the system's viewer; says so when it cannot. A manual
    // that is not there is not reported.
    void openManual(const QString& pdf);
    // How a document is opened; tests put one here that records or fails.
    void setDocumentOpener(std::function<bool(const QUrl&)> opener) { m_openDocument = std::move(opener); }

    // Gives both lists the list colours of the settings and repaints them.
    void applyListColours();

    // The twelve figures of the panel, in their order.
    enum Figure {
        Odometer,
        Consumption,
        Range,
        TotalCosts,
        FuelCosts,
        OtherCosts,
        CostsPerKm,
        FuelCostsPerKm,
        CostsPerMonth,
        NextHu,
        NextAu,
        NextService,
        FigureCount
    };

signals:
    // The first activation is done (first vehicle asked for, reminder shown).
    void activated();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpLists();
    void wireActions();
    // The current vehicle's panel captions, arrows and the buttons that record into its file.
    void showVehicleHeader();
    // After a switch of vehicle: lists, panel and figures of the new current vehicle, and the
    // message when its record file could not be read.
    void showActivatedVehicle();
    void firstActivation();
    void saveOnExit();
    void playStartSound();

    std::unique_ptr<Ui::TForm1> m_ui;
    AppState m_state;
    Prompts& m_prompts;
    bool m_activatedOnce = false;
    bool m_keepVehicleFile = false;  // an unreadable kfzdata.csv is never overwritten
    bool m_keepSettingsFile = false; // nor an unreadable kfz.ini
    bool m_savedOnExit = false;

    std::array<QLabel*, FigureCount> m_captions{};
    std::array<QLabel*, FigureCount> m_values{};
    QSoundEffect* m_sound = nullptr;
    std::function<bool(const QUrl&)> m_openDocument;

    std::unique_ptr<RecordWindows> m_records;
    std::unique_ptr<VehicleWindows> m_vehicles;
    std::unique_ptr<AppointmentWindows> m_appointments;
    std::unique_ptr<CoreWindows> m_coreWindows;
    std::unique_ptr<ReportWindows> m_reports;
    std::unique_ptr<LogbookWindows> m_logbook;
    std::unique_ptr<DocumentWindows> m_documents;
    std::unique_ptr<ChartWindows> m_charts;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<BackupWindows> m_backup;
};
