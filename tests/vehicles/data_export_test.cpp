// The current vehicle's export: the sheets made of the fuel list, the other-cost list and the
// statistics panel, typed; and the file name it proposes.

#include "vehicles/data_export.h"

#include "vehicles/workbook_samples.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using Kind = WorkbookColumn::Kind;
using Row = std::vector<WorkbookCell>;
const WorkbookCell none = std::monostate{};

QStringList headers(const WorkbookSheet& sheet) {
    QStringList out;
    for (const WorkbookColumn& c : sheet.columns) out << c.header;
    return out;
}

TEST(DataExport, FuelListAsTheMainWindowShowsItTyped) {
    const Workbook book = vehicleCostWorkbook(sampleRecords(), sampleVehicle());
    ASSERT_EQ(book.sheets.size(), 3u);
    const WorkbookSheet& fuel = book.sheets[0];
    EXPECT_EQ(fuel.name, QStringLiteral("Tankdaten"));
    EXPECT_EQ(headers(fuel), QStringList({"Datum", "KM-Stand", "Preis", "L", "gef. KM", "voll", "Verbrauch"}));
    const WorkbookColumn& price = fuel.columns[2];
    EXPECT_EQ(std::tuple(price.kind, price.decimals, price.currency), std::tuple(Kind::Number, 2, QString("€")));
    EXPECT_EQ(std::tuple(fuel.columns[3].kind, fuel.columns[3].decimals, fuel.columns[3].currency),
              std::tuple(Kind::Number, 2, QString()));
    EXPECT_EQ(fuel.columns[0].kind, Kind::Date);
    ASSERT_EQ(fuel.rows.size(), 3u);
    EXPECT_EQ(fuel.rows[0], (Row{QDate(2024, 3, 1), 10000.0, 70.0, 40.0, 0.0, QString("ja"), none}));
    EXPECT_EQ(fuel.rows[1], (Row{QDate(2024, 3, 15), 10300.0, 35.5, 20.0, none, QString("nein"), none}));
    EXPECT_EQ(fuel.rows[2], (Row{QDate(2024, 5, 2), 10600.0, 44.25, 25.0, 600.0, QString("ja"), 7.5}));
}

TEST(DataExport, OtherCostsWithServiceAndText) {
    const Workbook book = vehicleCostWorkbook(sampleRecords(), sampleVehicle());
    const WorkbookSheet& other = book.sheets[1];
    EXPECT_EQ(other.name, QStringLiteral("Sonstige Kosten"));
    EXPECT_EQ(headers(other), QStringList({"Datum", "KM-Stand", "Preis", "Service", "Text"}));
    EXPECT_EQ(other.columns[2].currency, QStringLiteral("€"));
    ASSERT_EQ(other.rows.size(), 1u);
    EXPECT_EQ(other.rows[0], (Row{QDate(2024, 3, 20), 10450.0, 200.0, QString("ja"), QString("Inspektion\r\nmit Öl")}));
}

TEST(DataExport, StatisticsWithTheirCaptionsNumbersAndHints) {
    const Workbook book = vehicleCostWorkbook(sampleRecords(), sampleVehicle());
    const WorkbookSheet& stats = book.sheets[2];
    EXPECT_EQ(stats.name, QStringLiteral("Statistik"));
    EXPECT_EQ(headers(stats), QStringList({"Kennzahl", "Wert", "Hinweis"}));
    const QString euro = QStringLiteral("€");
    const std::vector<Row> expected = {
        {QString("Tachostand (KM)"), WorkbookNumber{10600, 0, {}}, none},
        {QString("Ø Verbr. (L/100 KM)"), WorkbookNumber{7.5, 2, {}}, none},
        {QString("Reichweite (KM)"), WorkbookNumber{667, 0, {}}, none}, // 50 L / (45 L / 600 km)
        {QString("Gesamtkosten (€)"), WorkbookNumber{349.75, 2, euro}, none},
        {QString("Kraftstoffkosten (€)"), WorkbookNumber{149.75, 2, euro}, QString("Anzahl der Tankeingaben : 3")},
        {QString("Sonstige Kosten (€)"), WorkbookNumber{200, 2, euro}, QString("Anzahl der Sonstigen-Eingaben : 1")},
        {QString("Kosten / KM (€)"), WorkbookNumber{0.583, 3, euro}, QString("Gefahrene Kilometer : 600")},
        {QString("Kraftstoffkosten / KM (€)"), WorkbookNumber{0.25, 3, euro}, QString("Gefahrene Kilometer : 600")},
        {QString("Kosten / Monat (€)"), WorkbookNumber{174.88, 2, euro}, QString("Erfasste Tage : 62")},
        {QString("Nächster TÜV"), QString("05.2026"), none},
        {QString("Nächste AU"), QString("04.2026"), none},
        {QString("Nächster Service"), QString("03.2025"), QString("75000")},
    };
    EXPECT_EQ(stats.rows, expected);
}

