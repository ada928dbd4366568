#pragma once
// Inside the workbook writers: what both formats share, and the two writers that writeWorkbook
// runs on its temporary file. Not for use outside workbook*.cpp.

#include "vehicles/workbook.h"

#include <QString>

#include <vector>

namespace workbook_detail {

// The most rows and columns, and the longest text, a sheet may hold in both formats (Excel's
// limits; Calc's are not lower).
inline constexpr std::size_t kMaxRows = 1048576; // the header row included
inline constexpr std::size_t kMaxColumns = 16384;
inline constexpr qsizetype kMaxTextLength = 32767;

// The column of cell `index` of a row: its sheet's, or a plain text column past the last one.
const WorkbookColumn& columnAt(const WorkbookSheet& sheet, std::size_t index);

// A text as a cell holds it: line breaks as "\n" (CR LF and a lone CR too), a tab as a blank, and
// the other control characters, which neither format can store, left out; cut to kMaxTextLength.
QString cellText(const QString& text);

// The widths of a sheet's columns in characters of the default font, fitting the header and the
// longest shown cell, with a little room; between 4 and 60.
std::vector<double> columnWidths(const WorkbookSheet& sheet);

// The decimals and currency of a number cell: its own for a WorkbookNumber, else its column's.
struct NumberStyle {
    int decimals = 0;
    QString currency;
    friend bool operator==(const NumberStyle&, const NumberStyle&) = default;
};
NumberStyle numberStyleOf(const WorkbookCell& cell, const WorkbookColumn& column);

// Write the whole workbook to `path`, a file that exists (empty) and that they may overwrite. False
// on failure, with `reason` in German; the file is then to be removed.
bool writeXlsx(const QString& path, const Workbook& book, QString& reason);
bool writeOds(const QString& path, const Workbook& book, QString& reason);

// The reason for a failed write from the system's error number, in German for what a user can
// do something about (no room, no permission, a write-protected medium).
QString writeFailureReason(int errorNumber);

} // namespace workbook_detail
