#pragma once
// TForm14 — the cost report: the written summary of the current vehicle, recalculated with another
// current value or average speed, saved as RTF and printed.

#include "vehicles/cost_report.h"

#include <QDialog>

#include <functional>
#include <memory>

class AppState;
class MainWindowRefresh;
class PrinterSeam;
class Prompts;
class SaveFileSeam;
namespace Ui {
class TForm14;
}

class TForm14 : public QDialog {
    Q_OBJECT
public:
    TForm14(AppState& state, Prompts& prompts, const MainWindowRefresh& main, std::function<ReportPanelTexts()> panel,
            PrinterSeam*& printer, SaveFileSeam*& saveFile, QWidget* parent = nullptr);
    ~TForm14() override;

    // "Bericht zeigen" before the window opens: false, with the message, when the vehicle has no
    // fill-up. Else the picture and the window's width.
    bool preparePicture();
    // Caption, banner, the current value from "apreis" and the report.
    void prepare();
    int exec() override;
    Ui::TForm14& ui() { return *m_ui; }

    // The report afresh from the tables, the value field and the slider.
    void drawbericht();
    // "Speichern": asks for a file name, asks before replacing a file, writes the report as RTF.
    // True when a file was written.
    bool onSave();
    // "Bericht drucken".
    void onPrint();

    // The width of the report text; the window is this plus the picture's width and 46 pixels, or
    // this and 42 pixels without a picture.
    static constexpr int kTextWidth = 560;

private:
    void onValueChanged(int value);

    std::unique_ptr<Ui::TForm14> m_ui;
    AppState& m_state;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    std::function<ReportPanelTexts()> m_panel;
    PrinterSeam*& m_printer;
    SaveFileSeam*& m_saveFile;
};
