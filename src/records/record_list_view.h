#pragma once
// RecordListView — one of the two record lists of the main window: a fixed title row in the
// list's dark title colours, record rows in the list colours of the settings, each cell framed.

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

class RecordListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    void setColumns(QStringList titles, std::vector<Qt::Alignment> alignments);
    void setTitle(int column, const QString& title);
    void setRows(std::vector<QStringList> rows);
    void setTextColour(const QColor& colour);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    std::vector<Qt::Alignment> m_alignments;
    std::vector<QStringList> m_rows;
    QColor m_text;
};

class RecordListView final : public QTableView {
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent = nullptr);
    RecordListModel& listModel() { return m_model; }
    // Column widths as the list's width divided by each divisor (0: hidden).
    void setWidthDivisors(std::vector<double> divisors);
    void setColours(const QColor& background, const QColor& text);
    // The 1-based number of the selected record row, 0 when none.
    int selectedRecordRow() const;
    void showEnd();
    // The whole text of the cell at `pos` (viewport coordinates) when the cell shows it cut short
    // with "…"; empty otherwise. It is the cell's tooltip.
    QString cutShortText(const QPoint& pos) const;

signals:
    void recordActivated(int recordRow);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void applyWidths();
    RecordListModel m_model;
    std::vector<double> m_divisors;
};
