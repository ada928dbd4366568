#include "logbook/new_trip.h"

#include "core/field_names.h"
#include "logbook/logbook_files.h"
#include "store/code_page.h"
#include "store/mlb2.h"
#include "store/number_text.h"

#include <cmath>

namespace {

QString emptyFieldMessage(const char* label) {
    return QStringLiteral("Das Feld \"%1\" darf nicht leer sein.\rBitte korrigieren Sie Ihre Angaben")
        .arg(QString::fromUtf8(label));
}

std::string_view storedKind(TripKind kind) {
    switch (kind) {
    case TripKind::Business:
        return kTripBusiness;
    case TripKind::HomeWork:
        return kTripHomeWork;
    case TripKind::Private:
        break;
    }
    return kTripPrivate;
}

std::string typed(const QString& text) {
    return fromTyped(text, TypedText::OneLine);
}

} // namespace

long long odometerNumber(const QString& text) {
    const double value = TextToFloat(fromDisplay(text));
    return std::isfinite(value) ? std::llround(value) : 0;
}

std::optional<TripInputError> checkTripInput(const TripInput& in) {
    if (in.departureDate > in.arrivalDate)
        return TripInputError{QStringLiteral("Das Ankunftsdatum darf nicht früher als das Abfahrtsdatum sein.\rBitte "
                                             "Korrigieren Sie Ihre Angaben"),
                              TripField::ArrivalDate};
    // On a later day an earlier arrival time is fine.
    if (in.departureDate == in.arrivalDate && in.departureTime > in.arrivalTime)
        return TripInputError{QStringLiteral("Die Ankunftszeit darf nicht früher als die Abfahrtszeit sein.\rBitte "
                                             "Korrigieren Sie Ihre Angaben"),
                              TripField::ArrivalTime};
    if (odometerNumber(in.odometerEnd) <= odometerNumber(in.odometerStart))
        return TripInputError{
            QStringLiteral("Der Wert im Feld \"Tacho-Ende\" darf nicht gleich oder kleiner als der im "
                           "Feld \"Tacho-Anfang\" sein.\rBitte Korrigieren Sie Ihre Angaben"),
            TripField::OdometerEnd};
    const bool business = in.kind == TripKind::Business;
    const bool placesRequired = in.kind != TripKind::Private;
    if (placesRequired && in.from.isEmpty()) return TripInputError{emptyFieldMessage("Von"), TripField::From};
    if (placesRequired && in.to.isEmpty()) return TripInputError{emptyFieldMessage("Nach"), TripField::To};
    if (business && in.purpose.isEmpty()) return TripInputError{emptyFieldMessage("Zweck"), TripField::Purpose};
    if (business && in.visited.isEmpty()) return TripInputError{emptyFieldMessage("Besucht"), TripField::Visited};
    if (in.driver.isEmpty()) return TripInputError{emptyFieldMessage("Fahrer"), TripField::Driver};
    return std::nullopt;
}

std::optional<TripStart> tripStart(const TMlb2& trips) {
    const int row = lastActiveEntry(trips);
    if (row == 0) return std::nullopt;
    return TripStart{toDisplay(trips.ViewAt(row, trips.FieldIndex(field::tacho2))),
                     toDisplay(trips.ViewAt(row, trips.FieldIndex(field::nach)))};
}

void appendTripRow(TMlb2& trips, const TripInput& in, std::string_view plate) {
    trips.AppendRow();
    const auto time = [](const QTime& t) { return t.toString(QStringLiteral("hh:mm:ss")).left(5).toStdString(); };
    const std::pair<std::string_view, std::string> values[] = {
        {field::nr, std::to_string(trips.RowCount())},
        {field::dat1, in.departureDate.toString(QStringLiteral("dd.MM.yyyy")).toStdString()},
        {field::dat2, in.arrivalDate.toString(QStringLiteral("dd.MM.yyyy")).toStdString()},
        {field::zeit1, time(in.departureTime)},
        {field::zeit2, time(in.arrivalTime)},
        {field::tacho1, typed(in.odometerStart)},
        {field::tacho2, typed(in.odometerEnd)},
        {field::von, typed(in.from)},
        {field::ueber, typed(in.via)},
        {field::nach, typed(in.to)},
        {field::zweck, typed(in.purpose)},
        {field::besucht, typed(in.visited)},
        {field::art, std::string(storedKind(in.kind))},
        {field::fahrer, typed(in.driver)},
        {field::kfznummer, std::string(plate)},
        {field::daktiv, std::string()},
    };
    for (const auto& [name, value] : values) trips.SetValue(name, value);
}
