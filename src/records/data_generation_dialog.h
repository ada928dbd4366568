#pragma once
// TForm16 — the data generation dialog: a missed fill-up estimated from the vehicle's averages and
// stored as one full fill-up dated today.

#include "records/data_generation.h"

#include <QDialog>

#include <functional>
#include <memory>

class MainWindowRefresh;
class Prompts;
namespace Ui {
class TForm16;
}

class TForm16 : public QDialog {
    Q_OBJECT
public:
    // The panel texts of "Durchschn. Verbrauch" and "Kraftstoffkosten / KM", as shown.
    struct PanelFigures {
        QString consumption, fuelCostPerKm;
    };
    TForm16(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, std::function<PanelFigures()> figures,
            QWidget* parent = nullptr);
    ~TForm16() override;

    // Finds the latest readings and the averages anew and applies the input rule to the reading
    // kept from the previous opening.
    void prepare();
    int exec() override;
    Ui::TForm16& ui() { return *m_ui; }

    // "OK": stores the estimate and closes the dialog.
    void onOk();

private:
    // The input rule, at every change of "Tachostand".
    void applyInputRule();

    std::unique_ptr<Ui::TForm16> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    MainWindowRefresh& m_refresh;
    std::function<PanelFigures()> m_figures;
    GenerationBase m_base;
    Averages m_averages;
    GenerationEstimate m_estimate;
};
