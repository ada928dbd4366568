// The record file is read whole at every switch of vehicle and written whole after every entry:
// load, save, sort by odometer and a full Find scan over a large generated cost-record table.

#include "store/mlb2.h"
#include "store/number_text.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kRows = 100000;

TMlb2 makeCostTable() {
    TMlb2 t;
    for (const char* f : {"ID", "Datum", "kmstnd", "preis", "liter", "voll", "art", "text", "service", "tart", "krart"})
        t.AddField(f);
    unsigned seed = 12345;
    auto rnd = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
    for (int i = 0; i < kRows; ++i) {
        t.AppendRow();
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", 1 + i % 28, 1 + (i / 28) % 12, 1980 + i / 336);
        const bool fuel = i % 5 != 0;
        t.SetValue("ID", "3");
        t.SetValue("Datum", date);
        // not in order, so the sort has work to do
        t.SetValue("kmstnd", std::to_string(1000 + (rnd() % 100) * 5000 + i));
        t.SetValue("preis", FormatFixed(20 + rnd() % 8000 / 100.0, 6, 2));
        t.SetValue("liter", fuel ? FormatFixed(10 + rnd() % 5000 / 100.0, 6, 2) : "");
        t.SetValue("voll", fuel ? (i % 3 ? "ja" : "nein") : "");
        t.SetValue("art", fuel ? "t" : "s");
        t.SetValue("text", fuel ? "" : "Inspektion; \"groß\"\r\nÖlwechsel");
        t.SetValue("service", fuel ? "" : "ja");
        t.SetValue("tart", "");
        t.SetValue("krart", "0");
    }
    return t;
}

const TMlb2& costTable() {
    static const TMlb2 table = makeCostTable();
    return table;
}

void BM_LoadFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    TMlb2 source;
    source.CopyFrom(costTable());
    source.SaveToFile(path);
    const auto bytes = static_cast<int64_t>(source.ToBytes().size());
    for (auto _ : state) {
        TMlb2 t;
        benchmark::DoNotOptimize(t.LoadFromFile(path));
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    TMlb2 t;
    t.CopyFrom(costTable());
    const auto bytes = static_cast<int64_t>(t.ToBytes().size());
    for (auto _ : state) benchmark::DoNotOptimize(t.SaveToFile(path));
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_SortNumeric(benchmark::State& state) {
    TMlb2 t;
    for (auto _ : state) {
        state.PauseTiming();
        t.CopyFrom(costTable()); // the unsorted table again; freeing the old rows is not timed
        state.ResumeTiming();
        benchmark::DoNotOptimize(t.SortNumeric("kmstnd"));
    }
}
BENCHMARK(BM_SortNumeric)->Unit(benchmark::kMillisecond);

void BM_FindFullScan(benchmark::State& state) {
    TMlb2 t;
    t.CopyFrom(costTable());
    for (auto _ : state) {
        t.First();
        t.BeginSearch();
        benchmark::DoNotOptimize(t.Find("text", "LIKE", "*Zahnriemen*"));
        t.EndSearch();
    }
}
BENCHMARK(BM_FindFullScan)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
