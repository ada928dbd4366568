#include "records/record_list_view.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

#include <cmath>

void RecordListModel::setColumns(QStringList titles, std::vector<Qt::Alignment> alignments) {
    beginResetModel();
    m_titles = std::move(titles);
    m_alignments = std::move(alignments);
    endResetModel();
}

void RecordListModel::setTitle(int column, const QString& title) {
    if (column < 0 || column >= m_titles.size() || m_titles[column] == title) return;
    m_titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordListModel::setRows(std::vector<QStringList> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void RecordListModel::setTextColour(const QColor& colour) {
    m_text = colour;
    if (!m_rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_titles.size();
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const QStringList& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < row.size() ? row[index.column()] : QString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(static_cast<std::size_t>(index.column()) < m_alignments.size()
                                       ? (m_alignments[static_cast<std::size_t>(index.column())] | Qt::AlignTop)
                                       : (Qt::AlignLeft | Qt::AlignTop));
    case Qt::ForegroundRole:
        return m_text.isValid() ? QVariant(m_text) : QVariant();
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_titles.size()) return {};
    if (role == Qt::DisplayRole) return m_titles[section];
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment a = static_cast<std::size_t>(section) < m_alignments.size()
                                    ? m_alignments[static_cast<std::size_t>(section)]
                                    : Qt::AlignLeft;
        return QVariant::fromValue(a | Qt::AlignVCenter);
    }
    return {};
}

RecordListView::RecordListView(QWidget* parent) : QTableView(parent) {
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    // Row height: the font size in points times 2.2, rounded.
    const int rowHeight = static_cast<int>(std::lround(font().pointSizeF() * 2.2));
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setFixedHeight(rowHeight + 2);
}

void RecordListView::setWidthDivisors(std::vector<double> divisors) {
    m_divisors = std::move(divisors);
    applyWidths();
}

void RecordListView::applyWidths() {
    const int width = viewport()->width();
    for (std::size_t c = 0; c < m_divisors.size(); ++c) {
        const double d = m_divisors[c];
        setColumnHidden(static_cast<int>(c), d <= 0);
        if (d > 0) setColumnWidth(static_cast<int>(c), static_cast<int>(width / d));
    }
}

void RecordListView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    applyWidths();
}

void RecordListView::setColours(const QColor& background, const QColor& text) {
    // Cell frames: the background with red, green and blue each reduced by 64, not below 0.
    const QColor frame(std::max(background.red() - 64, 0), std::max(background.green() - 64, 0),
                       std::max(background.blue() - 64, 0));
    setStyleSheet(QStringLiteral("QTableView { background-color: %1; color: %2; gridline-color: %3;"
                                 " selection-background-color: palette(highlight);"
                                 " selection-color: palette(highlighted-text); }"
                                 "QHeaderView::section { background-color: rgb(57, 60, 74);"
                                 " color: rgb(192, 192, 192); border: 1px solid rgb(0, 0, 10);"
                                 " padding: 1px 3px 0px 3px; }"
                                 "QTableView::item { padding: 1px 3px 0px 3px; }")
                      .arg(background.name(), text.name(), frame.name()));
    m_model.setTextColour(text);
}

int RecordListView::selectedRecordRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void RecordListView::showEnd() {
    if (m_model.rowCount() == 0) return;
    scrollToBottom();
}

void RecordListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex i = indexAt(event->position().toPoint());
    if (i.isValid()) emit recordActivated(i.row() + 1);
}

void RecordListView::keyPressEvent(QKeyEvent* event) {
    // Enter on a selected row opens it as a double click does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && selectedRecordRow() > 0) {
        emit recordActivated(selectedRecordRow());
        return;
    }
    QTableView::keyPressEvent(event);
}

QString RecordListView::cutShortText(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) return {};
    const QString text = index.data(Qt::DisplayRole).toString();
    // The room a cell gives its text: its width less the item view's text margins on both sides.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int room = visualRect(index).width() - 2 * margin;
    return fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

bool RecordListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = cutShortText(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(indexAt(help->pos())));
        return true;
    }
    return QTableView::viewportEvent(event);
}
