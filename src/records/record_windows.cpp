#include "records/record_windows.h"

#include "core/app_state.h"
#include "core/refresh.h"
#include "records/fuel_edit_dialog.h"
#include "records/fuel_entry_dialog.h"
#include "records/other_cost_edit_dialog.h"
#include "records/other_cost_entry_dialog.h"

RecordWindows::RecordWindows(AppState& state, Prompts& prompts, MainWindowRefresh& mainWindow, QWidget* parent,
                             std::function<TForm16::PanelFigures()> panelFigures)
    : m_state(state), m_prompts(prompts), m_mainWindow(mainWindow), m_parent(parent),
      m_panelFigures(std::move(panelFigures)) {}

RecordWindows::~RecordWindows() = default;

bool RecordWindows::recording() const {
    // Nothing is recorded into a record file that could not be read.
    return !m_state.VehicleTable.IsEmpty() && !m_state.costFileError;
}

void RecordWindows::newFuelRecord() {
    if (!recording()) return;
    fuelEntry().setWindowTitle(m_mainWindow.currentVehicleCaption());
    fuelEntry().exec();
}

void RecordWindows::newOtherCost() {
    if (!recording()) return;
    otherCostEntry().setWindowTitle(m_mainWindow.currentVehicleCaption());
    otherCostEntry().exec();
}

void RecordWindows::generateData() {
    if (!recording()) return;
    dataGeneration().setWindowTitle(m_mainWindow.currentVehicleCaption());
    dataGeneration().exec();
}

void RecordWindows::editFuelRecord(int listRow) {
    fuelEdit().setWindowTitle(m_mainWindow.currentVehicleCaption());
    fuelEdit().open(listRow);
}

void RecordWindows::editOtherCost(int listRow) {
    otherCostEdit().setWindowTitle(m_mainWindow.currentVehicleCaption());
    otherCostEdit().open(listRow);
}

TForm3& RecordWindows::fuelEntry() {
    if (!m_fuelEntry) m_fuelEntry = std::make_unique<TForm3>(m_state, m_prompts, m_mainWindow, m_parent);
    return *m_fuelEntry;
}

TForm9& RecordWindows::fuelEdit() {
    if (!m_fuelEdit) m_fuelEdit = std::make_unique<TForm9>(m_state, m_prompts, m_mainWindow, m_parent);
    return *m_fuelEdit;
}

TForm5& RecordWindows::otherCostEntry() {
    if (!m_otherCostEntry) m_otherCostEntry = std::make_unique<TForm5>(m_state, m_prompts, m_mainWindow, m_parent);
    return *m_otherCostEntry;
}

TForm13& RecordWindows::otherCostEdit() {
    if (!m_otherCostEdit) m_otherCostEdit = std::make_unique<TForm13>(m_state, m_prompts, m_mainWindow, m_parent);
    return *m_otherCostEdit;
}

TForm16& RecordWindows::dataGeneration() {
    if (!m_dataGeneration)
        m_dataGeneration = std::make_unique<TForm16>(m_state, m_prompts, m_mainWindow, m_panelFigures, m_parent);
    return *m_dataGeneration;
}
