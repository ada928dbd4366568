#pragma once
// The number texts of the program. Every number is read and written here, never with the
// system locale: the decimal separator is always the comma.

#include <stdexcept>
#include <string>
#include <string_view>

// Tolerant reading: "." and "," both are the decimal separator, foreign characters are dropped,
// a malformed rest gives 0 ("12,50 €" -> 12.5, "1.234,56" -> 0, "-,5" -> -0.5).
double TextToFloat(std::string_view text);

// The general float text form: up to 15 significant digits, no trailing zeros, decimal comma;
// scientific ("1E-5", "1E15") outside 0.0001 <= |x| < 10^15.
std::string FloatToText(double value);

// Fixed-point text: rounded to at most `precision` significant digits and at most `digits`
// decimals (whichever keeps fewer), written with exactly `digits` decimals and a comma.
// FormatFixed(12.345, 3, 2) == "12,30", FormatFixed(654.3, 6, 0) == "654".
std::string FormatFixed(double value, int precision, int digits);

// "%6.2f" with a decimal comma: two decimals, padded on the left with blanks to six characters.
std::string FormatMoney62(double value);

// Raised by the strict conversions below for a text they cannot read; what() is the message for
// the user in UTF-8, as the general error handler shows it: "'12.5' ist kein gültiger Gleitkommawert."
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Strict reading of a decimal-comma number, as the statistics read prices and quantities:
// optional blanks, an optional sign, digits with at most one comma (at least one digit before or
// after it, so ",5" and "5," are read), an optional exponent ("1,5E3", "2e-1": "E" or "e", an
// optional sign and at least one digit), optional blanks. Nothing else: a point ("12.5"),
// thousands separators, a currency sign and the empty text are refused. A value beyond the
// double range is refused; one too small for it reads as 0.
bool TryStrToFloat(std::string_view text, double& value);
// As TryStrToFloat; throws EConvertError "'<text>' ist kein gültiger Gleitkommawert."
double StrToFloat(std::string_view text);

// Strict reading of a whole number: optional leading blanks, an optional sign, decimal digits,
// nothing after them (a trailing blank is refused too), within the 32-bit range.
bool TryStrToInt(std::string_view text, int& value);
// As TryStrToInt; throws EConvertError "'<text>' ist kein gültiger Integerwert."
int StrToInt(std::string_view text);
