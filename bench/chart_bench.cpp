// The three charts filled with their window shown: the consumption and the fuel price of a
// vehicle with 10 000 records, and the costs of 99 vehicles with 1 000 records each.

#include "bench_records.h"
#include "charts/consumption_chart_dialog.h"
#include "charts/cost_chart_dialog.h"
#include "charts/fuel_price_chart_dialog.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/field_names.h"
#include "core/refresh.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "report/printer_seam.h"
#include "support/scripted_prompts.h"
#include "ui_cost_chart_dialog.h"
#include "vehicles/vehicle_management.h"

#include <QApplication>
#include <QLineSeries>
#include <QSplineSeries>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const FixedClock kClock{QDateTime(QDate(2026, 12, 10), QTime(9, 30))};

class Main final : public MainWindowRefresh {
public:
    void UpdateListe() override {}
    void UpdateDisplay() override {}
    QString currentVehicleCaption() const override { return QStringLiteral("M-AB 123  /  Golf"); }
};

struct Bench {
    QTemporaryDir dir;
    AppState state{dir.path() + QLatin1Char('/'), kClock};
    ScriptedPrompts prompts;
    Main main;
    QtPrinterSeam systemPrinter;
    QtSaveFileSeam systemSaveFile;
    PrinterSeam* printer = &systemPrinter;
    SaveFileSeam* saveFile = &systemSaveFile;

    explicit Bench(int vehicles, int records) {
        if (loadVehicleTable(state)) std::abort();
        for (int v = 1; v <= vehicles; ++v) {
            if (createVehicle(state)) std::abort();
            TMlb2 t = benchCostTable(records, "Werkstatt");
            if (saveTable(t, state, state.VehicleTable.GetValue(field::file))) std::abort();
        }
        state.CostTable = benchCostTable(records, "Werkstatt");
    }
};

template <typename W> void shown(W& w) {
    w.resize(1000, 640);
    w.show();
    QApplication::processEvents();
}

void BM_ConsumptionChart10000(benchmark::State& bench) {
    Bench data(1, 10000);
    TForm6 chart(
        data.state, data.prompts, data.main, [] { return QStringLiteral("7,35"); }, data.printer, data.saveFile);
    shown(chart);
    for (auto _ : bench) {
        chart.fill();
        QApplication::processEvents();
        if (chart.consumptionSeries()->count() < 1000) bench.SkipWithError("too few points");
    }
}
BENCHMARK(BM_ConsumptionChart10000)->Unit(benchmark::kMillisecond);

void BM_FuelPriceChart10000(benchmark::State& bench) {
    Bench data(1, 10000);
    TForm7 chart(data.state, data.prompts, data.main, data.printer, data.saveFile);
    shown(chart);
    for (auto _ : bench) {
        chart.fill();
        QApplication::processEvents();
        if (chart.priceSeries()->count() < 1000) bench.SkipWithError("too few points");
    }
}
BENCHMARK(BM_FuelPriceChart10000)->Unit(benchmark::kMillisecond);

void BM_CostChartAllVehicles99x1000(benchmark::State& bench) {
    Bench data(99, 1000);
    TForm8 chart(data.state, data.prompts, data.main, data.printer, data.saveFile);
    chart.ui().allVehiclesCheckBox->setChecked(true);
    shown(chart);
    for (auto _ : bench) {
        chart.refill();
        QApplication::processEvents();
        if (chart.bars().size() != 99) bench.SkipWithError("wrong bars");
    }
}
BENCHMARK(BM_CostChartAllVehicles99x1000)->Unit(benchmark::kMillisecond);

void BM_CostChartPerMonth99x1000(benchmark::State& bench) {
    Bench data(99, 1000);
    TForm8 chart(data.state, data.prompts, data.main, data.printer, data.saveFile);
    chart.ui().allVehiclesCheckBox->setChecked(true);
    chart.ui().perMonthRadioButton->setChecked(true);
    shown(chart);
    for (auto _ : bench) {
        chart.refill();
        QApplication::processEvents();
        if (chart.bars().size() != 99) bench.SkipWithError("wrong bars");
    }
}
BENCHMARK(BM_CostChartPerMonth99x1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
