// The logbook of a vehicle with 10 000 trips: opening the overview (read, decipher, parse, check
// of the fingerprints, rechne, the list filled) and storing a new entry (the logbook and its
// fingerprints saved, the choice list written).

#include "core/app_state.h"
#include "core/clock.h"
#include "core/refresh.h"
#include "logbook/choice_list.h"
#include "logbook/logbook_files.h"
#include "logbook/logbook_overview_dialog.h"
#include "logbook/new_trip.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kTrips = 10000;
const FixedClock kClock{QDateTime(QDate(2026, 12, 10), QTime(9, 30))};

struct NoMainWindow final : MainWindowRefresh {
    void UpdateListe() override {}
    void UpdateDisplay() override {}
    QString currentVehicleCaption() const override { return QStringLiteral("B-XY 1  /  Transporter"); }
};

TripInput tripNumber(int i) {
    TripInput in;
    in.departureDate = in.arrivalDate = QDate(1999, 1, 1).addDays(i);
    in.departureTime = QTime(7, 30);
    in.arrivalTime = QTime(8, 45);
    in.odometerStart = QString::number(10000 + 40 * i) + QStringLiteral(" KM");
    in.odometerEnd = QString::number(10040 + 40 * i) + QStringLiteral(" KM");
    in.from = QStringLiteral("Berlin");
    in.via = i % 3 ? QString() : QStringLiteral("Werder");
    in.to = QStringLiteral("Potsdam");
    in.purpose = QStringLiteral("Kundenbesuch");
    in.visited = QStringLiteral("Stadtwerke Potsdam GmbH");
    in.driver = QStringLiteral("Max Mustermann");
    in.kind = i % 2 ? TripKind::Business : TripKind::Private;
    return in;
}

// A data directory whose vehicle has a logbook of 10 000 trips with their fingerprints.
struct Logbook {
    Logbook() {
        state.CurTripFile = "kfzfb.001";
        state.CurLogbookListFile = "kfzfbe.001";
        (void)files.open();
        for (int i = 0; i < kTrips; ++i) appendTripRow(state.TripTable, tripNumber(i), "B-XY 1");
        // Saved once as the program would have saved it, then its chain made as for an older logbook.
        (void)files.storeNewEntry();
        (void)files.open();
    }
    QTemporaryDir dir;
    AppState state{dir.path() + QLatin1Char('/'), kClock};
    LogbookFiles files{state};
};

void BM_OpenOverview(benchmark::State& st) {
    Logbook logbook;
    ScriptedPrompts prompts;
    NoMainWindow main;
    TForm11 overview(logbook.state, logbook.files, prompts, main, {});
    for (auto _ : st) {
        overview.prepare();
        benchmark::DoNotOptimize(overview.model().rowCount());
    }
    if (overview.model().rowCount() != kTrips || !prompts.prompts.empty()) st.SkipWithError("not 10 000 trips");
}
BENCHMARK(BM_OpenOverview)->Unit(benchmark::kMillisecond);

void BM_StoreNewEntry(benchmark::State& st) {
    Logbook logbook;
    TMlb2 choices;
    (void)loadChoiceList(logbook.state, choices);
    int i = kTrips;
    for (auto _ : st) {
        appendTripRow(logbook.state.TripTable, tripNumber(i++), "B-XY 1");
        if (!logbook.files.storeNewEntry().stored) st.SkipWithError("not stored");
        addTypedChoices(choices,
                        {"Berlin", "", "Potsdam", "Kundenbesuch", "Stadtwerke Potsdam GmbH", "Max Mustermann"});
        (void)saveChoiceList(logbook.state, choices);
    }
}
BENCHMARK(BM_StoreNewEntry)->Unit(benchmark::kMillisecond);

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
