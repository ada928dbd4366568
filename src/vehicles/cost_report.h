#pragma once
// The written cost report (drawbericht): German sentences about everything recorded for the
// current vehicle, as plain paragraphs that the report window lays out, saves and prints.

#include "store/mlb2.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <vector>

// "Bericht zeigen" without a single fill-up.
inline constexpr QStringView kNoFuelRecordMessage =
    u"Es stehen nicht ausreichend Daten zur Erstellung des Berichts zur Verfügung. Es muß mindestens einmal "
    u"getankt worden sein!";
// The whole report of a vehicle with fewer than two records.
inline constexpr QStringView kTooFewRecordsText = u"Es sind nicht genügend Daten zu Erstellung des Berichts vorhanden.";
// What a figure that would divide by zero (all records on one day or at one reading) reads.
inline constexpr QStringView kNoFigure = u"–";

struct ReportParagraph {
    QString text; // a "\n" is a line break within the paragraph
    bool bold = false;
    int pointSize = 10;
    bool indent = false; // a first-line indent of kReportIndent points
    friend bool operator==(const ReportParagraph&, const ReportParagraph&) = default;
};
inline constexpr int kReportIndent = 10;

// The four figures of the statistics panel the report quotes, as the panel shows them ("197,20 ").
struct ReportPanelTexts {
    QString totalCosts, fuelCosts, otherCosts, consumption;
};

struct CostReportInput {
    const TMlb2& costs;    // the current vehicle's records, in their order
    const TMlb2& vehicles; // its current row is the vehicle
    ReportPanelTexts panel;
    int currentValue = 0; // "Aktueller Fahrzeugwert"
    int speed = 70;       // "Durchschnittsgeschwindigkeit", km/h
    QDate today;
};

// The values the sentences are made of, from one pass over the records.
struct CostReportValues {
    long long D = 0;     // days from the earliest to the latest date
    int K1 = 0, K2 = 0;  // lowest and highest odometer reading (rows without one are left out)
    int KD = 0;          // K2 - K1
    int NT = 0, NV = 0;  // fill-ups, full ones among them
    int NS = 0;          // other costs marked as service
    double LS = 0;       // litres (units) bought
    double P = 0, W = 0; // purchase price, current value
    double V = 70;       // average speed
    double G = 0;        // total costs of the panel + P - W
    double H = 0;        // KD / V, hours in the car
};

// The number of fill-ups ("art" = "t"); the report needs at least one.
int fuelRecordCount(const TMlb2& costs);
// The values; a date that is no "dd.mm.yyyy" or a reading that is no whole number throws
// EConvertError, as the panel does.
CostReportValues costReportValues(const CostReportInput& input);
// The paragraphs of the report; for fewer than two records the single sentence
// kTooFewRecordsText. Throws as costReportValues.
std::vector<ReportParagraph> drawbericht(const CostReportInput& input);

// "Aktueller Fahrzeugwert" from "apreis" of the current row: a whole amount.
int currentVehicleValue(const TMlb2& vehicles);
// Writes a new current value to "apreis" of the current row (in memory; kfzdata.csv gets it with
// the next save of the vehicle table).
void setCurrentVehicleValue(TMlb2& vehicles, int value);
