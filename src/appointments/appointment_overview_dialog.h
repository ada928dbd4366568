#pragma once
// TForm30 — the appointment overview: every vehicle's appointments in one chronological text,
// all of them under the caption "Termine", else those due within the reminder days.

#include <QDialog>

#include <memory>

class AppState;
namespace Ui {
class TForm30;
}

class TForm30 : public QDialog {
    Q_OBJECT
public:
    explicit TForm30(const AppState& state, QWidget* parent = nullptr);
    ~TForm30() override;

    // Builds the text anew from the appointment files, for the caption the caller set.
    void prepare();
    int exec() override;
    Ui::TForm30& ui() { return *m_ui; }

private:
    std::unique_ptr<Ui::TForm30> m_ui;
    const AppState& m_state;
};
