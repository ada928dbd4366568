#include "vehicles/import_dialog.h"

#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "ui_import_dialog.h"
#include "vehicles/vehicle_host.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QStandardPaths>

namespace {

// The busy pointer while the files are read and written.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

TForm17::TForm17(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm17>()), m_state(state), m_prompts(prompts), m_host(host) {
    m_ui->setupUi(this);
    m_directories = new QFileSystemModel(this);
    m_directories->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_directories->setReadOnly(true);
    QTreeView* tree = m_ui->directoryTreeView;
    tree->setModel(m_directories);
    for (int column = 1; column < m_directories->columnCount(); ++column) tree->hideColumn(column);
    // The folders above the chosen one are read and sorted in the background, and each of them
    // pushes the rows below it down: the chosen folder is kept in view until the user moves in the
    // list himself.
    const auto keepInView = [this] {
        if (m_keepChosenInView)
            m_ui->directoryTreeView->scrollTo(m_ui->directoryTreeView->currentIndex(),
                                              QAbstractItemView::PositionAtCenter);
    };
    connect(m_directories, &QFileSystemModel::directoryLoaded, this, keepInView);
    connect(m_directories, &QFileSystemModel::layoutChanged, this, keepInView);
    connect(m_directories, &QFileSystemModel::rowsInserted, this, keepInView);
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    tree->verticalScrollBar()->installEventFilter(this);
    connect(m_ui->driveComboBox, &QComboBox::activated, this, &TForm17::showDrive);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm17::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm17::~TForm17() = default;

void TForm17::prepare() {
    Topleiste(*m_ui->banner, kImportBanner);
    m_drives = importDrives();
    QComboBox* combo = m_ui->driveComboBox;
    combo->clear();
    for (const ImportDrive& drive : m_drives) combo->addItem(drive.name, drive.rootPath);
    // A system without a documents folder starts in the home folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    m_ui->directoryTreeView->setFocus();
}

int TForm17::exec() {
    prepare();
    return QDialog::exec();
}

void TForm17::setDirectory(const QString& path) {
    const QString directory = QDir(path).exists() ? QDir::cleanPath(QDir(path).absolutePath()) : QDir::rootPath();
    const int drive = driveOf(m_drives, directory);
    m_ui->driveComboBox->setCurrentIndex(drive);
    QTreeView* tree = m_ui->directoryTreeView;
    const QString root = drive >= 0 ? m_drives[static_cast<std::size_t>(drive)].rootPath : QDir::rootPath();
    m_directories->setRootPath(root);
    tree->setRootIndex(m_directories->index(root).parent());
    const QModelIndex index = m_directories->index(directory);
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) tree->expand(up);
    tree->setCurrentIndex(index);
    tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_keepChosenInView = true;
}

bool TForm17::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_keepChosenInView = false;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm17::showDrive(int index) {
    if (index < 0 || index >= static_cast<int>(m_drives.size())) return;
    setDirectory(m_drives[static_cast<std::size_t>(index)].rootPath);
}

QString TForm17::selectedDirectory() const {
    const QModelIndex index = m_ui->directoryTreeView->currentIndex();
    return index.isValid() ? m_directories->filePath(index) : QString();
}

void TForm17::onOk() {
    const QString directory = selectedDirectory();
    OldMasterTable old = readOldMasterTable(directory);
    if (old.absent) return;
    if (old.error) {
        m_prompts.error(*old.error);
        return;
    }
    const int count = old.vehicles.RowCount();
    if (!m_prompts.ConfirmDialog(kImportTitle, importInstruction(count), importQuestion(count))) return;

    ImportOutcome outcome;
    {
        const BusyCursor busy;
        outcome = importOldVehicles(m_state, directory, old.vehicles);
    }
    if (outcome.error) {
        m_prompts.error(*outcome.error);
        return;
    }
    m_host.RebuildVehicleMenu();
    m_prompts.information(importDoneMessage(outcome));
    if (m_manageVehicles && !m_state.VehicleTable.IsEmpty()) m_manageVehicles();
    accept();
}
