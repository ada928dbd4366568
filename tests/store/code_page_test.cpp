#include "store/code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(fromDisplay(toDisplay(all)), all);
}

TEST(CodePage, Windows1252Characters) {
    EXPECT_EQ(toDisplay("\x80 \xd6l \xfc"), QString::fromUtf8("€ Öl ü"));
    EXPECT_EQ(toDisplay("CM\xb3"), QString::fromUtf8("CM³"));
    EXPECT_EQ(fromDisplay(QString::fromUtf8("Öl€„“")), "\xd6l\x80\x84\x93");
    EXPECT_EQ(fromDisplay(QString::fromUtf8("Ω✓😀")), "???"); // not in the code page
}

} // namespace
