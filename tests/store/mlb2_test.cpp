#include "store/mlb2.h"

#include <gtest/gtest.h>

namespace {

// A table with the field "v" and one row per value.
TMlb2 tableOf(std::initializer_list<const char*> values, const char* field = "v") {
    TMlb2 t;
    t.AddField(field);
    for (const char* v : values) {
        t.AppendRow();
        t.SetValue(field, v);
    }
    return t;
}

std::vector<std::string> column(TMlb2& t, const char* field = "v") {
    std::vector<std::string> out;
    for (int r = 1; r <= t.RowCount(); ++r) out.push_back(t.ValueAt(r, t.FieldIndex(field)));
    return out;
}

TEST(TMlb2Fields, AddFieldRefusesBlankAndDuplicateNames) {
    TMlb2 t;
    EXPECT_TRUE(t.AddField("Datum"));
    EXPECT_FALSE(t.AddField(""));
    EXPECT_FALSE(t.AddField("   "));
    EXPECT_FALSE(t.AddField("DATUM"));
    EXPECT_TRUE(t.AddField(" preis "));
    EXPECT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.FieldName(2), " preis ");
    EXPECT_EQ(t.FieldName(0), "");
    EXPECT_EQ(t.FieldName(3), "");
}

TEST(TMlb2Fields, NewFieldIsEmptyInEveryRowAndLookupIgnoresCase) {
    TMlb2 t = tableOf({"a", "b"});
    ASSERT_TRUE(t.AddField("Neu"));
    t.First();
    EXPECT_EQ(t.GetValue("neu"), "");
    EXPECT_TRUE(t.SetValue("NEU", "x"));
    EXPECT_EQ(t.GetValue("Neu"), "x");
    EXPECT_EQ(t.GetValue("gibtsnicht"), "");
    EXPECT_FALSE(t.SetValue("gibtsnicht", "x"));
    t.Next();
    EXPECT_EQ(t.GetValue("neu"), "");

    EXPECT_TRUE(t.DeleteField("v"));
    EXPECT_FALSE(t.DeleteField("v"));
    EXPECT_EQ(t.FieldCount(), 1);
    t.First();
    EXPECT_EQ(t.GetValue("neu"), "x");
}

TEST(TMlb2Cursor, EmptyTableLoopRunsOnceWithEmptyValues) {
    TMlb2 t;
    t.AddField("v");
    EXPECT_TRUE(t.Bof());
    EXPECT_TRUE(t.Eof());
    EXPECT_FALSE(t.First());
    EXPECT_TRUE(t.Bof() && t.Eof());
    int bodies = 0;
    t.First();
    do {
        EXPECT_EQ(t.GetValue("v"), "");
        EXPECT_FALSE(t.SetValue("v", "x"));
        ++bodies;
        t.Next();
    } while (!t.Eof());
    EXPECT_EQ(bodies, 1);
    EXPECT_FALSE(t.Last());
    EXPECT_FALSE(t.Prior());
    EXPECT_TRUE(t.Bof() && t.Eof());
    EXPECT_FALSE(t.BeginSearch());
    EXPECT_FALSE(t.EndSearch());
}

TEST(TMlb2Cursor, MovesAndFlags) {
    TMlb2 t = tableOf({"a", "b", "c"});
    EXPECT_EQ(t.RowNumber(), 3); // AppendRow leaves the cursor on the new row
    EXPECT_FALSE(t.Next());      // on the last row
    EXPECT_TRUE(t.Eof());
    EXPECT_FALSE(t.Bof());
    EXPECT_EQ(t.RowNumber(), 3);
    EXPECT_EQ(t.GetValue("v"), "c");

    EXPECT_TRUE(t.First());
    EXPECT_FALSE(t.Bof() || t.Eof());
    EXPECT_FALSE(t.Prior());
    EXPECT_TRUE(t.Bof());
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(t.RowNumber(), 1);

    EXPECT_TRUE(t.GoToRow(2));
    EXPECT_EQ(t.GetValue("v"), "b");
    EXPECT_FALSE(t.GoToRow(4));
    EXPECT_TRUE(t.Bof() && t.Eof());
    EXPECT_EQ(t.RowNumber(), 2);
    EXPECT_FALSE(t.GoToRow(0));
    EXPECT_EQ(t.GetValue("v"), "b");
}

