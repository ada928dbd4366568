#pragma once
// TSettingsForm — the settings dialog "Einstellungen": start sound, appointment reminder and its
// horizon, and the two colours of the main window's record lists, shown there at once.

#include "core/app_state.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <utility>

class Prompts;
namespace Ui {
class TSettingsForm;
}

class TSettingsForm : public QDialog {
    Q_OBJECT
public:
    // `recolourLists` gives the main window's two lists the list colours of the settings and
    // repaints them.
    TSettingsForm(AppState& state, Prompts& prompts, std::function<void()> recolourLists, QWidget* parent = nullptr);
    ~TSettingsForm() override;

    // Loads the controls from the program-wide values, as every time it is shown.
    void prepare();
    int exec() override;
    Ui::TSettingsForm& ui() { return *m_ui; }

    // "OK": the start sound flag; the reminder keys written at once.
    void onOk();
    // "Abbruch" and Escape: back to the colours of kfz.ini. Closing by the title bar is no
    // "Abbruch": colours chosen meanwhile stay in effect.
    void onCancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setBackground(TColor colour);
    void setText(TColor colour);
    void showColours();

    std::unique_ptr<Ui::TSettingsForm> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    std::function<void()> m_recolourLists;
    std::pair<TColor, TColor> m_openedColours; // background and text when the dialog was opened
};
