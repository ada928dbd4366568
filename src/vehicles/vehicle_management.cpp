#include "vehicles/vehicle_management.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "store/number_text.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kMonthFormat = QStringLiteral("MM.yyyy");

std::optional<QDate> dateOf(const std::string& text) {
    const QString t = toDisplay(text).trimmed();
    for (const QString& format : {kDateFormat, QStringLiteral("d.M.yyyy")}) {
        const QDate d = QDate::fromString(t, format);
        if (d.isValid()) return d;
    }
    return std::nullopt;
}

// A month field holds "mm.yyyy"; a full date ("15.03.2008", as a new vehicle's leasing start) shows
// its month.
std::optional<QDate> monthOf(const std::string& text) {
    const QString t = toDisplay(text).trimmed();
    if (t.size() < 7) return std::nullopt;
    const QDate d = QDate::fromString(t.right(7), kMonthFormat);
    if (!d.isValid()) return std::nullopt;
    return d;
}

int wholeNumber(const std::string& text) {
    const double v = std::round(TextToFloat(text));
    if (!(v > std::numeric_limits<int>::min() && v < std::numeric_limits<int>::max())) return 0;
    return static_cast<int>(v);
}

// The list position of an index text, -1 when the list has no such entry.
int listIndex(const std::string& text, int count) {
    const std::optional<int> index = codeIndex(text);
    return index && *index >= 0 && *index < count ? *index : -1;
}

QStringList texts(const auto& names) {
    QStringList out;
    for (std::string_view n : names) out << toDisplay(n);
    return out;
}

std::string storedText(const QString& text) {
    return fromTyped(text, TypedText::OneLine);
}

// The table holds line breaks as CR LF; the editors give and take "\n".
QString editorLines(const std::string& stored) {
    QString t = toDisplay(stored);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

std::string storedLines(const QString& lines) {
    return fromTyped(lines, TypedText::Lines);
}

void forgetCurrentVehicle(AppState& s) {
    s.CurCostFile.clear();
    s.CurTripFile.clear();
    s.CurLogbookListFile.clear();
    s.CurNotesFile.clear();
    s.CurRecurringFile.clear();
    s.CostTable.ClearRows();
}

} // namespace

QString deleteVehicleQuestion(const TMlb2& vehicles) {
    return QStringLiteral("Möchten Sie das Fahrzeug \"") + toDisplay(vehicles.GetValue(field::nummer)) +
           QStringLiteral("\" löschen ?");
}

QStringList currencyListTexts() {
    return texts(CurrencyLongNames);
}
QStringList fuelListTexts() {
    return texts(FuelLongNames);
}
QStringList unitListTexts() {
    return texts(UnitLongNames);
}
QStringList secondFuelListTexts() {
    return QStringList{QStringLiteral("-")} + fuelListTexts();
}
QStringList secondUnitListTexts() {
    return QStringList{QStringLiteral("-")} + unitListTexts();
}

QString amountSuffix(const TMlb2& vehicles) {
    return QLatin1Char(' ') + toDisplay(currencyName(vehicles.GetValue(field::waehr)));
}

QString tankSuffix(const TMlb2& vehicles) {
    return QLatin1Char(' ') + toDisplay(unitName(vehicles.GetValue(field::kme)));
}

void prepareShownVehicle(TMlb2& vehicles) {
    if (vehicles.RowNumber() < 1 || vehicles.RowNumber() > vehicles.RowCount()) return;
    for (std::string_view name : {field::kme2, field::krstart2})
        if (vehicles.GetValue(name).empty()) vehicles.SetValue(name, "0");
}

