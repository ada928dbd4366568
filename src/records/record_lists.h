#pragma once
// The two record lists of the main window (UpdateListe): "Tank-Liste", the fill-ups with the
// distance and consumption of every full-tank interval, and "Sonstige-Liste", the other costs;
// with their titles, column widths, alignments and colours, so that the window only draws.

#include "store/mlb2.h"

#include <QString>

#include <array>
#include <string_view>
#include <vector>

// One record row of a list; `tableRow` is the 1-based row of the record table it shows, through
// which the editing dialogs find their record.
struct FuelListRow {
    int tableRow = 0;
    std::array<QString, 8> cells;
};
struct OtherCostListRow {
    int tableRow = 0;
    std::array<QString, 5> cells;
};

// The record rows of both lists in table order (ascending odometer), without the title row:
// list row r (r >= 1) is element r - 1. The window shows the title row above them, sets the
// title of fuel column 7 to "Verbrauch" and scrolls each list to its last row.
struct RecordLists {
    std::vector<FuelListRow> fuel;
    std::vector<OtherCostListRow> other;
};

// Builds both lists from the record table and the current row of `vehicles` ("krstart",
// "krstart2"). Reads numbers with the tolerant TextToFloat. Changes the table as the lists have
// always done: a nine-field table gets "tart" (at its first fill-up), and a fill-up with an empty
// "tart" gets "1" when the vehicle has a second fuel type ("krstart2" not "0"). The cursor stays on
// the row it was on (when it was on one). Writes no file.
RecordLists buildRecordLists(TMlb2& costs, const TMlb2& vehicles);

// Column titles. Column 3's "Menge" is replaced by quantityColumnTitle at start-up; column 4 is
// the hidden fuel type column.
inline constexpr std::array<std::u16string_view, 8> kFuelListTitles = {u"Datum", u"KM-Stand", u"Preis", u"Menge",
                                                                       u"",      u"gef. KM",  u"voll",  u"Verbrauch"};
inline constexpr std::array<std::u16string_view, 5> kOtherCostListTitles = {u"Datum", u"KM-Stand", u"Preis", u"Service",
                                                                            u"Text"};

// The quantity column's title for the unit text of the settings (Windows-1252 bytes): "Liter",
// "KG" or "CM³" for "L Liter", "KG Kilogramm", "CM³ Kubikzentimeter", else "Menge".
QString quantityColumnTitle(std::string_view unitText);

// Column widths: the list's width divided by these; 0 is a hidden column of width 0.
inline constexpr std::array<double, 8> kFuelColumnDivisors = {6.8625, 6.8625, 6.8625, 6.1, 0, 7.8428, 13.725, 6.8625};
inline constexpr std::array<double, 5> kOtherCostColumnDivisors = {6.8625, 9.15, 9.15, 13.725, 1.9607};
// Rounded to the nearest pixel, halves to the even neighbour.
int columnWidth(int listWidth, double divisor);

enum class CellAlignment { Left, Right };
inline constexpr std::array<CellAlignment, 8> kFuelColumnAlignment = {
    CellAlignment::Left,  CellAlignment::Right, CellAlignment::Right, CellAlignment::Right,
    CellAlignment::Right, CellAlignment::Right, CellAlignment::Right, CellAlignment::Right};
inline constexpr std::array<CellAlignment, 5> kOtherCostColumnAlignment = {
    CellAlignment::Left, CellAlignment::Right, CellAlignment::Right, CellAlignment::Left, CellAlignment::Left};
// Text stands this far from the cell's left edge (left-aligned) or right edge (right-aligned) ...
inline constexpr int kCellPadding = 3;
// ... and this far below its top.
inline constexpr int kCellTopOffset = 1;

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kTitleBackground{57, 60, 74};
inline constexpr Rgb kTitleText{192, 192, 192};

// The frame of a cell: its background with red, green and blue each reduced by 64, not below 0.
constexpr Rgb frameColour(int r, int g, int b) {
    auto darker = [](int c) { return c > 64 ? c - 64 : 0; };
    return {darker(r), darker(g), darker(b)};
}
constexpr Rgb frameColour(Rgb background) {
    return frameColour(background.r, background.g, background.b);
}

struct CellColours {
    Rgb background, text, frame;
    friend constexpr bool operator==(const CellColours&, const CellColours&) = default;
};
// Row 0 is the title row; record rows take the list colours of the settings (Farbe1, Farbe2),
// already resolved to real colours.
constexpr CellColours cellColours(int listRow, Rgb listBackground, Rgb listText) {
    const Rgb background = listRow == 0 ? kTitleBackground : listBackground;
    return {background, listRow == 0 ? kTitleText : listText, frameColour(background)};
}