TEST(DataExport, AVehicleWithoutRecordsHasEmptyListsAndNoFigures) {
    const Workbook book = vehicleCostWorkbook(emptyCostTable(), sampleVehicle());
    EXPECT_TRUE(book.sheets[0].rows.empty());
    EXPECT_TRUE(book.sheets[1].rows.empty());
    ASSERT_EQ(book.sheets[2].rows.size(), 12u);
    EXPECT_EQ(book.sheets[2].rows[3][1], none);                             // Gesamtkosten
    EXPECT_EQ(book.sheets[2].rows[9][1], WorkbookCell(QString("05.2026"))); // HU
}

TEST(DataExport, FiguresThatCannotBeReadLeaveTheStatisticsEmpty) {
    TMlb2 records = costTable({fillUp("kein Datum", "10000", "70,00", "40", true)});
    const Workbook book = vehicleCostWorkbook(records, sampleVehicle());
    EXPECT_EQ(book.sheets[0].rows[0][0], WorkbookCell(QString("kein Datum"))); // shown as the list shows it
    EXPECT_EQ(book.sheets[2].rows[0][1], none);
    EXPECT_EQ(book.sheets[2].rows[0][0], WorkbookCell(QString("Tachostand (KM)")));
}

TEST(DataExport, ASecondFuelTypeAddsItsColumnAndFrancsAreTheCurrency) {
    Vehicle v;
    v.krstart = "3";  // Diesel
    v.krstart2 = "5"; // and Autogas
    v.waehr = "1";    // SFr
    TMlb2 records = sampleRecords();
    const Workbook book = vehicleCostWorkbook(records, sampleVehicle(v));
    const WorkbookSheet& fuel = book.sheets[0];
    EXPECT_EQ(headers(fuel),
              QStringList({"Datum", "KM-Stand", "Preis", "L", "Kraftstoff", "gef. KM", "voll", "Verbrauch"}));
    EXPECT_EQ(fuel.columns[2].currency, QStringLiteral("SFr"));
    EXPECT_EQ(fuel.rows[0][4], WorkbookCell(QString("Diesel")));
    EXPECT_EQ(book.sheets[2].rows[3][0], WorkbookCell(QString("Gesamtkosten (SFr)")));
    // The export reads; the record table is as it was (the lists would fill "tart" in).
    EXPECT_EQ(records.ValueAt(1, records.FieldIndex("tart")), "");
}

TEST(DataExport, ShownTextsBecomeCellsOfTheirColumn) {
    const WorkbookColumn date{"Datum", Kind::Date}, amount{"Kosten", Kind::Number, 2, "€"}, text{"Fahrer"};
    const struct {
        const char* shown;
        const WorkbookColumn& column;
        WorkbookCell cell;
    } cases[] = {
        {"07.03.2024", date, QDate(2024, 3, 7)},
        {" 7.3.2024 ", date, QDate(2024, 3, 7)},
        {"05.2026", date, QString("05.2026")},
        {"", date, none},
        {"1234,50", amount, 1234.5},
        {"  45,67", amount, 45.67},
        {"-", amount, none},
        {"   ", amount, none},
        {"-12,5", amount, -12.5},
        {"12.5", amount, QString("12.5")}, // not the program's form
        {"Max Mustermann", text, QString("Max Mustermann")},
        {"1234,50", text, QString("1234,50")},
    };
    for (const auto& c : cases) EXPECT_EQ(cellFromShownText(QString::fromUtf8(c.shown), c.column), c.cell) << c.shown;
}

TEST(DataExport, ProposedFileNamesAreSafe) {
    const struct {
        const char* name;
        const char* safe;
    } cases[] = {
        {"M-AB 123 Kosten", "M-AB 123 Kosten"},
        {"A/B\\C:D*E?F\"G<H>I|J", "A_B_C_D_E_F_G_H_I_J"},
        {"Tab\tNeu\nZeile", "Tab_Neu_Zeile"},
        {"Kosten. ", "Kosten"},
        {"", "Export"},
        {"Ölwagen Kosten", "Ölwagen Kosten"},
    };
    for (const auto& c : cases) EXPECT_EQ(safeFileName(QString::fromUtf8(c.name)), QString::fromUtf8(c.safe)) << c.name;

    EXPECT_EQ(costExportBaseName(sampleVehicle()), QStringLiteral("M-AB 123 Kosten"));
    EXPECT_EQ(vehicleListExportBaseName(), QStringLiteral("Fahrzeugliste"));
    EXPECT_EQ(proposedExportPath(QStringLiteral("M-AB/1 Kosten"), WorkbookFormat::Ods, QStringLiteral("/home/a/Dok")),
              QStringLiteral("/home/a/Dok/M-AB_1 Kosten.ods"));
    EXPECT_EQ(proposedExportPath(vehicleListExportBaseName(), WorkbookFormat::Xlsx),
              documentsFolder() + QStringLiteral("/Fahrzeugliste.xlsx"));
}

} // namespace
