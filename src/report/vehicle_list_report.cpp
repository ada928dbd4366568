#include "report/vehicle_list_report.h"

namespace {

// A figure of the detail: 46 wide, right-aligned.
ControlPlan figureField(const char* name, int left, int top) {
    return fixedField(QString::fromLatin1(name), {left, top, 46, 14}, taRightJustify, arial(9));
}

} // namespace

const LayoutPlan& vehicleListLayout() {
    static const LayoutPlan layout{
        QStringLiteral("TfrmSglfzl"),
        reportSettings(alr_Landscape, alr_A4, 15, 12),
        {
            band(alr_PageHeader, 137,
                 {
                     shape(alr_Rectangle, {0, 55, 1017, 43}, Qt::black, Qt::white),
                     sysField(alr_Date, {920, 59, 48, 14}, taLeftJustify, arial(11)),
                     label("Liste aller Fahrzeuge", {24, 57, 150, 18}, taLeftJustify, arial(15, Bold)),
                     label("Druckdatum:", {852, 59, 60, 14}, taLeftJustify, arial(11)),
                     label("Seite", {918, 79, 25, 14}, taLeftJustify, arial(11, Italic)),
                     sysField(alr_PageNum, {950, 79, 31, 14}, taLeftJustify, arial(11, Italic)),
                     dataField("AlField20", {24, 80, 46, 14}, taLeftJustify, arial(11)),
                 }),
            band(alr_DetailHeader, 72,
                 {
                     shape(alr_Rectangle, {0, 16, 1017, 47}, kGrey, Qt::white),
                     label("Kennzeichen", {24, 48, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("Bezeichnung", {92, 48, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("Kosten\r\n  -gesamt\r\n  -pro Monat\r\n  -pro KM", {233, 19, 0, 14}, taLeftJustify,
                           arial(9, Bold)),
                     label("Kraftstoff-Kosten\r\n  -gesamt\r\n  -pro Monat\r\n  -pro KM", {305, 19, 0, 14},
                           taLeftJustify, arial(9, Bold)),
                     label("Sonstige Kosten\r\n  -gesamt\r\n  -pro Monat\r\n  -pro KM", {388, 19, 0, 14}, taLeftJustify,
                           arial(9, Bold)),
                     label("durchschnittl.\r\nVerbrauch", {476, 39, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("Tachostand", {546, 49, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("gefahrene\r\nKM", {612, 39, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("Fahrleistung\r\npro Monat", {676, 39, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("Nächste\r\n  -HU\r\n  -AU\r\n  -Service", {756, 19, 0, 14}, taLeftJustify, arial(9, Bold)),
                     label("Fahrer", {831, 49, 0, 14}, taLeftJustify, arial(9, Bold)),
                 }),
            alternatingBand(alr_Detail, 48, QColor(232, 232, 232),
                            {
                                fixedField("AlField1", {24, 1, 71, 14}, taLeftJustify, arial(9)),
                                fixedField("AlField2", {92, 1, 125, 14}, taLeftJustify, arial(9)),
                                figureField("AlField3", 233, 1),
                                figureField("AlField4", 233, 15),
                                figureField("AlField5", 233, 29),
                                figureField("AlField6", 305, 1),
                                figureField("AlField7", 305, 15),
                                figureField("AlField8", 305, 29),
                                figureField("AlField9", 388, 1),
                                figureField("AlField10", 388, 15),
                                figureField("AlField11", 388, 29),
                                figureField("AlField12", 477, 1),
                                figureField("AlField13", 541, 1),
                                figureField("AlField14", 611, 1),
                                figureField("AlField15", 685, 1),
                                figureField("AlField16", 752, 1),
                                figureField("AlField17", 752, 15),
                                figureField("AlField18", 752, 29),
                                fixedField("AlField19", {831, 1, 177, 14}, taLeftJustify, arial(9)),
                                // the line between the vehicles, cut by the band's bottom
                                shape(alr_Rectangle, {1, 46, 1018, 4}, kGrey, Qt::white),
                            }),
            band(alr_PageFooter, 50, {}),
            band(alr_ReportFooter, 58,
                 {
                     label(QStringLiteral("Erstellt mit \"") + kProgramNameAndVersion + QStringLiteral("\""),
                           {16, 40, 0, 12}, taLeftJustify, arial(9)),
                 }),
        }};
    return layout;
}

void fillVehicleList(TAlReport& report, const std::vector<VehicleListRow>& rows) {
    AddNamedValue(report, QStringLiteral("AlField20"), QStringLiteral("Anzahl: %1").arg(rows.size()));
    for (const VehicleListRow& row : rows)
        for (int k = 0; k < kVehicleListColumnCount; ++k)
            AddNamedValue(report, QStringLiteral("AlField%1").arg(k + 1), row.cells[static_cast<std::size_t>(k)]);
}
