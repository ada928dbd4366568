#pragma once
// TForm12 — the logbook settings: the current vehicle's choice lists as lines of text, and whether
// the new-trip dialog asks before it saves.

#include "store/mlb2.h"

#include <QDialog>

#include <memory>

class AppState;
class MainWindowRefresh;
class Prompts;
namespace Ui {
class TForm12;
}

class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12(AppState& state, Prompts& prompts, const MainWindowRefresh& main, QWidget* parent = nullptr);
    ~TForm12() override;

    // Fills the four lists and the check box from the choice list; false when it cannot be read
    // (said to the user), so that it is never written over.
    bool prepare();
    int exec() override;
    Ui::TForm12& ui() { return *m_ui; }

    // "OK": writes the choice list from the four lists and the check box, then closes; a failed
    // save is said and the dialog stays.
    void onOk();

private:
    std::unique_ptr<Ui::TForm12> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    TMlb2 m_choices;
};
