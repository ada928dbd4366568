#pragma once
// The windows of the logbook that the main window opens, created on first use and kept for the
// run: the new trip, the overview and the settings.

#include <functional>
#include <memory>

class AppState;
class LogbookFiles;
class MainWindowRefresh;
class Prompts;
class QWidget;
class ReportWindows;
class TForm10;
class TForm11;
class TForm12;

class LogbookWindows {
public:
    LogbookWindows(AppState& state, Prompts& prompts, const MainWindowRefresh& main, ReportWindows& reports,
                   QWidget* parent);
    ~LogbookWindows();

    // "Neue Fahrt"
    void newTrip();
    // "Fahrtenbuch"
    void showLogbook();
    // "Einstellungen" of the logbook
    void editSettings();

    TForm10& newTripDialog();
    TForm11& overview();
    TForm12& settings();
    LogbookFiles& files() { return *m_files; }

private:
    AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    ReportWindows& m_reports;
    QWidget* m_parent;
    std::unique_ptr<LogbookFiles> m_files;
    std::unique_ptr<TForm10> m_newTrip;
    std::unique_ptr<TForm11> m_overview;
    std::unique_ptr<TForm12> m_settings;
};
