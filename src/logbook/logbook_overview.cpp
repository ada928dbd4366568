#include "logbook/logbook_overview.h"

#include "core/field_names.h"
#include "logbook/logbook_files.h"
#include "store/code_page.h"
#include "store/mlb2.h"
#include "store/number_text.h"

#include <cmath>

namespace {

QDate dayOf(std::string_view text) {
    return QDate::fromString(toDisplay(text), QStringLiteral("dd.MM.yyyy"));
}

struct TripColumns {
    explicit TripColumns(const TMlb2& t)
        : nr(t.FieldIndex(field::nr)), dat1(t.FieldIndex(field::dat1)), dat2(t.FieldIndex(field::dat2)),
          zeit1(t.FieldIndex(field::zeit1)), zeit2(t.FieldIndex(field::zeit2)), tacho1(t.FieldIndex(field::tacho1)),
          tacho2(t.FieldIndex(field::tacho2)), von(t.FieldIndex(field::von)), ueber(t.FieldIndex(field::ueber)),
          nach(t.FieldIndex(field::nach)), zweck(t.FieldIndex(field::zweck)), besucht(t.FieldIndex(field::besucht)),
          art(t.FieldIndex(field::art)), fahrer(t.FieldIndex(field::fahrer)), daktiv(t.FieldIndex(field::daktiv)) {}
    int nr, dat1, dat2, zeit1, zeit2, tacho1, tacho2, von, ueber, nach, zweck, besucht, art, fahrer, daktiv;
};

LogbookListRow listRow(const TMlb2& t, const TripColumns& c, int row, double distance) {
    const auto v = [&](int column) { return toDisplay(t.ViewAt(row, column)); };
    LogbookListRow out;
    out.tableRow = row;
    out.deactivated = !t.ViewAt(row, c.daktiv).empty();
    const std::string_view art = t.ViewAt(row, c.art);
    QString kind = art == kTripHomeWork ? QStringLiteral("Wohnung\rArbeit") : toDisplay(art);
    if (out.deactivated) kind.prepend(QStringLiteral("deaktiv\r"));
    QString route = v(c.von);
    if (!t.ViewAt(row, c.ueber).empty()) route += QStringLiteral(" -> ") + v(c.ueber);
    route += QStringLiteral(" -> ") + v(c.nach);
    out.cells = {
        v(c.nr),
        kind,
        v(c.fahrer) + QStringLiteral("\r") + v(c.dat1) + QStringLiteral(", ") + v(c.zeit1) +
            QStringLiteral(" Uhr -\r") + v(c.dat2) + QStringLiteral(", ") + v(c.zeit2) + QStringLiteral(" Uhr"),
        route + QStringLiteral("\rZweck: ") + v(c.zweck) + QStringLiteral("\rBesucht: ") + v(c.besucht),
        v(c.tacho1) + QStringLiteral("\r") + v(c.tacho2) + QStringLiteral("\r") + distanceText(distance),
    };
    return out;
}

} // namespace

QString distanceText(double kilometres) {
    // Four digits of precision would turn 10 000 km and more into an exponent.
    const int precision = std::fabs(kilometres) >= 9999.5 ? 15 : 4;
    return QString::fromLatin1(FormatFixed(kilometres, precision, 0));
}

LogbookListing rechne(const TMlb2& t, const LogbookSelection& selection) {
    LogbookListing listing;
    listing.summary = kNoSummary;
    if (t.IsEmpty()) return listing;
    listing.emptyRow = false;
    const TripColumns c(t);
    const std::string_view privat = kTripPrivate;
    for (int row = 1; row <= t.RowCount(); ++row) {
        if (selection.between) {
            const QDate start = dayOf(t.ViewAt(row, c.dat1)), end = dayOf(t.ViewAt(row, c.dat2));
            if (!start.isValid() || !end.isValid() || start < selection.from || end > selection.to) continue;
        }
        const double distance = TextToFloat(t.ViewAt(row, c.tacho2)) - TextToFloat(t.ViewAt(row, c.tacho1));
        LogbookListRow listed = listRow(t, c, row, distance);
        if (!listed.deactivated) {
            // The whole number nearest to the distance, halves to the even neighbour.
            const auto km = static_cast<long long>(std::nearbyint(distance));
            (t.ViewAt(row, c.art) == privat ? listing.privateKm : listing.businessKm) += km;
        }
        listing.rows.push_back(std::move(listed));
    }
    QString period;
    if (selection.between) {
        period = selection.from.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" - ") +
                 selection.to.toString(QStringLiteral("dd.MM.yyyy"));
    } else {
        int first = 1, last = t.RowCount();
        while (first < t.RowCount() && !t.ViewAt(first, c.daktiv).empty()) ++first;
        while (last > 1 && !t.ViewAt(last, c.daktiv).empty()) --last;
        period = toDisplay(t.ViewAt(first, c.dat1)) + QStringLiteral(" - ") + toDisplay(t.ViewAt(last, c.dat2));
    }
    listing.summary = period + QStringLiteral("\r") + QString::number(listing.privateKm + listing.businessKm) +
                      QStringLiteral("\r") + QString::number(listing.privateKm) + QStringLiteral("\r") +
                      QString::number(listing.businessKm);
    return listing;
}

DeactivationStep deactivationStep(const TMlb2& trips, const LogbookSelection& selection, const QString& number) {
    DeactivationStep step;
    if (selection.between) {
        step.kind = DeactivationStep::Refused;
        step.message = QStringLiteral("Die Editierfunktion steht nur bei \"Auswahl: Alle Einträge\" zur Verfügung.");
        return step;
    }
    bool ok = false;
    const int selected = number.trimmed().toInt(&ok);
    if (!ok) return step; // the empty row of an empty list
    const int row = lastActiveEntry(trips);
    const QString prefix = QStringLiteral("Bestehende Einträge können nicht gelöscht oder editiert werden.\r");
    bool isNumber = false;
    const int lastNumber = toDisplay(trips.ViewAt(row, trips.FieldIndex(field::nr))).trimmed().toInt(&isNumber);
    if (row > 0 && isNumber && lastNumber == selected) {
        step.kind = DeactivationStep::Ask;
        step.tableRow = row;
        step.message = prefix + QStringLiteral("Möchten Sie den Eintrag L.Nr. ") +
                       toDisplay(trips.ViewAt(row, trips.FieldIndex(field::nr))) +
                       QStringLiteral(" als deaktiviert markieren ?");
        return step;
    }
    step.kind = DeactivationStep::NotTheLast;
    step.message = prefix + QStringLiteral("Nur der letzte Eintrag der Liste kann als deaktiviert markiert werden.");
    return step;
}
