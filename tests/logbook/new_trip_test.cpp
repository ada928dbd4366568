// The rules of a new trip: the eight checks of "OK" in their order, the start taken from the last
// active entry, and the row it becomes.

#include "logbook/new_trip.h"
#include "logbook_fixture.h"

#include <gtest/gtest.h>

namespace {

TripInput valid() {
    TripInput in;
    in.departureDate = in.arrivalDate = QDate(2026, 12, 10);
    in.departureTime = QTime(14, 0);
    in.arrivalTime = QTime(15, 0);
    in.odometerStart = QStringLiteral("12400 KM");
    in.odometerEnd = QStringLiteral("12450 KM");
    in.from = QStringLiteral("Berlin");
    in.to = QStringLiteral("Potsdam");
    in.purpose = QStringLiteral("Kundenbesuch");
    in.visited = QStringLiteral("Firma Meier");
    in.driver = QStringLiteral("Max");
    in.kind = TripKind::Business;
    return in;
}

struct CheckCase {
    const char* name;
    void (*change)(TripInput&);
    std::optional<TripField> refused;
    const char* message = "";
};

class TripChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(TripChecks, FirstFailingCheckWithItsMessageAndField) {
    TripInput in = valid();
    GetParam().change(in);
    const std::optional<TripInputError> error = checkTripInput(in);
    if (!GetParam().refused) {
        EXPECT_FALSE(error) << error->message.toStdString();
        return;
    }
    ASSERT_TRUE(error);
    EXPECT_EQ(error->focus, *GetParam().refused);
    EXPECT_EQ(error->message, QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, TripChecks,
    testing::Values(
        CheckCase{"Valid", [](TripInput&) {}, std::nullopt},
        CheckCase{
            "ArrivalDayBeforeDeparture",
            [](TripInput& in) {
                in.arrivalDate = in.departureDate.addDays(-1);
                in.driver.clear(); // a later check is not reached
            },
            TripField::ArrivalDate,
            "Das Ankunftsdatum darf nicht früher als das Abfahrtsdatum sein.\rBitte Korrigieren Sie Ihre Angaben"},
        CheckCase{"SameDayArrivalTimeEarlier",
                  [](TripInput& in) {
                      in.arrivalTime = QTime(13, 0);
                      in.odometerEnd = in.odometerStart;
                  },
                  TripField::ArrivalTime,
                  "Die Ankunftszeit darf nicht früher als die Abfahrtszeit sein.\rBitte Korrigieren Sie Ihre Angaben"},
        CheckCase{"NextDayEarlierTimeIsFine",
                  [](TripInput& in) {
                      in.arrivalDate = in.arrivalDate.addDays(1);
                      in.arrivalTime = QTime(13, 0);
                  },
                  std::nullopt},
        CheckCase{"OdometerEndEqualToStart", [](TripInput& in) { in.odometerEnd = QStringLiteral("12400"); },
                  TripField::OdometerEnd,
                  "Der Wert im Feld \"Tacho-Ende\" darf nicht gleich oder kleiner als der im Feld \"Tacho-Anfang\" "
                  "sein.\rBitte Korrigieren Sie Ihre Angaben"},
        CheckCase{"BusinessWithoutFrom", [](TripInput& in) { in.from.clear(); }, TripField::From,
                  "Das Feld \"Von\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben"},
        CheckCase{"HomeWorkWithoutTo",
                  [](TripInput& in) {
                      in.kind = TripKind::HomeWork;
                      in.to.clear();
                  },
                  TripField::To, "Das Feld \"Nach\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben"},
        CheckCase{"HomeWorkNeedsNoPurposeNorVisited",
                  [](TripInput& in) {
                      in.kind = TripKind::HomeWork;
                      in.purpose.clear();
                      in.visited.clear();
                  },
                  std::nullopt},
        CheckCase{"BusinessWithoutPurpose", [](TripInput& in) { in.purpose.clear(); }, TripField::Purpose,
                  "Das Feld \"Zweck\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben"},
        CheckCase{"BusinessWithoutVisited", [](TripInput& in) { in.visited.clear(); }, TripField::Visited,
                  "Das Feld \"Besucht\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben"},
        CheckCase{"PrivateWithEmptyPlacesIsFine",
                  [](TripInput& in) {
                      in.kind = TripKind::Private;
                      in.from.clear();
                      in.to.clear();
                      in.purpose.clear();
                      in.visited.clear();
                  },
                  std::nullopt},
        CheckCase{"PrivateWithoutDriver",
                  [](TripInput& in) {
                      in.kind = TripKind::Private;
                      in.driver.clear();
                  },
                  TripField::Driver, "Das Feld \"Fahrer\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(TripStart, ComesFromTheLastActiveEntry) {
    TMlb2 trips;
    trips.LoadFromBytes(
        plainLogbook({{"01.12.2026", "01.12.2026", "100 KM", "200 KM", "privat", "", "A", "B"},
                      {"02.12.2026", "02.12.2026", "200 KM", "300 KM", "privat", "j", "B", "C"},
                      {"03.12.2026", "03.12.2026", "300 KM", "12400 KM", "privat", "", "C", "Hamburg"}}));
    std::optional<TripStart> start = tripStart(trips);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->odometer, QStringLiteral("12400 KM"));
    EXPECT_EQ(start->place, QStringLiteral("Hamburg"));
    EXPECT_EQ(odometerNumber(start->odometer) + 1, 12401);

    // Entry 3 deactivated too: entry 1 is the last active one; none active: no start.
    trips.GoToRow(3);
    trips.SetValue("daktiv", "j");
    EXPECT_EQ(tripStart(trips)->place, QStringLiteral("B"));
    trips.GoToRow(1);
    trips.SetValue("daktiv", "j");
    EXPECT_FALSE(tripStart(trips));
}

TEST(TripRow, HoldsTheInputAsStoredWithItsNumberAndThePlate) {
    TMlb2 trips;
    makeEmptyLogbook(trips);
    TripInput in = valid();
    in.departureTime = QTime(7, 5, 59); // the seconds are cut off
    in.via = QStringLiteral("Werder");
    appendTripRow(trips, in, "B-XY 1");
    in.kind = TripKind::HomeWork;
    appendTripRow(trips, in, "B-XY 1");
    in.kind = TripKind::Private;
    in.driver = QStringLiteral("Max\x1A Müller"); // pasted with a control character
    appendTripRow(trips, in, "B-XY 1");
    EXPECT_EQ(trips.ToBytes(), kTripHeader +
                                   "1;10.12.2026;10.12.2026;07:05;15:00;12400 KM;12450 KM;Berlin;Werder;Potsdam;"
                                   "Kundenbesuch;Firma Meier;gesch\xE4"
                                   "ftl.;Max;B-XY 1;\r\n"
                                   "2;10.12.2026;10.12.2026;07:05;15:00;12400 KM;12450 KM;Berlin;Werder;Potsdam;"
                                   "Kundenbesuch;Firma Meier;wohn;Max;B-XY 1;\r\n"
                                   "3;10.12.2026;10.12.2026;07:05;15:00;12400 KM;12450 KM;Berlin;Werder;Potsdam;"
                                   "Kundenbesuch;Firma Meier;privat;Max M\xFCller;B-XY 1;\r\n");
}

} // namespace
