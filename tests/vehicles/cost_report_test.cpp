// The written cost report: its values and the exact text of its paragraphs.
#include "records/statistics.h"
#include "store/code_page.h"
#include "store/number_text.h"
#include "support/cost_tables.h"
#include "vehicles/cost_report.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A master table of one vehicle in litres and euros, bought for `kpreis`.
TMlb2 vehicle(const std::string& kpreis = "20000", const std::string& apreis = "12000") {
    TMlb2 table = vehicleTable();
    for (const char* f : {"nummer", "bez", "kpreis", "apreis", "bild"}) table.AddField(f);
    table.SetValue("nummer", "A-BC 1");
    table.SetValue("bez", "G\xF6lf"); // "Gölf", Windows-1252
    table.SetValue("kpreis", kpreis);
    table.SetValue("apreis", apreis);
    return table;
}

// A year of records: 01.01.2023 at 10 000 km to 01.01.2024 at 25 000 km.
TMlb2 yearOfRecords() {
    return costTable({fillUp("01.01.2023", "10000", "60,00", "40,00", true),
                      otherCost("15.06.2023", "17000", "200,00", "Inspektion", "ja"),
                      fillUp("01.01.2024", "25000", "52,50", "35,00", true)});
}

// The panel's texts, as the main window shows them.
ReportPanelTexts panelOf(const TMlb2& costs, const TMlb2& vehicles) {
    const StatisticsPanel p = computeStatistics(costs, vehicles);
    return {p.totalCosts, p.fuelCosts, p.otherCosts, p.consumption};
}

struct Report {
    TMlb2 costs, vehicles;
    int value = 12000, speed = 70;
    CostReportInput input() const {
        return {costs, vehicles, panelOf(costs, vehicles), value, speed, QDate(2026, 5, 10)};
    }
    std::vector<ReportParagraph> paragraphs() const { return drawbericht(input()); }
    CostReportValues values() const { return costReportValues(input()); }
    QString paragraph(std::size_t n) const { return paragraphs().at(n - 1).text; } // numbered from 1
};

TEST(CostReport, AYearOfRecordsInEveryParagraph) {
    const Report r{yearOfRecords(), vehicle()};
    const CostReportValues v = r.values();
    EXPECT_EQ(v.D, 365);
    EXPECT_EQ(v.K1, 10000);
    EXPECT_EQ(v.K2, 25000);
    EXPECT_EQ(v.KD, 15000);
    EXPECT_EQ(v.NT, 2);
    EXPECT_EQ(v.NV, 2);
    EXPECT_EQ(v.NS, 1);
    EXPECT_DOUBLE_EQ(v.LS, 75);
    EXPECT_DOUBLE_EQ(v.P, 20000);
    EXPECT_DOUBLE_EQ(v.W, 12000);
    EXPECT_DOUBLE_EQ(v.G, 312.5 + 8000);
    EXPECT_NEAR(v.H, 214.2857, 1e-4);

    const std::vector<ReportParagraph> p = r.paragraphs();
    ASSERT_EQ(p.size(), 18u);
    EXPECT_EQ(p[0], (ReportParagraph{u"Wagenwart\nZusammenfassung für A-BC 1 - Gölf"_s, true, 12, false}));
    EXPECT_EQ(p[0].text.split(u'\n').front(), u"Wagenwart"_s);
    EXPECT_EQ(p[1].text, QString());
    EXPECT_EQ(p[2], (ReportParagraph{u"KOSTEN:"_s, false, 10, false}));
    EXPECT_EQ(p[3].text, u"Die Erfassung von Daten über die entstandenen Kosten erstreckt sich über einen Zeitraum "
                         u"von 365 Tagen. Das sind rund 1,0 Jahre bzw. 12,0 Monate. Während dieser Zeit wurden "
                         u"15000 km gefahren und es entstanden Gesamtkosten von 8312,50 € die sich aus folgenden "
                         u"Einzelposten zusammensetzen :"_s);
    EXPECT_EQ(p[4].text, u"112,50 € Treibstoffkosten, 200,00 € Sonstige-Kosten und  8000,00 € Wertverlust."_s);
    EXPECT_EQ(p[5].text, u"Hieraus ergeben sich umgerechnet Kosten in Höhe von 8312,50 € pro Jahr, bzw. 692,69 € "
                         u"pro Monat, bzw. 22,77 € pro Tag."_s);
    EXPECT_EQ(p[6].text, u"Die Gesamt-Kosten pro KM betragen somit 0,554 €"_s);
    EXPECT_EQ(p[8], (ReportParagraph{u"DIVERSE DATEN"_s, false, 10, false}));
    EXPECT_EQ(p[9].text, u"Der Kauf-/Verkaufspreis beträgt : 20000 € / 12000,00 €."_s);
    EXPECT_EQ(p[10].text, u"Das bedeutet einen Wertverlust von 40,0 %"_s);
    EXPECT_EQ(p[11].text, u"Erster erfasster Tachostand : 10000 - Letzter : 25000 - Differenz : 15000"_s);
    // FormatFixed writes no thousands separator.
    EXPECT_EQ(p[12].text,
              u"Dies ergibt eine Fahrleistung von 15000,0 KM pro Jahr, 1250,0 pro Monat bzw. 41,1 pro Tag."_s);
    EXPECT_EQ(p[13].text, u"Bei einer angenommenen Durchschnittsgeschwindigkeit von 70 km/h haben Sie während der "
                          u"o.a. Zeit insgesamt rund 8,9 Tage, oder 214,3 Stunden im Auto verbracht. Das sind "
                          u"umgerechnet 35,2 Minuten täglich, bzw. 17,9 Stunden monatlich oder 8,9 Tage jährlich."_s);
    EXPECT_EQ(p[14].text, u"Es wurde 2 mal getankt (davon 2 mal voll) und zwar insgesamt 75,0 L. Der "
                          u"Durchschnittsverbrauch pro 100 KM betrug 0,23 L."_s);
    EXPECT_EQ(p[15].text, u"Es wurde 1 mal eine Service-Wartung durchgeführt."_s);
    EXPECT_EQ(p[16], (ReportParagraph{QString(), false, 10, false}));
    EXPECT_EQ(p[17], (ReportParagraph{u"-- 10.05.2026 --"_s, false, 10, false}));
    // Indented: the sentences under the two headings.
    for (std::size_t i = 0; i < p.size(); ++i)
        EXPECT_EQ(p[i].indent, (i >= 3 && i <= 6) || (i >= 9 && i <= 15)) << "paragraph " << i + 1;
}

