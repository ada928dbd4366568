#include "core/colour_text.h"
#include "store/text_case.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace {

struct NamedColour {
    TColor value;
    std::string_view name;
};

constexpr TColor systemColour(int n) {
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(n));
}

// The well-known colours, in the order in which a value is looked up for its name.
constexpr std::array<NamedColour, 52> kNamed{{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {systemColour(0), "clScrollBar"},
    {systemColour(1), "clBackground"},
    {systemColour(2), "clActiveCaption"},
    {systemColour(3), "clInactiveCaption"},
    {systemColour(4), "clMenu"},
    {systemColour(5), "clWindow"},
    {systemColour(6), "clWindowFrame"},
    {systemColour(7), "clMenuText"},
    {systemColour(8), "clWindowText"},
    {systemColour(9), "clCaptionText"},
    {systemColour(10), "clActiveBorder"},
    {systemColour(11), "clInactiveBorder"},
    {systemColour(12), "clAppWorkSpace"},
    {systemColour(13), "clHighlight"},
    {systemColour(14), "clHighlightText"},
    {systemColour(15), "clBtnFace"},
    {systemColour(16), "clBtnShadow"},
    {systemColour(17), "clGrayText"},
    {systemColour(18), "clBtnText"},
    {systemColour(19), "clInactiveCaptionText"},
    {systemColour(20), "clBtnHighlight"},
    {systemColour(21), "cl3DDkShadow"},
    {systemColour(22), "cl3DLight"},
    {systemColour(23), "clInfoText"},
    {systemColour(24), "clInfoBk"},
    {systemColour(26), "clHotLight"},
    {systemColour(27), "clGradientActiveCaption"},
    {systemColour(28), "clGradientInactiveCaption"},
    {systemColour(29), "clMenuHighlight"},
    {systemColour(30), "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
}};

static_assert(kNamed[25].value == clWindow && kNamed[28].value == clWindowText && kNamed[35].value == clBtnFace);

bool sameName(std::string_view a, std::string_view b) { return sameTextIgnoringCase(a, b); }

// An integer as the colour text holds it: an optional sign, then "$" or "0x" and up to eight
// hexadecimal digits (read as the 32 bits of the value, so "$FF000005" is a system colour), or
// decimal digits within the range of a TColor. Nothing else may follow.
std::optional<TColor> parseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    const char* const end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, magnitude, base);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    std::int64_t value = 0;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFu) return std::nullopt;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    } else {
        if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<TColor>::max()) + (negative ? 1 : 0))
            return std::nullopt;
        value = static_cast<std::int64_t>(magnitude);
    }
    if (negative) value = -value;
    return static_cast<TColor>(static_cast<std::uint32_t>(value));
}

} // namespace

std::string ColorToString(TColor colour) {
    for (const NamedColour& c : kNamed)
        if (c.value == colour) return std::string(c.name);
    static constexpr char kHex[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(colour);
    std::string out = "$00000000";
    for (std::size_t i = out.size() - 1; i >= 1; --i, bits >>= 4) out[i] = kHex[bits & 0xF];
    return out;
}

std::optional<TColor> StringToColor(std::string_view text) {
    for (const NamedColour& c : kNamed)
        if (sameName(c.name, text)) return c.value;
    return parseInteger(text);
}
