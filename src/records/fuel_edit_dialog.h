#pragma once
// TForm9 — the fuel record editing dialog: corrects or deletes one stored fill-up.

#include "records/fuel_edit.h"

#include <QDialog>

#include <memory>

class MainWindowRefresh;
class Prompts;
namespace Ui {
class TForm9;
}

class TForm9 : public QDialog {
    Q_OBJECT
public:
    TForm9(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent = nullptr);
    ~TForm9() override;

    // Fills the dialog with the record of fuel list row `listRow`; false when there is none.
    bool prepare(int listRow);
    // prepare() and, when there is a record, the modal dialog.
    void open(int listRow);
    Ui::TForm9& ui() { return *m_ui; }

    void onOk();
    void onDelete();

private:
    std::unique_ptr<Ui::TForm9> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    MainWindowRefresh& m_refresh;
};
