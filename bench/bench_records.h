#pragma once
// The record file the benchmarks of the main window's figures and of the export run over.

#include "records/cost_records.h"
#include "store/mlb2.h"
#include "store/number_text.h"

#include <QDate>

#include <string>
#include <utility>

// 40 years of records, about one every day and a half: mostly full fill-ups, every seventh a
// partial one, every tenth record another cost with `otherText`. Dates and readings ascend as in a
// real file.
inline TMlb2 benchCostTable(int records, const char* otherText) {
    TMlb2 t = emptyCostTable();
    unsigned seed = 4711;
    auto rnd = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFF; };
    QDate date(1985, 1, 1);
    long km = 20000;
    for (int i = 0; i < records; ++i) {
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
        t.SetValue("text", fuel ? "" : otherText);
        t.SetValue("service", fuel ? "" : "ja");
        t.SetValue("krart", fuel ? "0" : "");
    }
    return t;
}

// The master row of that vehicle: litres and euros, Diesel, the cursor on it.
inline TMlb2 benchVehicle() {
    TMlb2 v;
    for (const char* f :
         {"ID", "nummer", "tinh", "kme", "waehr", "tuev", "au", "instdat", "instkm", "krstart", "krstart2"})
        v.AddField(f);
    v.AppendRow();
    for (auto [field, value] : {std::pair{"ID", "3"},
                                {"nummer", "M-AB 123"},
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
