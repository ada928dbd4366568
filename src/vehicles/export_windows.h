#pragma once
// The spreadsheet export that the main window and the vehicle list start: the dialog
// "Daten-Export" for the current vehicle, and the export of any workbook through the save dialog.
// The save dialog and the program that opens the new file stand behind seams that tests replace.

#include "vehicles/workbook.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class AppState;
class Prompts;
class QUrl;
class QWidget;
class TFormExport;

class ExportWindows {
public:
    // The save dialog: caption, proposed path and filter; nullopt when cancelled.
    using SaveFileDialog = std::function<std::optional<QString>(QWidget* parent, const QString& caption,
                                                                const QString& proposedPath, const QString& filter)>;
    // Opens a document with the program the system has for it; false when that failed.
    using FileOpener = std::function<bool(const QUrl& url)>;

    ExportWindows(AppState& state, Prompts& prompts, QWidget* parent);
    ~ExportWindows();

    // "Daten exportieren" of the main menu: the dialog "Daten-Export" for the current vehicle.
    // Without a vehicle nothing happens; a record file that could not be read is said again and
    // nothing is exported.
    void exportCurrentVehicle(QWidget* parent = nullptr);

    // Asks for the file name in the save dialog, proposing the documents folder and
    // `proposedBaseName` with the format's suffix (the suffix is added to a name chosen without
    // it), writes the workbook and opens the new file. A failed write is said with the file name
    // and the reason, and nothing else happens. True when the file was written.
    bool exportWorkbook(QWidget* parent, const Workbook& book, const QString& proposedBaseName, WorkbookFormat format);

    void setSaveFileDialog(SaveFileDialog dialog) { m_saveFileDialog = std::move(dialog); }
    void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }

    TFormExport& exportDialog(QWidget* parent = nullptr);

private:
    AppState& m_state;
    Prompts& m_prompts;
    QWidget* m_parent;
    SaveFileDialog m_saveFileDialog;
    FileOpener m_openFile;
    std::unique_ptr<TFormExport> m_exportDialog;
};
