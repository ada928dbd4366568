#pragma once
// The appointment overview (TForm30) and the start-up reminder: the appointments of all
// vehicles in one chronological text, each with its distance to today and the vehicle's plate.

#include "core/app_state.h"

#include <QDate>
#include <QString>

#include <vector>

// The caption of the overview from the menu; it lists every appointment. Any other caption
// lists only the appointments within the reminder window.
inline const QString kAllAppointmentsCaption = QStringLiteral("Termine");
inline const QString kOverviewBanner = QStringLiteral("Termine");
inline const QString kNoAppointments = QStringLiteral("Keine Termine");
// The line under each heading: 52 minus signs.
inline const QString kOverviewRule = QString(52, QLatin1Char('-'));

// "Termine innnerhalb der nächsten " + days + " Tage", the caption of the reminder.
QString reminderCaption(int days);

// Within the reminder window: dated up to and including today + days, overdue ones included.
bool withinReminderWindow(const QDate& date, const QDate& today, int days);

// The start-up reminder's check: is any vehicle's appointment within the window of `days`?
// Stops at the first one found. The cursor of VehicleTable does not move.
bool appointmentReminderDue(const AppState& state, int days);

// One line of the overview text.
struct OverviewLine {
    QString text;
    bool bold = false;
};

// The overview text for a caption: for every appointment taken, in date-and-time order, the bold
// heading "datum - hh:mm - (in d Tagen)" (or " - (heute)", " - (vor d Tagen)"), the rule, the
// plate, each line of the description indented by a tab, and an empty line; "Keine Termine"
// alone when there is none. The window of the reminder uses the reminder days of the settings.
// The cursor of VehicleTable does not move.
std::vector<OverviewLine> appointmentOverview(const AppState& state, const QString& caption);

// The lines joined by "\n", as the text area shows them.
QString overviewPlainText(const std::vector<OverviewLine>& lines);
