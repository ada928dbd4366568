#pragma once
// Small record tables and master rows for the tests of the cost records.

#include "records/cost_records.h"
#include "store/mlb2.h"

#include <QString>

#include <ostream>
#include <string>
#include <vector>

// One row of a record table; the fields left out stay empty.
struct Record {
    std::string datum, kmstnd, preis, liter, voll, art, text, service;
};

inline Record fillUp(std::string datum, std::string km, std::string price, std::string quantity, bool full) {
    return {std::move(datum), std::move(km), std::move(price), std::move(quantity), full ? "ja" : "nein", "t", "", ""};
}

inline Record otherCost(std::string datum, std::string km, std::string price, std::string text = "Reparatur",
                        std::string service = "") {
    return {std::move(datum), std::move(km), std::move(price), "", "", "s", std::move(text), std::move(service)};
}

inline void appendRecords(TMlb2& table, const std::vector<Record>& records) {
    for (const Record& r : records) {
        table.AppendRow();
        table.SetValue("ID", "1");
        table.SetValue("Datum", r.datum);
        table.SetValue("kmstnd", r.kmstnd);
        table.SetValue("preis", r.preis);
        table.SetValue("liter", r.liter);
        table.SetValue("voll", r.voll);
        table.SetValue("art", r.art);
        table.SetValue("text", r.text);
        table.SetValue("service", r.service);
    }
}

inline TMlb2 costTable(const std::vector<Record>& records) {
    TMlb2 table = emptyCostTable();
    appendRecords(table, records);
    return table;
}

// The master fields the statistics and lists read, for a vehicle in litres and euros.
struct Vehicle {
    std::string tinh = "50", kme = "0", waehr = "0", tuev = "05.2026", au = "04.2026", instdat = "03.2025",
                instkm = "75000", krstart = "1", krstart2 = "0";
};

// A master table of one row, the cursor on it.
inline TMlb2 vehicleTable(const Vehicle& v = {}) {
    TMlb2 table;
    for (const char* f : {"ID", "tinh", "kme", "waehr", "tuev", "au", "instdat", "instkm", "krstart", "krstart2"})
        table.AddField(f);
    table.AppendRow();
    table.SetValue("ID", "1");
    table.SetValue("tinh", v.tinh);
    table.SetValue("kme", v.kme);
    table.SetValue("waehr", v.waehr);
    table.SetValue("tuev", v.tuev);
    table.SetValue("au", v.au);
    table.SetValue("instdat", v.instdat);
    table.SetValue("instkm", v.instkm);
    table.SetValue("krstart", v.krstart);
    table.SetValue("krstart2", v.krstart2);
    return table;
}

// Readable failures for the display texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
