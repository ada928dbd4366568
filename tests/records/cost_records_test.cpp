// The record file's layout and the migrations of files written by the previous major version.

#include "records/cost_records.h"
#include "records/record_lists.h"
#include "support/cost_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> fieldNames(const TMlb2& table) {
    std::vector<std::string> names;
    for (int f = 1; f <= table.FieldCount(); ++f) names.push_back(table.FieldName(f));
    return names;
}

std::vector<std::string> column(const TMlb2& table, const char* field) {
    std::vector<std::string> values;
    for (int row = 1; row <= table.RowCount(); ++row) values.push_back(table.ValueAt(row, table.FieldIndex(field)));
    return values;
}

// A record file taken over from the previous version: nine fields, no "tart", no "krart".
TMlb2 oldFile() {
    TMlb2 table;
    EXPECT_TRUE(table.LoadFromFile(WAGENWART_FIXTURES "/records/kfzdat.old"));
    EXPECT_EQ(table.FieldCount(), 9);
    return table;
}

TEST(CostRecordFile, NewVehicleStartsWithTheHeaderOnly) {
    const TMlb2 table = emptyCostTable();
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ToBytes(), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n");
}

struct KrartCase {
    const char* name;
    std::vector<const char*> fields; // of a table with two rows whose last field holds "1"
    bool added;
    std::vector<std::string> fieldsAfter;
    std::vector<std::string> valuesAfter; // of the field read as "krart"
};

void PrintTo(const KrartCase& c, std::ostream* os) {
    *os << c.name;
}

class KrartMigration : public testing::TestWithParam<KrartCase> {};

TEST_P(KrartMigration, AppendsTheFieldOnlyWhenNoneHasExactlyThatName) {
    const KrartCase& c = GetParam();
    TMlb2 table;
    for (const char* f : c.fields) table.AddField(f);
    for (int row = 0; row < 2; ++row) {
        table.AppendRow();
        table.SetValue(c.fields.back(), "1");
    }
    EXPECT_EQ(addKrartField(table), c.added);
    EXPECT_EQ(fieldNames(table), c.fieldsAfter);
    EXPECT_EQ(column(table, "krart"), c.valuesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, KrartMigration,
    testing::Values(KrartCase{"Missing", {"ID", "kmstnd"}, true, {"ID", "kmstnd", "krart"}, {"0", "0"}},
                    KrartCase{"Present", {"ID", "krart"}, false, {"ID", "krart"}, {"1", "1"}},
                    // AddField refuses the duplicate in another case: the table keeps its field and values.
                    KrartCase{"OtherLetterCase", {"ID", "KRART"}, false, {"ID", "KRART"}, {"1", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A record file cut short to nothing, or one that lost fields a record needs, would drop what is
// entered: it gains them, and keeps every value it has.
TEST(CostRecordFile, DamagedTableGainsTheFieldsARecordNeeds) {
    TMlb2 empty;
    empty.LoadFromBytes("");
    EXPECT_TRUE(addMissingRecordFields(empty));
    EXPECT_EQ(empty.ToBytes(), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;tart;krart\r\n");

    TMlb2 partial;
    partial.LoadFromBytes("ID;Datum;kmstnd;preis;text\r\n3;02.01.2009;41200;52,30;alt\r\n");
    EXPECT_TRUE(addMissingRecordFields(partial));
    EXPECT_EQ(partial.ToBytes(), "ID;Datum;kmstnd;preis;text;liter;voll;art;service\r\n"
                                 "3;02.01.2009;41200;52,30;alt;;;;\r\n");

    TMlb2 old = oldFile(); // nine fields of the previous version: nothing to add
    EXPECT_FALSE(addMissingRecordFields(old));
    EXPECT_EQ(old.FieldCount(), 9);
}

TEST(CostRecordFile, ListBuildingAddsTartToANineFieldTable) {
    TMlb2 table = oldFile();
    buildRecordLists(table, vehicleTable({.krstart2 = "1"}));
    EXPECT_EQ(fieldNames(table).back(), "tart");
    EXPECT_EQ(column(table, "tart"), (std::vector<std::string>{"1", "", "1"})); // fill-ups only
    EXPECT_FALSE(addTartField(table));                                          // ten fields now
}

TEST(CostRecordFile, OpeningTheVehicleFirstLeavesTenFieldsWithoutTart) {
    // Opening adds "krart" before the lists are built; a ten-field table gets no "tart" then, and
    // the file is written as the previous version's fields plus "krart".
    TMlb2 table = oldFile();
    EXPECT_TRUE(addKrartField(table));
    buildRecordLists(table, vehicleTable({.krstart2 = "1"}));
    EXPECT_EQ(table.ToBytes(), "ID;Datum;kmstnd;preis;liter;voll;art;text;service;krart\r\n"
                               "3;02.01.2009;41200;52,30;38,75;ja;t;;;0\r\n"
                               "3;20.01.2009;41650;310,00;;;s;Inspektion;ja;0\r\n"
                               "3;05.02.2009;41810;49,10;36,20;ja;t;;;0\r\n");
}

} // namespace
