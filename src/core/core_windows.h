#pragma once
// The windows of the application core that the main window opens, created on first use and kept
// for the run.

#include <functional>
#include <memory>

class AppState;
class Prompts;
class QWidget;
class TSettingsForm;

class CoreWindows {
public:
    // `recolourLists` gives the main window's lists the list colours of the settings.
    CoreWindows(AppState& state, Prompts& prompts, std::function<void()> recolourLists, QWidget* parent);
    ~CoreWindows();

    // "Einstellungen".
    void editSettings();

    TSettingsForm& settingsDialog();

private:
    AppState& m_state;
    Prompts& m_prompts;
    std::function<void()> m_recolourLists;
    QWidget* m_parent;
    std::unique_ptr<TSettingsForm> m_settings;
};
