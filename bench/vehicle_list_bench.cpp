// The vehicle list of 99 vehicles with 1 000 records each: every record file read and its
// figures computed, as each time the list is shown.

#include "core/app_state.h"
#include "core/clock.h"
#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/mlb2.h"
#include "vehicles/vehicle_list.h"
#include "vehicles/vehicle_management.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kVehicles = 99;
constexpr int kRecords = 1000;
const FixedClock kClock{QDateTime(QDate(2026, 12, 10), QTime(9, 30))};

// A record file of fill-ups and other costs over about four years.
TMlb2 records(int vehicle) {
    TMlb2 t = emptyCostTable();
    for (int i = 0; i < kRecords; ++i) {
        const bool fuel = i % 4 != 3;
        t.AppendRow();
        t.SetValue(field::ID, std::to_string(vehicle));
        t.SetValue(field::Datum, recordDateText(QDate(2022, 1, 1).addDays(i * 3 / 2)));
        t.SetValue(field::kmstnd, std::to_string(10000 + 150 * i));
        t.SetValue(field::preis, fuel ? "71,35" : "129,90");
        t.SetValue(field::liter, fuel ? "42,17" : "");
        t.SetValue(field::voll, fuel && i % 5 ? "ja" : "nein");
        t.SetValue(field::art, fuel ? "t" : "s");
        t.SetValue(field::text, fuel ? "" : "Werkstatt");
    }
    return t;
}

struct Fleet {
    Fleet() : state(dir.path() + QLatin1Char('/'), kClock) {
        if (loadVehicleTable(state)) std::abort();
        for (int v = 1; v <= kVehicles; ++v) {
            if (createVehicle(state)) std::abort();
            TMlb2 t = records(v);
            if (saveTable(t, state, state.VehicleTable.GetValue(field::file))) std::abort();
        }
    }
    QTemporaryDir dir;
    AppState state;
};

void BM_BuildVehicleList(benchmark::State& bench) {
    static Fleet fleet;
    for (auto _ : bench) {
        const std::vector<VehicleListRow> rows = buildVehicleList(fleet.state);
        if (rows.size() != kVehicles || rows.back().cells[2].isEmpty()) bench.SkipWithError("wrong list");
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_BuildVehicleList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
