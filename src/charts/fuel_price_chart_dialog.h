#pragma once
// TForm7 — the fuel price chart: the price per unit of every fill-up of the current vehicle as a
// smoothed line through round markers, the readout of the point under the mouse.

#include <QDialog>

#include <memory>

class AppState;
class LineChart;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
class QLineSeries;
class QSplineSeries;
class QXYSeries;
class SaveFileSeam;
struct ChartPrint;
namespace Ui {
class TForm7;
}

class TForm7 : public QDialog {
    Q_OBJECT
public:
    TForm7(const AppState& state, Prompts& prompts, const MainWindowRefresh& main, PrinterSeam*& printer,
           SaveFileSeam*& saveFile, QWidget* parent = nullptr);
    ~TForm7() override;

    // Caption, banner, axis title, fuel type and the line filled anew from the records.
    void fill();
    int exec() override;
    Ui::TForm7& ui() const { return *m_ui; }
    LineChart& chart() const { return *m_chart; }
    // The line the prices are drawn with: the smoothed one, or for a long series (where a curve
    // through the points and straight lines between them look alike) the straight one.
    QXYSeries* priceSeries() const;
    QSplineSeries* smoothSeries() const { return m_price; }

    void onPrint();
    void onSaveAsPdf();

private:
    ChartPrint printing();

    std::unique_ptr<Ui::TForm7> m_ui;
    const AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    PrinterSeam*& m_printer;
    SaveFileSeam*& m_saveFile;
    LineChart* m_chart;
    QSplineSeries* m_price;
    QLineSeries* m_longPrice;
};
