// The record file is read whole at every switch of vehicle and written whole after every entry:
// load, save, sort by odometer and a full Find scan over a large generated cost-record table.
// The program saves once after an entry, in a process that has not saved before: BM_ColdSave
// times that in a child process of its own, and bench/cold_save.sh compares it with Python's csv
// module. The child modes:
//   table_bench --make FILE        writes the generated record file
//   table_bench --cold-load FILE   loads it once, prints the milliseconds
//   table_bench --cold-save FILE   loads it, adds an entry, saves it once; prints both times

#include "store/mlb2.h"
#include "store/number_text.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

// The milliseconds since `start`.
double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// One cold load, or one cold load and save, in this process; the times go to stdout.
int coldRun(const char* mode, const QString& path) {
    TMlb2 t;
    auto start = std::chrono::steady_clock::now();
    if (!t.LoadFromFile(path)) return 1;
    const double load = msSince(start);
    if (std::strcmp(mode, "--cold-load") == 0) {
        std::printf("load %.2f\n", load);
        return 0;
    }
    t.AppendRow(); // the entry
    t.SetValue("ID", "3");
    t.SetValue("kmstnd", "99999999");
    t.SetValue("preis", "45,10");
    t.SetValue("art", "s");
    t.SetValue("text", "Eintrag");
    start = std::chrono::steady_clock::now();
    if (!t.SaveToFile(path)) return 1;
    std::printf("load %.2f save %.2f\n", load, msSince(start));
    return 0;
}

// A child process that loads the record file and saves it once, as after one entry.
void BM_ColdSave(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kfzdat.001");
    TMlb2 source;
    source.CopyFrom(costTable());
    source.SaveToFile(path);
    const QByteArray file = path.toLocal8Bit();
    for (auto _ : state) {
        const pid_t pid = fork();
        if (pid == 0) {
            execl("/proc/self/exe", "table_bench", "--cold-save", file.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the child failed");
    }
}
BENCHMARK(BM_ColdSave)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--make") == 0) {
        TMlb2 t;
        t.CopyFrom(costTable());
        return t.SaveToFile(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc == 3 && (std::strcmp(argv[1], "--cold-load") == 0 || std::strcmp(argv[1], "--cold-save") == 0)) {
        // The child's own output only: the parent's benchmark lines are not mixed in.
        setvbuf(stdout, nullptr, _IOLBF, 0);
        return coldRun(argv[1], QString::fromLocal8Bit(argv[2]));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
