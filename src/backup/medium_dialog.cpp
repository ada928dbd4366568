#include "backup/medium_dialog.h"

#include "backup/restore.h"
#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "ui_medium_dialog.h"

#include <QApplication>
#include <QDir>

using namespace Qt::StringLiterals;

namespace {

// The information text, line by line as the program has always shown it.
QString infoText() {
    return QStringList{u"Falls Sie Wagenwart mobil nutzen möchten, können "_s,
                       u"Sie die Datenbanken, sowie das Programm selbst auf einen "_s,
                       u"Wechseldatenträger (z.B. USB-Stick) kopieren."_s,
                       QString(),
                       u"Sie können dann das Programm direkt vom "_s,
                       u"Wechseldatenträger im Verzeichnis "_s,
                       u"\"Wagenwart\" starten."_s}
        .join(u'\n');
}

} // namespace

TForm23::TForm23(AppState& state, Prompts& prompts, const BackupSeams& seams, std::function<void()> takeUpData,
                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm23>()), m_state(state), m_prompts(prompts), m_seams(seams),
      m_takeUpData(std::move(takeUpData)) {
    m_ui->setupUi(this);
    m_ui->infoLabel->setText(infoText());
    // Captions of three lines.
    m_ui->copyDataButton->setText(u"Datenbanken auf\nWechseldatenträger\nkopieren"_s);
    m_ui->copyProgramButton->setText(u"Programm auf\nWechseldatenträger\nübertragen"_s);
    m_ui->copyBackButton->setText(u"Datenbanken von\nWechseldatenträger\nauf PC kopieren"_s);
    connect(m_ui->driveListWidget, &QListWidget::currentRowChanged, this, &TForm23::driveChosen);
    connect(m_ui->copyDataButton, &QPushButton::clicked, this, &TForm23::copyDataToDrive);
    connect(m_ui->copyProgramButton, &QPushButton::clicked, this, &TForm23::copyProgramToDrive);
    connect(m_ui->copyBackButton, &QPushButton::clicked, this, &TForm23::copyDataFromDrive);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm23::~TForm23() = default;

void TForm23::prepare() {
    Topleiste(*m_ui->banner, u"Mobiler Einsatz von Wagenwart"_s);
    m_drives = m_seams.drives();
    QListWidget* list = m_ui->driveListWidget;
    const QSignalBlocker quiet(list);
    list->clear();
    for (const Drive& d : m_drives) list->addItem(d.label);
    list->setCurrentRow(-1);
    driveChosen(-1);
    list->setFocus();
}

int TForm23::exec() {
    prepare();
    return QDialog::exec();
}

const Drive* TForm23::chosenDrive() const {
    const int row = m_ui->driveListWidget->currentRow();
    if (row < 0 || row >= static_cast<int>(m_drives.size())) return nullptr;
    return &m_drives[static_cast<std::size_t>(row)];
}

void TForm23::driveChosen(int) {
    const Drive* drive = chosenDrive();
    const bool removable = drive && drive->removable;
    m_ui->copyDataButton->setEnabled(removable);
    m_ui->copyProgramButton->setEnabled(removable);
    m_ui->copyBackButton->setEnabled(removable);
}

void TForm23::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    m_ui->driveListWidget->setEnabled(!busy);
    m_ui->cancelButton->setEnabled(!busy);
    if (busy) {
        m_ui->copyDataButton->setEnabled(false);
        m_ui->copyProgramButton->setEnabled(false);
        m_ui->copyBackButton->setEnabled(false);
    } else {
        driveChosen(m_ui->driveListWidget->currentRow());
    }
}

void TForm23::copyDataToDrive() {
    const Drive* drive = chosenDrive();
    if (!drive || !drive->removable) return;
    setBusy(true);
    const std::optional<QString> failure = copyDataToMedium(m_state.DataDir, drive->rootPath);
    setBusy(false);
    if (failure)
        m_prompts.error(*failure);
    else
        m_prompts.information(u"Die Datenbanken wurden nach %1 kopiert."_s.arg(mediumDataFolder(drive->rootPath)));
}

void TForm23::copyProgramToDrive() {
    const Drive* drive = chosenDrive();
    if (!drive || !drive->removable) return;
    setBusy(true);
    const std::optional<QString> failure = copyProgramToMedium(m_seams.programFiles(), drive->rootPath);
    setBusy(false);
    if (failure)
        m_prompts.error(*failure);
    else
        m_prompts.information(u"Das Programm wurde nach %1 übertragen."_s.arg(mediumProgramFolder(drive->rootPath)));
}

void TForm23::copyDataFromDrive() {
    const Drive* drive = chosenDrive();
    if (!drive || !drive->removable) return;
    bool busy = false;
    RestoreContext context{m_state.DataDir,
                           m_state.clock,
                           m_prompts,
                           m_seams.documentsFolder(),
                           [&] {
                               if (busy) setBusy(false);
                               busy = false;
                               if (m_takeUpData) m_takeUpData();
                           },
                           {}};
    // Busy from the first file on: the question before it is answered with the normal cursor.
    context.events.compressing = [&](const QString&) {
        if (!busy) setBusy(true);
        busy = true;
    };
    restoreFromFolder(context, mediumDataFolder(drive->rootPath));
    if (busy) setBusy(false);
}
