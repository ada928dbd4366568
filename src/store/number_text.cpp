#include "store/number_text.h"

#include "store/code_page.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Shortest decimal digits that read back as `value` (|value| > 0, finite): value = 0.D × 10^exp10.
struct Decimal {
    std::string digits; // no leading zero
    int exp10 = 0;
    bool negative = false;
};

Decimal shortestDecimal(double value) {
    Decimal d;
    d.negative = value < 0;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (isDigit(s[i])) d.digits.push_back(s[i]);
    int exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
    d.exp10 = exponent + 1;
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

} // namespace

double TextToFloat(std::string_view text) {
    // Fast path for the most common text, a plain whole number such as an odometer reading.
    if (!text.empty() && text.size() <= 15) {
        long long whole = 0;
        std::size_t k = 0;
        while (k < text.size() && isDigit(text[k])) whole = whole * 10 + (text[k++] - '0');
        if (k == text.size()) return static_cast<double>(whole);
    }
    // Steps 1 and 2: unify the decimal separator and keep only the characters of a number.
    std::string c;
    c.reserve(text.size());
    for (char ch : text) {
        if (ch == '.' || ch == ',')
            c.push_back(',');
        else if (ch == '+' || ch == '-' || isDigit(ch) || ch == 'E' || ch == 'e')
            c.push_back(ch);
    }
    if (c.empty()) return 0;
    if (!(c[0] == '+' || c[0] == '-' || isDigit(c[0]))) return 0;

    std::size_t i = 1;
    while (i < c.size() && isDigit(c[i])) ++i;
    const std::size_t intEnd = i;
    std::size_t fracBegin = intEnd, fracEnd = intEnd;
    bool haveSeparator = false;
    if (i < c.size()) {
        if (c[i] == ',') {
            haveSeparator = true;
            fracBegin = ++i;
            while (i < c.size() && isDigit(c[i])) ++i;
            fracEnd = i;
            if (i < c.size() && c[i] != 'E' && c[i] != 'e') return 0;
        } else if (c[i] != 'E' && c[i] != 'e') {
            return 0;
        }
    }
    int exponent = 0;
    if (i < c.size()) { // at "E"/"e"
        ++i;
        if (i >= c.size()) return 0;
        bool expNegative = false;
        if (c[i] == '+' || c[i] == '-')
            expNegative = c[i] == '-';
        else if (!isDigit(c[i]))
            return 0;
        const std::size_t expDigits = (c[i] == '+' || c[i] == '-') ? i + 1 : i;
        for (std::size_t k = i + 1; k < c.size(); ++k)
            if (!isDigit(c[k])) return 0;
        long long e = 0;
        for (std::size_t k = expDigits; k < c.size(); ++k) {
            e = e * 10 + (c[k] - '0');
            if (e > 100000) e = 100000; // far beyond the double range either way
        }
        exponent = static_cast<int>(expNegative ? -e : e);
    }

    const bool negative = c[0] == '-';
    const std::size_t intBegin = isDigit(c[0]) ? 0 : 1;
    const bool haveIntDigit = intEnd > intBegin;
    if (!haveIntDigit && !haveSeparator) return 0;

    // Read through from_chars on a plain C form, independent of the process locale.
    std::string plain;
    plain.append(c, intBegin, intEnd - intBegin);
    if (!haveIntDigit) plain.push_back('0');
    if (fracEnd > fracBegin) {
        plain.push_back('.');
        plain.append(c, fracBegin, fracEnd - fracBegin);
    }
    if (exponent != 0) {
        plain.push_back('e');
        plain += std::to_string(exponent);
    }
    double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as 0; an overflow is no number the program could use.
        return 0;
    }
    if (res.ec != std::errc()) return 0;
    if (value == 0) return 0;
    return negative ? -value : value;
}

std::string FloatToText(double value) {
    if (value == 0) return "0";
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = s.find('e');
    std::string mantissa = s.substr(0, e);
    for (char& ch : mantissa)
        if (ch == '.') ch = ',';
    if (e == std::string::npos) return mantissa;
    // "1.5e-05" -> "1,5E-5", "1e+15" -> "1E15"
    std::string out = mantissa + "E";
    std::size_t k = e + 1;
    if (s[k] == '-') out.push_back('-');
    if (s[k] == '+' || s[k] == '-') ++k;
    while (k + 1 < s.size() && s[k] == '0') ++k;
    out.append(s, k, std::string::npos);
    return out;
}

