#pragma once
// TForm1 — the main window: the two record lists, the statistics panel and the current vehicle.

#include "core/app_state.h"
#include "core/refresh.h"
#include "vehicles/vehicle_host.h"

#include <QMainWindow>

#include <array>
#include <memory>

class BannerStrip;
class Prompts;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSoundEffect;
class QTabWidget;
class QToolButton;
class RecordListView;
class TForm3;
class TForm9;
class TForm5;
class TForm13;
class TForm16;
class TSettingsForm;
class TForm30;
class TAboutBox;

class TForm26;

class TForm1 : public QMainWindow, public MainWindowRefresh, public VehicleHost {
    Q_OBJECT
public:
    TForm1(const QString& dataDir, const Clock& clock, Prompts& prompts, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& state() { return m_state; }

    void UpdateListe() override;
    void UpdateDisplay() override;
    // Makes the row at the cursor of VehicleTable current and shows it.
    void ActivateVehicle() override;
    void ShowCurrentVehicle() override;
    void RebuildVehicleMenu() override { rebuildVehicleMenu(); }
    void SetQuantityColumnTitle(const QString& title) override;
    void SetCurrentVehicleCaption(const QString& caption) override;

    // What the window shows, for tests and the gallery.
    RecordListView* fuelList() const { return m_fuelList; }
    RecordListView* otherList() const { return m_otherList; }
    QString statisticText(int figure) const;
    QString statisticCaption(int figure) const;
    QString statisticHint(int figure) const;
    QString currentVehicleCaption() const;
    QMenu* vehicleMenu() const { return m_vehicleMenu; }
    QAction* action(const QString& menu, const QString& caption) const;
    QToolButton* previousButton() const { return m_prevButton; }
    QToolButton* nextButton() const { return m_nextButton; }
    QPushButton* newFuelButton() const { return m_newFuelButton; }
    QPushButton* newOtherButton() const { return m_newOtherButton; }
    QPushButton* vehicleButton() const { return m_vehicleButton; }

    // The dialogs, created on first use and kept for the run.
    TForm3& fuelEntryDialog();
    TForm9& fuelEditDialog();
    TAboutBox& aboutBox();
    TForm5& otherCostEntryDialog();
    TForm13& otherCostEditDialog();
    TForm16& dataGenerationDialog();
    TSettingsForm& settingsDialog();
    TForm26& vehicleDialog();
    // "Fahrzeugverwaltung"; when no vehicle is left afterwards, the program ends.
    void openVehicleManagement(bool selectEnabled = true);
    TForm30& appointmentOverview();

    // Opens the fuel record editing dialog for record row r of the fuel list.
    void editFuelRecord(int listRow);
    void newFuelRecord();
    // "Neue sonstige Daten", the other-cost list's double click on record row r, "Daten generieren".
    void newOtherCostRecord();
    void editOtherCostRecord(int listRow);
    void generateData();
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
    void buildWindow();
    void buildMenus();
    void rebuildVehicleMenu();
    void showCurrentVehicle();
    // After a switch of vehicle: lists, panel and figures of the new current vehicle, and the
    // message when its record file could not be read.
    void showActivatedVehicle();
    void firstActivation();
    // The start-up reminder: the overview of the appointments due within the reminder days.
    void remindOfAppointments();
    void saveVehicleTable();
    void reportSaveFailure(const std::optional<QString>& failure);
    void playStartSound();

    AppState m_state;
    Prompts& m_prompts;
    bool m_activatedOnce = false;
    bool m_keepVehicleFile = false; // an unreadable kfzdata.csv is never overwritten

    BannerStrip* m_banner = nullptr;
    QTabWidget* m_tabs = nullptr;
    RecordListView* m_fuelList = nullptr;
    RecordListView* m_otherList = nullptr;
    std::array<QLabel*, FigureCount> m_captions{};
    std::array<QLabel*, FigureCount> m_values{};
    QPushButton* m_vehicleButton = nullptr;
    QToolButton* m_prevButton = nullptr;
    QToolButton* m_nextButton = nullptr;
    QPushButton* m_newFuelButton = nullptr;
    QPushButton* m_newOtherButton = nullptr;
    QToolButton* m_notesButton = nullptr;
    QMenu* m_vehicleMenu = nullptr;
    QAction* m_generateAction = nullptr; // "Daten generieren": only where records can be stored
    QSoundEffect* m_sound = nullptr;

    std::unique_ptr<TForm3> m_fuelEntry;
    std::unique_ptr<TForm9> m_fuelEdit;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<TForm5> m_otherCostEntry;
    std::unique_ptr<TForm13> m_otherCostEdit;
    std::unique_ptr<TForm16> m_dataGeneration;
    std::unique_ptr<TSettingsForm> m_settings;
    std::unique_ptr<TForm26> m_vehicleDialog;
    std::unique_ptr<TForm30> m_appointmentOverview;
};
