#include "core/colour_text.h"

#include <gtest/gtest.h>

namespace {

struct NamedCase {
    const char* name;
    std::uint32_t value;
};

// A sample of the named colours, among them both ends of each group and the gap at system colour 25.
TEST(ColourText, NamesAndValuesBelongTogether) {
    const NamedCase cases[] = {
        {"clBlack", 0x000000},        {"clMaroon", 0x000080},      {"clRed", 0x0000FF},
        {"clBlue", 0xFF0000},         {"clWhite", 0xFFFFFF},       {"clMoneyGreen", 0xC0DCC0},
        {"clMedGray", 0xA4A0A0},      {"clScrollBar", 0xFF000000}, {"clWindow", 0xFF000005},
        {"clWindowText", 0xFF000008}, {"clBtnFace", 0xFF00000F},   {"clInfoBk", 0xFF000018},
        {"clHotLight", 0xFF00001A},   {"clMenuBar", 0xFF00001E},   {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},
    };
    for (const NamedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto value = static_cast<TColor>(c.value);
        EXPECT_EQ(ColorToString(value), c.name);
        EXPECT_EQ(StringToColor(c.name), value);
    }
}

TEST(ColourText, ColourWithoutNameIsDollarAndEightUpperCaseHexDigits) {
    const NamedCase cases[] = {
        {"$00A1B2C3", 0x00A1B2C3},
        {"$FF000019", 0xFF000019}, // system colour 25 has no name
        {"$00000001", 0x00000001},
        {"$80000000", 0x80000000},
    };
    for (const NamedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto value = static_cast<TColor>(c.value);
        EXPECT_EQ(ColorToString(value), c.name);
        EXPECT_EQ(StringToColor(ColorToString(value)), value);
    }
}

struct ParseCase {
    const char* text;
    std::optional<std::uint32_t> expected;
};

TEST(ColourText, ReadsNamesInAnyCaseAndIntegers) {
    const ParseCase cases[] = {
        {"clwindow", 0xFF000005},
        {"CLNAVY", 0x800000},
        {"$ff000005", 0xFF000005},
        {"$a1b2c3", 0x00A1B2C3},
        {"0x10", 0x10},
        {"255", 0xFF},
        {"-1", 0xFFFFFFFF},
        {"+7", 7},
        {"2147483647", 0x7FFFFFFF},
        {"-2147483648", 0x80000000},
        {"", std::nullopt},
        {"blau", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"12a", std::nullopt},
        {"$1G", std::nullopt},
        {"$100000000", std::nullopt},
        {"2147483648", std::nullopt},
        {"clWindow ", std::nullopt},
        {"$-5", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        std::optional<TColor> expected;
        if (c.expected) expected = static_cast<TColor>(*c.expected);
        EXPECT_EQ(StringToColor(c.text), expected);
    }
}

} // namespace
