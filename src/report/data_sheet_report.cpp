#include "report/data_sheet_report.h"

#include "store/mlb2.h"
#include "vehicles/vehicle_management.h"

#include <QLocale>

namespace {

// A caption of the left box (right edge at 223) or of the right boxes (511), and the value beside
// it (left at 229 or 517), 16 high, at the caption's top.
ControlPlan leftCaption(const QString& caption, int top) {
    return captionEndingAt(caption, 223, top, arial(13));
}
ControlPlan rightCaption(const QString& caption, int top) {
    return captionEndingAt(caption, 511, top, arial(13));
}
ControlPlan leftValue(const QString& name, int top) {
    return dataField(name, {229, top, 0, 16}, taLeftJustify, arial(13, Bold));
}
ControlPlan rightValue(const QString& name, int top) {
    return dataField(name, {517, top, 0, 16}, taLeftJustify, arial(13, Bold));
}

} // namespace

const LayoutPlan& dataSheetLayout() {
    static const LayoutPlan layout{
        QStringLiteral("TfrmSglvw"),
        reportSettings(alr_Portrait, alr_A4, 15, 12),
        {
            // Taller than a page: its content ends at 481, and it is drawn from the top of the first page.
            band(alr_Title, 1908,
                 {
                     // frames
                     shape(alr_Rectangle, {352, 263, 297, 164}, kSilver),             // settings box
                     shape(alr_Rectangle, {352, 128, 297, 129}, kSilver),             // maintenance box
                     shape(alr_Rectangle, {40, 128, 297, 299}, kSilver),              // vehicle data box
                     shape(alr_Rectangle, {40, 128, 297, 18}, Qt::black, Qt::white),  // its title bar
                     shape(alr_Rectangle, {40, 70, 609, 43}, Qt::black, Qt::white),   // heading box
                     shape(alr_Rectangle, {352, 128, 297, 18}, Qt::black, Qt::white), // title bar, maintenance
                     shape(alr_Rectangle, {352, 263, 297, 18}, Qt::black, Qt::white), // title bar, settings
                                                                                      // heading and section titles
                     label("Fahrzeugnummer / Bezeichnung", {53, 73, 0, 15}, taLeftJustify, arial(12)),
                     dataField("AlField2", {53, 92, 0, 18}, taLeftJustify, arial(15, Bold)),
                     label("Druckdatum:", {504, 76, 0, 14}, taLeftJustify, arial(11)),
                     sysField(alr_Date, {576, 76, 0, 14}, taLeftJustify, arial(11)),
                     label("Fahrzeugdaten", {53, 129, 0, 15}, taLeftJustify, arial(12)),
                     label("Wartungsdaten", {365, 129, 0, 15}, taLeftJustify, arial(12)),
                     label("Einstellungen", {365, 266, 0, 15}, taLeftJustify, arial(12)),
                     // caption and value pairs, from the top
                     leftCaption("Bruttoanschaffungspreis :", 160),
                     leftValue("AlField9", 160),
                     rightCaption("Nächster TÜV :", 160),
                     rightValue("AlField18", 160),
                     leftCaption("Anschaffungsdatum :", 182),
                     leftValue("AlField10", 182),
                     rightCaption("Nächste AU :", 183),
                     rightValue("AlField19", 183),
                     leftCaption("Fahrgestellnummer :", 205),
                     leftValue("AlField11", 205),
                     rightCaption("Nächster Service(Datum) :", 205),
                     rightValue("AlField20", 205),
                     leftCaption("Erstzulassung :", 227),
                     leftValue("AlField12", 227),
                     rightCaption("Nächster Service (KM) :", 227),
                     rightValue("AlField16", 227),
                     leftCaption("Tankinhalt :", 250),
                     leftValue("AlField13", 250),
                     leftCaption("Start-Tachostand :", 272),
                     leftValue("AlField14", 272),
                     rightCaption("Kraftstoff-Maßeinheit :", 299),
                     rightValue("AlField8", 299),
                     leftCaption("Privatfahrzeug :", 309),
                     leftValue("AlField17", 309),
                     rightCaption("Kraftstoffart :", 322),
                     rightValue("AlField7", 322),
                     leftCaption("Firmenfahrzeug :", 331),
                     leftValue("AlField1", 331),
                     rightCaption("Währung :", 344),
                     rightValue("AlField21", 344),
                     leftCaption("Leasingfahrzeug :", 353),
                     leftValue("AlField3", 353),
                     rightCaption("Serviceintervall (KM) :", 366),
                     rightValue("AlField22", 366),
                     leftCaption("Leasingstart :", 375),
                     leftValue("AlField5", 375),
                     rightCaption("Serviceintervall (Monate) :", 388),
                     rightValue("AlField23", 388),
                     leftCaption("Leasingdauer :", 397),
                     leftValue("AlField6", 397),
                     leftCaption("Fahrer/Verantwortlicher :", 443),
                     leftValue("AlField15", 443),
                     leftCaption("Bemerkung :", 465),
                     leftValue("AlField4", 465),
                 }),
            band(alr_PageFooter, 30,
                 {
                     label(kProgramNameAndVersion, {40, 6, 0, 12}, taLeftJustify, arial(9)),
                 }),
        }};
    return layout;
}

namespace {

// The texts of the dialog's spin and date fields.
QString number(double value, int decimals) {
    QLocale german(QLocale::German, QLocale::Germany);
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    return german.toString(value, 'f', decimals);
}
QString date(const std::optional<QDate>& d, const QString& format) {
    // A field that holds no date shows none.
    return d && d->isValid() && *d > QDate(1900, 1, 1) ? d->toString(format) : QString();
}
QString listText(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

} // namespace

void fillDataSheet(TAlReport& report, const TMlb2& vehicles) {
    const VehicleFields f = readVehicleFields(vehicles);
    const QString day = QStringLiteral("dd.MM.yyyy"), month = QStringLiteral("MM.yyyy");
    const QString km = QStringLiteral(" KM"), months = QStringLiteral(" Monate");
    const QString yes = QStringLiteral("X"), no = QStringLiteral("-");
    const std::pair<const char*, QString> values[] = {
        {"AlField2", f.nummer + QStringLiteral(" / ") + f.bez},
        {"AlField9", number(f.kpreis, 2) + amountSuffix(vehicles)},
        {"AlField10", date(f.kdatum, day)},
        {"AlField11", f.fgstnr},
        {"AlField12", date(f.erstzul, day)},
        {"AlField13", number(f.tinh, 1) + tankSuffix(vehicles)},
        {"AlField14", QString::number(f.tachostart) + km},
        {"AlField15", f.fahrer},
        {"AlField20", date(f.instdat, month)},
        {"AlField16", QString::number(f.instkm) + km},
        {"AlField17", f.privat ? yes : no},
        {"AlField1", f.privat ? no : yes},
        {"AlField3", f.leas ? yes : no},
        {"AlField5", f.leas ? date(f.leasstart, month) : QString()},
        {"AlField6", f.leas ? QString::number(f.leasdauer) + months : QString()},
        {"AlField18", date(f.tuev, month)},
        {"AlField19", date(f.au, month)},
        {"AlField4", f.bemerk1},
        {"AlField8", listText(unitListTexts(), f.kme)},
        {"AlField7", listText(fuelListTexts(), f.krstart)},
        {"AlField21", listText(currencyListTexts(), f.waehr)},
        {"AlField22", QString::number(f.sikm) + km},
        {"AlField23", QString::number(f.simon) + months},
    };
    for (const auto& [name, value] : values) AddNamedValue(report, QString::fromLatin1(name), value);
}
