#!/usr/bin/python3
"""Reads the workbooks that workbook_sample wrote back with independent readers (openpyxl for
.xlsx, odfpy for .ods) and checks what a user of Excel or Calc gets: the sheets, the headers in
bold, numbers as numbers with their decimals and currency, dates as dates, the texts, the frozen
first row, and for .ods the package's "mimetype" first and stored.

    check_workbooks.py DIR
"""

import datetime
import sys
import zipfile

import openpyxl
from odf import teletype
from odf.config import ConfigItem, ConfigItemMapEntry
from odf.namespaces import NUMBERNS, STYLENS, TABLENS
from odf.opendocument import load
from odf.table import Table, TableCell, TableColumn, TableRow
from odf.text import P

failures = []
checks = 0


def expect(what, got, wanted):
    global checks
    checks += 1
    if got != wanted:
        failures.append(f"{what}: got {got!r}, wanted {wanted!r}")


D = datetime.datetime
SHEETS = ["Tankdaten", "Sonstige Kosten", "Statistik"]
# (sheet, cell, value, number format); a format of None is not checked.
EURO2 = '#,##0.00 "€"'
SAMPLE_CELLS = [
    ("Tankdaten", "A1", "Datum", None),
    ("Tankdaten", "F1", "Verbrauch", None),
    ("Tankdaten", "A2", D(2024, 3, 7), "DD.MM.YYYY"),
    ("Tankdaten", "B2", 10000, "#,##0"),
    ("Tankdaten", "C2", 45.67, EURO2),
    ("Tankdaten", "D2", 40, "#,##0.00"),
    ("Tankdaten", "E2", "ja", None),
    ("Tankdaten", "F2", None, None),
    ("Tankdaten", "F3", 7.5, "#,##0.00"),
    ("Tankdaten", "A4", "kein Datum", None),
    ("Tankdaten", "B4", None, None),
    ("Tankdaten", "C4", -3, EURO2),
    ("Tankdaten", "D4", 0.125, "#,##0.00"),
    ("Tankdaten", "F4", None, None),  # not a number: left empty
    ("Tankdaten", "B5", 123456789, "#,##0"),
    ("Sonstige Kosten", "B2", 200, '#,##0.00 "SFr"'),
    ("Sonstige Kosten", "C2", "Öl & Filter <neu>", None),
    ("Sonstige Kosten", "C3", "Zeile 1\nZeile 2", None),
    ("Sonstige Kosten", "C4", "=SUMME(A1)  zwei  Blanks", None),
    ("Sonstige Kosten", "A4", None, None),
    ("Statistik", "B2", 10600, "#,##0"),
    ("Statistik", "B3", 0.123, '#,##0.000 "€"'),
    ("Statistik", "B4", "05.2026", None),
    ("Statistik", "C3", "Gefahrene Kilometer : 600", None),
]
# The export of the sample vehicle: the fuel list, the other costs and the panel.
VEHICLE_CELLS = [
    ("Tankdaten", "A1", "Datum", None),
    ("Tankdaten", "D1", "L", None),
    ("Tankdaten", "G1", "Verbrauch", None),
    ("Tankdaten", "A2", D(2024, 3, 1), "DD.MM.YYYY"),
    ("Tankdaten", "C3", 35.5, EURO2),
    ("Tankdaten", "E3", None, None),
    ("Tankdaten", "F3", "nein", None),
    ("Tankdaten", "E4", 600, "#,##0"),
    ("Tankdaten", "G4", 7.5, "#,##0.00"),
    ("Sonstige Kosten", "C2", 200, EURO2),
    ("Sonstige Kosten", "D2", "ja", None),
    ("Sonstige Kosten", "E2", "Inspektion\nmit Öl", None),
    ("Statistik", "A5", "Gesamtkosten (€)", None),
    ("Statistik", "B5", 349.75, EURO2),
    ("Statistik", "B3", 7.5, "#,##0.00"),
]

