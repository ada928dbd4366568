#pragma once
// TForm17 — "Daten-Import": the choice of a directory of version 4.x, whose vehicles and records
// "OK" takes over as new vehicles.

#include "vehicles/import_old.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class AppState;
class Prompts;
class QFileSystemModel;
class VehicleHost;
namespace Ui {
class TForm17;
}

class TForm17 : public QDialog {
    Q_OBJECT
public:
    TForm17(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent = nullptr);
    ~TForm17() override;

    // Opened after an import that went through, before the dialog closes: the vehicle management.
    void setVehicleManagement(std::function<void()> manage) { m_manageVehicles = std::move(manage); }

    // Fills the dialog anew, as every time it is shown: the banner, the drives, the documents
    // folder chosen in the directory list.
    void prepare();
    int exec() override;
    Ui::TForm17& ui() { return *m_ui; }

    // Chooses `path` in the directory list, on its drive.
    void setDirectory(const QString& path);
    // The directory chosen in the directory list; empty when there is none.
    QString selectedDirectory() const;

    // "OK": see import_old.h. Without "kfzdata.csv" in the chosen directory nothing happens.
    void onOk();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDrive(int index);

    std::unique_ptr<Ui::TForm17> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    VehicleHost& m_host;
    QFileSystemModel* m_directories = nullptr;
    std::vector<ImportDrive> m_drives;
    bool m_keepChosenInView = false; // until the user moves in the directory list
    std::function<void()> m_manageVehicles;
};
