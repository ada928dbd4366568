#include "core/core_windows.h"

#include "core/settings_dialog.h"

CoreWindows::CoreWindows(AppState& state, Prompts& prompts, std::function<void()> recolourLists, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_recolourLists(std::move(recolourLists)), m_parent(parent) {}

CoreWindows::~CoreWindows() = default;

void CoreWindows::editSettings() {
    settingsDialog().exec();
}

TSettingsForm& CoreWindows::settingsDialog() {
    if (!m_settings) m_settings = std::make_unique<TSettingsForm>(m_state, m_prompts, m_recolourLists, m_parent);
    return *m_settings;
}
