#pragma once
// The rules of the data generation dialog (TForm16): a fill-up that was never recorded is made up
// from the vehicle's averages. The user fills the tank to full and enters the odometer reading; the
// quantity and the price used since the last full fill-up are estimated from the figures
// "Durchschn. Verbrauch" and "Kraftstoffkosten / KM" as the statistics panel shows them, and stored
// as one full fill-up dated today.

#include "core/app_state.h"
#include "store/mlb2.h"

#include <QString>
#include <QStringList>

#include <optional>

inline const QString kDataGenerationBanner = QStringLiteral("Daten generieren");
// The information text at the top of the dialog, line by line.
inline const QStringList kDataGenerationInfo = {
    QStringLiteral("Falls Sie versäumt haben Tankdaten zu erfassen, können Sie anhand der "),
    QStringLiteral("Durchschnittswerte Daten generieren. Tanken Sie hierzu voll und geben "),
    QStringLiteral("Sie hier in diesem Dialog den aktuellen Tachostand ein."),
    QString(),
    QStringLiteral("Das Programm errechnet dann aufgrund der schon vorhandenen Daten "),
    QStringLiteral("eine geschätzte Tankmenge und den entsprechenden Preis."),
};
// Shown in the dialog where no estimate can be stored.
inline const QString kNoAveragesNote =
    QStringLiteral("Es liegen noch keine Durchschnittswerte vor: dafür sind mindestens zwei Volltankungen nötig.");
inline const QString kNotPositiveNote =
    QStringLiteral("Die errechnete Tankmenge oder der errechnete Preis ist nicht größer als 0.");

// What the dialog finds in the record table when it becomes active.
struct GenerationBase {
    int latestReading = 0;      // "kmstnd" of the last fuel record in table order, full or not
    int lastFullReading = 0;    // "kmstnd" of the last full fill-up
    double partialQuantity = 0; // "liter" of the partial fill-ups after the last full one
};

// Walks the record table backwards from its last row until the last full fill-up.
GenerationBase findGenerationBase(const TMlb2& costs);

// The two panel figures as shown ("7,00 ", "0,098 ", or empty), read strictly; nullopt for a
// figure that is no number: then there is no estimate.
struct Averages {
    std::optional<double> consumption;   // "Durchschn. Verbrauch", per 100 km
    std::optional<double> fuelCostPerKm; // "Kraftstoffkosten / KM"
};
Averages readAverages(const QString& consumptionText, const QString& fuelCostPerKmText);

// What the three computed fields show for a reading, and whether "OK" may store it.
struct GenerationEstimate {
    bool storable = false;                         // "OK" enabled
    int distance = 0;                              // "Strecke seit dem letzten Volltanken"
    double quantity = 0;                           // "Errechnete Tankmenge", the value of quantityText
    double price = 0;                              // "Errechneter Preis", the value of priceText
    QString quantityText = QStringLiteral("0,00"); // two decimals, comma: what is stored as "liter"
    QString priceText = QStringLiteral("0,00");    // likewise as "preis"
    QString note; // why a reading above the latest one cannot be stored; empty otherwise
};

// The input rule, applied at every change of "Tachostand". A reading not above the latest one
// gives zeros and no "OK". Otherwise distance = reading - last full reading, quantity = distance x
// consumption / 100 - partial quantity, and the price is that quantity at the average price per
// unit the two figures give (fuel cost per km x 100 / consumption). Without both figures, or with a
// quantity or price of 0 or less, the values are shown but cannot be stored (see `note`).
GenerationEstimate estimateFillUp(const GenerationBase& base, const Averages& averages, int reading);

// "OK": appends the full fill-up dated today with the estimate's texts, then sorts CostTable by
// "kmstnd". Nothing is appended for an estimate that is not storable; false then.
bool appendGeneratedFillUp(AppState& state, int reading, const GenerationEstimate& estimate);
