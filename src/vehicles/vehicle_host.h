#pragma once
// What the vehicle management dialog needs of the main window.

#include <QString>

#include <vector>

class QWidget;
struct VehicleListRow;

class VehicleHost {
public:
    virtual ~VehicleHost() = default;
    // Makes the row at the cursor of VehicleTable the current vehicle: its records, lists, panel
    // and figures.
    virtual void ActivateVehicle() = 0;
    // Shows the current vehicle's master data again (panel, captions, lists and figures) without
    // loading its records.
    virtual void ShowCurrentVehicle() = 0;
    // The menu "Fahrzeuge", one entry per vehicle in table order.
    virtual void RebuildVehicleMenu() = 0;
    virtual void SetQuantityColumnTitle(const QString& title) = 0;
    virtual void SetCurrentVehicleCaption(const QString& caption) = 0;
    // "Drucken": the data sheet of the vehicle under the cursor of VehicleTable, in the print
    // preview over `dialog`.
    virtual void PrintDataSheet(QWidget* dialog) = 0;
    // "Liste drucken" of the vehicle list: its rows as shown, in the print preview over `dialog`.
    virtual void PrintVehicleList(QWidget* dialog, const std::vector<VehicleListRow>& rows) = 0;
};
