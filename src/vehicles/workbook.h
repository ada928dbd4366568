#pragma once
// A spreadsheet workbook with typed cells, and its two writers: Office Open XML (.xlsx, for
// Microsoft Excel) through libxlsxwriter, and OpenDocument (.ods, for OpenOffice and LibreOffice
// Calc) written with QXmlStreamWriter and packed with minizip.
//
// Numbers are numeric cells and dates date cells, so that a column can be summed or sorted at once;
// the number format shows a column's decimals (and its currency), a date "DD.MM.YYYY". The first
// row holds the headers in bold and stays in view while scrolling; column widths fit the contents.

#include <QDate>
#include <QString>

#include <utility>
#include <variant>
#include <vector>

struct WorkbookColumn {
    enum class Kind { Text, Number, Date };

    // So that {header}, {header, Kind::Date} or {header, Kind::Number, 2, "€"} make a column.
    WorkbookColumn(QString header = {}, Kind kind = Kind::Text, int decimals = 0, QString currency = {})
        : header(std::move(header)), kind(kind), decimals(decimals), currency(std::move(currency)) {}

    QString header;
    Kind kind = Kind::Text;
    int decimals = 0; // a Number column's decimals, 0 to 10
    QString currency; // "€", "SFr" or empty: with a symbol the column is an amount
};

// A number with a format of its own, for a column whose rows are figures of different kinds (the
// statistics); `currency` as in WorkbookColumn.
struct WorkbookNumber {
    double value = 0;
    int decimals = 0;
    QString currency;

    friend bool operator==(const WorkbookNumber&, const WorkbookNumber&) = default;
};

// An empty cell, a text, a number in its column's format, a date, or a number with its own format.
// A cell's type is what it holds, whatever its column's kind says; the kind gives a number its
// format and tells the width of the column.
using WorkbookCell = std::variant<std::monostate, QString, double, QDate, WorkbookNumber>;

struct WorkbookSheet {
    QString name; // at most 31 characters, none of []:*?/\ (sheetName() makes one so)
    std::vector<WorkbookColumn> columns;
    std::vector<std::vector<WorkbookCell>> rows; // a row may be shorter than `columns`, not longer
};

struct Workbook {
    std::vector<WorkbookSheet> sheets;
};

enum class WorkbookFormat { Xlsx, Ods };

// Writes the workbook to `path`. The new file is made in a temporary file beside it and replaces an
// existing file of that name only once it is complete; after any failure the old file is there as
// it was, byte for byte, and no temporary file is left. Returns an empty text on success, else the
// reason in German, as the user reads it ("Der Ordner ... ist nicht vorhanden.", "Auf dem
// Datenträger ist nicht genug Speicherplatz frei.", ...).
[[nodiscard]] QString writeWorkbook(const QString& path, const Workbook& book, WorkbookFormat format);

// ".xlsx" or ".ods".
QString workbookSuffix(WorkbookFormat format);

// A valid sheet name made of `name`: the characters []:*?/\ and control characters become "_",
// the text is cut to 31 characters, and an empty name becomes "Tabelle".
QString sheetName(const QString& name);

// The text a cell shows in the German user interface: "1.234,50 €", "07.03.2024", the text
// itself. Numbers with grouping points and a decimal comma, never in the system's locale.
QString workbookCellText(const WorkbookCell& cell, const WorkbookColumn& column);
