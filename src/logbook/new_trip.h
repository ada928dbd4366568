#pragma once
// What a new trip needs: its input, the checks of "OK" in their order, the start values taken
// from the previous entry, and the row it becomes.

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>
#include <string_view>

class TMlb2;

enum class TripKind { Private, Business, HomeWork };

struct TripInput {
    QDate departureDate, arrivalDate;
    QTime departureTime, arrivalTime;
    // The texts of the odometer fields ("12345 KM").
    QString odometerStart, odometerEnd;
    QString from, via, to, purpose, visited, driver;
    TripKind kind = TripKind::Private;
};

// The field a refused input puts the focus into.
enum class TripField { ArrivalDate, ArrivalTime, OdometerEnd, From, To, Purpose, Visited, Driver };
struct TripInputError {
    QString message; // exactly as shown; "\r" is a line break
    TripField focus;
};
// The first check that fails, or nullopt.
std::optional<TripInputError> checkTripInput(const TripInput& input);

// Where the previous trip ended: the "tacho2" and "nach" of the last active entry.
struct TripStart {
    QString odometer, place;
};
std::optional<TripStart> tripStart(const TMlb2& trips);
// The number of an odometer text ("12400 KM" gives 12400).
long long odometerNumber(const QString& text);

// Appends the row of `input` to the logbook; "nr" is the number of rows after the append,
// "kfznummer" the vehicle's plate (Windows-1252 bytes).
void appendTripRow(TMlb2& trips, const TripInput& input, std::string_view plate);

// The question asked before a new entry is saved, when the setting says so.
inline const QString kConfirmNewTrip =
    QStringLiteral("Einträge können nachträglich nicht gelöscht oder editiert werden.\rMöchten Sie den neuen "
                   "Eintrag jetzt speichern ? ");