# The vehicle list of the sample vehicle, once in euros and once in Swiss francs.
VEHICLE_LIST_CELLS = [
    ("Fahrzeugliste", "A1", "Kennzeichen", None),
    ("Fahrzeugliste", "S1", "Fahrer", None),
    ("Fahrzeugliste", "A2", "M-AB 123", None),
    ("Fahrzeugliste", "C2", 349.75, EURO2),
    ("Fahrzeugliste", "E2", 0.916, '#,##0.000 "€"'),  # 149,75 / 600 km + 200 / 300 km
    ("Fahrzeugliste", "H2", 0.25, '#,##0.000 "€"'),
    ("Fahrzeugliste", "L2", 7.5, "#,##0.00"),
    ("Fahrzeugliste", "M2", 10600, "#,##0"),
    ("Fahrzeugliste", "N2", 300, "#,##0"),
    ("Fahrzeugliste", "P2", "05.2026", None),
    ("Fahrzeugliste", "C3", 349.75, '#,##0.00 "SFr"'),
]


def check_xlsx(path, cells, sheets):
    book = openpyxl.load_workbook(path)
    expect(f"{path} sheets", book.sheetnames, sheets)
    for name in sheets:
        sheet = book[name]
        expect(f"{path} {name} frozen", sheet.freeze_panes, "A2")
        for cell in sheet[1]:
            if cell.value is not None:
                expect(f"{path} {name}!{cell.coordinate} bold", bool(cell.font.b), True)
        width = sheet.column_dimensions["A"].width
        expect(f"{path} {name} column A fits", width is not None and 8 <= width <= 60, True)
    for name, ref, value, number_format in cells:
        cell = book[name][ref]
        if isinstance(value, D):
            expect(f"{path} {name}!{ref} is a date", cell.is_date, True)
        elif isinstance(value, (int, float)):
            expect(f"{path} {name}!{ref} is a number", cell.data_type, "n")
        elif isinstance(value, str):
            expect(f"{path} {name}!{ref} is a text", cell.data_type, "s")
        expect(f"{path} {name}!{ref}", cell.value, value)
        if number_format is not None:
            expect(f"{path} {name}!{ref} format", cell.number_format, number_format)


def attr(element, ns, name):
    return element.attributes.get((ns, name))


class Ods:
    def __init__(self, path):
        self.doc = load(path)
        self.styles = {}
        for element in self.doc.automaticstyles.childNodes:
            name = attr(element, STYLENS, "name")
            if name:
                self.styles[name] = element

    def tables(self):
        return self.doc.spreadsheet.getElementsByType(Table)

    def grid(self, table):
        rows = []
        for row in table.getElementsByType(TableRow):
            cells = []
            for cell in row.getElementsByType(TableCell):
                repeat = int(attr(cell, TABLENS, "number-columns-repeated") or 1)
                cells.extend([cell] * repeat)
            rows.append(cells)
        return rows

    def data_style(self, cell):
        style = self.styles.get(attr(cell, TABLENS, "style-name"))
        return self.styles.get(attr(style, STYLENS, "data-style-name")) if style is not None else None

    def number_format(self, cell):
        """The format as Excel writes it, made of the number style's parts."""
        data = self.data_style(cell)
        if data is None:
            return None
        if data.qname[1] == "date-style":
            parts = []
            for part in data.childNodes:
                kind = part.qname[1]
                parts.append({"day": "DD", "month": "MM", "year": "YYYY"}.get(kind, teletype.extractText(part)))
            return "".join(parts)
        number = [n for n in data.childNodes if n.qname == (NUMBERNS, "number")][0]
        decimals = int(attr(number, NUMBERNS, "decimal-places"))
        grouping = attr(number, NUMBERNS, "grouping") == "true"
        text = ("#,##0" if grouping else "0") + ("." + "0" * decimals if decimals else "")
        symbols = [teletype.extractText(n) for n in data.childNodes if n.qname[1] == "currency-symbol"]
        if symbols:
            text += f' "{symbols[0]}"'
        return text

    def is_bold(self, cell):
        style = self.styles.get(attr(cell, TABLENS, "style-name"))
        if style is None:
            return False
        return any(attr(p, "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0", "font-weight") == "bold"
                   for p in style.childNodes)


def text_of(cell):
    return "\n".join(teletype.extractText(p) for p in cell.getElementsByType(P))


def column_index(ref):
    return ord(ref[0]) - ord("A"), int(ref[1:]) - 1