const std::array<VehicleFieldEntry, 26> kVehicleDialogFields = {{
    {field::bez, VehicleFieldKind::Text, &VehicleFields::bez},
    {field::nummer, VehicleFieldKind::Text, &VehicleFields::nummer},
    {field::kpreis, VehicleFieldKind::Decimal, &VehicleFields::kpreis},
    {field::apreis, VehicleFieldKind::Decimal, &VehicleFields::apreis},
    {field::kdatum, VehicleFieldKind::Date, &VehicleFields::kdatum},
    {field::erstzul, VehicleFieldKind::Date, &VehicleFields::erstzul},
    {field::fgstnr, VehicleFieldKind::Text, &VehicleFields::fgstnr},
    {field::tinh, VehicleFieldKind::Decimal, &VehicleFields::tinh},
    {field::bemerk1, VehicleFieldKind::Lines, &VehicleFields::bemerk1},
    {field::tuev, VehicleFieldKind::Month, &VehicleFields::tuev},
    {field::sikm, VehicleFieldKind::Whole, &VehicleFields::sikm},
    {field::simon, VehicleFieldKind::Whole, &VehicleFields::simon},
    {field::au, VehicleFieldKind::Month, &VehicleFields::au},
    {field::tachostart, VehicleFieldKind::Whole, &VehicleFields::tachostart},
    {field::fahrer, VehicleFieldKind::Text, &VehicleFields::fahrer},
    {field::instdat, VehicleFieldKind::Month, &VehicleFields::instdat},
    {field::instkm, VehicleFieldKind::Whole, &VehicleFields::instkm},
    {field::privat, VehicleFieldKind::Flag, &VehicleFields::privat},
    {field::kme, VehicleFieldKind::ListIndex, &VehicleFields::kme, static_cast<int>(UnitLongNames.size())},
    {field::waehr, VehicleFieldKind::ListIndex, &VehicleFields::waehr, static_cast<int>(CurrencyLongNames.size())},
    // The second unit and fuel type count from 1: 0 is "-".
    {field::kme2, VehicleFieldKind::ListIndex, &VehicleFields::kme2, static_cast<int>(UnitLongNames.size()) + 1},
    {field::krstart2, VehicleFieldKind::ListIndex, &VehicleFields::krstart2,
     static_cast<int>(FuelLongNames.size()) + 1},
    {field::krstart, VehicleFieldKind::ListIndex, &VehicleFields::krstart, static_cast<int>(FuelLongNames.size())},
    {field::leas, VehicleFieldKind::Flag, &VehicleFields::leas},
    {field::leasdauer, VehicleFieldKind::LeaseMonths, &VehicleFields::leasdauer},
    // The leasing start is shown whether or not the vehicle is leased: a field left with another
    // vehicle's month would write that month into this vehicle.
    {field::leasstart, VehicleFieldKind::Month, &VehicleFields::leasstart},
}};

const VehicleFieldEntry* vehicleDialogField(std::string_view name) {
    for (const VehicleFieldEntry& entry : kVehicleDialogFields)
        if (entry.field == name) return &entry;
    return nullptr;
}

VehicleFields readVehicleFields(const TMlb2& v) {
    VehicleFields f;
    for (const VehicleFieldEntry& entry : kVehicleDialogFields) {
        const std::string stored = v.GetValue(entry.field);
        std::visit(
            [&](auto member) {
                auto& value = f.*member;
                using Value = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, QString>)
                    value = entry.kind == VehicleFieldKind::Lines ? editorLines(stored) : toDisplay(stored);
                else if constexpr (std::is_same_v<Value, double>)
                    value = TextToFloat(stored);
                else if constexpr (std::is_same_v<Value, int>)
                    value = entry.kind == VehicleFieldKind::ListIndex     ? listIndex(stored, entry.listSize)
                            : entry.kind == VehicleFieldKind::LeaseMonths ? (f.leas ? wholeNumber(stored) : 0)
                                                                          : wholeNumber(stored);
                else if constexpr (std::is_same_v<Value, std::optional<QDate>>)
                    value = entry.kind == VehicleFieldKind::Date ? dateOf(stored) : monthOf(stored);
                else
                    value = stored == "ja";
            },
            entry.member);
    }
    return f;
}

void writeVehicleFields(TMlb2& v, const VehicleFields& f) {
    if (v.RowNumber() < 1 || v.RowNumber() > v.RowCount()) return;
    for (const VehicleFieldEntry& entry : kVehicleDialogFields) {
        std::visit(
            [&](auto member) {
                const auto& value = f.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, QString>) {
                    v.SetValue(entry.field,
                               entry.kind == VehicleFieldKind::Lines ? storedLines(value) : storedText(value));
                } else if constexpr (std::is_same_v<Value, double>) {
                    v.SetValue(entry.field, FloatToText(value));
                } else if constexpr (std::is_same_v<Value, int>) {
                    // A list position the list does not offer (-1) keeps the stored index.
                    if (entry.kind != VehicleFieldKind::ListIndex || value >= 0)
                        v.SetValue(entry.field, std::to_string(value));
                } else if constexpr (std::is_same_v<Value, std::optional<QDate>>) {
                    // A field that shows no date keeps what it could not show.
                    if (value)
                        v.SetValue(entry.field,
                                   storedText(value->toString(entry.kind == VehicleFieldKind::Date ? kDateFormat
                                                                                                   : kMonthFormat)));
                } else {
                    v.SetValue(entry.field, value ? "ja" : "nein");
                }
            },
            entry.member);
    }
    v.SetValue(field::hybrid, "0");
}

