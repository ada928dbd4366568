#include "store/concordances.h"
#include "store/mlb2.h"

#include <gtest/gtest.h>

namespace {

struct LikeCase {
    const char* name;
    const char* pattern;
    const char* text;
    bool matches;
};
void PrintTo(const LikeCase& c, std::ostream* os) {
    *os << c.name;
}

class LikePattern : public testing::TestWithParam<LikeCase> {};

// The table's own matcher: spaces kept, case folded (a-z only), wildcards on.
TEST_P(LikePattern, AsTheTableMatchesIt) {
    const LikeCase& c = GetParam();
    TMlb2 t;
    EXPECT_EQ(t.Matcher().Matches(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LikePattern,
    testing::Values(
        LikeCase{"StarQuestionNeedsOneMore", "a*?", "a", false}, LikeCase{"StarQuestionWithOneMore", "a*?", "ab", true},
        LikeCase{"StarHashFindsDigit", "*#", "Fahrt 7", true}, LikeCase{"StarHashNoDigit", "*#", "Fahrt", false},
        LikeCase{"NoBacktracking", "*a", "banana", false}, LikeCase{"StarTakesFirstOccurrence", "*a*", "banana", true},
        LikeCase{"NegatedRange", "[!0-9]*", "x12", true}, LikeCase{"NegatedRangeRefusesDigit", "[!0-9]*", "1x", false},
        LikeCase{"NegatedSetFailsAtEnd", "x[!a]", "x", false}, LikeCase{"Range", "[a-c]", "B", true},
        LikeCase{"RangeOutside", "[a-c]", "d", false}, LikeCase{"RangeNotAscendingAddsNothing", "[c-a]", "b", false},
        LikeCase{"RangeKeepsItsStart", "[c-a]", "c", true}, LikeCase{"DashFirstIsLiteral", "[-x]", "-", true},
        LikeCase{"CloseReusesLastSet", "[ab]]", "ba", true}, LikeCase{"CloseWithoutSetFails", "]", "x", false},
        LikeCase{"UnclosedSetEndsThePattern", "ab[cd", "ab", true},
        LikeCase{"UnclosedSetStillNeedsWholeText", "ab[cd", "abc", false},
        LikeCase{"EmptyPatternEmptyText", "", "", true}, LikeCase{"EmptyPatternOtherText", "", "x", false},
        LikeCase{"UmlautsAreNotFolded", "mÜller", "MüLLER", false}, LikeCase{"AsciiFolded", "meier", "MEIER", true},
        LikeCase{"QuestionFailsAtEnd", "ab?", "ab", false}, LikeCase{"HashNeedsDigit", "#", "a", false},
        LikeCase{"StarRunCountsFollowers", "**x", "x", false}, LikeCase{"StarRunSkipsEnough", "**x", "ax", true},
        LikeCase{"StarBeforeBracketIsLiteral", "*[", "ab[", true}, LikeCase{"SpacesKept", "a b", "ab", false},
        LikeCase{"WholeTextMustBeConsumed", "ab", "abc", false}),
    [](const testing::TestParamInfo<LikeCase>& info) { return std::string(info.param.name); });

TEST(TConcordancesOptions, DefaultsAndSwitches) {
    TConcordances m; // defaults: spaces kept, case-sensitive, no wildcards
    EXPECT_TRUE(m.Matches("a*", "a*"));
    EXPECT_FALSE(m.Matches("a*", "ab"));
    EXPECT_FALSE(m.Matches("abc", "ABC"));
    m.KeepSpaces = false;
    EXPECT_TRUE(m.Matches("a b c", "abc "));
    m.CaseSensitive = false;
    EXPECT_TRUE(m.Matches("abc", "A B C"));
}

} // namespace
