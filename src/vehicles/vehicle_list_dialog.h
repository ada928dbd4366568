#pragma once
// TForm22 — the vehicle list: every vehicle with its cost figures, odometer reading, next
// inspections and driver; prints the list, exports it, deletes a vehicle.

#include "vehicles/vehicle_list.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AppState;
class Prompts;
class QAction;
class VehicleHost;
namespace Ui {
class TForm22;
}

class TForm22 : public QDialog {
    Q_OBJECT
public:
    TForm22(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent = nullptr);
    ~TForm22() override;

    // The list's "Daten exportieren" entries: the rows as shown, to a workbook of that kind.
    enum class ExportFormat { Excel, Calc };
    using Exporter = std::function<void(QWidget* parent, const std::vector<VehicleListRow>& rows, ExportFormat)>;
    void setExporter(Exporter exporter) { m_exporter = std::move(exporter); }
    // The vehicle management dialog without "Auswählen und Schließen", after the last vehicle was
    // deleted and the user chose to create one.
    void setVehicleManagement(std::function<void()> manage) { m_manageVehicles = std::move(manage); }

    // Builds the list anew from the vehicle table and every record file.
    void UpdateList();
    int exec() override;

    Ui::TForm22& ui() { return *m_ui; }
    const std::vector<VehicleListRow>& rows() const { return m_rows; }
    QAction* excelAction() const { return m_excel; }
    QAction* calcAction() const { return m_calc; }

    // The buttons.
    void printList();
    void deleteCurrentVehicle();

public slots:
    void done(int result) override;

private:
    std::unique_ptr<Ui::TForm22> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    VehicleHost& m_host;
    Exporter m_exporter;
    std::function<void()> m_manageVehicles;
    std::vector<VehicleListRow> m_rows;
    QAction* m_excel = nullptr;
    QAction* m_calc = nullptr;
    // The cost-record file of the vehicle under the master cursor at opening; empty once that
    // vehicle was deleted.
    std::optional<std::string> m_openingVehicle;
    bool m_closing = false;
};
