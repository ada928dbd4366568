#pragma once
// Small workbooks for the tests of the spreadsheet export: one with every kind of cell, and the
// export of a small vehicle (fill-ups, a partial one, other costs) in euros.

#include "support/cost_tables.h"
#include "vehicles/data_export.h"
#include "vehicles/workbook.h"

#include <cmath>
#include <limits>

// Every kind of cell the writers know: dates, numbers with 0 and 2 decimals, amounts in euros and
// Swiss francs, numbers with their own format, texts with umlauts, markup characters, a line break,
// runs of blanks and a leading "=", a text in a date column, empty cells, a short row.
inline Workbook sampleWorkbook() {
    using Kind = WorkbookColumn::Kind;
    Workbook book;
    book.sheets.push_back({QStringLiteral("Tankdaten"),
                           {{QStringLiteral("Datum"), Kind::Date},
                            {QStringLiteral("KM-Stand"), Kind::Number, 0},
                            {QStringLiteral("Preis"), Kind::Number, 2, QStringLiteral("€")},
                            {QStringLiteral("Liter"), Kind::Number, 2},
                            {QStringLiteral("voll"), Kind::Text},
                            {QStringLiteral("Verbrauch"), Kind::Number, 2}},
                           {{QDate(2024, 3, 7), 10000.0, 45.67, 40.0, QStringLiteral("ja"), std::monostate{}},
                            {QDate(2024, 4, 1), 10600.0, 1234.5, 25.0, QStringLiteral("ja"), 7.5},
                            {QStringLiteral("kein Datum"), std::monostate{}, -3.0, 0.125, QStringLiteral("nein"),
                             std::numeric_limits<double>::quiet_NaN()},
                            {QDate(2024, 12, 31), 123456789.0}}});
    book.sheets.push_back({QStringLiteral("Sonstige Kosten"),
                           {{QStringLiteral("Datum"), Kind::Date},
                            {QStringLiteral("Preis"), Kind::Number, 2, QStringLiteral("SFr")},
                            {QStringLiteral("Text"), Kind::Text}},
                           {{QDate(2024, 5, 2), 200.0, QStringLiteral("Öl & Filter <neu>")},
                            {QDate(2024, 6, 3), 99.95, QStringLiteral("Zeile 1\r\nZeile 2")},
                            {std::monostate{}, 0.0, QStringLiteral("=SUMME(A1)  zwei  Blanks\x01")}}});
    book.sheets.push_back(
        {QStringLiteral("Statistik"),
         {{QStringLiteral("Kennzahl")}, {QStringLiteral("Wert"), Kind::Number, 2}, {QStringLiteral("Hinweis")}},
         {{QStringLiteral("Tachostand (KM)"), WorkbookNumber{10600, 0, {}}},
          {QStringLiteral("Kosten / KM (€)"), WorkbookNumber{0.123, 3, QStringLiteral("€")},
           QStringLiteral("Gefahrene Kilometer : 600")},
          {QStringLiteral("Nächster TÜV"), QStringLiteral("05.2026")}}});
    return book;
}

// The master row of the vehicle "M-AB 123" in litres and euros, one fuel type.
inline TMlb2 sampleVehicle(const Vehicle& v = {}) {
    TMlb2 vehicles = vehicleTable(v);
    vehicles.AddField("nummer");
    vehicles.SetValue("nummer", "M-AB 123");
    return vehicles;
}

// Full at 10 000 km (40 L), partial at 10 300 km (20 L), an other cost at 10 450 km, full at
// 10 600 km (25 L): the fuel list shows 0 km, "-" and 600 km with 7,50.
inline TMlb2 sampleRecords() {
    return costTable({fillUp("01.03.2024", "10000", "70,00", "40", true),
                      fillUp("15.03.2024", "10300", "35,5", "20", false),
                      otherCost("20.03.2024", "10450", "200", "Inspektion\r\nmit \xD6l", "ja"),
                      fillUp("02.05.2024", "10600", "44,25", "25", true)});
}
