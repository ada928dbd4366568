#include "logbook/choice_list.h"

#include "core/field_names.h"
#include "store/code_page.h"

namespace {

void giveChoiceFields(TMlb2& table) {
    if (!table.HasField(field::rubrik)) table.AddField(field::rubrik);
    if (!table.HasField(field::text)) table.AddField(field::text);
}

void appendChoice(TMlb2& table, int rubrik, const std::string& text) {
    table.AppendRow();
    table.SetValue(field::rubrik, std::to_string(rubrik));
    table.SetValue(field::text, text);
}

} // namespace

TableLoad loadChoiceList(AppState& state, TMlb2& table) {
    table.Clear();
    TableLoad load;
    if (state.CurLogbookListFile.empty()) {
        giveChoiceFields(table);
        return load;
    }
    if (!isVehicleFileName(state.CurLogbookListFile)) {
        load.present = true;
        load.error = refusedVehicleFileMessage(state.CurLogbookListFile);
    } else {
        load = loadTableFile(state, table, state.CurLogbookListFile);
    }
    if (load.error) table.Clear();
    giveChoiceFields(table); // also for an empty file, which has no fields to add rows to
    return load;
}

std::optional<QString> saveChoiceList(AppState& state, TMlb2& table) {
    return saveVehicleFile(table, state, state.CurLogbookListFile);
}

ChoiceLists choiceListsOf(const TMlb2& table) {
    ChoiceLists lists;
    const int rubrik = table.FieldIndex(field::rubrik), text = table.FieldIndex(field::text);
    for (int row = 1; row <= table.RowCount(); ++row) {
        const std::string_view r = table.ViewAt(row, rubrik);
        if (r.size() != 1) continue;
        if (r[0] >= '1' && r[0] <= '4')
            lists.texts[static_cast<std::size_t>(r[0] - '1')] << toDisplay(table.ViewAt(row, text));
        else if (r[0] == '5' && table.ViewAt(row, text) == "j")
            lists.confirmBeforeSave = true;
    }
    return lists;
}

void addTypedChoices(TMlb2& table, const TypedChoices& typed) {
    static constexpr std::array<int, 6> rubriks = {1, 1, 1, 2, 3, 4};
    for (std::size_t i = 0; i < typed.size(); ++i) {
        table.First();
        table.BeginSearch();
        const bool found = table.Find(field::text, "LIKE", typed[i]);
        table.EndSearch();
        if (!found && !typed[i].empty()) appendChoice(table, rubriks[i], typed[i]);
    }
}

void writeChoiceSettings(TMlb2& table, const std::array<std::vector<std::string>, 4>& lines, bool confirmBeforeSave) {
    table.ClearRows();
    giveChoiceFields(table);
    for (std::size_t tab = 0; tab < lines.size(); ++tab)
        for (const std::string& line : lines[tab])
            if (!line.empty()) appendChoice(table, static_cast<int>(tab) + 1, line);
    appendChoice(table, 5, confirmBeforeSave ? "j" : "n");
    table.SortText(field::text);
}
