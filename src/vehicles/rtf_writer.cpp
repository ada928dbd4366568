#include "vehicles/rtf_writer.h"

#include "store/code_page.h"
#include "vehicles/cost_report.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>
#include <map>

namespace {

constexpr char kHex[] = "0123456789abcdef";

// One character of the text in RTF.
void appendCharacter(std::string& out, char16_t u) {
    if (u == u'\\' || u == u'{' || u == u'}') {
        out += '\\';
        out += static_cast<char>(u);
    } else if (u == u'\t') {
        out += "\\tab ";
    } else if (u == QChar::LineSeparator || u == u'\n' || u == u'\r' || u == QChar::ParagraphSeparator) {
        out += "\\line ";
    } else if (u >= 0x20 && u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x20) {
        // No other control character is text.
    } else {
        const std::string byte = fromDisplay(QString(QChar(u)));
        if (byte != "?") {
            const auto b = static_cast<unsigned char>(byte[0]);
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            // RTF numbers are signed 16-bit; "?" is what a reader without Unicode shows.
            out += "\\u" + std::to_string(static_cast<int>(static_cast<short>(u))) + "?";
        }
    }
}

int halfPoints(const QTextCharFormat& format, const QFont& fallback) {
    double points = format.fontPointSize();
    if (points <= 0) points = fallback.pointSizeF();
    if (points <= 0) points = 10;
    return static_cast<int>(std::lround(points * 2));
}

} // namespace

std::string writeRtf(const QTextDocument& document) {
    // The font table: every family the text uses, the document's own first.
    std::map<QString, int> fonts;
    std::vector<QString> order;
    auto fontNumber = [&](const QString& family) {
        const auto [it, added] = fonts.emplace(family, static_cast<int>(order.size()));
        if (added) order.push_back(family);
        return it->second;
    };
    const QFont base = document.defaultFont();
    fontNumber(base.family());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QStringList families = it.fragment().charFormat().fontFamilies().toStringList();
            if (!families.isEmpty()) fontNumber(families.front());
        }

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (std::size_t i = 0; i < order.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
        for (QChar ch : order[i]) appendCharacter(out, ch.unicode());
        out += ";}";
    }
    out += "}\r\n";

    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out += "\\pard\\plain";
        // Qt keeps indents in pixels of 1/96 inch; RTF in twips, 1/1440 inch.
        const double indent = block.blockFormat().textIndent();
        if (indent != 0) out += "\\fi" + std::to_string(std::lround(indent * 15));
        out += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QStringList families = format.fontFamilies().toStringList();
            const int font = families.isEmpty() ? 0 : fontNumber(families.front());
            const bool bold = format.fontWeight() >= QFont::Bold;
            out += "{\\f" + std::to_string(font) + "\\fs" + std::to_string(halfPoints(format, base));
            if (bold) out += "\\b";
            out += ' ';
            for (QChar ch : fragment.text()) appendCharacter(out, ch.unicode());
            out += '}';
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

void fillReportDocument(QTextDocument& document, const std::vector<ReportParagraph>& paragraphs) {
    document.clear();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    bool first = true;
    for (const ReportParagraph& p : paragraphs) {
        QTextBlockFormat block;
        block.setTextIndent(p.indent ? kReportIndent * 96.0 / 72.0 : 0); // points in pixels of 1/96 inch
        QTextCharFormat chars;
        chars.setFontFamilies({QStringLiteral("Arial")});
        chars.setFontPointSize(p.pointSize);
        chars.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(chars);
            first = false;
        } else {
            cursor.insertBlock(block, chars);
        }
        QString text = p.text;
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        cursor.insertText(text, chars);
    }
}