std::string FormatFixed(double value, int precision, int digits) {
    if (digits < 0) digits = 0;
    if (precision < 1) precision = 1;
    std::string intPart = "0";
    std::string fracPart(static_cast<std::size_t>(digits), '0');
    bool negative = false;
    if (value != 0 && std::isfinite(value)) {
        Decimal d = shortestDecimal(value);
        // Keep whichever is fewer: `precision` significant digits or `digits` decimals.
        const int keep = std::min(precision, d.exp10 + digits);
        if (keep >= 0) {
            std::string kept = d.digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, int(d.digits.size()))));
            kept.resize(static_cast<std::size_t>(keep), '0');
            int exp10 = d.exp10;
            // Round half away from zero on the decimal digits.
            if (static_cast<std::size_t>(keep) < d.digits.size() && d.digits[static_cast<std::size_t>(keep)] >= '5') {
                int k = keep - 1;
                while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') kept[static_cast<std::size_t>(k--)] = '0';
                if (k >= 0)
                    ++kept[static_cast<std::size_t>(k)];
                else {
                    kept.insert(kept.begin(), '1');
                    ++exp10;
                }
            }
            // kept are the digits from 10^(exp10-1) downwards; place them around the comma.
            std::string all;
            const int leadingZeros = exp10 < 0 ? -exp10 : 0;
            all.append(static_cast<std::size_t>(leadingZeros), '0');
            all += kept;
            const int intDigits = std::max(exp10, 0);
            if (static_cast<int>(all.size()) < intDigits + digits)
                all.resize(static_cast<std::size_t>(intDigits + digits), '0');
            intPart = intDigits > 0 ? all.substr(0, static_cast<std::size_t>(intDigits)) : "0";
            if (exp10 < 0) {
                // leading zeros after the comma
                fracPart = all.substr(0, static_cast<std::size_t>(digits));
            } else {
                fracPart = all.substr(static_cast<std::size_t>(intDigits), static_cast<std::size_t>(digits));
            }
            negative = d.negative && all.find_first_not_of('0') != std::string::npos;
        }
    }
    std::string out;
    if (negative) out.push_back('-');
    out += intPart;
    if (digits > 0) {
        out.push_back(',');
        out += fracPart;
    }
    return out;
}

std::string FormatMoney62(double value) {
    std::string s = FormatFixed(value, 18, 2);
    if (s.size() < 6) s.insert(0, 6 - s.size(), ' ');
    return s;
}

// The strict conversions: the forms the program's own dialogs write, and nothing else.

namespace {

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

[[noreturn]] void throwConvertError(std::string_view text, const char* what) {
    throw EConvertError("'" + toDisplay(text).toStdString() + "' ist kein " + what + ".");
}

} // namespace

bool TryStrToFloat(std::string_view text, double& value) {
    std::size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t intBegin = i;
    const std::size_t intEnd = i = skipDigits(text, i);
    std::size_t fracBegin = i, fracEnd = i;
    if (i < text.size() && text[i] == ',') {
        fracBegin = ++i;
        fracEnd = i = skipDigits(text, i);
    }
    if (intEnd == intBegin && fracEnd == fracBegin) return false;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
        const std::size_t expBegin = i;
        for (; i < text.size() && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000LL); // far beyond the double range
        if (i == expBegin) return false;
        if (expNegative) exponent = -exponent;
    }
    if (skipBlanks(text, i) != text.size()) return false;

    // Read through from_chars on the C form, independent of the process locale.
    std::string plain;
    plain.reserve(text.size() + 8);
    plain.append(text.substr(intBegin, intEnd - intBegin));
    if (intEnd == intBegin) plain.push_back('0');
    if (fracEnd > fracBegin) {
        plain.push_back('.');
        plain.append(text.substr(fracBegin, fracEnd - fracBegin));
    }
    if (exponent != 0) {
        plain.push_back('e');
        plain += std::to_string(exponent);
    }
    double read = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), read);
    if (res.ec == std::errc::result_out_of_range) {
        if (exponent >= 0) return false; // too large for a double
        read = 0;                        // too small: reads as 0
    } else if (res.ec != std::errc()) {
        return false;
    }
    value = negative ? -read : read;
    return true;
}

double StrToFloat(std::string_view text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) throwConvertError(text, "gültiger Gleitkommawert");
    return value;
}

bool TryStrToInt(std::string_view text, int& value) {
    std::size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t begin = i;
    long long magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    if (i == begin || i != text.size()) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL) return false;
    value = static_cast<int>(signedValue);
    return true;
}

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryStrToInt(text, value)) throwConvertError(text, "gültiger Integerwert");
    return value;
}
