#include "appointments/appointment_table.h"

#include "core/field_names.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"

#include <QFileInfo>

#include <cctype>

namespace {

bool isDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool hasCurrentRow(const TMlb2& table) {
    return table.RowNumber() >= 1 && table.RowNumber() <= table.RowCount();
}

void ensureAppointmentFields(TMlb2& table) {
    for (const std::string_view field : kAppointmentFields)
        if (!table.HasField(field)) table.AddField(field);
}

// The three-digit number of the vehicle at the cursor, as its own file names and "ID" give it.
std::string vehicleNumberOf(const TMlb2& vehicles) {
    // Characters 6 to 9 of the logbook file name, as the start-up names the file: ".NNN".
    const std::string file2 = vehicles.GetValue(field::file2);
    if (file2.size() >= 9 && file2[5] == '.' && isDigits(std::string_view(file2).substr(6, 3)))
        return file2.substr(6, 3);
    const std::optional<int> id = codeIndex(vehicles.GetValue(field::ID));
    if (id && *id >= 1 && *id <= kMaxVehicleNumber) return vehicleNumberText(*id);
    return {};
}

std::optional<QString> saveAppointments(AppState& state) {
    const std::string name = appointmentFileName(state);
    if (name.empty())
        return QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.\r%2")
            .arg(QStringLiteral("kfzterm"), QStringLiteral("Das Fahrzeug hat keine Nummer."));
    return saveVehicleFile(state.AppointmentTable, state, name);
}

} // namespace

std::string appointmentDateText(const QDate& date) {
    return fromDisplay(date.toString(QStringLiteral("dd.MM.yyyy")));
}

std::string appointmentTimeText(const QTime& time) {
    return fromDisplay(time.toString(QStringLiteral("HH:mm:ss")));
}

QDate appointmentDate(std::string_view datum) {
    return QDate::fromString(toDisplay(datum), QStringLiteral("dd.MM.yyyy"));
}

QTime appointmentTime(std::string_view zeit) {
    const QString text = toDisplay(zeit);
    QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (!time.isValid()) time = QTime::fromString(text, QStringLiteral("HH:mm"));
    return time;
}

std::string appointmentSortKey(std::string_view datum, std::string_view zeit) {
    // Pieces that a short text does not have are empty.
    auto piece = [datum](std::ptrdiff_t from, std::size_t count) -> std::string_view {
        if (from < 0 || static_cast<std::size_t>(from) >= datum.size()) return {};
        return datum.substr(static_cast<std::size_t>(from), count);
    };
    const auto size = static_cast<std::ptrdiff_t>(datum.size());
    std::string key;
    key.reserve(8 + zeit.size());
    key.append(size >= 4 ? datum.substr(datum.size() - 4) : datum);
    key.append(piece(size - 7, 2)); // from position length - 6, counted from 1: "mm"
    key.append(datum.substr(0, 2));
    key.append(zeit);
    return key;
}

void sortAppointments(TMlb2& appointments) {
    // The key lives only while sorting; a file that has a field of that name already keeps it.
    std::string key = "temp_d";
    while (appointments.HasField(key)) key += '_';
    appointments.AddField(key);
    const int datum = appointments.FieldIndex(field::datum);
    const int zeit = appointments.FieldIndex(field::zeit);
    for (int row = 1; row <= appointments.RowCount(); ++row) {
        appointments.GoToRow(row);
        appointments.SetValue(key, appointmentSortKey(appointments.ViewAt(row, datum), appointments.ViewAt(row, zeit)));
    }
    appointments.SortText(key);
    appointments.DeleteField(key);
}

std::string appointmentTextFromEditor(const QString& text) {
    return fromTyped(text, TypedText::Lines);
}

QString appointmentTextForEditor(std::string_view text) {
    QString lines = toDisplay(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

std::string appointmentFileName(const AppState& state) {
    if (!hasCurrentRow(state.VehicleTable)) return {};
    return state.VehicleTable.GetValue(field::file6);
}

bool giveAppointmentFileName(TMlb2& vehicles) {
    if (!hasCurrentRow(vehicles) || !vehicles.GetValue(field::file6).empty()) return false;
    const std::string number = vehicleNumberOf(vehicles);
    if (number.empty()) return false;
    return vehicles.SetValue(field::file6, "kfzterm." + number);
}

std::optional<QString> loadAppointments(AppState& state) {
    TMlb2& table = state.AppointmentTable;
    table.ClearRows();
    std::optional<QString> error;
    const std::string name = appointmentFileName(state);
    // An empty name would be the data directory itself: such a vehicle has no appointments yet.
    if (!name.empty() && !isVehicleFileName(name)) {
        error = refusedVehicleFileMessage(name);
    } else if (!name.empty()) {
        error = loadTableFile(state, table, name).error;
        if (error) table.ClearRows();
    }
    // A file without one of the fields would lose what is stored in it.
    ensureAppointmentFields(table);
    return error;
}

std::optional<QString> storeAppointment(AppState& state, const AppointmentInput& input, bool isNew) {
    std::optional<QString> failure;
    if (giveAppointmentFileName(state.VehicleTable)) failure = saveTable(state.VehicleTable, state, kVehicleFileName);

    TMlb2& table = state.AppointmentTable;
    ensureAppointmentFields(table);
    if (isNew)
        table.AppendRow();
    else if (!hasCurrentRow(table))
        return failure;
    table.SetValue(field::datum, appointmentDateText(input.date));
    table.SetValue(field::zeit, appointmentTimeText(input.time));
    table.SetValue(field::text, appointmentTextFromEditor(input.text));
    sortAppointments(table);

    if (auto saved = saveAppointments(state)) return failure ? *failure + QStringLiteral("\r") + *saved : *saved;
    return failure;
}

std::optional<QString> deleteAppointment(AppState& state) {
    if (!state.AppointmentTable.DeleteCurrentRow()) return std::nullopt;
    return saveAppointments(state);
}

std::vector<AppointmentListRow> appointmentListRows(const TMlb2& appointments, const QDate& today) {
    std::vector<AppointmentListRow> rows;
    const int datum = appointments.FieldIndex(field::datum);
    const int zeit = appointments.FieldIndex(field::zeit);
    const int text = appointments.FieldIndex(field::text);
    for (int row = 1; row <= appointments.RowCount(); ++row) {
        AppointmentListRow r;
        const std::string_view date = appointments.ViewAt(row, datum);
        r.date = toDisplay(date);
        r.time = toDisplay(appointments.ViewAt(row, zeit).substr(0, 5));
        r.text = appointmentTextForEditor(appointments.ViewAt(row, text));
        const QDate day = appointmentDate(date);
        r.due = day.isValid() && day <= today;
        rows.push_back(std::move(r));
    }
    return rows;
}
