#pragma once
// TForm3 — the fuel entry dialog: one new fill-up of the current vehicle.

#include "records/fuel_entry.h"

#include <QDialog>

#include <memory>

class MainWindowRefresh;
class Prompts;
namespace Ui {
class TForm3;
}

class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent = nullptr);
    ~TForm3() override;

    // Fills the dialog anew, as every time it is shown.
    void prepare();
    int exec() override;
    Ui::TForm3& ui() { return *m_ui; }

    // "OK": the checks in their order; on success the record is stored and the dialog closes.
    void onOk();

private:
    std::unique_ptr<Ui::TForm3> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    MainWindowRefresh& m_refresh;
};
