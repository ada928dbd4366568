// The overview's rules: the listed trips, the summary of private and business kilometres, the
// period, the selection "zwischen", and what a double-click on a row leads to.

#include "logbook/logbook_overview.h"
#include "logbook_fixture.h"

#include <gtest/gtest.h>

namespace {

TMlb2 logbook(const std::vector<Trip>& trips) {
    TMlb2 t;
    t.LoadFromBytes(plainLogbook(trips));
    return t;
}

const Trip kPrivate{"01.12.2026", "01.12.2026", "1000 KM", "1010 KM", "privat"};
const Trip kBusiness{"02.12.2026",
                     "03.12.2026",
                     "1010",
                     "1030 KM",
                     "gesch\xE4"
                     "ftl.",
                     "",
                     "Berlin",
                     "Potsdam",
                     "Werder"};
const Trip kHome{"04.12.2026", "04.12.2026", "1030 KM", "1060 KM", "wohn"};

TEST(Overview, EmptyLogbookShowsOneEmptyRowAndNoSummary) {
    TMlb2 empty;
    makeEmptyLogbook(empty);
    const LogbookListing listing = rechne(empty, {});
    EXPECT_TRUE(listing.emptyRow);
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_EQ(listing.summary, QStringLiteral("-\r-\r-\r-"));
}

TEST(Overview, CellsAndSummaryOfAllEntries) {
    const LogbookListing listing = rechne(logbook({kPrivate, kBusiness, kHome}), {});
    ASSERT_EQ(listing.rows.size(), 3u);
    EXPECT_FALSE(listing.emptyRow);
    const auto& b = listing.rows[1].cells;
    EXPECT_EQ(b[NumberColumn], QStringLiteral("2"));
    EXPECT_EQ(b[KindColumn], QStringLiteral("geschäftl."));
    EXPECT_EQ(b[DriverColumn], QStringLiteral("Max\r02.12.2026, 08:00 Uhr -\r03.12.2026, 09:00 Uhr"));
    EXPECT_EQ(b[RouteColumn], QStringLiteral("Berlin -> Werder -> Potsdam\rZweck: Kunde\rBesucht: Firma"));
    EXPECT_EQ(b[OdometerColumn], QStringLiteral("1010\r1030 KM\r20"));
    EXPECT_EQ(listing.rows[2].cells[KindColumn], QStringLiteral("Wohnung\rArbeit"));
    // Without a route the arrow before it is left out.
    EXPECT_EQ(listing.rows[0].cells[RouteColumn], QStringLiteral("Berlin -> Potsdam\rZweck: Kunde\rBesucht: Firma"));
    EXPECT_EQ(listing.summary, QStringLiteral("01.12.2026 - 04.12.2026\r60\r10\r50"));
}

TEST(Overview, DeactivatedEntriesAreListedButNotSummedAndShortenThePeriod) {
    Trip lastOff = kHome;
    lastOff.daktiv = "j";
    Trip firstOff = kPrivate;
    firstOff.daktiv = "j";
    const LogbookListing listing = rechne(logbook({firstOff, kBusiness, lastOff}), {});
    ASSERT_EQ(listing.rows.size(), 3u);
    EXPECT_TRUE(listing.rows[2].deactivated);
    EXPECT_EQ(listing.rows[2].cells[KindColumn], QStringLiteral("deaktiv\rWohnung\rArbeit"));
    EXPECT_EQ(listing.rows[0].cells[KindColumn], QStringLiteral("deaktiv\rprivat"));
    EXPECT_EQ(listing.summary, QStringLiteral("02.12.2026 - 03.12.2026\r20\r0\r20"));
}

TEST(Overview, BetweenListsTheTripsWithinThePeriodByTheirOwnNumbers) {
    const TMlb2 t = logbook({kPrivate, kBusiness, kHome});
    // The business trip starts before the from-date and ends inside: not listed.
    LogbookListing listing = rechne(t, {true, QDate(2026, 12, 3), QDate(2026, 12, 31)});
    ASSERT_EQ(listing.rows.size(), 1u);
    EXPECT_EQ(listing.rows[0].cells[NumberColumn], QStringLiteral("3"));
    EXPECT_EQ(listing.summary, QStringLiteral("03.12.2026 - 31.12.2026\r30\r0\r30"));

    listing = rechne(t, {true, QDate(2026, 11, 1), QDate(2026, 11, 30)});
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_FALSE(listing.emptyRow); // only the title row
    EXPECT_EQ(listing.summary, QStringLiteral("01.11.2026 - 30.11.2026\r0\r0\r0"));
}

TEST(Overview, DistancesAreWholeNumbersAtAnySizeAndSumsRoundHalvesToEven) {
    EXPECT_EQ(distanceText(20), QStringLiteral("20"));
    EXPECT_EQ(distanceText(9999), QStringLiteral("9999"));
    EXPECT_EQ(distanceText(10000), QStringLiteral("10000"));
    EXPECT_EQ(distanceText(123456), QStringLiteral("123456"));
    const LogbookListing listing = rechne(logbook({{"01.12.2026", "01.12.2026", "0", "2,5", "privat"},
                                                   {"01.12.2026", "01.12.2026", "10", "13,5", "privat"},
                                                   {"01.12.2026", "01.12.2026", "0", "25000", "wohn"}}),
                                          {});
    EXPECT_EQ(listing.summary, QStringLiteral("01.12.2026 - 01.12.2026\r25006\r6\r25000"));
    EXPECT_EQ(listing.rows[2].cells[OdometerColumn], QStringLiteral("0\r25000\r25000"));
}

TEST(Deactivation, OnlyTheLastActiveEntryAndOnlyWithAllEntries) {
    Trip off = kHome;
    off.daktiv = "j";
    const TMlb2 t = logbook({kPrivate, kBusiness, off});
    DeactivationStep step = deactivationStep(t, {}, QStringLiteral("2"));
    EXPECT_EQ(step.kind, DeactivationStep::Ask);
    EXPECT_EQ(step.tableRow, 2);
    EXPECT_EQ(step.message, QStringLiteral("Bestehende Einträge können nicht gelöscht oder editiert werden.\rMöchten "
                                           "Sie den Eintrag L.Nr. 2 als deaktiviert markieren ?"));
    for (const char* other : {"1", "3"}) {
        step = deactivationStep(t, {}, QString::fromLatin1(other));
        EXPECT_EQ(step.kind, DeactivationStep::NotTheLast) << other;
        EXPECT_EQ(step.message, QStringLiteral("Bestehende Einträge können nicht gelöscht oder editiert werden.\rNur "
                                               "der letzte Eintrag der Liste kann als deaktiviert markiert werden."));
    }
    step = deactivationStep(t, {true, QDate(2026, 1, 1), QDate(2026, 12, 31)}, QStringLiteral("2"));
    EXPECT_EQ(step.kind, DeactivationStep::Refused);
    EXPECT_EQ(step.message,
              QStringLiteral("Die Editierfunktion steht nur bei \"Auswahl: Alle Einträge\" zur Verfügung."));
    EXPECT_EQ(deactivationStep(t, {}, QString()).kind, DeactivationStep::Nothing); // the empty row
}

} // namespace
