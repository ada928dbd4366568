#pragma once
// Colours as the settings file stores them: a TColor value (0x00BBGGRR for RGB colours,
// 0xFF0000nn for the system colour nn, clNone/clDefault) and its text ("clWindow", "$00FF8000").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using TColor = std::int32_t;

constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The name of a well-known colour, else "$" and eight upper-case hexadecimal digits.
std::string ColorToString(TColor colour);
// A known name (letter case ignored), else an integer ("$" introduces hexadecimal); nullopt
// for a text that is neither.
std::optional<TColor> StringToColor(std::string_view text);
