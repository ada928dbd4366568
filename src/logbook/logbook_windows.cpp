#include "logbook/logbook_windows.h"

#include "logbook/logbook_files.h"
#include "logbook/logbook_overview_dialog.h"
#include "logbook/logbook_settings_dialog.h"
#include "logbook/new_trip_dialog.h"
#include "report/report_windows.h"

LogbookWindows::LogbookWindows(AppState& state, Prompts& prompts, const MainWindowRefresh& main, ReportWindows& reports,
                               QWidget* parent)
    : m_state(state), m_prompts(prompts), m_main(main), m_reports(reports), m_parent(parent),
      m_files(std::make_unique<LogbookFiles>(state)) {}

LogbookWindows::~LogbookWindows() = default;

void LogbookWindows::newTrip() {
    newTripDialog().exec();
}

void LogbookWindows::showLogbook() {
    overview().exec();
}

void LogbookWindows::editSettings() {
    settings().exec();
}

TForm10& LogbookWindows::newTripDialog() {
    if (!m_newTrip) m_newTrip = std::make_unique<TForm10>(m_state, *m_files, m_prompts, m_main, m_parent);
    return *m_newTrip;
}

TForm11& LogbookWindows::overview() {
    if (!m_overview) {
        TForm11::Actions actions;
        actions.newTrip = [this] { newTrip(); };
        actions.print = [this](const LogbookPrint& print) { m_reports.printLogbook(m_overview.get(), print); };
        m_overview = std::make_unique<TForm11>(m_state, *m_files, m_prompts, m_main, std::move(actions), m_parent);
    }
    return *m_overview;
}

TForm12& LogbookWindows::settings() {
    if (!m_settings) m_settings = std::make_unique<TForm12>(m_state, m_prompts, m_main, m_parent);
    return *m_settings;
}
