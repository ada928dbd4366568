// The strict readings of the statistics: prices and quantities in the comma form, whole numbers,
// dates "dd.mm.yyyy"; a text they cannot read is an EConvertError with the message shown.

#include "records/cost_records.h"
#include "store/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StrToFloat, ReadsTheCommaForm) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12,5", 12.5}, {" 12,50 ", 12.5}, {"-3,25", -3.25}, {"+7", 7},     {"42", 42},
        {",5", 0.5},    {"5,", 5},         {"1,5E3", 1500},  {"2e-1", 0.2}, {"7,00 ", 7}, // the panel's text
        {"1E-400", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value);
    }
}

TEST(StrToFloat, RefusesEveryOtherForm) {
    for (const char* text : {"12.5", "", " ", "-", ",", "1.234,56", "12,50 \x80", "1E", "1E+", "1,2,3", "\t5", "abc",
                             "1E400", "INF", "5 5", "--5"}) {
        SCOPED_TRACE(text);
        double value = 99;
        EXPECT_FALSE(TryStrToFloat(text, value));
        EXPECT_EQ(value, 99);
        EXPECT_THROW(StrToFloat(text), EConvertError);
    }
}

TEST(StrToInt, ReadsWholeNumbers) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"10500", 10500},
                 {"  42", 42},
                 {"-7", -7},
                 {"+3", 3},
                 {"2147483647", 2147483647},
                 {"-2147483648", -2147483647 - 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToInt(c.text), c.value);
    }
    for (const char* text : {"", "x", "12 ", "1,0", "2147483648", "-2147483649", "1E3", "$10", "-"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(StrToInt(text), EConvertError);
    }
}

TEST(StrToDate, ReadsDayMonthYear) {
    EXPECT_EQ(StrToDate("07.03.2021"), QDate(2021, 3, 7));
    EXPECT_EQ(StrToDate(" 7.3.2021 "), QDate(2021, 3, 7));
    EXPECT_EQ(StrToDate("29.02.2024"), QDate(2024, 2, 29));
    for (const char* text : {"abc", "", "31.02.2021", "29.02.2023", "07.03.21", "07-03-2021", "007.03.2021",
                             "07.03.20211", "2021-03-07", "07.13.2021", "07.03.2021x"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(StrToDate(text), EConvertError);
    }
}

TEST(ConvertError, CarriesTheMessageShownToTheUser) {
    const struct {
        std::string (*convert)(const char*);
        const char* text;
        const char* message;
    } cases[] = {
        {[](const char* t) { return std::to_string(StrToFloat(t)); }, "12.5",
         "'12.5' ist kein gültiger Gleitkommawert."},
        {[](const char* t) { return std::to_string(StrToInt(t)); }, "x", "'x' ist kein gültiger Integerwert."},
        {[](const char* t) { return StrToDate(t).toString().toStdString(); }, "abc", "'abc' ist kein gültiges Datum."},
        // The offending value is Windows-1252 bytes; the message is UTF-8.
        {[](const char* t) { return std::to_string(StrToFloat(t)); }, "12 \x80",
         "'12 €' ist kein gültiger Gleitkommawert."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            c.convert(c.text);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

} // namespace
