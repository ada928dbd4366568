#pragma once
// TfrmPreview — the print preview: a report's pages with page navigation and zoom, printing of a
// page range, and saving the pages as a PDF file.

#include <QDialog>

#include <memory>

class PrinterSeam;
class Prompts;
class SaveFileSeam;
class tAlPreview;

namespace Ui {
class TfrmPreview;
}

class TfrmPreview : public QDialog {
    Q_OBJECT
public:
    TfrmPreview(Prompts& prompts, PrinterSeam& printer, SaveFileSeam& saveFile, QWidget* parent = nullptr);
    ~TfrmPreview() override;

    tAlPreview& preview() const;
    Ui::TfrmPreview& ui() const { return *m_ui; }

    // After the pages are prepared: page 1 and its indicator.
    void Show();
    // "Drucken...": the print dialog, then one job per copy.
    void print();
    // "Als PDF speichern…": the pages as a PDF file, named in the save dialog.
    void saveAsPdf();
    // Sets the zoom from the zoom list's text: its whole number, or 100 for any other text.
    void applyZoomText();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Keys of the window, before its controls see them; true when handled.
    bool handleKey(int key);
    void updateIndicator();
    // While printing the window stays open, with a warning beep.
    bool refuseToClose() const;

    std::unique_ptr<Ui::TfrmPreview> m_ui;
    Prompts& m_prompts;
    PrinterSeam& m_printer;
    SaveFileSeam& m_saveFile;
};

// The message when "Drucken..." finds no printer at all.
inline const QString kNoPrinterMessage = QStringLiteral("Es ist kein Standard-Drucker ausgewählt.");
