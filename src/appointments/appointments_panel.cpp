#include "appointments/appointments_panel.h"

#include "appointments/appointment_dialog.h"
#include "appointments/appointment_table.h"
#include "core/app_state.h"
#include "core/prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

bool hasVehicle(const AppState& state) {
    const TMlb2& v = state.VehicleTable;
    return v.RowNumber() >= 1 && v.RowNumber() <= v.RowCount();
}

} // namespace

TAppointmentsPanel::TAppointmentsPanel(AppState& state, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_state(state), m_prompts(prompts) {
    setObjectName(QStringLiteral("appointmentsPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    m_list = new QTableWidget(0, static_cast<int>(kAppointmentListTitles.size()), this);
    m_list->setObjectName(QStringLiteral("appointmentList"));
    QStringList titles;
    for (const std::u16string_view t : kAppointmentListTitles)
        titles << QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size()));
    m_list->setHorizontalHeaderLabels(titles);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->verticalHeader()->hide();
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Cells wrap their text; each row is as tall as its tallest cell.
    m_list->setWordWrap(true);
    // Room above and below the text, so that accents of capitals are not cut off.
    m_list->setStyleSheet(QStringLiteral("QTableView::item { padding: 2px 3px; }"));
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Interactive);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 90);
    m_list->setColumnWidth(1, 70);
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_newButton = new QPushButton(QStringLiteral("Neuer Termin"), this);
    m_newButton->setObjectName(QStringLiteral("newAppointmentButton"));
    buttons->addWidget(m_newButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_newButton, &QPushButton::clicked, this, &TAppointmentsPanel::newAppointment);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editAppointment(row); });
    fillList();
}

TAppointmentsPanel::~TAppointmentsPanel() = default;

TAppointmentsPanel* TAppointmentsPanel::placeInto(QWidget* page, AppState& state, Prompts& prompts) {
    auto* panel = new TAppointmentsPanel(state, prompts, page);
    if (!page->layout()) {
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    page->layout()->addWidget(panel);
    return panel;
}

TForm28& TAppointmentsPanel::appointmentDialog() {
    if (!m_dialog) m_dialog = std::make_unique<TForm28>(m_state, m_prompts, window());
    return *m_dialog;
}

void TAppointmentsPanel::showVehicle() {
    // An appointment file that cannot be read is reported, once in a run (browsing through the
    // vehicles does not repeat it), and left alone: nothing is stored over it.
    m_unreadable = false;
    if (const auto error = loadAppointments(m_state)) {
        m_unreadable = true;
        if (m_reported.insert(*error).second) m_prompts.error(*error);
    }
    m_prompts.errorIfAny(takeNotices(m_state));
    fillList();
}

void TAppointmentsPanel::fillList() {
    const std::vector<AppointmentListRow> rows = appointmentListRows(m_state.AppointmentTable, m_state.clock.today());
    m_list->clearContents();
    // A vehicle without appointments shows one empty row.
    m_list->setRowCount(rows.empty() ? 1 : static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const AppointmentListRow& row = rows[static_cast<std::size_t>(r)];
        auto* date = new QTableWidgetItem(row.date);
        // Today's and past appointments are drawn in red.
        if (row.due) date->setForeground(QColor(Qt::red));
        m_list->setItem(r, 0, date);
        m_list->setItem(r, 1, new QTableWidgetItem(row.time));
        m_list->setItem(r, 2, new QTableWidgetItem(row.text));
        for (int c = 0; c < 3; ++c) m_list->item(r, c)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    m_newButton->setEnabled(hasVehicle(m_state) && !m_unreadable);
}

void TAppointmentsPanel::newAppointment() {
    if (!hasVehicle(m_state) || m_unreadable) return;
    TForm28& dialog = appointmentDialog();
    dialog.setWindowTitle(kNewAppointmentCaption);
    dialog.exec();
    fillList();
}

void TAppointmentsPanel::editAppointment(int row) {
    // The empty row of a vehicle without appointments opens nothing.
    if (row < 0 || row >= m_state.AppointmentTable.RowCount()) return;
    m_state.AppointmentTable.GoToRow(row + 1);
    TForm28& dialog = appointmentDialog();
    dialog.setWindowTitle(kEditAppointmentCaption);
    dialog.exec();
    fillList();
}
