// Writes the data directory of the start-up measurement: 99 vehicles in kfzdata.csv, vehicle 001
// current (kfz.ini) with 10 000 cost records, every other vehicle with an empty record file.
//
//     make_startup_data <directory>

#include "core/vehicle_table.h"
#include "store/mlb2.h"
#include "store/number_text.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr int kVehicles = 99;
constexpr int kRecords = 10000;

std::string dateText(const QDate& date) {
    return date.toString(u"dd.MM.yyyy").toStdString();
}

std::string monthText(const QDate& date) {
    return date.toString(u"MM.yyyy").toStdString();
}

bool save(TMlb2& table, const QString& path) {
    if (table.SaveToFile(path)) return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(table.ErrorReason()));
    return false;
}

TMlb2 emptyRecords() {
    TMlb2 t;
    for (std::string_view name : kCostRecordFields) t.AddField(name);
    return t;
}

// 10 000 records over about 41 years (one every one or two days), readings ascending; every
// tenth record another cost ("s") with a text, the rest fill-ups, every seventh of them partial.
TMlb2 costRecords() {
    TMlb2 t = emptyRecords();
    unsigned seed = 4711;
    auto rnd = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
    QDate date(1984, 1, 2);
    long km = 20000;
    for (int i = 0; i < kRecords; ++i) {
        date = date.addDays(1 + i % 2);
        km += 150 + static_cast<long>(rnd() % 500);
        const bool fuel = i % 10 != 0;
        t.AppendRow();
        t.SetValue("ID", std::to_string(i + 1));
        t.SetValue("Datum", dateText(date));
        t.SetValue("kmstnd", std::to_string(km));
        t.SetValue("preis", FormatFixed(20 + (rnd() % 8000) / 100.0, 6, 2));
        t.SetValue("liter", fuel ? FormatFixed(10 + (rnd() % 5000) / 100.0, 6, 2) : "");
        t.SetValue("voll", fuel ? (i % 7 ? "ja" : "nein") : "");
        t.SetValue("art", fuel ? "t" : "s");
        t.SetValue("text", fuel ? "" : "Inspektion");
        t.SetValue("service", "");
        t.SetValue("tart", "");
        t.SetValue("krart", "0");
    }
    return t;
}

TMlb2 vehicles() {
    TMlb2 v;
    for (std::string_view name : kVehicleBaseFields) v.AddField(name);
    upgradeVehicleTable(v);
    const QDate bought(2019, 4, 1);
    const std::string next = monthText(QDate(2027, 5, 1));
    for (int n = 1; n <= kVehicles; ++n) {
        const std::string nnn = vehicleNumberText(n);
        v.AppendRow();
        const std::pair<std::string_view, std::string> values[] = {
            {"ID", std::to_string(n)},
            {"bez", "Fahrzeug " + nnn},
            {"nummer", "WW-A " + nnn},
            {"tachostart", "20000"},
            {"tinh", "55"},
            {"au", next},
            {"tuev", next},
            {"kdatum", dateText(bought)},
            {"erstzul", dateText(bought)},
            {"kpreis", "18500"},
            {"bemerk1", ""},
            {"fgstnr", ""},
            {"fahrer", ""},
            {"instdat", next},
            {"instkm", "250000"},
            {"sikm", "30000"},
            {"simon", "12"},
            {"privat", "ja"},
            {"kme", "0"},
            {"waehr", "0"},
            {"krstart", "3"},
            {"leas", "nein"},
            {"leasdauer", "0"},
            {"leasstart", dateText(bought)},
            {"file", "kfzdat." + nnn},
            {"file2", "kfzfb." + nnn},
            {"file3", "kfzfbe." + nnn},
            {"file4", "kfznotiz." + nnn},
            {"file5", "kfzwv." + nnn},
            {"bild", ""},
            {"kme2", "0"},
            {"krstart2", "0"},
            {"apreis", "0"},
            {"hybrid", "0"},
            {"file6", "kfzterm." + nnn},
        };
        for (const auto& [field, value] : values) v.SetValue(field, value);
    }
    return v;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir));
        return 1;
    }

    TMlb2 table = vehicles();
    if (!save(table, dir + QString::fromLatin1(kVehicleFileName.data(), qsizetype(kVehicleFileName.size())))) return 1;
    TMlb2 records = costRecords();
    if (!save(records, dir + QStringLiteral("kfzdat.001"))) return 1;
    TMlb2 empty = emptyRecords();
    for (int n = 2; n <= kVehicles; ++n)
        if (!save(empty, dir + QStringLiteral("kfzdat.") + QString::fromStdString(vehicleNumberText(n)))) return 1;

    QFile ini(dir + QStringLiteral("kfz.ini"));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        ini.write("[LastUse]\r\nFileName=kfzdat.001\r\n") < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ini.fileName()));
        return 1;
    }
    return 0;
}
