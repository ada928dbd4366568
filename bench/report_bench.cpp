// The report engine: preparing the pages of the cost list of 10 000 records, and drawing one page
// in the print preview at 100 %.

#include "core/app_state.h"
#include "records/cost_records.h"
#include "report/al_preview.h"
#include "report/cost_list_report.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

#include <string>

namespace {

const FixedClock kClock{QDateTime(QDate(2026, 5, 10), QTime(9, 30))};

// 10 000 records: fill-ups every 500 km, every fifth a partial one, and an other cost in ten.
AppState& tenThousandRecords() {
    static AppState state = [] {
        AppState s(QStringLiteral("/nowhere/"), kClock);
        s.VehicleTable.LoadFromBytes("ID;nummer;bez;kme;waehr;tinh;tuev;au;instdat\r\n"
                                     "1;A-BC 1;Golf;0;0;50;05.2026;04.2026;03.2025\r\n");
        s.VehicleTable.First();
        s.CostTable = emptyCostTable();
        QDate day(2000, 1, 1);
        for (int i = 0; i < 10000; ++i) {
            s.CostTable.AppendRow();
            s.CostTable.SetValue("ID", std::to_string(i + 1));
            s.CostTable.SetValue("Datum", day.addDays(i).toString(QStringLiteral("dd.MM.yyyy")).toStdString());
            s.CostTable.SetValue("kmstnd", std::to_string(10000 + 500 * i));
            s.CostTable.SetValue("preis", "61,23");
            if (i % 10 == 9) {
                s.CostTable.SetValue("art", "s");
                s.CostTable.SetValue("text", "Inspektion");
            } else {
                s.CostTable.SetValue("art", "t");
                s.CostTable.SetValue("liter", "38,5");
                s.CostTable.SetValue("voll", i % 5 == 4 ? "nein" : "ja");
            }
        }
        return s;
    }();
    return state;
}

struct FilledCostList {
    FilledCostList() : loaded(LoadReport(costListLayout(), prompts)) {
        fillCostList(*loaded.report, tenThousandRecords(), QStringLiteral("A-BC 1  /  Golf"));
    }
    ScriptedPrompts prompts;
    LoadedReport loaded;
};

void BM_FillCostList(benchmark::State& st) {
    for (auto _ : st) {
        FilledCostList list;
        benchmark::DoNotOptimize(list.loaded.report);
    }
}
BENCHMARK(BM_FillCostList)->Unit(benchmark::kMillisecond);

void BM_PreparePagesCostList(benchmark::State& st) {
    FilledCostList list;
    tPages pages;
    TAlPrinter printer; // the PDF writer's A4 page
    for (auto _ : st) PreparePages(*list.loaded.report, pages, printer, kClock);
    st.counters["pages"] = pages.count();
}
BENCHMARK(BM_PreparePagesCostList)->Unit(benchmark::kMillisecond);

void BM_DrawPreviewPage(benchmark::State& st) {
    FilledCostList list;
    tAlPreview preview;
    TAlPrinter printer;
    PreparePages(*list.loaded.report, preview.pages(), printer, kClock);
    preview.goToPage(2); // a page full of records
    preview.resize(900, 1200);
    for (auto _ : st) benchmark::DoNotOptimize(preview.viewport()->grab());
}
BENCHMARK(BM_DrawPreviewPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
