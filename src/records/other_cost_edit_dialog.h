#pragma once
// TForm13 — the other-cost editing dialog: corrects or deletes one stored other cost.

#include "records/other_cost_edit.h"

#include <QDialog>

#include <memory>

class MainWindowRefresh;
class Prompts;
namespace Ui {
class TForm13;
}

class TForm13 : public QDialog {
    Q_OBJECT
public:
    TForm13(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent = nullptr);
    ~TForm13() override;

    // Fills the dialog with the record of other-cost list row `listRow`; false when there is none.
    bool prepare(int listRow);
    // prepare() and, when there is a record, the modal dialog.
    void open(int listRow);
    Ui::TForm13& ui() { return *m_ui; }

    void onOk();
    void onDelete();

private:
    std::unique_ptr<Ui::TForm13> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    MainWindowRefresh& m_refresh;
};
