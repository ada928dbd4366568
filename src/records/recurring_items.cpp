#include "records/recurring_items.h"

#include "core/field_names.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <QFile>

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 2> kItemFields = {field::Vorgang, field::preis};

} // namespace

RecurringItems loadRecurringItems(AppState& state) {
    RecurringItems items;
    if (!state.CurRecurringFile.empty() && !isVehicleFileName(state.CurRecurringFile))
        items.loadError = refusedVehicleFileMessage(state.CurRecurringFile);
    else if (!state.CurRecurringFile.empty())
        items.loadError = loadTableFile(state, items.table, state.CurRecurringFile).error;
    for (std::string_view field : kItemFields)
        if (!items.table.HasField(field)) items.table.AddField(field);
    return items;
}

QStringList recurringItemNames(const TMlb2& items) {
    QStringList names;
    const int vorgang = items.FieldIndex(field::Vorgang);
    for (int r = 1; r <= items.RowCount(); ++r) names << toDisplay(items.ViewAt(r, vorgang));
    return names;
}

std::optional<double> recurringItemPrice(const TMlb2& items, const QString& name) {
    const std::string wanted = fromDisplay(name);
    const int vorgang = items.FieldIndex(field::Vorgang);
    const int preis = items.FieldIndex(field::preis);
    std::optional<double> price;
    for (int r = 1; r <= items.RowCount(); ++r)
        if (items.ViewAt(r, vorgang) == wanted) price = TextToFloat(items.ViewAt(r, preis));
    return price;
}

void appendRecurringItem(TMlb2& items, const QString& name, double price) {
    items.AppendRow();
    items.SetValue(field::Vorgang, fromTyped(name, TypedText::OneLine));
    items.SetValue(field::preis, FloatToText(price));
}

int firstRecurringItemRow(const TMlb2& items, const QString& name) {
    const std::string wanted = fromDisplay(name);
    const int vorgang = items.FieldIndex(field::Vorgang);
    for (int r = 1; r <= items.RowCount(); ++r)
        if (items.ViewAt(r, vorgang) == wanted) return r;
    return 0;
}

std::optional<QString> saveRecurringItems(RecurringItems& items, const AppState& state) {
    if (items.loadError) return items.loadError;
    return saveVehicleFile(items.table, state, state.CurRecurringFile);
}
