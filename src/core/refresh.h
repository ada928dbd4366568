#pragma once
// What a dialog needs of the main window after it changed the cost records.

class MainWindowRefresh {
public:
    virtual ~MainWindowRefresh() = default;
    virtual void UpdateListe() = 0;
    virtual void UpdateDisplay() = 0;
};
