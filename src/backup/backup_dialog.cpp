#include "backup/backup_dialog.h"

#include "backup/backup_archive.h"
#include "backup/restore.h"
#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "ui_backup_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

TForm24::TForm24(AppState& state, Prompts& prompts, const BackupSeams& seams, std::function<void()> takeUpData,
                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm24>()), m_state(state), m_prompts(prompts), m_seams(seams),
      m_takeUpData(std::move(takeUpData)) {
    m_ui->setupUi(this);
    connect(m_ui->chooseTargetButton, &QPushButton::clicked, this, &TForm24::chooseTarget);
    connect(m_ui->backupButton, &QPushButton::clicked, this, &TForm24::makeBackup);
    connect(m_ui->chooseArchiveButton, &QPushButton::clicked, this, &TForm24::chooseArchive);
    connect(m_ui->restoreButton, &QPushButton::clicked, this, &TForm24::restore);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm24::~TForm24() = default;

void TForm24::prepare() {
    Topleiste(*m_ui->banner, u"Datensicherung"_s);
    const QString documents = m_seams.documentsFolder();
    m_ui->targetLineEdit->setText(defaultBackupTarget(documents, m_state.clock.today()));
    m_ui->archiveLineEdit->setText(QDir::toNativeSeparators(documents));
    m_ui->restoreButton->setEnabled(false);
    m_ui->statusLabel->clear();
    m_ui->progressBar->setMaximum(100);
    m_ui->progressBar->setValue(0);
    m_ui->backupButton->setFocus();
}

int TForm24::exec() {
    prepare();
    return QDialog::exec();
}

void TForm24::chooseTarget() {
    const std::optional<QString> chosen =
        m_seams.saveFile(this, u"Zielpfad auswählen"_s, m_ui->targetLineEdit->text(), u"z-Datei (*.z)"_s);
    if (chosen && !chosen->isEmpty()) m_ui->targetLineEdit->setText(QDir::toNativeSeparators(*chosen));
}

void TForm24::chooseArchive() {
    const std::optional<QString> chosen =
        m_seams.openFile(this, u"Gesichterte datei auswählen"_s, m_ui->archiveLineEdit->text(),
                         u"z-Dateien (*.z);;Alle Dateien (*.*)"_s);
    if (!chosen || chosen->isEmpty()) return;
    m_ui->archiveLineEdit->setText(QDir::toNativeSeparators(*chosen));
    m_ui->restoreButton->setEnabled(true);
}

void TForm24::setBusy(bool busy) {
    if (busy == m_busy) return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    for (QWidget* w : {static_cast<QWidget*>(m_ui->targetLineEdit), static_cast<QWidget*>(m_ui->archiveLineEdit),
                       static_cast<QWidget*>(m_ui->chooseTargetButton), static_cast<QWidget*>(m_ui->backupButton),
                       static_cast<QWidget*>(m_ui->chooseArchiveButton), static_cast<QWidget*>(m_ui->closeButton)})
        w->setEnabled(!busy);
    // Afterwards a restore is offered again only for a newly chosen archive.
    m_ui->restoreButton->setEnabled(false);
    if (!busy) m_ui->progressBar->setValue(0);
}

void TForm24::showFile(const QString& fullPath) {
    m_ui->statusLabel->setText(QDir::toNativeSeparators(QDir(m_state.DataDir).relativeFilePath(fullPath)));
    m_ui->progressBar->setValue(0);
    // The status line and the bar show while the work goes on; the user's input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm24::makeBackup() {
    setBusy(true);
    ArchiveEvents events;
    events.compressing = [this](const QString& path) { showFile(path); };
    events.progress = [this](std::int64_t done, std::int64_t size) {
        // Both within an int: a file over 2 GB stops the backup.
        m_ui->progressBar->setMaximum(static_cast<int>(size));
        m_ui->progressBar->setValue(static_cast<int>(done));
    };
    const QString target = m_ui->targetLineEdit->text();
    const std::optional<QString> failure = compressDirectory(m_state.DataDir, target, events);
    setBusy(false);
    if (failure) {
        m_ui->statusLabel->clear();
        m_prompts.error(*failure);
        return;
    }
    m_ui->statusLabel->setText(u"Sicherung wurde unter "_s + target + u" angelegt."_s);
}

void TForm24::restore() {
    const QString archive = m_ui->archiveLineEdit->text();
    RestoreContext context{m_state.DataDir,
                           m_state.clock,
                           m_prompts,
                           m_seams.documentsFolder(),
                           [this] {
                               setBusy(false);
                               if (m_takeUpData) m_takeUpData();
                           },
                           {}};
    // Busy from the first file on: the question before it is answered with the normal cursor.
    context.events.compressing = [this](const QString& path) {
        setBusy(true);
        showFile(path);
    };
    context.events.decompressing = [this](const QString& relative) {
        setBusy(true);
        m_ui->statusLabel->setText(QDir::toNativeSeparators(relative));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const bool restored = restoreFromArchive(context, archive);
    setBusy(false);
    m_ui->restoreButton->setEnabled(!restored);
    m_ui->statusLabel->setText(restored ? u"Die Daten wurden aus %1 wiederhergestellt."_s.arg(archive) : QString());
}