TEST(TMlb2Cursor, DeleteRowKeepsThePositionNumber) {
    struct Case {
        const char* name;
        int cursor, deleted;
        int rowNumber;
        const char* current; // value at the cursor afterwards, "" = no current row
    };
    const Case cases[] = {
        {"before the current row", 2, 1, 2, "c"},
        {"the current row", 2, 2, 2, "c"},
        {"after the current row", 2, 3, 2, "b"},
        {"the last row while on it", 3, 3, 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMlb2 t = tableOf({"a", "b", "c"});
        t.GoToRow(c.cursor);
        EXPECT_TRUE(t.DeleteRow(c.deleted));
        EXPECT_EQ(t.RowNumber(), c.rowNumber);
        EXPECT_EQ(t.GetValue("v"), c.current);
        EXPECT_FALSE(t.Bof() || t.Eof());
    }
    TMlb2 t = tableOf({"a"});
    EXPECT_FALSE(t.DeleteRow(0));
    EXPECT_FALSE(t.DeleteRow(2));
}

TEST(TMlb2Cursor, DeleteCurrentRowMovesToTheNewLastRow) {
    TMlb2 t = tableOf({"a", "b", "c"});
    ASSERT_TRUE(t.DeleteCurrentRow()); // on "c"
    EXPECT_EQ(t.RowNumber(), 2);
    EXPECT_EQ(t.GetValue("v"), "b");

    t.First();
    ASSERT_TRUE(t.DeleteCurrentRow()); // "a": the one that followed stays current
    EXPECT_EQ(t.GetValue("v"), "b");
    ASSERT_TRUE(t.DeleteCurrentRow());
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.RowNumber(), 0);
    EXPECT_TRUE(t.Bof() && t.Eof());

    TMlb2 u = tableOf({"a", "b"});
    u.DeleteRow(2); // cursor beyond the last row now
    EXPECT_FALSE(u.DeleteCurrentRow());
    EXPECT_EQ(u.RowCount(), 1);
    EXPECT_EQ(u.GetValue("v"), "a");
}

TEST(TMlb2Cursor, MarkAndReturn) {
    TMlb2 t = tableOf({"a", "b", "c"});
    t.GoToRow(2);
    ASSERT_TRUE(t.MarkPosition());
    t.First();
    do t.Next();
    while (!t.Eof());
    ASSERT_TRUE(t.ReturnToMark());
    EXPECT_EQ(t.GetValue("v"), "b");
    EXPECT_TRUE(t.Eof()); // the flags keep their values

    t.DeleteRow(3);
    t.DeleteRow(2); // the mark designates no row now
    EXPECT_FALSE(t.ReturnToMark());
    EXPECT_FALSE(t.MarkPosition()); // no current row: mark unchanged
    t.ClearRows();
    EXPECT_FALSE(t.ReturnToMark());
    EXPECT_EQ(t.FieldCount(), 1);
}

TEST(TMlb2Values, FloatsUseTheGeneralTextForm) {
    TMlb2 t = tableOf({"12,50 €"});
    EXPECT_DOUBLE_EQ(t.GetFloat("v"), 12.5);
    EXPECT_TRUE(t.SetFloat("v", 2500));
    EXPECT_EQ(t.GetValue("v"), "2500");
    EXPECT_DOUBLE_EQ(t.GetFloat("nichtda"), 0);
}

struct FindCase {
    const char* name;
    const char* op;
    const char* value;
    int startRow; // cursor before the search
    bool armed;
    bool found;
    int rowAfter;
};
void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.name;
}

class TMlb2Find : public testing::TestWithParam<FindCase> {};

TEST_P(TMlb2Find, MovesToTheNextMatchingRow) {
    const FindCase& c = GetParam();
    TMlb2 t = tableOf({"10", "9", "Meier", "banana", "10"});
    t.GoToRow(c.startRow);
    if (c.armed) t.BeginSearch();
    EXPECT_EQ(t.Find("V", c.op, c.value), c.found);
    EXPECT_EQ(t.RowNumber(), c.rowAfter);
    if (!c.found) {
        EXPECT_FALSE(t.Bof() || t.Eof());
    }
}

