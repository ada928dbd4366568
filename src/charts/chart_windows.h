#pragma once
// The windows of the "Diagramme" menu, created on first use and kept for the run (the cost
// chart keeps its choices from one opening to the next).

#include <functional>
#include <memory>

class AppState;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
class QString;
class QWidget;
class SaveFileSeam;
class TForm6;
class TForm7;
class TForm8;

class ChartWindows {
public:
    // `averageFigure` gives the main window's "Durchschn. Verbrauch" as the panel shows it.
    ChartWindows(const AppState& state, Prompts& prompts, const MainWindowRefresh& main,
                 std::function<QString()> averageFigure, QWidget* parent);
    ~ChartWindows();

    // "Verbrauch", "Kraftstoffpreis" and "Kosten": each window filled and shown modally.
    void showConsumption();
    void showFuelPrice();
    void showCosts();

    TForm6& consumption();
    TForm7& fuelPrice();
    TForm8& costs();

    // Tests print into a capture and answer the save dialog from a script.
    void setSeams(PrinterSeam& printer, SaveFileSeam& saveFile);

private:
    const AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    std::function<QString()> m_averageFigure;
    QWidget* m_parent;
    std::unique_ptr<PrinterSeam> m_systemPrinter;
    std::unique_ptr<SaveFileSeam> m_systemSaveFile;
    PrinterSeam* m_printer;
    SaveFileSeam* m_saveFile;
    std::unique_ptr<TForm6> m_consumption;
    std::unique_ptr<TForm7> m_fuelPrice;
    std::unique_ptr<TForm8> m_costs;
};
