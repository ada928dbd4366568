#include "report/preview_dialog.h"

#include "core/prompts.h"
#include "report/al_preview.h"
#include "report/pdf_export.h"
#include "report/printer_seam.h"
#include "ui_preview_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

TfrmPreview::TfrmPreview(Prompts& prompts, PrinterSeam& printer, SaveFileSeam& saveFile, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TfrmPreview>()), m_prompts(prompts), m_printer(printer),
      m_saveFile(saveFile) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    Ui::TfrmPreview& u = *m_ui;
    u.printButton->setIcon(
        QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(QStyle::SP_FileDialogDetailedView)));
    u.savePdfButton->setIcon(
        QIcon::fromTheme(QStringLiteral("document-save-as"), style()->standardIcon(QStyle::SP_DialogSaveButton)));
    u.firstPageButton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    u.previousPageButton->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    u.nextPageButton->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    u.lastPageButton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    u.previewArea->setShadow(true);

    connect(u.printButton, &QToolButton::clicked, this, &TfrmPreview::print);
    connect(u.savePdfButton, &QToolButton::clicked, this, &TfrmPreview::saveAsPdf);
    connect(u.firstPageButton, &QToolButton::clicked, this, [this] { preview().firstPage(); });
    connect(u.previousPageButton, &QToolButton::clicked, this, [this] { preview().previousPage(); });
    connect(u.nextPageButton, &QToolButton::clicked, this, [this] { preview().nextPage(); });
    connect(u.lastPageButton, &QToolButton::clicked, this, [this] { preview().lastPage(); });
    connect(u.closeButton, &QPushButton::clicked, this, &TfrmPreview::close);
    connect(u.zoomComboBox, &QComboBox::activated, this, &TfrmPreview::applyZoomText);
    connect(u.zoomComboBox->lineEdit(), &QLineEdit::editingFinished, this, &TfrmPreview::applyZoomText);
    connect(u.previewArea, &tAlPreview::pageChanged, this, &TfrmPreview::updateIndicator);
    connect(u.previewArea, &tAlPreview::zoomChanged, this,
            [this](int zoom) { m_ui->zoomComboBox->setEditText(QString::number(zoom)); });

    // The window sees the keys before its controls do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    updateIndicator();
}

TfrmPreview::~TfrmPreview() = default;

tAlPreview& TfrmPreview::preview() const {
    return *m_ui->previewArea;
}

void TfrmPreview::Show() {
    preview().goToPage(1);
    updateIndicator();
}

void TfrmPreview::print() {
    if (!m_printer.hasPrinter()) {
        m_prompts.information(kNoPrinterMessage);
        return;
    }
    const std::optional<PrintRange> range = m_printer.askPrintRange(this, preview().pageCount());
    if (!range) return;
    preview().Title = windowTitle();
    preview().printPages(*range, m_printer, m_prompts);
}

void TfrmPreview::saveAsPdf() {
    const std::optional<QString> path = askPdfPath(m_saveFile, this, preview().Title);
    if (!path) return;
    if (const std::optional<QString> failure = savePagesAsPdf(preview().pages(), preview().Title, *path))
        m_prompts.error(*failure);
}

void TfrmPreview::applyZoomText() {
    bool whole = false;
    const int zoom = m_ui->zoomComboBox->currentText().trimmed().toInt(&whole);
    preview().setZoom(whole ? zoom : 100);
    // The list shows the zoom in force, also after a refused number.
    m_ui->zoomComboBox->setEditText(QString::number(preview().zoom()));
}

void TfrmPreview::reject() {
    if (refuseToClose()) return;
    QDialog::reject();
}

bool TfrmPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)->key())) return true;
    return QDialog::eventFilter(watched, event);
}

void TfrmPreview::closeEvent(QCloseEvent* event) {
    if (refuseToClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TfrmPreview::handleKey(int key) {
    tAlPreview& p = preview();
    constexpr int kStep = 10;
    switch (key) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_PageUp:
        p.previousPage();
        return true;
    case Qt::Key_PageDown:
        p.nextPage();
        return true;
    case Qt::Key_End:
        p.lastPage();
        return true;
    case Qt::Key_Home:
        p.firstPage();
        return true;
    case Qt::Key_Left:
        p.scrollBy(-kStep, 0);
        return true;
    case Qt::Key_Right:
        p.scrollBy(kStep, 0);
        return true;
    case Qt::Key_Up:
        p.scrollBy(0, -kStep);
        return true;
    case Qt::Key_Down:
        p.scrollBy(0, kStep);
        return true;
    default:
        return false;
    }
}

void TfrmPreview::updateIndicator() {
    m_ui->pageLabel->setText(QStringLiteral("%1/%2").arg(preview().currentPage()).arg(preview().pageCount()));
}

bool TfrmPreview::refuseToClose() const {
    if (!preview().printing()) return false;
    QApplication::beep();
    return true;
}