def check_ods(path, cells, sheets):
    with zipfile.ZipFile(path) as package:
        first = package.infolist()[0]
        expect(f"{path} first entry", first.filename, "mimetype")
        expect(f"{path} mimetype stored", first.compress_type, zipfile.ZIP_STORED)
        expect(f"{path} mimetype without extra field", first.extra, b"")
        expect(f"{path} mimetype", package.read("mimetype"), b"application/vnd.oasis.opendocument.spreadsheet")
    with open(path, "rb") as raw:
        head = raw.read(38 + 46)
    expect(f"{path} mimetype at offset 30", head[30:], b"mimetypeapplication/vnd.oasis.opendocument.spreadsheet")

    ods = Ods(path)
    tables = ods.tables()
    expect(f"{path} sheets", [attr(t, TABLENS, "name") for t in tables], sheets)
    grids = {attr(t, TABLENS, "name"): ods.grid(t) for t in tables}
    for table in tables:
        name = attr(table, TABLENS, "name")
        for cell in grids[name][0]:
            if text_of(cell):
                expect(f"{path} {name} header {text_of(cell)} bold", ods.is_bold(cell), True)
        column = table.getElementsByType(TableColumn)[0]
        width = ods.styles[attr(column, TABLENS, "style-name")].childNodes[0]
        centimetres = float(attr(width, STYLENS, "column-width").removesuffix("cm"))
        expect(f"{path} {name} column A fits", 1.5 <= centimetres <= 12, True)

    for name, ref, value, number_format in cells:
        col, row = column_index(ref)
        rows = grids[name]
        cell = rows[row][col] if row < len(rows) and col < len(rows[row]) else None
        kind = attr(cell, "urn:oasis:names:tc:opendocument:xmlns:office:1.0", "value-type") if cell else None
        office = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
        if value is None:
            expect(f"{path} {name}!{ref} empty", (kind, text_of(cell) if cell else ""), (None, ""))
        elif isinstance(value, D):
            expect(f"{path} {name}!{ref} is a date", kind, "date")
            expect(f"{path} {name}!{ref}", attr(cell, office, "date-value"), value.date().isoformat())
        elif isinstance(value, (int, float)):
            expect(f"{path} {name}!{ref} is a number", kind in ("float", "currency"), True)
            expect(f"{path} {name}!{ref}", float(attr(cell, office, "value")), float(value))
        else:
            expect(f"{path} {name}!{ref} is a text", kind, "string")
            expect(f"{path} {name}!{ref}", text_of(cell), value)
        if number_format is not None:
            expect(f"{path} {name}!{ref} format", ods.number_format(cell), number_format)
        if number_format and "€" in number_format:
            expect(f"{path} {name}!{ref} currency", attr(cell, office, "currency"), "EUR")

    # The first row of every sheet stays in view.
    frozen = {}
    for entry in ods.doc.settings.getElementsByType(ConfigItemMapEntry):
        items = {attr(i, "urn:oasis:names:tc:opendocument:xmlns:config:1.0", "name"): teletype.extractText(i)
                 for i in entry.childNodes if i.qname[1] == "config-item"}
        name = attr(entry, "urn:oasis:names:tc:opendocument:xmlns:config:1.0", "name")
        if name in sheets:
            frozen[name] = (items.get("VerticalSplitMode"), items.get("VerticalSplitPosition"))
    expect(f"{path} frozen rows", frozen, {name: ("2", "1") for name in sheets})
    # The displayed text of an amount, as Calc shows it before it recalculates.
    if path.endswith("sample.ods"):
        expect(f"{path} Tankdaten!C3 shown", text_of(grids["Tankdaten"][2][2]), "1.234,50 €")


def main():
    folder = sys.argv[1]
    for stem, cells, sheets in (("sample", SAMPLE_CELLS, SHEETS), ("vehicle", VEHICLE_CELLS, SHEETS),
                                ("vehicle_list", VEHICLE_LIST_CELLS, ["Fahrzeugliste"])):
        check_xlsx(f"{folder}/{stem}.xlsx", cells, sheets)
        check_ods(f"{folder}/{stem}.ods", cells, sheets)
    for failure in failures:
        print("FAILED", failure)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
