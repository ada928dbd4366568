#include "appointments/appointment_overview.h"

#include "appointments/appointment_table.h"
#include "core/field_names.h"
#include "store/code_page.h"
#include "store/mlb2.h"

#include <QFileInfo>

#include <functional>

namespace {

// Calls `take` with every stored appointment of every vehicle in table order until it returns
// false. The vehicle rows are read by number, so the cursor of VehicleTable stays where it is.
void forEachAppointment(const AppState& state,
                        const std::function<bool(const TMlb2& appointments, int row, std::string_view plate)>& take) {
    const TMlb2& vehicles = state.VehicleTable;
    const int file6 = vehicles.FieldIndex(field::file6);
    const int nummer = vehicles.FieldIndex(field::nummer);
    for (int v = 1; v <= vehicles.RowCount(); ++v) {
        const std::string_view name = vehicles.ViewAt(v, file6);
        // An empty name would be the data directory itself: that vehicle has no appointments.
        if (name.empty()) continue;
        const QString path = state.vehicleFilePath(name);
        if (!QFileInfo(path).isFile()) continue;
        TMlb2 appointments;
        if (!appointments.LoadFromFile(path)) continue;
        for (int row = 1; row <= appointments.RowCount(); ++row)
            if (!take(appointments, row, vehicles.ViewAt(v, nummer))) return;
    }
}

std::string_view valueOf(const TMlb2& table, int row, std::string_view field) {
    return table.ViewAt(row, table.FieldIndex(field));
}

QString dayPhrase(const QDate& date, const QDate& today) {
    if (!date.isValid()) return {};
    const qint64 d = today.daysTo(date);
    if (d > 0) return QStringLiteral(" - (in %1 Tagen)").arg(d);
    if (d == 0) return QStringLiteral(" - (heute)");
    return QStringLiteral(" - (vor %1 Tagen)").arg(-d);
}

} // namespace

QString reminderCaption(int days) {
    return QStringLiteral("Termine innnerhalb der nächsten %1 Tage").arg(days);
}

bool withinReminderWindow(const QDate& date, const QDate& today, int days) {
    return date.isValid() && date <= today.addDays(days);
}

bool appointmentReminderDue(const AppState& state, int days) {
    const QDate today = state.clock.today();
    bool found = false;
    forEachAppointment(state, [&](const TMlb2& appointments, int row, std::string_view) {
        found = withinReminderWindow(appointmentDate(valueOf(appointments, row, field::datum)), today, days);
        return !found;
    });
    return found;
}

std::vector<OverviewLine> appointmentOverview(const AppState& state, const QString& caption) {
    const bool all = caption == kAllAppointmentsCaption;
    const QDate today = state.clock.today();
    const int days = state.settings.remindDays;

    TMlb2 work;
    for (std::string_view name :
         {field::datum, field::zeit, field::text, std::string_view("temp_d"), std::string_view("temp_k")})
        work.AddField(name);
    forEachAppointment(state, [&](const TMlb2& appointments, int row, std::string_view plate) {
        const std::string_view datum = valueOf(appointments, row, field::datum);
        if (!all && !withinReminderWindow(appointmentDate(datum), today, days)) return true;
        const std::string_view zeit = valueOf(appointments, row, field::zeit);
        work.AppendRow();
        work.SetValue(field::datum, std::string(datum));
        work.SetValue(field::zeit, std::string(zeit));
        work.SetValue(field::text, std::string(valueOf(appointments, row, field::text)));
        work.SetValue("temp_d", appointmentSortKey(datum, zeit));
        work.SetValue("temp_k", std::string(plate));
        return true;
    });
    work.SortText("temp_d");

    std::vector<OverviewLine> lines;
    if (work.IsEmpty()) {
        lines.push_back({kNoAppointments, false});
        return lines;
    }
    for (int row = 1; row <= work.RowCount(); ++row) {
        const std::string_view datum = valueOf(work, row, field::datum);
        const QString heading = toDisplay(datum) + QStringLiteral(" - ") +
                                toDisplay(valueOf(work, row, field::zeit).substr(0, 5)) +
                                dayPhrase(appointmentDate(datum), today);
        lines.push_back({heading, true});
        lines.push_back({kOverviewRule, false});
        lines.push_back({toDisplay(valueOf(work, row, "temp_k")), false});
        // Continuation lines of the description are indented like its first line.
        for (const QString& line : appointmentTextForEditor(valueOf(work, row, field::text)).split(QLatin1Char('\n')))
            lines.push_back({QLatin1Char('\t') + line, false});
        lines.push_back({QString(), false});
    }
    return lines;
}

QString overviewPlainText(const std::vector<OverviewLine>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const OverviewLine& line : lines) texts << line.text;
    return texts.join(QLatin1Char('\n'));
}
