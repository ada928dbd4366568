#pragma once
// The windows of vehicle management, created on first use and kept for the run.

#include <memory>

class AppState;
class ExportWindows;
class Prompts;
class QWidget;
class TForm17;
class TForm22;
class TForm26;
class VehicleHost;

class VehicleWindows {
public:
    VehicleWindows(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent);
    ~VehicleWindows();

    // "Fahrzeugverwaltung"; at first start without "Auswählen und Schließen".
    void manageVehicles(bool selectEnabled = true);

    // "Fahrzeugliste-Übersicht".
    void showVehicleList();

    // The spreadsheet exports: "Daten exportieren" of the main menu and of the vehicle list.
    ExportWindows& exports();

    // "Daten importieren": the import of version 4.x data, then the vehicle management.
    void importData();

    TForm17& importDialog();
    TForm26& vehicleDialog();
    TForm22& vehicleList();

private:
    AppState& m_state;
    Prompts& m_prompts;
    VehicleHost& m_host;
    QWidget* m_parent;
    std::unique_ptr<TForm26> m_vehicleDialog;
    std::unique_ptr<TForm22> m_vehicleList;
    std::unique_ptr<ExportWindows> m_exports;
    std::unique_ptr<TForm17> m_importDialog;
};
