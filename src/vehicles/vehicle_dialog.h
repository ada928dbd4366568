#pragma once
// TForm26 — vehicle management: the vehicles with their master data, photo, remark and
// appointments; every field is written back as soon as it is left.

#include "vehicles/vehicle_management.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class PictureChooser;
class TAppointmentsPanel;
class Prompts;
class VehicleHost;
namespace Ui {
class TForm26;
}

class TForm26 : public QDialog {
    Q_OBJECT
public:
    TForm26(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent = nullptr);
    ~TForm26() override;

    // Fills the dialog anew, as every time it is shown. At first start, without a vehicle,
    // "Auswählen und Schließen" is disabled.
    void prepare(bool selectEnabled = true);
    int exec() override;
    int execWithoutSelect();

    Ui::TForm26& ui() { return *m_ui; }
    // The "Termine" tab's page (with a layout) for the appointment list of the shown vehicle.
    QWidget* appointmentsPage() const;
    // The appointment list on that page; it follows the vehicle shown.
    TAppointmentsPanel& appointments() { return *m_appointments; }
    // The picture file dialog; tests put a scripted one here.
    void setPictureChooser(PictureChooser& chooser) { m_chooser = &chooser; }

    // The buttons.
    void newVehicle();
    void deleteSelectedVehicle();
    void selectAndClose();
    void printDataSheet();
    void closeToOpeningVehicle();

signals:
    // The fields show another vehicle (or, with no vehicle left, none): the row under the cursor of
    // VehicleTable.
    void vehicleShown();

public slots:
    void reject() override;
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillGrid();
    void selectRow(int row);
    void showRow(int row);
    void showFields();
    VehicleFields fields();
    void enableFields(bool any);
    void onFocusChanged(QWidget* old, QWidget* now);
    // Whether `widget` is, or lies in, one of the data fields.
    bool isDataField(const QWidget* widget) const;
    bool leaveField(QWidget* field, bool& written);
    // The duplicate plate check; a refused plate is reported and gets the focus back.
    bool plateAccepted();
    void exitNotification(bool& written);
    void writeBack();
    void writeFieldBeingEdited();
    void refreshNames();
    void choosePicture();
    void removePicture();
    void showPicture();
    void report(const std::optional<QString>& failure);

    // The data fields: each widget with the master field it shows. "privat" has two radio buttons;
    // the second one shows the opposite.
    struct FieldWidget {
        QWidget* widget;
        std::string_view field;
        bool opposite = false;
    };
    std::vector<FieldWidget> m_fields;

    std::unique_ptr<Ui::TForm26> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    VehicleHost& m_host;
    std::unique_ptr<PictureChooser> m_fileDialog;
    PictureChooser* m_chooser = nullptr;
    TAppointmentsPanel* m_appointments = nullptr;

    // "file" of the row under the cursor at opening; empty once that vehicle was deleted, nullopt
    // when there was none.
    std::optional<std::string> m_openingVehicle;
    bool m_skipNextExit = false;
    bool m_writing = false;
    bool m_refocusing = false;
    bool m_selectAllowed = true;
    bool m_selected = false; // closed by "Auswählen und Schließen"
    bool m_closeBox = false; // closed by the window's close box
    bool m_closing = false;
    QString m_lastPicturePath; // for this run only
};
