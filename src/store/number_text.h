#pragma once
// The number texts of the program. Every number is read and written here, never with the
// system locale: the decimal separator is always the comma.

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
