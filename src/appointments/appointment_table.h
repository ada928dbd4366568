#pragma once
// The appointments of one vehicle: the file named by the vehicle's "file6", the shared
// AppointmentTable that holds the vehicle selected in the vehicle dialog, its date-and-time
// order, and what the edit dialog (TForm28) stores and deletes.

#include "core/app_state.h"
#include "core/field_names.h"
#include "store/mlb2.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fields of an appointment file this program creates, in their order. "kfz" stays empty.
inline constexpr std::array<std::string_view, 4> kAppointmentFields = {field::kfz, field::datum, field::zeit,
                                                                       field::text};

// The two forms of the edit dialog, told apart by the caption the caller sets.
inline const QString kNewAppointmentCaption = QStringLiteral("Neuen Termin editieren");
inline const QString kEditAppointmentCaption = QStringLiteral("Termin editieren");

inline const QString kDeleteAppointmentTitle = QStringLiteral("Termineintrag löschen");
inline const QString kDeleteAppointmentInstruction = QStringLiteral(" Klicken Sie Ja nur wenn Sie sicher sind.");
inline const QString kDeleteAppointmentQuestion = QStringLiteral("Möchten Sie den Eintrag löschen ?");

// "dd.mm.yyyy" and "hh:mm:ss", the forms of "datum" and "zeit".
std::string appointmentDateText(const QDate& date);
std::string appointmentTimeText(const QTime& time);
// The stored forms read back; an invalid date or time for a text of another form.
QDate appointmentDate(std::string_view datum);
QTime appointmentTime(std::string_view zeit);

// The sort key: the last 4 characters of "datum", the 2 that start 6 before its end, its first 2,
// then "zeit" ("yyyy" + "mm" + "dd" + "hh:mm:ss" for the stored forms).
std::string appointmentSortKey(std::string_view datum, std::string_view zeit);
// Sorts the rows ascending by the sort key (through a field "temp_d" that exists only meanwhile).
void sortAppointments(TMlb2& appointments);

// A description between the table (Windows-1252, lines ended by CR LF) and a Qt editor (lines
// ended by "\n").
std::string appointmentTextFromEditor(const QString& text);
QString appointmentTextForEditor(std::string_view text);

// The appointment file name of the vehicle at the cursor of VehicleTable ("file6"); empty when
// the row has none.
std::string appointmentFileName(const AppState& state);
// A vehicle row whose "file6" is empty (data of older versions) gets its name before its first
// appointment is stored: "kfzterm." + the vehicle's three-digit number, taken from its logbook
// file name as at start-up ("kfzfb.007" gives "kfzterm.007"), else from its "ID". True when the
// row was given a name.
bool giveAppointmentFileName(TMlb2& vehicles);

// The vehicle at the cursor of VehicleTable was selected: AppointmentTable takes its appointments.
// A vehicle without an appointment file (or without a name for one) has none; the table then has
// at least the fields of kAppointmentFields.
// nullopt, or the message when the file exists but cannot be read (the table is then empty, and
// the file must not be written over).
[[nodiscard]] std::optional<QString> loadAppointments(AppState& state);

// What the edit dialog's fields deliver.
struct AppointmentInput {
    QDate date;
    QTime time; // seconds included
    QString text;
};

// "OK" of the edit dialog: a new appointment is appended, an edit changes the row under the
// appointment cursor; then the table is sorted and saved to the vehicle's appointment file
// (which gets its name first when the vehicle has none, see giveAppointmentFileName; the vehicle
// table is then saved too). nullopt when everything reached the disk, else the message for the
// user; the table keeps the change either way.
[[nodiscard]] std::optional<QString> storeAppointment(AppState& state, const AppointmentInput& input, bool isNew);
// "Löschen", after the confirmation: deletes the row under the appointment cursor and saves.
[[nodiscard]] std::optional<QString> deleteAppointment(AppState& state);

// One row of the vehicle dialog's "Termine" list.
struct AppointmentListRow {
    QString date;     // "datum"
    QString time;     // the first 5 characters of "zeit" (hh:mm)
    QString text;     // the description, lines separated by "\n"
    bool due = false; // today's or a past date: the date cell is drawn in red
};
inline constexpr std::array<std::u16string_view, 3> kAppointmentListTitles = {u" Datum", u" Uhrzeit", u" Text"};
// One list row per appointment in table order; the current moment is at or after the date of a
// due row. An empty table gives no rows (the list shows one empty row).
std::vector<AppointmentListRow> appointmentListRows(const TMlb2& appointments, const QDate& today);
