#include "store/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ReadCase {
    const char* text;
    double value;
};

TEST(TextToFloat, TolerantReading) {
    const ReadCase cases[] = {
        {"12,50 €", 12.5}, {"12.5", 12.5}, {"1.234,56", 0}, {"-", 0},       {"+E5", 0},   {"1E", 0},
        {"1E+", 1},        {",5", 0},      {"-,5", -0.5},   {"1E3", 1000},  {"abc", 0},   {"", 0},
        {"  42 ", 42},     {"1,", 1},      {"1-2", 0},      {"1E-2", 0.01}, {"1E2,5", 0}, {"--5", 0},
        {"+7", 7},         {"1e999", 0},   {"3 000", 3000}, {"0,1E1", 1},
    };
    for (const ReadCase& c : cases) EXPECT_DOUBLE_EQ(TextToFloat(c.text), c.value) << '"' << c.text << '"';
}

TEST(FloatToText, GeneralForm) {
    const ReadCase cases[] = {
        {"0", 0},
        {"12,5", 12.5},
        {"2500", 2500},
        {"0,0001", 0.0001},
        {"1E-5", 0.00001},
        {"1E15", 1e15},
        {"-3,25", -3.25},
        {"0,1", 0.1},
        {"123456789012345", 123456789012345.0},
        {"1,5E-7", 1.5e-7},
        {"1,23456789012346E15", 1234567890123456.0},
        {"0,333333333333333", 1.0 / 3},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(FloatToText(c.value), c.text);
    EXPECT_EQ(FloatToText(-0.0), "0");
}

TEST(FormatFixed, RoundsToTheFewerOfPrecisionAndDigits) {
    struct Case {
        double value;
        int precision, digits;
        const char* text;
    };
    const Case cases[] = {
        {7.456, 3, 2, "7,46"},       {12.345, 3, 2, "12,30"},
        {1234.567, 6, 2, "1234,57"}, {12345.678, 6, 2, "12345,70"},
        {0.12345, 5, 3, "0,123"},    {654.3, 6, 0, "654"},
        {7, 3, 2, "7,00"},           {0, 6, 2, "0,00"},
        {-12.5, 6, 2, "-12,50"},     {9.999, 3, 2, "10,00"},
        {0.005, 3, 2, "0,01"},       {0.004, 3, 2, "0,00"},
        {-0.001, 6, 2, "0,00"},      {1234.56, 5, 2, "1234,60"},
        {0.0999, 5, 3, "0,100"},     {1234567, 6, 2, "1234570,00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.precision, c.digits), c.text)
            << c.value << " " << c.precision << " " << c.digits;
}

TEST(FormatMoney62, PaddedToSixCharacters) {
    EXPECT_EQ(FormatMoney62(45.67), " 45,67");
    EXPECT_EQ(FormatMoney62(1234.5), "1234,50");
    EXPECT_EQ(FormatMoney62(0), "  0,00");
    EXPECT_EQ(FormatMoney62(-3), " -3,00");
    EXPECT_EQ(FormatMoney62(2.005), "  2,01");
}

} // namespace
