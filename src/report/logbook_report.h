#pragma once
// TfrmSglfb — the printed logbook: the trips as the overview lists them, deactivated ones struck
// out, with the summary of the shown period.

#include "logbook/logbook_overview.h"
#include "report/report_layout.h"

struct LogbookPrint {
    QString vehicleCaption; // the main window's current-vehicle text
    LogbookListing listing; // as the overview shows it
    // A warning that an entry was changed outside the program, printed in every page header.
    QString warning;
    // "Prüfsumme: …" of the last printed entry, printed at the end; empty when it has none.
    QString fingerprint;
};

const LayoutPlan& logbookLayout();

// Hands the layout its values: caption, summary, and for every listed trip its five cells to the
// normal or the struck-out set of detail fields, empty texts to the other.
void fillLogbook(TAlReport& report, const LogbookPrint& print);
