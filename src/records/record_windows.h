#pragma once
// The windows of the cost records, created on first use and kept for the run: the main window
// wires its menu entries, buttons and list clicks to the calls here.

#include "records/data_generation_dialog.h"

#include <functional>
#include <memory>

class AppState;
class MainWindowRefresh;
class Prompts;
class QWidget;
class TForm3;
class TForm5;
class TForm9;
class TForm13;

class RecordWindows {
public:
    // `panelFigures` gives the two averages as the statistics panel shows them (data generation).
    RecordWindows(AppState& state, Prompts& prompts, MainWindowRefresh& mainWindow, QWidget* parent,
                  std::function<TForm16::PanelFigures()> panelFigures);
    ~RecordWindows();

    // "Neue Tankdaten", "Neue sonstige Daten", "Daten generieren": nothing without a vehicle or
    // when its record file could not be read.
    void newFuelRecord();
    void newOtherCost();
    void generateData();
    // A double click on record row `listRow` (1 for the first) of the fuel or other-cost list.
    void editFuelRecord(int listRow);
    void editOtherCost(int listRow);

    TForm3& fuelEntry();
    TForm9& fuelEdit();
    TForm5& otherCostEntry();
    TForm13& otherCostEdit();
    TForm16& dataGeneration();

private:
    bool recording() const;

    AppState& m_state;
    Prompts& m_prompts;
    MainWindowRefresh& m_mainWindow;
    QWidget* m_parent;
    std::function<TForm16::PanelFigures()> m_panelFigures;
    std::unique_ptr<TForm3> m_fuelEntry;
    std::unique_ptr<TForm9> m_fuelEdit;
    std::unique_ptr<TForm5> m_otherCostEntry;
    std::unique_ptr<TForm13> m_otherCostEdit;
    std::unique_ptr<TForm16> m_dataGeneration;
};
