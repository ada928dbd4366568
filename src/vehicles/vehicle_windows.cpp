#include "vehicles/vehicle_windows.h"

#include "vehicles/data_export.h"
#include "vehicles/export_windows.h"
#include "vehicles/import_dialog.h"
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
        m_vehicleList->setExporter(
            [this](QWidget* parent, const std::vector<VehicleListRow>& rows, TForm22::ExportFormat format) {
                const WorkbookFormat as =
                    format == TForm22::ExportFormat::Calc ? WorkbookFormat::Ods : WorkbookFormat::Xlsx;
                (void)exports().exportWorkbook(parent, vehicleListWorkbook(rows), vehicleListExportBaseName(), as);
            });
    }
    return *m_vehicleList;
}

ExportWindows& VehicleWindows::exports() {
    if (!m_exports) m_exports = std::make_unique<ExportWindows>(m_state, m_prompts, m_parent);
    return *m_exports;
}

void VehicleWindows::importData() {
    importDialog().exec();
}

TForm17& VehicleWindows::importDialog() {
    if (!m_importDialog) {
        m_importDialog = std::make_unique<TForm17>(m_state, m_prompts, m_host, m_parent);
        m_importDialog->setVehicleManagement([this] { manageVehicles(); });
    }
    return *m_importDialog;
}
