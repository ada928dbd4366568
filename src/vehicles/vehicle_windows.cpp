#include "vehicles/vehicle_windows.h"

#include "vehicles/vehicle_dialog.h"
#include "vehicles/vehicle_list_dialog.h"

VehicleWindows::VehicleWindows(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_host(host), m_parent(parent) {}

VehicleWindows::~VehicleWindows() = default;

void VehicleWindows::manageVehicles(bool selectEnabled) {
    if (selectEnabled)
        vehicleDialog().exec();
    else
        vehicleDialog().execWithoutSelect();
}

TForm26& VehicleWindows::vehicleDialog() {
    if (!m_vehicleDialog) m_vehicleDialog = std::make_unique<TForm26>(m_state, m_prompts, m_host, m_parent);
    return *m_vehicleDialog;
}

void VehicleWindows::showVehicleList() {
    vehicleList().exec();
}

TForm22& VehicleWindows::vehicleList() {
    if (!m_vehicleList) {
        m_vehicleList = std::make_unique<TForm22>(m_state, m_prompts, m_host, m_parent);
        m_vehicleList->setVehicleManagement([this] { manageVehicles(false); });
    }
    return *m_vehicleList;
}
