#include "vehicles/export_windows.h"

#include "core/app_state.h"
#include "core/prompts.h"
#include "vehicles/data_export.h"
#include "vehicles/data_export_dialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString filterOf(WorkbookFormat format) {
    return format == WorkbookFormat::Xlsx ? u"Excel-Arbeitsmappe (*.xlsx)"_s : u"OpenDocument-Tabelle (*.ods)"_s;
}

} // namespace

ExportWindows::ExportWindows(AppState& state, Prompts& prompts, QWidget* parent)
    : m_state(state), m_prompts(prompts), m_parent(parent),
      m_saveFileDialog([](QWidget* parent, const QString& caption, const QString& proposedPath,
                          const QString& filter) -> std::optional<QString> {
          const QString name = QFileDialog::getSaveFileName(parent, caption, proposedPath, filter);
          if (name.isEmpty()) return std::nullopt;
          return name;
      }),
      m_openFile([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

ExportWindows::~ExportWindows() = default;

TFormExport& ExportWindows::exportDialog(QWidget* parent) {
    if (!m_exportDialog) {
        m_exportDialog = std::make_unique<TFormExport>(
            [this](WorkbookFormat format) {
                return exportWorkbook(m_exportDialog.get(), currentVehicleWorkbook(m_state),
                                      costExportBaseName(m_state.VehicleTable), format);
            },
            parent ? parent : m_parent);
    }
    return *m_exportDialog;
}

void ExportWindows::exportCurrentVehicle(QWidget* parent) {
    if (m_state.VehicleTable.IsEmpty()) return;
    // An empty record table standing in for a file that could not be read is no export.
    if (m_state.costFileError) {
        m_prompts.error(*m_state.costFileError);
        return;
    }
    exportDialog(parent).exec();
}

bool ExportWindows::exportWorkbook(QWidget* parent, const Workbook& book, const QString& proposedBaseName,
                                   WorkbookFormat format) {
    const QString suffix = workbookSuffix(format);
    const std::optional<QString> chosen = m_saveFileDialog(
        parent, u"Daten exportieren"_s, proposedExportPath(proposedBaseName, format), filterOf(format));
    if (!chosen || chosen->isEmpty()) return false;
    QString path = *chosen;
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;

    const QString reason = writeWorkbook(path, book, format);
    if (!reason.isEmpty()) {
        m_prompts.error(
            u"Die Datei %1 konnte nicht gespeichert werden.\r%2"_s.arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    if (!m_openFile(QUrl::fromLocalFile(path)))
        m_prompts.information(u"Die Datei %1 wurde gespeichert, konnte aber nicht geöffnet werden."_s.arg(
            QDir::toNativeSeparators(path)));
    return true;
}
