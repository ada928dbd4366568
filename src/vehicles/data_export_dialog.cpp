#include "vehicles/data_export_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "ui_data_export_dialog.h"

TFormExport::TFormExport(std::function<bool(WorkbookFormat)> exportAs, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TFormExport>()), m_exportAs(std::move(exportAs)) {
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TFormExport::onOk);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TFormExport::~TFormExport() = default;

void TFormExport::prepare() {
    Topleiste(*m_ui->banner, QStringLiteral("Daten exportieren"));
    (format() == WorkbookFormat::Xlsx ? m_ui->excelRadioButton : m_ui->calcRadioButton)->setFocus();
}

int TFormExport::exec() {
    prepare();
    return QDialog::exec();
}

WorkbookFormat TFormExport::format() const {
    return m_ui->calcRadioButton->isChecked() ? WorkbookFormat::Ods : WorkbookFormat::Xlsx;
}

void TFormExport::onOk() {
    if (m_exportAs && m_exportAs(format())) accept();
}