// Purchase price and current value against paragraphs 5, 10 and 11.
struct ValueCase {
    const char* name;
    std::string kpreis;
    int value;
    QString lossPercent, priceSentence, lossInParagraph5;
};

class CostReportValue : public testing::TestWithParam<ValueCase> {};

TEST_P(CostReportValue, LossOfValue) {
    const ValueCase& c = GetParam();
    Report r{yearOfRecords(), vehicle(c.kpreis)};
    r.value = c.value;
    EXPECT_EQ(r.paragraph(11), u"Das bedeutet einen Wertverlust von "_s + c.lossPercent + u" %"_s);
    EXPECT_EQ(r.paragraph(10), c.priceSentence);
    EXPECT_TRUE(r.paragraph(5).endsWith(u"Sonstige-Kosten und  "_s + c.lossInParagraph5 + u" € Wertverlust."_s))
        << r.paragraph(5).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CostReportValue,
    testing::Values(ValueCase{"Depreciated", "20000", 12000, u"40,0"_s,
                              u"Der Kauf-/Verkaufspreis beträgt : 20000 € / 12000,00 €."_s, u"8000,00"_s},
                    ValueCase{"BoughtForNothingWorthNothing", "0", 0, u"100,0"_s,
                              u"Der Kauf-/Verkaufspreis beträgt : 0 € / 0,00 €."_s, u"0,00"_s},
                    // With no price the percentage is taken against 1: 100 - 5 * 100.
                    ValueCase{"BoughtForNothingWorthSomething", "0", 5, u"-400,0"_s,
                              u"Der Kauf-/Verkaufspreis beträgt : 0 € / 5,00 €."_s, u"-5,00"_s},
                    ValueCase{"WorthMoreThanItCost", "20000", 25000, u"-25,0"_s,
                              u"Der Kauf-/Verkaufspreis beträgt : 20000 € / 25000,00 €."_s, u"-5000,00"_s},
                    ValueCase{"PriceAsStored", "19999,5", 0, u"100,0"_s,
                              u"Der Kauf-/Verkaufspreis beträgt : 19999,5 € / 0,00 €."_s, u"19999,50"_s}),
    [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

TEST(CostReport, TheSliderScalesEveryTimeFigure) {
    Report r{yearOfRecords(), vehicle()};
    r.speed = 40;
    const CostReportValues v = r.values();
    EXPECT_DOUBLE_EQ(v.H, 15000.0 / 40);
    Report at70{yearOfRecords(), vehicle()};
    EXPECT_NEAR(v.H / at70.values().H, 70.0 / 40.0, 1e-12);
    EXPECT_EQ(r.paragraph(14), u"Bei einer angenommenen Durchschnittsgeschwindigkeit von 40 km/h haben Sie während der "
                               u"o.a. Zeit insgesamt rund 15,6 Tage, oder 375,0 Stunden im Auto verbracht. Das sind "
                               u"umgerechnet 61,6 Minuten täglich, bzw. 31,2 Stunden monatlich oder 15,6 Tage "
                               u"jährlich."_s);
}

TEST(CostReport, OneDayOrOneReadingGivesDashesWhereItWouldDivideByZero) {
    // Two records on one day at one reading.
    const Report r{
        costTable({fillUp("01.03.2026", "10000", "60,00", "40,00", true), otherCost("01.03.2026", "10000", "20,00")}),
        vehicle()};
    EXPECT_EQ(r.values().D, 0);
    EXPECT_EQ(r.values().KD, 0);
    EXPECT_TRUE(r.paragraph(4).contains(u"Zeitraum von 0 Tagen. Das sind rund 0,0 Jahre bzw. 0,0 Monate."_s));
    EXPECT_EQ(
        r.paragraph(6),
        u"Hieraus ergeben sich umgerechnet Kosten in Höhe von – € pro Jahr, bzw. – € pro Monat, bzw. – € pro Tag."_s);
    EXPECT_EQ(r.paragraph(7), u"Die Gesamt-Kosten pro KM betragen somit – €"_s);
    EXPECT_EQ(r.paragraph(13), u"Dies ergibt eine Fahrleistung von – KM pro Jahr, – pro Monat bzw. – pro Tag."_s);
    EXPECT_TRUE(r.paragraph(14).contains(u"rund 0,0 Tage, oder 0,0 Stunden im Auto verbracht. Das sind umgerechnet – "
                                         u"Minuten täglich, bzw. – Stunden monatlich oder – Tage jährlich."_s))
        << r.paragraph(14).toStdString();
    // One full fill-up: the panel shows no consumption, and the report says so with the dash.
    EXPECT_TRUE(r.paragraph(15).endsWith(u"pro 100 KM betrug – L."_s)) << r.paragraph(15).toStdString();
    for (const ReportParagraph& p : r.paragraphs()) EXPECT_FALSE(p.text.contains(u"inf"_s)) << p.text.toStdString();
}

TEST(CostReport, DistanceWithoutDaysAndDaysWithoutDistance) {
    const Report sameDay{costTable({fillUp("01.03.2026", "10000", "60,00", "40,00", true),
                                    fillUp("01.03.2026", "10400", "50,00", "30,00", true)}),
                         vehicle()};
    EXPECT_EQ(sameDay.paragraph(7), u"Die Gesamt-Kosten pro KM betragen somit 20,275 €"_s); // (110 + 8000) / 400
    EXPECT_TRUE(sameDay.paragraph(6).contains(u"– € pro Tag"_s));
    const Report sameReading{
        costTable({fillUp("01.03.2026", "10000", "60,00", "40,00", true), otherCost("31.03.2026", "10000", "20,00")}),
        vehicle()};
    EXPECT_EQ(sameReading.paragraph(7), u"Die Gesamt-Kosten pro KM betragen somit – €"_s);
    EXPECT_TRUE(sameReading.paragraph(13).contains(u"Fahrleistung von 0,0 KM pro Jahr"_s));
}

TEST(CostReport, ServiceRecordLastInTheFileIsCountedOnce) {
    const Report r{costTable({fillUp("01.01.2023", "10000", "60,00", "40,00", true),
                              otherCost("01.02.2023", "10500", "90,00", "Service", "ja"),
                              otherCost("01.03.2023", "11000", "300,00", "Inspektion", "ja")}),
                   vehicle()};
    EXPECT_EQ(r.values().NS, 2);
    EXPECT_EQ(r.paragraph(16), u"Es wurde 2 mal eine Service-Wartung durchgeführt."_s);
}

TEST(CostReport, FewerThanTwoRecordsGiveTheOneSentence) {
    const Report r{costTable({fillUp("01.01.2023", "10000", "60,00", "40,00", true)}), vehicle()};
    const std::vector<ReportParagraph> p = r.paragraphs();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].text, u"Es sind nicht genügend Daten zu Erstellung des Berichts vorhanden."_s);
    EXPECT_EQ(fuelRecordCount(r.costs), 1);
    EXPECT_EQ(fuelRecordCount(costTable({otherCost("01.01.2023", "10000", "60,00")})), 0);
}

TEST(CostReport, CurrencyAndUnitOfTheVehicleAndUnreadableRecords) {
    TMlb2 swiss = vehicle();
    swiss.SetValue("waehr", "1");
    swiss.SetValue("kme", "1");
    const Report r{yearOfRecords(), swiss};
    EXPECT_EQ(r.paragraph(7), u"Die Gesamt-Kosten pro KM betragen somit 0,554 SFr"_s);
    EXPECT_TRUE(r.paragraph(15).contains(u"insgesamt 75,0 KG. "_s));

    const Report broken{costTable({fillUp("01.01.2023", "10000", "60,00", "40,00", true),
                                   fillUp("1.2.23", "10500", "60,00", "40,00", true)}),
                        vehicle()};
    EXPECT_THROW(broken.values(), EConvertError);
}

TEST(CostReport, CurrentValueIsAWholeAmountOfApreis) {
    TMlb2 v = vehicle("20000", "12000,60");
    EXPECT_EQ(currentVehicleValue(v), 12001);
    setCurrentVehicleValue(v, 9500);
    EXPECT_EQ(v.GetValue("apreis"), "9500");
    v.SetValue("apreis", "");
    EXPECT_EQ(currentVehicleValue(v), 0);
}

} // namespace
