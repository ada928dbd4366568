#pragma once
// TFormExport — "Daten-Export": the choice of the spreadsheet format in which "OK" exports the
// current vehicle's records and statistics.

#include "vehicles/workbook.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TFormExport;
}

class TFormExport : public QDialog {
    Q_OBJECT
public:
    // `exportAs` does the export in the chosen format; true when the file was written.
    explicit TFormExport(std::function<bool(WorkbookFormat)> exportAs, QWidget* parent = nullptr);
    ~TFormExport() override;

    // The banner, the focus on the chosen format; the choice stays as it was last time, at first
    // "Microsoft Excel".
    void prepare();
    int exec() override;
    Ui::TFormExport& ui() { return *m_ui; }

    WorkbookFormat format() const;
    // "OK": exports in the chosen format and closes once the file is written; a cancelled save
    // dialog or a failure (said to the user) leaves the dialog open.
    void onOk();

private:
    std::unique_ptr<Ui::TFormExport> m_ui;
    std::function<bool(WorkbookFormat)> m_exportAs;
};
