#pragma once
// TForm1 — the main window: the two record lists, the statistics panel and the current vehicle.

#include "core/app_state.h"
#include "core/refresh.h"

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
class TAboutBox;

class TForm1 : public QMainWindow, public MainWindowRefresh {
    Q_OBJECT
public:
    TForm1(const QString& dataDir, const Clock& clock, Prompts& prompts, QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& state() { return m_state; }

    void UpdateListe() override;
    void UpdateDisplay() override;
    // Makes the row at the cursor of VehicleTable current and shows it.
    void ActivateVehicle();

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

    // The dialogs, created on first use and kept for the run.
    TForm3& fuelEntryDialog();
    TForm9& fuelEditDialog();
    TAboutBox& aboutBox();

    // Opens the fuel record editing dialog for record row r of the fuel list.
    void editFuelRecord(int listRow);
    void newFuelRecord();

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
    void applyListColours();
    void showCurrentVehicle();
    void firstActivation();
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
    QSoundEffect* m_sound = nullptr;

    std::unique_ptr<TForm3> m_fuelEntry;
    std::unique_ptr<TForm9> m_fuelEdit;
    std::unique_ptr<TAboutBox> m_about;
};
