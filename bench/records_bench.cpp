// The main window recomputes its statistics and rebuilds both record lists after every entry
// and at every switch of vehicle: both over a vehicle with 10 000 records.

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

// 40 years of records, about one every day and a half: mostly full fill-ups, every seventh a
// partial one, every tenth record another cost. Dates and readings ascend as in a real file.
TMlb2 makeCostTable() {
    TMlb2 t = emptyCostTable();
    unsigned seed = 4711;
    auto rnd = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
    QDate date(1985, 1, 1);
    long km = 20000;
    for (int i = 0; i < kRecords; ++i) {
        date = date.addDays(1 + i % 2);
        km += 150 + static_cast<long>(rnd() % 500);
        const bool fuel = i % 10 != 0;
        t.AppendRow();
        t.SetValue("ID", "3");
        t.SetValue("Datum", date.toString(u"dd.MM.yyyy").toStdString());
        t.SetValue("kmstnd", std::to_string(km));
        t.SetValue("preis", FormatFixed(20 + rnd() % 8000 / 100.0, 6, 2));
        t.SetValue("liter", fuel ? FormatFixed(10 + rnd() % 5000 / 100.0, 6, 2) : "");
        t.SetValue("voll", fuel ? (i % 7 ? "ja" : "nein") : "");
        t.SetValue("art", fuel ? "t" : "s");
        t.SetValue("text", fuel ? "" : "Inspektion");
        t.SetValue("service", fuel ? "" : "ja");
        t.SetValue("krart", fuel ? "0" : "");
    }
    return t;
}

TMlb2 makeVehicle() {
    TMlb2 v;
    for (const char* f : {"ID", "tinh", "kme", "waehr", "tuev", "au", "instdat", "instkm", "krstart", "krstart2"})
        v.AddField(f);
    v.AppendRow();
    for (auto [field, value] : {std::pair{"ID", "3"},
                                {"tinh", "55"},
                                {"kme", "0"},
                                {"waehr", "0"},
                                {"tuev", "05.2026"},
                                {"au", "05.2026"},
                                {"instdat", "03.2026"},
                                {"instkm", "250000"},
                                {"krstart", "3"},
                                {"krstart2", "0"}})
        v.SetValue(field, value);
    return v;
}

void BM_Statistics(benchmark::State& state) {
    const TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = makeVehicle();
    for (auto _ : state) benchmark::DoNotOptimize(computeStatistics(costs, vehicle));
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMillisecond);

// The window's lists keep the previous rows until the new ones replace them, as here.
void BM_RecordLists(benchmark::State& state) {
    TMlb2 costs = makeCostTable();
    const TMlb2 vehicle = makeVehicle();
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
    const TMlb2 vehicle = makeVehicle();
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
