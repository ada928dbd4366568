#include "store/code_page.h"

namespace {

// Bytes 0x80..0x9F; the five bytes without a character (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// control character of the same number, so that every byte survives the round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encode(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString toDisplay(std::string_view bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *d++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

std::string fromDisplay(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the basic plane: one "?"
            out.push_back('?');
            continue;
        }
        out.push_back(encode(u));
    }
    return out;
}

std::string fromTyped(const QString& text, TypedText kind) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const bool lineBreak = u == u'\r' || u == u'\n' || u == 0x2028 || u == 0x2029;
        if (lineBreak) {
            if (kind == TypedText::OneLine) continue;
            if (u == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i; // CR LF is one break
            kept += QStringLiteral("\r\n");
        } else if (u == u'\t') {
            if (kind == TypedText::LinesAndTabs) kept += QChar(u);
        } else if (u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0)) {
            kept += QChar(u);
        }
    }
    return fromDisplay(kept);
}