std::optional<QString> duplicatePlateMessage(const TMlb2& v, const QString& plate) {
    const std::string wanted = storedText(plate);
    const int nummer = v.FieldIndex(field::nummer);
    for (int r = 1; r <= v.RowCount(); ++r) {
        if (v.ViewAt(r, nummer) != wanted) continue;
        if (r == v.RowNumber()) return std::nullopt;
        return QStringLiteral("Das Kennzeichen \"") + plate +
               QStringLiteral("\" ist bereits in der Datenbank vorhanden.\rBitte korrigieren Sie den Eintrag.");
    }
    return std::nullopt;
}

namespace {

// True when a row other than the cursor row names `name` in one of its file fields.
bool namedByAnotherVehicle(const TMlb2& v, std::string_view name) {
    for (int r = 1; r <= v.RowCount(); ++r) {
        if (r == v.RowNumber()) continue;
        for (std::string_view field : kVehicleFileFields)
            if (v.ViewAt(r, v.FieldIndex(field)) == name) return true;
    }
    return false;
}

} // namespace

std::optional<QString> deleteVehicle(AppState& state) {
    TMlb2& v = state.VehicleTable;
    if (v.RowNumber() < 1 || v.RowNumber() > v.RowCount()) return std::nullopt;
    std::vector<std::string> names;
    for (std::string_view field : kVehicleFileFields) names.push_back(v.GetValue(field));
    // The fingerprints of its logbook go with the logbook.
    if (!names[1].empty() && !namedByAnotherVehicle(v, names[1])) names.push_back(fingerprintFileName(names[1]));
    for (const std::string& name : names) {
        // Only files of the data directory: a name with a path in it, or one of the program's own
        // files, is no file of this vehicle; nor is one that another vehicle names as well.
        if (!isVehicleFileName(name) || namedByAnotherVehicle(v, name)) continue;
        const QString path = state.path(name);
        if (QFileInfo(path).isFile()) QFile::remove(path);
    }
    const bool wasCurrent = !state.CurCostFile.empty() && v.GetValue(field::file) == state.CurCostFile;
    v.DeleteCurrentRow();
    if (wasCurrent) forgetCurrentVehicle(state);
    v.First();
    return saveVehicleTable(state);
}

std::optional<QString> setPictureLink(AppState& state, const QString& path) {
    state.VehicleTable.SetValue(field::bild, storedText(path));
    return saveVehicleTable(state);
}

int rowOfVehicle(const TMlb2& vehicles, const std::string& costFile) {
    if (costFile.empty()) return 0;
    const int file = vehicles.FieldIndex(field::file);
    for (int r = 1; r <= vehicles.RowCount(); ++r)
        if (vehicles.ViewAt(r, file) == costFile) return r;
    return 0;
}

void returnToOpeningVehicle(TMlb2& vehicles, const std::optional<std::string>& openingCostFile) {
    if (!openingCostFile) return; // there was none (first start): the cursor stays
    const int row = rowOfVehicle(vehicles, *openingCostFile);
    if (row > 0)
        vehicles.GoToRow(row);
    else if (!vehicles.IsEmpty())
        vehicles.GoToRow(1);
}

MainWindowUpdate settleCurrentVehicle(AppState& state) {
    TMlb2& v = state.VehicleTable;
    if (v.IsEmpty()) {
        forgetCurrentVehicle(state);
        return MainWindowUpdate::Show;
    }
    if (v.RowNumber() < 1 || v.RowNumber() > v.RowCount()) v.GoToRow(1);
    // Only a vehicle whose five file names are all the current ones is shown as it is; any other
    // is activated, so that records and file names belong to it alone.
    const std::string file = v.GetValue(field::file);
    const bool same = !file.empty() && file == state.CurCostFile && v.GetValue(field::file2) == state.CurTripFile &&
                      v.GetValue(field::file3) == state.CurLogbookListFile &&
                      v.GetValue(field::file4) == state.CurNotesFile &&
                      v.GetValue(field::file5) == state.CurRecurringFile;
    return same ? MainWindowUpdate::Show : MainWindowUpdate::Activate;
}

QString quantityTitleOf(const TMlb2& vehicles) {
    std::string title = unitName(vehicles.GetValue(field::kme));
    const std::optional<int> second = codeIndex(vehicles.GetValue(field::kme2));
    if (second && *second > 0) title += " / " + secondUnitName(vehicles.GetValue(field::kme2));
    return toDisplay(title);
}

QString selectedVehicleText(const TMlb2& vehicles) {
    return toDisplay(vehicles.GetValue(field::nummer) + " / " + vehicles.GetValue(field::bez));
}
