#include "vehicles/vehicle_list_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/field_names.h"
#include "core/prompts.h"
#include "ui_vehicle_list_dialog.h"
#include "vehicles/vehicle_host.h"
#include "vehicles/vehicle_management.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableWidgetItem>

namespace {

// A column title on two lines, broken at the blank nearest its middle; one word stays whole.
QString twoLineTitle(const QString& title) {
    int best = -1;
    for (int i = 0; i < title.size(); ++i)
        if (title[i] == u' ' && (best < 0 || std::abs(i - title.size() / 2) < std::abs(best - title.size() / 2)))
            best = i;
    if (best < 0) return title + QStringLiteral("\n");
    return title.left(best) + u'\n' + title.mid(best + 1);
}

QColor shadeColour(VehicleListColumn::Shade shade) {
    switch (shade) {
    case VehicleListColumn::Shade::Sum:
        return QColor(QRgb(kSumShade));
    case VehicleListColumn::Shade::Rate:
        return QColor(QRgb(kRateShade));
    case VehicleListColumn::Shade::None:
        break;
    }
    return {};
}

} // namespace

TForm22::TForm22(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm22>()), m_state(state), m_prompts(prompts), m_host(host) {
    m_ui->setupUi(this);
    QTableWidget* grid = m_ui->grid;
    grid->setColumnCount(kVehicleListColumnCount);
    QStringList titles;
    for (const VehicleListColumn& column : kVehicleListColumns) titles << twoLineTitle(column.title);
    grid->setHorizontalHeaderLabels(titles);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->horizontalHeader()->setHighlightSections(false);
    const int column = fontMetrics().horizontalAdvance(QStringLiteral("Kraftstoffkosten")) + 14;
    for (int c = 0; c < kVehicleListColumnCount; ++c) grid->setColumnWidth(c, column);
    grid->setColumnWidth(1, column * 2);      // the name
    grid->setColumnWidth(18, column * 3 / 2); // the driver

    auto* exportMenu = new QMenu(this);
    m_excel = exportMenu->addAction(QStringLiteral("Microsoft Excel"));
    m_calc = exportMenu->addAction(QStringLiteral("OpenOffice Calc"));
    m_ui->exportButton->setMenu(exportMenu);
    connect(m_excel, &QAction::triggered, this, [this] {
        if (m_exporter && !m_rows.empty()) m_exporter(this, m_rows, ExportFormat::Excel);
    });
    connect(m_calc, &QAction::triggered, this, [this] {
        if (m_exporter && !m_rows.empty()) m_exporter(this, m_rows, ExportFormat::Calc);
    });
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm22::printList);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm22::deleteCurrentVehicle);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm22::~TForm22() = default;

int TForm22::exec() {
    const TMlb2& v = m_state.VehicleTable;
    m_openingVehicle.reset();
    if (v.RowNumber() >= 1 && v.RowNumber() <= v.RowCount()) m_openingVehicle = v.GetValue(field::file);
    UpdateList();
    return QDialog::exec();
}

void TForm22::UpdateList() {
    Topleiste(*m_ui->banner, kVehicleListCaption);
    setWindowTitle(kVehicleListCaption);
    m_rows = buildVehicleList(m_state);
    QTableWidget* grid = m_ui->grid;
    const int current = std::max(grid->currentRow(), 0);
    grid->clearContents();
    grid->setRowCount(static_cast<int>(m_rows.size()));
    for (int r = 0; r < grid->rowCount(); ++r) {
        const VehicleListRow& row = m_rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < kVehicleListColumnCount; ++c) {
            auto* item = new QTableWidgetItem(row.cells[static_cast<std::size_t>(c)]);
            const VehicleListColumn& column = kVehicleListColumns[static_cast<std::size_t>(c)];
            // The figures and the dates stand right-aligned; plate, name and driver left.
            const bool right = c >= 2 && c <= 17;
            item->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (const QColor shade = shadeColour(column.shade); shade.isValid()) {
                item->setBackground(shade);
                item->setForeground(QColor(Qt::black)); // readable on the green in a dark theme too
            }
            // A text cut by its column shows whole as a tooltip.
            item->setToolTip(row.cells[static_cast<std::size_t>(c)]);
            grid->setItem(r, c, item);
        }
    }
    const bool any = grid->rowCount() > 0;
    if (any) grid->setCurrentCell(std::min(current, grid->rowCount() - 1), 0);
    m_ui->printButton->setEnabled(any);
    m_ui->exportButton->setEnabled(any);
    m_ui->deleteButton->setEnabled(any);
}

void TForm22::printList() {
    if (m_rows.empty()) return;
    m_host.PrintVehicleList(this, m_rows);
}

void TForm22::deleteCurrentVehicle() {
    TMlb2& v = m_state.VehicleTable;
    const int row = m_ui->grid->currentRow() + 1;
    if (row < 1 || row > v.RowCount()) return;
    v.GoToRow(row);
    if (!m_prompts.ConfirmDialog(kDeleteVehicleTitle, kDeleteVehicleInstruction, deleteVehicleQuestion(v))) return;
    if (m_openingVehicle && *m_openingVehicle == v.GetValue(field::file)) m_openingVehicle = std::string();
    if (const std::optional<QString> failure = deleteVehicle(m_state)) m_prompts.error(*failure);
    m_host.RebuildVehicleMenu();
    if (!v.IsEmpty()) {
        UpdateList();
        return;
    }
    UpdateList(); // nothing of the deleted vehicle stays in view
    if (m_prompts.question(kLastVehicleDeletedQuestion, Prompts::Default::Yes) && m_manageVehicles) {
        m_manageVehicles();
        if (!v.IsEmpty()) {
            m_openingVehicle = std::string(); // the new vehicle becomes the current one
            UpdateList();
            return;
        }
    }
    done(QDialog::Rejected); // without a vehicle the program ends
}

void TForm22::done(int result) {
    if (m_closing) return;
    m_closing = true;
    // However the list closes, the main window shows the vehicle under the cursor, all of it: the
    // one current at opening, or the first when that was deleted.
    TMlb2& v = m_state.VehicleTable;
    if (m_openingVehicle) returnToOpeningVehicle(v, m_openingVehicle);
    if (settleCurrentVehicle(m_state) == MainWindowUpdate::Activate)
        m_host.ActivateVehicle();
    else
        m_host.ShowCurrentVehicle();
    QDialog::done(result);
    m_closing = false;
}
