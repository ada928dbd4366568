#pragma once
// TForm6 — the consumption chart: the consumption of every full-tank interval of the current
// vehicle and its average as two lines, the readout of the point under the mouse.

#include <QDialog>

#include <functional>
#include <memory>

class AppState;
class LineChart;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
class QLineSeries;
class SaveFileSeam;
struct ChartPrint;
namespace Ui {
class TForm6;
}

class TForm6 : public QDialog {
    Q_OBJECT
public:
    // `averageFigure` gives the main window's "Durchschn. Verbrauch" as the panel shows it.
    TForm6(const AppState& state, Prompts& prompts, const MainWindowRefresh& main,
           std::function<QString()> averageFigure, PrinterSeam*& printer, SaveFileSeam*& saveFile,
           QWidget* parent = nullptr);
    ~TForm6() override;

    // Caption, banner and both lines filled anew from the records.
    void fill();
    int exec() override;
    Ui::TForm6& ui() const { return *m_ui; }
    LineChart& chart() const { return *m_chart; }
    QLineSeries* consumptionSeries() const { return m_consumption; }
    QLineSeries* averageSeries() const { return m_average; }

    void onPrint();
    void onSaveAsPdf();

private:
    ChartPrint printing();

    std::unique_ptr<Ui::TForm6> m_ui;
    const AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    std::function<QString()> m_averageFigure;
    PrinterSeam*& m_printer;
    SaveFileSeam*& m_saveFile;
    LineChart* m_chart;
    QLineSeries* m_consumption;
    QLineSeries* m_average;
};
