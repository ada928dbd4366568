#pragma once
// The logbook overview's rules: the listed trips and their summary (rechne), and what a
// double-click on a row leads to.

#include <QDate>
#include <QString>

#include <array>
#include <vector>

class TMlb2;

// "Auswahl": all entries, or those "zwischen" a from-date "und" a to-date.
struct LogbookSelection {
    bool between = false;
    QDate from, to;
};

enum LogbookColumn { NumberColumn, KindColumn, DriverColumn, RouteColumn, OdometerColumn, LogbookColumnCount };
inline const std::array<QString, LogbookColumnCount> kLogbookColumnTitles = {
    QStringLiteral("L.Nr."), QStringLiteral("Art"), QStringLiteral("Name, Datum, Zeit"),
    QStringLiteral("Start, (Route), Ziel, Zweck, Besucht"), QStringLiteral("Start,Stop Strecke")};

// One listed trip: its five cells, the lines of each separated by "\r".
struct LogbookListRow {
    std::array<QString, LogbookColumnCount> cells;
    bool deactivated = false;
    int tableRow = 0;
};

struct LogbookListing {
    std::vector<LogbookListRow> rows;
    // An empty logbook is shown as one empty row.
    bool emptyRow = true;
    // The four summary values, joined by "\r".
    QString summary;
    long long privateKm = 0, businessKm = 0;
};

// The summary before anything is computed.
inline const QString kNoSummary = QStringLiteral("-\r-\r-\r-");
// The summary captions, one per line.
inline const QString kSummaryCaptions =
    QStringLiteral("Angezeigter Zeitraum:\rwährend dieser Zeit gefahrene KM :\rdavon privat :\rdavon geschäftlich :");

// The list and summary of the overview for `trips` and the selection.
LogbookListing rechne(const TMlb2& trips, const LogbookSelection& selection);
// A trip's distance as the list shows it: a whole number, to four digits of precision below 10 000.
QString distanceText(double kilometres);

// What a double-click on a row with the "L.Nr." text `number` leads to.
struct DeactivationStep {
    enum Kind { Nothing, Refused, NotTheLast, Ask } kind = Nothing;
    QString message;  // for Refused, NotTheLast and Ask
    int tableRow = 0; // for Ask: the entry to deactivate
};
DeactivationStep deactivationStep(const TMlb2& trips, const LogbookSelection& selection, const QString& number);

// The question before the whole logbook is deleted.
inline const QString kDeleteLogbookTitle = QStringLiteral("Fahrtenbuch löschen");
inline const QString kDeleteLogbookInstruction = QStringLiteral("Klicken Sie Ja nur wenn Sie sicher sind.");
inline const QString kDeleteLogbookQuestion = QStringLiteral("Möchten Sie alle Fahrtenbucheinträge löschen ?");
