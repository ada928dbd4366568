// "Daten exportieren" over a vehicle with 10 000 records: the workbook made of the lists and the
// statistics, and the whole export into an .xlsx and an .ods file (workbook and file).

#include "bench_records.h"
#include "records/cost_records.h"
#include "store/number_text.h"
#include "vehicles/data_export.h"
#include "vehicles/workbook.h"

#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

constexpr int kRecords = 10000;

TMlb2 makeCostTable() {
    return benchCostTable(kRecords, "Inspektion mit \xD6lwechsel");
}

void BM_VehicleWorkbook(benchmark::State& state) {
    const TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = benchVehicle();
    for (auto _ : state) benchmark::DoNotOptimize(vehicleCostWorkbook(costs, vehicle));
}
BENCHMARK(BM_VehicleWorkbook)->Unit(benchmark::kMillisecond);

// The whole export as "OK" runs it: the workbook, then the file, replacing the previous one.
void BM_Export(benchmark::State& state, WorkbookFormat format) {
    const TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = benchVehicle();
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/M-AB 123 Kosten") + workbookSuffix(format);
    for (auto _ : state) {
        const QString reason = writeWorkbook(path, vehicleCostWorkbook(costs, vehicle), format);
        if (!reason.isEmpty()) state.SkipWithError(reason.toStdString().c_str());
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK_CAPTURE(BM_Export, xlsx, WorkbookFormat::Xlsx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, ods, WorkbookFormat::Ods)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
