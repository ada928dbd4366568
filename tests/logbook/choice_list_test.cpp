// The logbook's choice lists: what the new-trip dialog offers and adds, and what the settings
// dialog writes.

#include "logbook/choice_list.h"
#include "logbook_fixture.h"

#include <gtest/gtest.h>

namespace {

TMlb2 choices(const std::string& rows) {
    TMlb2 t;
    t.LoadFromBytes("rubrik;text\r\n" + rows);
    return t;
}

TEST(ChoiceLists, TextsByRubrikAndTheSettingWhereverItsRowStands) {
    const ChoiceLists lists =
        choiceListsOf(choices("1;Berlin\r\n5;j\r\n2;Kundenbesuch\r\n1;Potsdam\r\n3;Meier\r\n4;Max\r\n6;x\r\n"));
    EXPECT_EQ(lists.texts[0], (QStringList{"Berlin", "Potsdam"}));
    EXPECT_EQ(lists.texts[1], QStringList{"Kundenbesuch"});
    EXPECT_EQ(lists.texts[2], QStringList{"Meier"});
    EXPECT_EQ(lists.texts[3], QStringList{"Max"});
    EXPECT_TRUE(lists.confirmBeforeSave);
    EXPECT_FALSE(choiceListsOf(choices("5;n\r\n1;Berlin\r\n")).confirmBeforeSave);
    EXPECT_FALSE(choiceListsOf(choices("1;Berlin\r\n")).confirmBeforeSave);
}

TEST(ChoiceLists, TypedTextIsAddedOnlyWhenNoTextOfAnyRubrikMatchesIt) {
    TMlb2 t = choices("1;Berlin\r\n2;Kundenbesuch\r\n");
    // "Von", "Route", "Nach", "Zweck", "Besucht", "Fahrer"
    addTypedChoices(t, {"berlin", "Kundenbesuch", "Pots*", "", "Meier", "Max"});
    EXPECT_EQ(t.ToBytes(), "rubrik;text\r\n1;Berlin\r\n2;Kundenbesuch\r\n1;Pots*\r\n3;Meier\r\n4;Max\r\n");
    // A pattern that matches a stored text is not added again; the same text in another field
    // neither.
    addTypedChoices(t, {"Ber*", "", "pots*", "MEIER", "", "max"});
    EXPECT_EQ(t.RowCount(), 5);
}

TEST(ChoiceLists, SettingsAreWrittenSortedByteByByteWithTheSettingRow) {
    TMlb2 t = choices("1;alt\r\n");
    writeChoiceSettings(
        t, {std::vector<std::string>{"berlin", "", "Potsdam", " Werder ", "Potsdam"}, {"Berlin"}, {}, {}}, false);
    EXPECT_EQ(t.ToBytes(), "rubrik;text\r\n1; Werder \r\n2;Berlin\r\n1;Potsdam\r\n1;Potsdam\r\n1;berlin\r\n5;n\r\n");
    writeChoiceSettings(t, {}, true);
    EXPECT_EQ(t.ToBytes(), "rubrik;text\r\n5;j\r\n");
}

using ChoiceListFile = LogbookTest;

TEST_F(ChoiceListFile, MissingOrEmptyFileGivesTheTwoFields) {
    TMlb2 t;
    TableLoad load = loadChoiceList(m_state, t);
    EXPECT_FALSE(load.present);
    EXPECT_EQ(t.FieldCount(), 2);
    writeFile("kfzfbe.002", "");
    load = loadChoiceList(m_state, t);
    EXPECT_TRUE(load.present);
    EXPECT_FALSE(load.error);
    addTypedChoices(t, {"Berlin", "", "", "", "", ""});
    ASSERT_FALSE(saveChoiceList(m_state, t));
    EXPECT_EQ(file("kfzfbe.002"), "rubrik;text\r\n1;Berlin\r\n"); // plain, not enciphered
}

} // namespace
