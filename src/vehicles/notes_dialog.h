#pragma once
// TForm15 — the notes window: the current vehicle's note, loaded at every opening, saved on
// "Speichern", printed on "Drucken".

#include <QDialog>
#include <QPlainTextEdit>

#include <memory>
#include <optional>

class AppState;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
namespace Ui {
class TForm15;
}

// The editing area of the note: Tab inserts a tab, and what is pasted or dropped arrives without
// control characters.
class NoteEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Public, so that a paste can be tested without the system's clipboard.
    void insertFromMimeData(const QMimeData* source) override;
};

class TForm15 : public QDialog {
    Q_OBJECT
public:
    TForm15(const AppState& state, Prompts& prompts, const MainWindowRefresh& main, PrinterSeam*& printer,
            QWidget* parent = nullptr);
    ~TForm15() override;

    // Caption, banner and the note as stored; false when the notes file cannot be read (said),
    // and "Speichern" then writes nothing over it.
    bool prepare();
    int exec() override;
    Ui::TForm15& ui() { return *m_ui; }

    // "Speichern": the whole text to the notes file; a refusal or a failure is said.
    bool onSave();
    // "Drucken": the print dialog, then one job per copy named after the vehicle.
    void onPrint();

private:
    std::unique_ptr<Ui::TForm15> m_ui;
    const AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    PrinterSeam*& m_printer;
    // Why the note could not be read at this opening: saving then replaces nothing.
    std::optional<QString> m_loadError;
};
