#pragma once
// TForm5 — the other-cost entry dialog: one new cost of the current vehicle that is not a fill-up,
// with the vehicle's list of recurring items.

#include "records/other_cost_entry.h"
#include "records/recurring_items.h"

#include <QDialog>

#include <memory>

class MainWindowRefresh;
class Prompts;
namespace Ui {
class TForm5;
}

class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent = nullptr);
    ~TForm5() override;

    // Fills the dialog anew and loads the recurring items, as every time it is shown.
    void prepare();
    int exec() override;
    Ui::TForm5& ui() { return *m_ui; }

    // "OK": the checks in their order; on success the record is stored and the dialog closes.
    void onOk();
    // A recurring item chosen in the drop-down list fills "Text" and "Preis".
    void onItemChosen(const QString& name);
    // The two item buttons: store "Text" and "Preis" as an item; delete the item shown.
    void onStoreItem();
    void onDeleteItem();

private:
    void fillItemList();

    std::unique_ptr<Ui::TForm5> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    MainWindowRefresh& m_refresh;
    RecurringItems m_items;
};
