#include "vehicles/cost_report.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "records/cost_records.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr double kDaysPerYear = 365;
constexpr double kDaysPerMonth = 30.416;

QString fixed(double value, int precision, int digits) {
    return QString::fromStdString(FormatFixed(value, precision, digits));
}
// A figure that divides by `divisor`: the dash when that is zero.
QString fixedOver(double divisor, double value, int precision, int digits) {
    return divisor == 0 ? kNoFigure.toString() : fixed(value, precision, digits);
}
// A figure of the panel without its trailing blank; the dash when the panel shows none.
QString panelFigure(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? kNoFigure.toString() : trimmed;
}

ReportParagraph plain(QString text, bool indent = false) {
    return {std::move(text), false, 10, indent};
}

} // namespace

int fuelRecordCount(const TMlb2& costs) {
    const int art = costs.FieldIndex(field::art);
    int n = 0;
    for (int row = 1; row <= costs.RowCount(); ++row)
        if (costs.ViewAt(row, art) == "t") ++n;
    return n;
}

int currentVehicleValue(const TMlb2& vehicles) {
    const double value = TextToFloat(vehicles.GetValue(field::apreis));
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::clamp(std::round(value), -2147483647.0, 2147483647.0));
}

void setCurrentVehicleValue(TMlb2& vehicles, int value) {
    vehicles.SetValue(field::apreis, std::to_string(value));
}

CostReportValues costReportValues(const CostReportInput& input) {
    const TMlb2& costs = input.costs;
    CostReportValues v;
    const int datum = costs.FieldIndex(field::Datum), kmstnd = costs.FieldIndex(field::kmstnd),
              liter = costs.FieldIndex(field::liter), voll = costs.FieldIndex(field::voll),
              art = costs.FieldIndex(field::art), service = costs.FieldIndex(field::service);
    QDate earliest, latest;
    std::optional<int> lowest, highest;
    for (int row = 1; row <= costs.RowCount(); ++row) {
        const QDate date = StrToDate(costs.ViewAt(row, datum));
        if (!earliest.isValid() || date < earliest) earliest = date;
        if (!latest.isValid() || date > latest) latest = date;
        const std::string_view reading = costs.ViewAt(row, kmstnd);
        if (!reading.empty()) {
            const int km = StrToInt(reading);
            lowest = std::min(lowest.value_or(km), km);
            highest = std::max(highest.value_or(km), km);
        }
        const std::string_view kind = costs.ViewAt(row, art);
        if (kind == "t") {
            ++v.NT;
            if (costs.ViewAt(row, voll) == "ja") ++v.NV;
            v.LS += TextToFloat(costs.ViewAt(row, liter));
        } else if (kind == "s" && costs.ViewAt(row, service) == "ja") {
            ++v.NS;
        }
    }
    if (earliest.isValid()) v.D = earliest.daysTo(latest);
    v.K1 = lowest.value_or(0);
    v.K2 = highest.value_or(0);
    v.KD = v.K2 - v.K1;
    v.P = TextToFloat(input.vehicles.GetValue(field::kpreis));
    v.W = input.currentValue;
    v.V = input.speed;
    v.G = TextToFloat(fromDisplay(input.panel.totalCosts)) + v.P - v.W;
    v.H = v.V > 0 ? v.KD / v.V : 0;
    return v;
}

