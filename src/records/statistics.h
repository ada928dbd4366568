#pragma once
// The statistics panel of the main window (UpdateDisplay): twelve figures about the current
// vehicle, six hints and the seven captions that carry the vehicle's unit and currency.

#include "store/mlb2.h"

#include <QString>

// The captions that name the vehicle's unit or currency, for a vehicle in litres and euros:
// "Ø Verbr. (L/100 KM)", "Gesamtkosten (€)", ... An unknown index gives an empty name:
// "Ø Verbr. (/100 KM)".
struct PanelCaptions {
    QString consumption;    // "Ø Verbr. (" unit "/100 KM)"
    QString totalCosts;     // "Gesamtkosten (" currency ")"
    QString fuelCosts;      // "Kraftstoffkosten (" currency ")"
    QString otherCosts;     // "Sonstige Kosten (" currency ")"
    QString costsPerKm;     // "Kosten / KM (" currency ")"
    QString fuelCostsPerKm; // "Kraftstoffkosten / KM (" currency ")"
    QString costsPerMonth;  // "Kosten / Monat (" currency ")"

    friend bool operator==(const PanelCaptions&, const PanelCaptions&) = default;
};

// What the panel shows. Every number is followed by one blank ("7,00 "); a figure that cannot be
// computed is the empty text. A hint accompanies only a figure that is shown: while a figure is
// empty (an empty record table, no two distinct full fill-ups) its hint is empty as well.
struct StatisticsPanel {
    QString odometer;       // "Tachostand (KM)": the highest reading, 0 when none is above 1
    QString consumption;    // "Durchschn. Verbrauch", per 100 km
    QString range;          // "Reichweite (KM)"
    QString totalCosts;     // "Gesamtkosten"
    QString fuelCosts;      // "Kraftstoffkosten"
    QString otherCosts;     // "Sonstige Kosten"
    QString costsPerKm;     // "Kosten / KM"
    QString fuelCostsPerKm; // "Kraftstoffkosten / KM"
    QString costsPerMonth;  // "Kosten / Monat"
    QString nextHu;         // "Nächster TÜV": master "tuev"
    QString nextAu;         // "Nächste AU": master "au"
    QString nextService;    // "Nächster Service": master "instdat"

    QString fuelCostsHint;      // "Anzahl der Tankeingaben : " n
    QString otherCostsHint;     // "Anzahl der Sonstigen-Eingaben : " n
    QString costsPerKmHint;     // "Gefahrene Kilometer : " distance
    QString fuelCostsPerKmHint; // "Gefahrene Kilometer : " distance
    QString costsPerMonthHint;  // "Erfasste Tage : " days
    QString nextServiceHint;    // master "instkm" as stored

    PanelCaptions captions;

    friend bool operator==(const StatisticsPanel&, const StatisticsPanel&) = default;
};

// The captions for the current row of `vehicles` ("kme", "waehr").
PanelCaptions panelCaptions(const TMlb2& vehicles);

// Everything the panel shows, from the record table (in its order) and the current row of
// `vehicles`. Reads "preis", "liter" and "tinh" with StrToFloat, "kmstnd" with StrToInt and
// "Datum" with StrToDate; a value they cannot read throws EConvertError and nothing is returned.
// A range that would divide by a quantity of 0 (possible only in a hand-edited file) is empty.
StatisticsPanel computeStatistics(const TMlb2& costs, const TMlb2& vehicles);
