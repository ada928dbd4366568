// The OpenDocument spreadsheet writer (.ods): content, styles, settings, meta data and manifest
// written with QXmlStreamWriter, packed with minizip ("mimetype" first and stored, as the format
// asks, so that programs recognise the file by its first bytes).

#include "vehicles/workbook_writers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QXmlStreamWriter>

#include <zip.h>

#include <cerrno>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace workbook_detail {

namespace {

constexpr auto kMimeType = "application/vnd.oasis.opendocument.spreadsheet";

const std::pair<const char*, const char*> kNamespaces[] = {
    {"xmlns:office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
    {"xmlns:style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
    {"xmlns:text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
    {"xmlns:table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
    {"xmlns:number", "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"},
    {"xmlns:fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
    {"xmlns:meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
    {"xmlns:config", "urn:oasis:names:tc:opendocument:xmlns:config:1.0"},
    {"xmlns:dc", "http://purl.org/dc/elements/1.1/"},
};

void startDocument(QXmlStreamWriter& xml, const char* root) {
    xml.writeStartDocument();
    xml.writeStartElement(QLatin1StringView(root));
    for (const auto& [name, uri] : kNamespaces) xml.writeAttribute(QLatin1StringView(name), QLatin1StringView(uri));
    xml.writeAttribute("office:version"_L1, "1.3"_L1);
}

// The ISO code of a currency symbol the program knows; empty for any other.
QString isoCurrency(const QString& symbol) {
    if (symbol == u"€") return u"EUR"_s;
    if (symbol == u"SFr") return u"CHF"_s;
    return {};
}

// One line of text as a paragraph: the format folds runs of blanks, so the second and later blanks
// of a run (and a leading one) are written as <text:s>.
void writeParagraph(QXmlStreamWriter& xml, QStringView line) {
    xml.writeStartElement("text:p"_L1);
    qsizetype i = 0;
    while (i < line.size()) {
        qsizetype end = i;
        while (end < line.size() && !(line[end] == u' ' && (end == 0 || line[end - 1] == u' '))) ++end;
        if (end > i) xml.writeCharacters(line.mid(i, end - i).toString());
        qsizetype blanks = 0;
        while (end + blanks < line.size() && line[end + blanks] == u' ') ++blanks;
        if (blanks > 0) {
            xml.writeEmptyElement("text:s"_L1);
            if (blanks > 1) xml.writeAttribute("text:c"_L1, QString::number(blanks));
        }
        i = end + blanks;
    }
    xml.writeEndElement();
}

void writeParagraphs(QXmlStreamWriter& xml, const QString& text) {
    for (const QStringView line : QStringView(text).split(u'\n')) writeParagraph(xml, line);
}

QString valueText(double value) {
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

class ContentWriter {
public:
    explicit ContentWriter(const Workbook& book) : m_book(book) {
        for (const WorkbookSheet& sheet : book.sheets) {
            m_widths.push_back(columnWidths(sheet));
            for (const auto& row : sheet.rows)
                for (std::size_t c = 0; c < row.size(); ++c)
                    if (std::holds_alternative<double>(row[c]) || std::holds_alternative<WorkbookNumber>(row[c]))
                        styleIndex(numberStyleOf(row[c], columnAt(sheet, c)));
        }
    }

    QByteArray content() {
        QByteArray bytes;
        QXmlStreamWriter xml(&bytes);
        startDocument(xml, "office:document-content");
        xml.writeStartElement("office:automatic-styles"_L1);
        writeStyles(xml);
        xml.writeEndElement();
        xml.writeStartElement("office:body"_L1);
        xml.writeStartElement("office:spreadsheet"_L1);
        for (std::size_t s = 0; s < m_book.sheets.size(); ++s) writeSheet(xml, s);
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndDocument();
        return bytes;
    }

private:
    int styleIndex(const NumberStyle& style) {
        const auto key = std::make_pair(style.decimals, style.currency);
        auto found = m_styleIndex.find(key);
        if (found != m_styleIndex.end()) return found->second;
        const int index = static_cast<int>(m_styles.size());
        m_styles.push_back(style);
        m_styleIndex.emplace(key, index);
        return index;
    }

    void writeNumberPart(QXmlStreamWriter& xml, int decimals) {
        xml.writeEmptyElement("number:number"_L1);
        xml.writeAttribute("number:decimal-places"_L1, QString::number(decimals));
        xml.writeAttribute("number:min-decimal-places"_L1, QString::number(decimals));
        xml.writeAttribute("number:min-integer-digits"_L1, "1"_L1);
        xml.writeAttribute("number:grouping"_L1, "true"_L1);
    }

    void writeStyles(QXmlStreamWriter& xml) {
        for (std::size_t i = 0; i < m_styles.size(); ++i) {
            const NumberStyle& style = m_styles[i];
            const QString iso = isoCurrency(style.currency);
            xml.writeStartElement(iso.isEmpty() ? "number:number-style"_L1 : "number:currency-style"_L1);
            xml.writeAttribute("style:name"_L1, u"N%1"_s.arg(i));
            writeNumberPart(xml, style.decimals);
            if (!style.currency.isEmpty()) {
                xml.writeTextElement("number:text"_L1, u" "_s);
                if (iso.isEmpty()) {
                    xml.writeTextElement("number:text"_L1, style.currency);
                } else {
                    xml.writeStartElement("number:currency-symbol"_L1);
                    xml.writeAttribute("number:language"_L1, "de"_L1);
                    xml.writeAttribute("number:country"_L1, iso == u"CHF" ? "CH"_L1 : "DE"_L1);
                    xml.writeCharacters(style.currency);
                    xml.writeEndElement();
                }
            }
            xml.writeEndElement();
        }
        xml.writeStartElement("number:date-style"_L1);
        xml.writeAttribute("style:name"_L1, "ND"_L1);
        const char* parts[] = {"number:day", "number:month", "number:year"};
        for (int p = 0; p < 3; ++p) {
            if (p > 0) xml.writeTextElement("number:text"_L1, u"."_s);
            xml.writeEmptyElement(QLatin1StringView(parts[p]));
            xml.writeAttribute("number:style"_L1, "long"_L1);
        }
        xml.writeEndElement();

        for (std::size_t i = 0; i < m_styles.size(); ++i) cellStyle(xml, u"ce%1"_s.arg(i), u"N%1"_s.arg(i));
        cellStyle(xml, u"ceD"_s, u"ND"_s);
        xml.writeStartElement("style:style"_L1);
        xml.writeAttribute("style:name"_L1, "ceH"_L1);
        xml.writeAttribute("style:family"_L1, "table-cell"_L1);
        xml.writeEmptyElement("style:text-properties"_L1);
        for (const char* a : {"fo:font-weight", "style:font-weight-asian", "style:font-weight-complex"})
            xml.writeAttribute(QLatin1StringView(a), "bold"_L1);
        xml.writeEndElement();
        xml.writeStartElement("style:style"_L1);
        xml.writeAttribute("style:name"_L1, "ceW"_L1);
        xml.writeAttribute("style:family"_L1, "table-cell"_L1);
        xml.writeEmptyElement("style:table-cell-properties"_L1);
        xml.writeAttribute("fo:wrap-option"_L1, "wrap"_L1);
        xml.writeAttribute("style:vertical-align"_L1, "top"_L1);
        xml.writeEndElement();

        for (std::size_t s = 0; s < m_book.sheets.size(); ++s) {
            const std::vector<double>& widths = m_widths[s];
            for (std::size_t c = 0; c < widths.size(); ++c) {
                xml.writeStartElement("style:style"_L1);
                xml.writeAttribute("style:name"_L1, u"co%1_%2"_s.arg(s).arg(c));
                xml.writeAttribute("style:family"_L1, "table-column"_L1);
                xml.writeEmptyElement("style:table-column-properties"_L1);
                // A character of the default font is about 0.19 cm wide.
                xml.writeAttribute("style:column-width"_L1, u"%1cm"_s.arg(widths[c] * 0.19 + 0.1, 0, 'f', 3));
                xml.writeEndElement();
            }
        }
    }

    static void cellStyle(QXmlStreamWriter& xml, const QString& name, const QString& dataStyle) {
        xml.writeEmptyElement("style:style"_L1);
        xml.writeAttribute("style:name"_L1, name);
        xml.writeAttribute("style:family"_L1, "table-cell"_L1);
        xml.writeAttribute("style:data-style-name"_L1, dataStyle);
    }

    void writeSheet(QXmlStreamWriter& xml, std::size_t s) {
        const WorkbookSheet& sheet = m_book.sheets[s];
        xml.writeStartElement("table:table"_L1);
        xml.writeAttribute("table:name"_L1, sheet.name);
        const std::size_t columns = m_widths[s].size();
        for (std::size_t c = 0; c < columns; ++c) {
            xml.writeEmptyElement("table:table-column"_L1);
            xml.writeAttribute("table:style-name"_L1, u"co%1_%2"_s.arg(s).arg(c));
        }
        // The header row is repeated on every printed page.
        xml.writeStartElement("table:table-header-rows"_L1);
        xml.writeStartElement("table:table-row"_L1);
        for (const WorkbookColumn& column : sheet.columns) {
            xml.writeStartElement("table:table-cell"_L1);
            xml.writeAttribute("table:style-name"_L1, "ceH"_L1);
            const QString header = cellText(column.header);
            if (!header.isEmpty()) {
                xml.writeAttribute("office:value-type"_L1, "string"_L1);
                writeParagraphs(xml, header);
            }
            xml.writeEndElement();
        }
        if (sheet.columns.empty()) xml.writeEmptyElement("table:table-cell"_L1);
        xml.writeEndElement();
        xml.writeEndElement();

        // The style of each column's numbers, looked up at its first number (the constructor
        // gathered every style in use, so nothing is added while the sheets are written).
        std::vector<int> columnStyles(columns, -1);
        for (const auto& row : sheet.rows) {
            xml.writeStartElement("table:table-row"_L1);
            for (std::size_t c = 0; c < row.size(); ++c) {
                const WorkbookColumn& column = columnAt(sheet, c);
                int style = -1;
                if (std::holds_alternative<double>(row[c])) {
                    if (columnStyles[c] < 0) columnStyles[c] = styleIndex(numberStyleOf(row[c], column));
                    style = columnStyles[c];
                } else if (std::holds_alternative<WorkbookNumber>(row[c])) {
                    style = styleIndex(numberStyleOf(row[c], column));
                }
                writeCell(xml, row[c], column, style);
            }
            if (row.empty()) xml.writeEmptyElement("table:table-cell"_L1);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    void writeCell(QXmlStreamWriter& xml, const WorkbookCell& cell, const WorkbookColumn& column, int style) {
        if (const auto* text = std::get_if<QString>(&cell)) {
            const QString value = cellText(*text);
            if (value.isEmpty()) {
                xml.writeEmptyElement("table:table-cell"_L1);
                return;
            }
            xml.writeStartElement("table:table-cell"_L1);
            if (value.contains(u'\n')) xml.writeAttribute("table:style-name"_L1, "ceW"_L1);
            xml.writeAttribute("office:value-type"_L1, "string"_L1);
            writeParagraphs(xml, value);
            xml.writeEndElement();
            return;
        }
        if (const auto* date = std::get_if<QDate>(&cell); date && date->isValid()) {
            xml.writeStartElement("table:table-cell"_L1);
            xml.writeAttribute("table:style-name"_L1, "ceD"_L1);
            xml.writeAttribute("office:value-type"_L1, "date"_L1);
            xml.writeAttribute("office:date-value"_L1, date->toString(Qt::ISODate));
            writeParagraphs(xml, workbookCellText(cell, column));
            xml.writeEndElement();
            return;
        }
        const bool number = std::holds_alternative<double>(cell) || std::holds_alternative<WorkbookNumber>(cell);
        const double value = std::holds_alternative<double>(cell)           ? std::get<double>(cell)
                             : std::holds_alternative<WorkbookNumber>(cell) ? std::get<WorkbookNumber>(cell).value
                                                                            : 0;
        if (!number || !std::isfinite(value)) {
            xml.writeEmptyElement("table:table-cell"_L1);
            return;
        }
        const QString iso = isoCurrency(m_styles[static_cast<std::size_t>(style)].currency);
        xml.writeStartElement("table:table-cell"_L1);
        xml.writeAttribute("table:style-name"_L1, u"ce%1"_s.arg(style));
        xml.writeAttribute("office:value-type"_L1, iso.isEmpty() ? "float"_L1 : "currency"_L1);
        if (!iso.isEmpty()) xml.writeAttribute("office:currency"_L1, iso);
        xml.writeAttribute("office:value"_L1, valueText(value));
        writeParagraphs(xml, workbookCellText(cell, column));
        xml.writeEndElement();
    }

    const Workbook& m_book;
    std::vector<std::vector<double>> m_widths; // of each sheet's columns
    std::vector<NumberStyle> m_styles;
    std::map<std::pair<int, QString>, int> m_styleIndex;
};

QByteArray stylesXml() {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml, "office:document-styles");
    xml.writeStartElement("office:styles"_L1);
    xml.writeStartElement("style:default-style"_L1);
    xml.writeAttribute("style:family"_L1, "table-cell"_L1);
    xml.writeEmptyElement("style:text-properties"_L1);
    xml.writeAttribute("fo:font-size"_L1, "10pt"_L1);
    xml.writeEndElement();
    xml.writeEmptyElement("style:style"_L1);
    xml.writeAttribute("style:name"_L1, "Default"_L1);
    xml.writeAttribute("style:family"_L1, "table-cell"_L1);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray metaXml(const QDateTime& now) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml, "office:document-meta");
    xml.writeStartElement("office:meta"_L1);
    const QString generator = QCoreApplication::applicationName().isEmpty()
                                  ? u"Wagenwart"_s
                                  : QCoreApplication::applicationName() + u'/' + QCoreApplication::applicationVersion();
    xml.writeTextElement("meta:generator"_L1, generator);
    xml.writeTextElement("meta:creation-date"_L1, now.toString(Qt::ISODate));
    xml.writeTextElement("dc:date"_L1, now.toString(Qt::ISODate));
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

// The view settings: on every sheet the first row stays in view while scrolling.
QByteArray settingsXml(const Workbook& book) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml, "office:document-settings");
    auto item = [&xml](const char* name, const char* type, const QString& value) {
        xml.writeStartElement("config:config-item"_L1);
        xml.writeAttribute("config:name"_L1, QLatin1StringView(name));
        xml.writeAttribute("config:type"_L1, QLatin1StringView(type));
        xml.writeCharacters(value);
        xml.writeEndElement();
    };
    xml.writeStartElement("office:settings"_L1);
    xml.writeStartElement("config:config-item-set"_L1);
    xml.writeAttribute("config:name"_L1, "ooo:view-settings"_L1);
    xml.writeStartElement("config:config-item-map-indexed"_L1);
    xml.writeAttribute("config:name"_L1, "Views"_L1);
    xml.writeStartElement("config:config-item-map-entry"_L1);
    item("ViewId", "string", u"view1"_s);
    xml.writeStartElement("config:config-item-map-named"_L1);
    xml.writeAttribute("config:name"_L1, "Tables"_L1);
    for (const WorkbookSheet& sheet : book.sheets) {
        xml.writeStartElement("config:config-item-map-entry"_L1);
        xml.writeAttribute("config:name"_L1, sheet.name);
        item("HorizontalSplitMode", "short", u"0"_s);
        item("VerticalSplitMode", "short", u"2"_s);
        item("HorizontalSplitPosition", "int", u"0"_s);
        item("VerticalSplitPosition", "int", u"1"_s);
        item("ActiveSplitRange", "short", u"2"_s);
        item("PositionLeft", "int", u"0"_s);
        item("PositionRight", "int", u"0"_s);
        item("PositionTop", "int", u"0"_s);
        item("PositionBottom", "int", u"1"_s);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    if (!book.sheets.empty()) item("ActiveTable", "string", book.sheets.front().name);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray manifestXml() {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument();
    xml.writeStartElement("manifest:manifest"_L1);
    xml.writeAttribute("xmlns:manifest"_L1, "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"_L1);
    xml.writeAttribute("manifest:version"_L1, "1.3"_L1);
    auto entry = [&xml](const char* path, const char* type) {
        xml.writeEmptyElement("manifest:file-entry"_L1);
        xml.writeAttribute("manifest:full-path"_L1, QLatin1StringView(path));
        if (QLatin1StringView(path) == "/"_L1) xml.writeAttribute("manifest:version"_L1, "1.3"_L1);
        xml.writeAttribute("manifest:media-type"_L1, QLatin1StringView(type));
    };
    entry("/", kMimeType);
    for (const char* part : {"content.xml", "styles.xml", "meta.xml", "settings.xml"}) entry(part, "text/xml");
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

// The zip package over minizip; every step checked, the first failure kept.
class Package {
public:
    Package(const QString& path, const QDateTime& now) {
        errno = 0;
        m_zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
        if (!m_zip) fail();
        const QDate d = now.date();
        const QTime t = now.time();
        m_info.tmz_date = {static_cast<uInt>(t.second()),    static_cast<uInt>(t.minute()),
                           static_cast<uInt>(t.hour()),      static_cast<uInt>(d.day()),
                           static_cast<uInt>(d.month() - 1), static_cast<uInt>(d.year())};
    }
    ~Package() {
        if (m_zip) zipClose(m_zip, nullptr); // only after a failure: the file is given up
    }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // `stored`: without compression.
    void add(const char* name, const QByteArray& bytes, bool stored = false) {
        if (m_failed) return;
        errno = 0;
        if (zipOpenNewFileInZip64(m_zip, name, &m_info, nullptr, 0, nullptr, 0, nullptr, stored ? 0 : Z_DEFLATED,
                                  stored ? 0 : Z_DEFAULT_COMPRESSION, 0) != ZIP_OK)
            return fail();
        if (zipWriteInFileInZip(m_zip, bytes.constData(), static_cast<unsigned>(bytes.size())) != ZIP_OK) {
            fail();
            zipCloseFileInZip(m_zip);
            return;
        }
        if (zipCloseFileInZip(m_zip) != ZIP_OK) fail();
    }

    bool close(QString& reason) {
        if (!m_failed) {
            errno = 0;
            const int result = zipClose(m_zip, nullptr);
            m_zip = nullptr;
            if (result != ZIP_OK) fail();
        }
        if (m_failed) reason = writeFailureReason(m_errno);
        return !m_failed;
    }

private:
    void fail() {
        if (!m_failed) m_errno = errno;
        m_failed = true;
    }

    zipFile m_zip = nullptr;
    zip_fileinfo m_info{};
    bool m_failed = false;
    int m_errno = 0;
};

} // namespace

bool writeOds(const QString& path, const Workbook& book, QString& reason) {
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray content = ContentWriter(book).content();
    Package package(path, now);
    package.add("mimetype", QByteArray(kMimeType), true);
    package.add("META-INF/manifest.xml", manifestXml());
    package.add("content.xml", content);
    package.add("styles.xml", stylesXml());
    package.add("meta.xml", metaXml(now));
    package.add("settings.xml", settingsXml(book));
    return package.close(reason);
}

} // namespace workbook_detail