std::vector<ReportParagraph> drawbericht(const CostReportInput& input) {
    if (input.costs.RowCount() < 2) return {plain(kTooFewRecordsText.toString())};
    const CostReportValues v = costReportValues(input);
    const TMlb2& vehicle = input.vehicles;
    const QString c = toDisplay(currencyName(vehicle.GetValue(field::waehr)));
    const QString u = toDisplay(unitName(vehicle.GetValue(field::kme)));
    const auto D = static_cast<double>(v.D);
    const auto KD = static_cast<double>(v.KD);
    const double P = v.P > 0 ? v.P : 1; // the loss of value of a vehicle bought for nothing

    std::vector<ReportParagraph> p;
    p.push_back({u"Wagenwart\nZusammenfassung für "_s + toDisplay(vehicle.GetValue(field::nummer)) + u" - "_s +
                     toDisplay(vehicle.GetValue(field::bez)),
                 true, 12, false});
    p.push_back(plain({}));
    p.push_back(plain(u"KOSTEN:"_s));
    p.push_back(plain(
        u"Die Erfassung von Daten über die entstandenen Kosten erstreckt sich über einen Zeitraum von "_s +
            QString::number(v.D) + u" Tagen. Das sind rund "_s + fixed(D / kDaysPerYear, 4, 1) + u" Jahre bzw. "_s +
            fixed(D / kDaysPerMonth, 4, 1) + u" Monate. "_s + u"Während dieser Zeit wurden "_s + QString::number(v.KD) +
            u" km gefahren und es entstanden Gesamtkosten von "_s + fixed(v.G, 9, 2) + u" "_s + c +
            u" die sich aus folgenden Einzelposten zusammensetzen :"_s,
        true));
    p.push_back(plain(panelFigure(input.panel.fuelCosts) + u" "_s + c + u" Treibstoffkosten, "_s +
                          panelFigure(input.panel.otherCosts) + u" "_s + c + u" Sonstige-Kosten und "_s + u" "_s +
                          fixed(v.P - v.W, 7, 2) + u" "_s + c + u" Wertverlust."_s,
                      true));
    p.push_back(plain(u"Hieraus ergeben sich umgerechnet Kosten in Höhe von "_s +
                          fixedOver(D, v.G / (D / kDaysPerYear), 9, 2) + u" "_s + c + u" pro Jahr, bzw. "_s +
                          fixedOver(D, v.G / (D / kDaysPerMonth), 9, 2) + u" "_s + c + u" pro Monat, bzw. "_s +
                          fixedOver(D, v.G / D, 9, 2) + u" "_s + c + u" pro Tag."_s,
                      true));
    p.push_back(
        plain(u"Die Gesamt-Kosten pro KM betragen somit "_s + fixedOver(KD, v.G / KD, 6, 3) + u" "_s + c, true));
    p.push_back(plain({}));
    p.push_back(plain(u"DIVERSE DATEN"_s));
    p.push_back(plain(u"Der Kauf-/Verkaufspreis beträgt : "_s + toDisplay(vehicle.GetValue(field::kpreis)) + u" "_s +
                          c + u" / "_s + fixed(v.W, 7, 2) + u" "_s + c + u"."_s,
                      true));
    p.push_back(plain(u"Das bedeutet einen Wertverlust von "_s + fixed(100 - v.W * 100 / P, 3, 1) + u" %"_s, true));
    p.push_back(plain(u"Erster erfasster Tachostand : "_s + QString::number(v.K1) + u" - Letzter : "_s +
                          QString::number(v.K2) + u" - Differenz : "_s + QString::number(v.KD),
                      true));
    p.push_back(plain(u"Dies ergibt eine Fahrleistung von "_s + fixedOver(D, KD / D * kDaysPerYear, 9, 1) +
                          u" KM pro Jahr, "_s + fixedOver(D, KD / D * kDaysPerMonth, 8, 1) + u" pro Monat bzw. "_s +
                          fixedOver(D, KD / D, 6, 1) + u" pro Tag."_s,
                      true));
    p.push_back(plain(u"Bei einer angenommenen Durchschnittsgeschwindigkeit von "_s +
                          QString::number(static_cast<int>(v.V)) + u" km/h haben Sie während der "_s +
                          u"o.a. Zeit insgesamt rund "_s + fixed(v.H / 24, 6, 1) + u" Tage, oder "_s +
                          fixed(v.H, 6, 1) + u" Stunden im Auto verbracht. "_s + u"Das sind umgerechnet "_s +
                          fixedOver(D, v.H * 60 / D, 6, 1) + u" Minuten täglich, bzw. "_s +
                          fixedOver(D, v.H / D * kDaysPerMonth, 4, 1) + u" Stunden monatlich oder "_s +
                          fixedOver(D, v.H / D * kDaysPerYear / 24, 4, 1) + u" Tage jährlich."_s,
                      true));
    p.push_back(plain(u"Es wurde "_s + QString::number(v.NT) + u" mal getankt (davon "_s + QString::number(v.NV) +
                          u" mal voll) "_s + u"und zwar insgesamt "_s + fixed(v.LS, 9, 1) + u" "_s + u + u". "_s +
                          u"Der Durchschnittsverbrauch pro 100 KM betrug "_s + panelFigure(input.panel.consumption) +
                          u" "_s + u + u"."_s,
                      true));
    p.push_back(plain(u"Es wurde "_s + QString::number(v.NS) + u" mal eine Service-Wartung durchgeführt."_s, true));
    p.push_back(plain({}));
    p.push_back(plain(u"-- "_s + input.today.toString(u"dd.MM.yyyy"_s) + u" --"_s));
    return p;
}