INSTANTIATE_TEST_SUITE_P(Operators, TMlb2Find,
                         testing::Values(FindCase{"EqualSkipsCurrentRow", "=", "10", 1, false, true, 5},
                                         FindCase{"EqualArmedTestsCurrentRow", "=", "10", 1, true, true, 1},
                                         FindCase{"EqualIsCaseSensitive", "=", "meier", 1, true, false, 1},
                                         FindCase{"LessComparesAsText", "<", "9", 1, true, true, 1},
                                         FindCase{"GreaterComparesAsText", ">", "10", 1, true, true, 2},
                                         FindCase{"LessOrEqual", "<=", "1", 2, false, false, 2},
                                         FindCase{"GreaterOrEqual", ">=", "banana", 1, true, true, 4},
                                         FindCase{"LikeIgnoresCase", "like", "MEI*", 1, false, true, 3},
                                         FindCase{"LikeNoBacktracking", "LIKE", "*a", 1, true, false, 1},
                                         FindCase{"UnknownOperatorMatchesNothing", "==", "10", 1, true, false, 1},
                                         FindCase{"NotFoundReturnsToTheRow", "=", "x", 3, false, false, 3}),
                         [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(TMlb2FindMore, FromBeyondTheLastRow) {
    TMlb2 t = tableOf({"a", "b"});
    t.DeleteRow(2); // cursor beyond the last row
    EXPECT_FALSE(t.Find("v", "=", "a"));
    EXPECT_TRUE(t.Bof() && t.Eof());
    EXPECT_EQ(t.RowNumber(), 2);

    TMlb2 empty;
    empty.AddField("v");
    EXPECT_FALSE(empty.Find("v", "=", ""));
}

TEST(TMlb2FindMore, LookupPattern) {
    TMlb2 t = tableOf({"a", "b", "c"});
    t.First();
    t.BeginSearch();
    ASSERT_TRUE(t.Find("v", "=", "a"));
    t.EndSearch();
    EXPECT_EQ(t.GetValue("v"), "a");
    // a search that is armed once is disarmed by the Find
    EXPECT_FALSE(t.Find("v", "=", "a"));
}

TEST(TMlb2Sort, NumericAndTextOrder) {
    TMlb2 t = tableOf({"9", "10", ""});
    EXPECT_TRUE(t.SortNumeric("v"));
    EXPECT_EQ(column(t), (std::vector<std::string>{"", "9", "10"}));
    EXPECT_TRUE(t.SortText("v"));
    EXPECT_EQ(column(t), (std::vector<std::string>{"", "10", "9"}));

    TMlb2 one = tableOf({"x"});
    EXPECT_FALSE(one.SortText("v"));
    EXPECT_FALSE(one.SortNumeric("v"));
}

// The order of rows with equal keys, worked out by hand with the partition scheme
// (pivot at (lo + hi) div 2, exchange when i <= j).
TEST(TMlb2Sort, EqualKeysLandInThePartitionOrder) {
    TMlb2 t;
    t.AddField("k");
    t.AddField("tag");
    const char* rows[][2] = {{"5", "a"}, {"5", "b"}, {"5", "c"}, {"5", "d"}};
    for (auto& r : rows) {
        t.AppendRow();
        t.SetValue("k", r[0]);
        t.SetValue("tag", r[1]);
    }
    t.SortNumeric("k");
    // lo=1 hi=4 pivot 5: i=1,j=4 swap -> d b c a; i=2,j=3 swap -> d c b a; i=3 j=2 stop.
    // sort 1..2: pivot (1+2)/2=1: swap 1,2 -> c d; sort 3..4: swap -> a b.
    EXPECT_EQ(column(t, "tag"), (std::vector<std::string>{"c", "d", "a", "b"}));

    TMlb2 u;
    u.AddField("k");
    u.AddField("tag");
    const char* rows2[][2] = {{"2", "x"}, {"1", "a"}, {"2", "y"}, {"1", "b"}, {"2", "z"}};
    for (auto& r : rows2) {
        u.AppendRow();
        u.SetValue("k", r[0]);
        u.SetValue("tag", r[1]);
    }
    u.SortText("k");
    // pivot key at 3 = "2": i stops at 1 (2), j stops at 5 (2): swap -> z a y b x; i=2 j=4:
    // i: key(2)=1<2 -> i=3 (2); j: key(4)=1 not > -> stop j=4; swap 3,4 -> z a b y x; i=4 j=3.
    // sort 1..3 (2 1 1 ; pivot key(2)="1"): i=1 (2 not<1) j: key(3)=1 not> stop 3: swap -> b a z; i=2 j=2:
    //   key(2)=1 not<1, j: 1 not >1 -> swap self, i=3 j=1. sort 1..1 no; sort 3..3 no. -> b a z
    // sort 4..5 (y x): pivot (4+5)/2=4 "2": swap 4,5 -> x y.
    EXPECT_EQ(column(u, "tag"), (std::vector<std::string>{"b", "a", "z", "x", "y"}));
}

TEST(TMlb2Sort, CursorKeepsItsPositionNumber) {
    TMlb2 t = tableOf({"3", "1", "2"});
    t.GoToRow(1);
    t.SortNumeric("v");
    EXPECT_EQ(t.RowNumber(), 1);
    EXPECT_EQ(t.GetValue("v"), "1");
}

TEST(TMlb2Copy, CopyFromReplacesEverything) {
    TMlb2 src = tableOf({"a", "b"});
    src.AddField("w");
    TMlb2 dst = tableOf({"x"}, "other");
    dst.CopyFrom(src);
    EXPECT_EQ(dst.FieldCount(), 2);
    EXPECT_EQ(dst.FieldName(1), "v");
    EXPECT_EQ(dst.RowCount(), 2);
    EXPECT_EQ(dst.RowNumber(), 2);
    EXPECT_EQ(dst.GetValue("v"), "b");

    TMlb2 none;
    none.AddField("f");
    dst.CopyFrom(none);
    EXPECT_EQ(dst.RowCount(), 0);
    EXPECT_TRUE(dst.Bof() && dst.Eof());
}

} // namespace
