#pragma once
// What a dialog needs of the main window: the caption it shows for the current vehicle, and the
// refresh after it changed the cost records.

#include <QString>

class MainWindowRefresh {
public:
    virtual ~MainWindowRefresh() = default;
    virtual void UpdateListe() = 0;
    virtual void UpdateDisplay() = 0;
    // The current-vehicle text of the main window, the caption of every dialog about one vehicle.
    virtual QString currentVehicleCaption() const = 0;
};
