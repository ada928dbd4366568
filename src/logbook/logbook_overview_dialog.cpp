#include "logbook/logbook_overview_dialog.h"

#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "logbook/logbook_files.h"
#include "report/logbook_report.h"
#include "ui_logbook_overview_dialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>

namespace {

QString shownLines(QString cell) {
    return cell.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

// ---- LogbookListModel ----

void LogbookListModel::setListing(const LogbookListing& listing) {
    beginResetModel();
    m_listing = listing;
    endResetModel();
}

int LogbookListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return m_listing.emptyRow ? 1 : static_cast<int>(m_listing.rows.size());
}

int LogbookListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : LogbookColumnCount;
}

QVariant LogbookListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    const LogbookListRow* listed =
        row < static_cast<int>(m_listing.rows.size()) ? &m_listing.rows[static_cast<std::size_t>(row)] : nullptr;
    const QPalette palette = QApplication::palette();
    switch (role) {
    case Qt::DisplayRole:
        return listed ? shownLines(listed->cells[static_cast<std::size_t>(column)]) : QString();
    case Qt::TextAlignmentRole:
        if (column == NumberColumn || column == OdometerColumn) return int(Qt::AlignRight | Qt::AlignTop);
        if (column == KindColumn) return int(Qt::AlignHCenter | Qt::AlignTop);
        return int(Qt::AlignLeft | Qt::AlignTop);
    case Qt::BackgroundRole:
        // Rows 2, 4, 6, … a shade darker than the window colour.
        return row % 2 == 1 ? reducedColour(palette.color(QPalette::Base), 7) : palette.color(QPalette::Base);
    case Qt::ForegroundRole:
        return listed && listed->deactivated ? palette.color(QPalette::Disabled, QPalette::Text)
                                             : palette.color(QPalette::Text);
    case Qt::FontRole:
        if (listed && listed->deactivated) {
            QFont font = QApplication::font();
            font.setStrikeOut(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant LogbookListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= LogbookColumnCount) return {};
    if (role == Qt::DisplayRole) return kLogbookColumnTitles[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

// ---- TForm11 ----

TForm11::TForm11(AppState& state, LogbookFiles& files, Prompts& prompts, const MainWindowRefresh& main, Actions actions,
                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm11>()), m_state(state), m_files(files), m_prompts(prompts),
      m_main(main), m_actions(std::move(actions)) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    Ui::TForm11& u = *m_ui;
    u.tripView->setModel(&m_model);
    u.tripView->verticalHeader()->hide();
    u.tripView->setAlternatingRowColors(false); // the model shades every second row
    // The title row: dark, with light text one point larger than the window's font.
    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    u.tripView->horizontalHeader()->setFont(titleFont);
    u.tripView->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(57, 60, 74); color: rgb(192, 192, 192); padding: 3px; "
        "border: 0px; border-right: 1px solid rgb(90, 93, 107); }"));
    u.tripView->horizontalHeader()->setHighlightSections(false);
    // Every row holds three lines.
    u.tripView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    u.tripView->verticalHeader()->setDefaultSectionSize(3 * fontMetrics().lineSpacing() + 8);
    QHeaderView* columns = u.tripView->horizontalHeader();
    const QFontMetrics metrics = fontMetrics();
    columns->resizeSection(NumberColumn, metrics.horizontalAdvance(QStringLiteral("L.Nr.00")) + 12);
    columns->resizeSection(KindColumn, metrics.horizontalAdvance(QStringLiteral("geschäftl.")) + 16);
    columns->resizeSection(DriverColumn, metrics.horizontalAdvance(QStringLiteral("00.00.0000, 00:00 Uhr -")) + 16);
    columns->resizeSection(OdometerColumn, metrics.horizontalAdvance(QStringLiteral("Start,Stop Strecke")) + 16);
    columns->setSectionResizeMode(RouteColumn, QHeaderView::Stretch);
    u.tripView->installEventFilter(this);
    u.summaryCaptionLabel->setText(QString(kSummaryCaptions).replace(QLatin1Char('\r'), QLatin1Char('\n')));

    connect(u.tripView, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { onRowActivated(i.row()); });
    connect(u.allRadioButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rechne();
    });
    connect(u.betweenRadioButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on) rechne();
    });
    const auto dateChanged = [this] {
        if (m_ui->betweenRadioButton->isChecked()) rechne();
    };
    connect(u.fromDateEdit, &QDateEdit::dateChanged, this, dateChanged);
    connect(u.toDateEdit, &QDateEdit::dateChanged, this, dateChanged);
    connect(u.printButton, &QPushButton::clicked, this, &TForm11::onPrint);
    connect(u.deleteAllButton, &QPushButton::clicked, this, &TForm11::onDeleteAll);
    connect(u.newEntryButton, &QPushButton::clicked, this, &TForm11::onNewEntry);
    connect(u.closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm11::~TForm11() = default;

bool TForm11::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a row is the keyboard's double-click.
    if (watched == m_ui->tripView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_ui->tripView->currentIndex().isValid()) {
            onRowActivated(m_ui->tripView->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

LogbookSelection TForm11::selection() const {
    return {m_ui->betweenRadioButton->isChecked(), m_ui->fromDateEdit->date(), m_ui->toDateEdit->date()};
}

void TForm11::prepare() {
    Ui::TForm11& u = *m_ui;
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*u.banner, QStringLiteral("Fahrtenbuch"));
    const QDate today = m_state.clock.today();
    {
        const QSignalBlocker a(u.allRadioButton), b(u.betweenRadioButton), c(u.fromDateEdit), d(u.toDateEdit);
        u.allRadioButton->setChecked(true);
        u.fromDateEdit->setDate(QDate(today.year(), today.month(), 1));
        u.toDateEdit->setDate(today);
    }
    readLogbook();
    u.tripView->setFocus();
}

int TForm11::exec() {
    prepare();
    return QDialog::exec();
}

void TForm11::readLogbook() {
    Ui::TForm11& u = *m_ui;
    m_model.setListing(LogbookListing{});
    u.summaryValueLabel->setText(QString(kNoSummary).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    const LogbookFiles::Opened opened = m_files.open();
    if (opened.error) m_prompts.error(*opened.error);
    m_prompts.errorIfAny(opened.chainError.value_or(QString()));
    m_prompts.errorIfAny(takeNotices(m_state));
    m_warning = opened.changedEntry ? changedEntryWarning(*opened.changedEntry) : QString();
    QString line = m_warning;
    if (const std::optional<int> start = m_files.takeChainStart()) line = chainStartNotice(*start);
    u.chainLabel->setText(line);
    u.chainLabel->setStyleSheet(m_warning.isEmpty() ? QString()
                                                    : QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    u.chainLabel->setVisible(!line.isEmpty());
    // Nothing is changed in a logbook that could not be read.
    u.deleteAllButton->setEnabled(m_files.writable());
    u.newEntryButton->setEnabled(m_files.writable());
    rechne();
}

void TForm11::rechne() {
    const LogbookListing listing = ::rechne(m_state.TripTable, selection());
    m_model.setListing(listing);
    m_ui->summaryValueLabel->setText(QString(listing.summary).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    m_ui->tripView->scrollToBottom();
}

void TForm11::onRowActivated(int row) {
    const LogbookListing& listing = m_model.listing();
    const QString number = row >= 0 && row < static_cast<int>(listing.rows.size())
                               ? listing.rows[static_cast<std::size_t>(row)].cells[NumberColumn]
                               : QString();
    const DeactivationStep step = deactivationStep(m_state.TripTable, selection(), number);
    switch (step.kind) {
    case DeactivationStep::Nothing:
        return;
    case DeactivationStep::Refused:
    case DeactivationStep::NotTheLast:
        m_prompts.information(step.message);
        return;
    case DeactivationStep::Ask:
        break;
    }
    if (!m_prompts.question(step.message)) return;
    const LogbookFiles::Stored stored = m_files.deactivate(step.tableRow);
    m_prompts.errorIfAny(stored.error.value_or(QString()));
    rechne();
}

void TForm11::onDeleteAll() {
    if (!m_prompts.ConfirmDialog(kDeleteLogbookTitle, kDeleteLogbookInstruction, kDeleteLogbookQuestion)) return;
    if (auto error = m_files.deleteAll()) {
        m_prompts.error(*error);
        readLogbook();
        return;
    }
    accept();
}

void TForm11::onNewEntry() {
    if (m_actions.newTrip) m_actions.newTrip();
    prepare();
}

void TForm11::onPrint() {
    LogbookPrint print;
    print.vehicleCaption = m_main.currentVehicleCaption();
    print.listing = m_model.listing();
    print.warning = m_warning;
    if (!print.listing.rows.empty()) {
        const std::string hash = m_files.fingerprintOf(print.listing.rows.back().tableRow);
        if (!hash.empty()) print.fingerprint = shortFingerprint(hash);
    }
    if (m_actions.print) m_actions.print(print);
}
