#pragma once
// TForm10 — the new-trip dialog: one trip of the current vehicle, appended to its logbook.

#include "logbook/new_trip.h"
#include "store/mlb2.h"

#include <QDialog>

#include <memory>

class AppState;
class LogbookFiles;
class MainWindowRefresh;
class Prompts;
class QComboBox;
namespace Ui {
class TForm10;
}

class TForm10 : public QDialog {
    Q_OBJECT
public:
    TForm10(AppState& state, LogbookFiles& files, Prompts& prompts, const MainWindowRefresh& main,
            QWidget* parent = nullptr);
    ~TForm10() override;

    // Fills the dialog anew: today, now, the start from the previous entry, the choice lists.
    // False when the logbook or its choice list cannot be read (said to the user): nothing may be
    // stored then.
    bool prepare();
    // prepare(), then the dialog modally; Rejected at once when prepare() failed.
    int exec() override;
    Ui::TForm10& ui() { return *m_ui; }

    // "OK": the checks in their order, the question when the setting asks for it, the new entry,
    // the new texts of the choice lists; then the dialog closes.
    void onOk();
    // The double-click on the place below "Von": start place and odometer become editable.
    void Label11DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TripInput input() const;
    QWidget* fieldWidget(TripField field) const;
    // Start place and odometer: taken from the previous entry (read-only) or typed.
    void setStartEditable(bool editable);

    std::unique_ptr<Ui::TForm10> m_ui;
    AppState& m_state;
    LogbookFiles& m_files;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    TMlb2 m_choices; // the choice list while the dialog is open
    bool m_choicesWritable = false;
};

// Fills an editable drop-down list with `texts`, sorted alphabetically, its text left empty.
void fillChoiceBox(QComboBox& box, QStringList texts);
