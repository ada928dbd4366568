// The main window recomputes its statistics and rebuilds both record lists after every entry
// and at every switch of vehicle: both over a vehicle with 10 000 records.

#include "bench_records.h"
#include "records/cost_records.h"
#include "records/record_lists.h"
#include "records/statistics.h"
#include "store/number_text.h"

#include <QDate>

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

constexpr int kRecords = 10000;

TMlb2 makeCostTable() {
    return benchCostTable(kRecords, "Inspektion");
}

void BM_Statistics(benchmark::State& state) {
    const TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = benchVehicle();
    for (auto _ : state) benchmark::DoNotOptimize(computeStatistics(costs, vehicle));
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMillisecond);

// The window's lists keep the previous rows until the new ones replace them, as here.
void BM_RecordLists(benchmark::State& state) {
    TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = benchVehicle();
    RecordLists shown;
    for (auto _ : state) {
        RecordLists lists = buildRecordLists(costs, vehicle);
        benchmark::DoNotOptimize(lists);
        std::swap(shown, lists);
    }
}
BENCHMARK(BM_RecordLists)->Unit(benchmark::kMillisecond);

// What the window does after each change: UpdateListe, then UpdateDisplay.
void BM_ListsAndStatistics(benchmark::State& state) {
    TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = benchVehicle();
    RecordLists shown;
    StatisticsPanel panel;
    for (auto _ : state) {
        RecordLists lists = buildRecordLists(costs, vehicle);
        benchmark::DoNotOptimize(lists);
        std::swap(shown, lists);
        panel = computeStatistics(costs, vehicle);
        benchmark::DoNotOptimize(panel);
    }
}
BENCHMARK(BM_ListsAndStatistics)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
