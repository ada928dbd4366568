#pragma once
// TForm8 — the cost chart: total, fuel and other costs as horizontal bars, for the current
// vehicle or for every vehicle side by side, as sums, per month or per kilometre; 48 pixels per
// vehicle, the others reached by dragging with the right mouse button.

#include "charts/chart_data.h"

#include <QDialog>

#include <array>
#include <memory>
#include <vector>

class AppState;
class ChartPanel;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
class QAreaSeries;
class QCategoryAxis;
class QChart;
class QGraphicsItem;
class QValueAxis;
class SaveFileSeam;
struct ChartPrint;
namespace Ui {
class TForm8;
}

class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8(const AppState& state, Prompts& prompts, const MainWindowRefresh& main, PrinterSeam*& printer,
           SaveFileSeam*& saveFile, QWidget* parent = nullptr);
    ~TForm8() override;

    enum Series { Gesamt, Kraftstoff, Sonstiges };

    // The bars of the current vehicle in the chosen mode.
    void ZeigeAktuell();
    // The bars of every vehicle of the master table in the chosen mode.
    void ZeigeAlle();
    // ZeigeAlle when "Alle Fahrzeuge anzeigen" is ticked, else ZeigeAktuell.
    void refill();
    int exec() override;

    Ui::TForm8& ui() const { return *m_ui; }
    QChart& chart() const { return *m_chart; }
    QAreaSeries* series(Series s) const { return m_series[static_cast<std::size_t>(s)]; }
    QValueAxis& valueAxis() const { return *m_valueAxis; }
    QCategoryAxis& vehicleAxis() const { return *m_vehicleAxis; }
    const std::vector<CostBars>& bars() const { return m_bars; }
    // The first vehicle position in view and how many the view holds.
    double firstPosition() const { return m_first; }
    int positionsPerView() const { return m_perView; }
    // The value marks in view, as their texts, for every visible series.
    QStringList shownMarks() const;
    // Scrolls by `positions` (positive: towards the later vehicles), within the chart's positions.
    void scrollBy(double positions);
    // A series on or off, as its legend tick box does.
    void setSeriesShown(Series s, bool shown);

    void onPrint();
    void onSaveAsPdf();

private:
    void showBars(std::vector<CostBars> bars, int lastPosition);
    void applyView();
    void placeMarks();
    void updateLegend();
    CostMode mode() const;
    ChartPrint printing();

    std::unique_ptr<Ui::TForm8> m_ui;
    const AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    PrinterSeam*& m_printer;
    SaveFileSeam*& m_saveFile;
    QChart* m_chart;
    QValueAxis* m_valueAxis;
    QCategoryAxis* m_vehicleAxis;
    std::array<QAreaSeries*, 3> m_series{};
    std::vector<CostBars> m_bars;
    std::vector<std::pair<QGraphicsItem*, std::pair<Series, std::size_t>>> m_marks;
    int m_lastPosition = 1;
    double m_first = 1;
    int m_perView = 1;
    bool m_printing = false;
};
