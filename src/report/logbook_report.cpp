#include "report/logbook_report.h"

#include <array>

namespace {

// The detail fields of the five columns, normal and struck out.
constexpr std::array<const char*, LogbookColumnCount> kNormalFields = {"AlField1", "AlField3", "AlField4", "AlField5",
                                                                       "AlField8"};
constexpr std::array<const char*, LogbookColumnCount> kStruckFields = {"AlField6", "AlField7", "AlField13", "AlField14",
                                                                       "AlField15"};

} // namespace

const LayoutPlan& logbookLayout() {
    static const LayoutPlan layout{
        QStringLiteral("TfrmSglfb"),
        reportSettings(alr_Portrait, alr_A4, 15, 12),
        {
            band(alr_PageHeader, 193,
                 {
                     shape(alr_Rectangle, {0, 55, 673, 43}, Qt::black, Qt::white),
                     label("Angezeigter Zeitraum:\r\nWährend dieser Zeit gefahrene Strecke:\r\ndavon "
                           "privat:\r\ndavon geschäftlich:",
                           {102, 113, 229, 64}, taRightJustify, arial(13)),
                     dataField("AlField2", {24, 78, 56, 18}, taLeftJustify, arial(15, Bold)),
                     sysField(alr_Date, {600, 60, 48, 14}, taLeftJustify, arial(11)),
                     dataField("AlField9", {340, 113, 52, 16}, taLeftJustify, arial(13, Bold)),
                     label("FAHRTENBUCH-AUSDRUCK für (Kennzeichen/Fahrzeug)", {24, 57, 335, 16}, taLeftJustify,
                           arial(13)),
                     label("Druckdatum:", {532, 60, 60, 14}, taLeftJustify, arial(11)),
                     label("Seite", {598, 80, 25, 14}, taLeftJustify, arial(11, Italic)),
                     sysField(alr_PageNum, {630, 80, 31, 14}, taLeftJustify, arial(11, Italic)),
                     // the warning of an entry changed outside the program, below the summary
                     dataField("AlField10", {24, 178, 0, 14}, taLeftJustify, arial(11, Bold)),
                 }),
            band(
                alr_DetailHeader, 72,
                {
                    shape(alr_Rectangle, {0, 16, 673, 47}, kGrey, Qt::white),
                    label("Nr.", {24, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                    label("Art", {60, 48, 0, 14}, taLeftJustify, arial(11, Bold)),
                    label("Name\r\nDatum Zeit - Abfahrt\r\nDatum Zeit - Ankunft", {111, 20, 0, 14}, taLeftJustify,
                          arial(11, Bold)),
                    label("Start, (Route), Ziel\r\nZweck\r\nBesucht", {233, 20, 0, 14}, taLeftJustify, arial(11, Bold)),
                    label("Tachostart\r\nTachostop\r\nStrecke", {584, 20, 59, 14}, taRightJustify, arial(11, Bold)),
                }),
            alternatingBand(alr_Detail, 49, QColor(232, 232, 232),
                            {
                                dataField("AlField1", {1, 0, 38, 14}, taRightJustify, arial(11)),
                                dataField("AlField6", {1, 0, 38, 14}, taRightJustify, arial(11, StruckOut)),
                                dataField("AlField3", {55, 0, 38, 14}, taLeftJustify, arial(11)),
                                dataField("AlField7", {55, 0, 38, 14}, taLeftJustify, arial(11, StruckOut)),
                                dataField("AlField4", {110, 0, 38, 14}, taLeftJustify, arial(11)),
                                dataField("AlField13", {110, 0, 44, 14}, taLeftJustify, arial(11, StruckOut)),
                                dataField("AlField5", {233, 0, 38, 14}, taLeftJustify, arial(11)),
                                dataField("AlField14", {233, 0, 44, 14}, taLeftJustify, arial(11, StruckOut)),
                                dataField("AlField8", {610, 0, 38, 14}, taRightJustify, arial(11)),
                                dataField("AlField15", {607, 0, 44, 14}, taRightJustify, arial(11, StruckOut)),
                                shape(alr_Rectangle, {1, 48, 673, 1}, kGrey),
                            }),
            band(alr_PageFooter, 50, {}),
            band(alr_ReportFooter, 58,
                 {
                     // the short fingerprint of the last printed entry
                     dataField("AlField11", {16, 20, 0, 14}, taLeftJustify, arial(11)),
                     label(QStringLiteral("Erstellt mit \"") + kProgramNameAndVersion + QStringLiteral("\""),
                           {16, 40, 0, 12}, taLeftJustify, arial(9)),
                     label("Ende des Ausdrucks", {546, 40, 0, 14}, taLeftJustify, arial(11, Bold)),
                 }),
        }};
    return layout;
}

void fillLogbook(TAlReport& report, const LogbookPrint& print) {
    AddNamedValue(report, QStringLiteral("AlField2"), print.vehicleCaption);
    AddNamedValue(report, QStringLiteral("AlField9"), print.listing.summary);
    AddNamedValue(report, QStringLiteral("AlField10"), print.warning);
    AddNamedValue(report, QStringLiteral("AlField11"), print.fingerprint);
    const auto hand = [&report](const std::array<const char*, LogbookColumnCount>& to,
                                const std::array<const char*, LogbookColumnCount>& empty,
                                const std::array<QString, LogbookColumnCount>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            AddNamedValue(report, QString::fromLatin1(to[i]), cells[i]);
            AddNamedValue(report, QString::fromLatin1(empty[i]), QString());
        }
    };
    if (print.listing.emptyRow) hand(kNormalFields, kStruckFields, {});
    for (const LogbookListRow& row : print.listing.rows) {
        // The kind's cell of a deactivated entry begins with "deaktiv".
        if (row.cells[KindColumn].left(7) != QStringLiteral("deaktiv"))
            hand(kNormalFields, kStruckFields, row.cells);
        else
            hand(kStruckFields, kNormalFields, row.cells);
    }
}
