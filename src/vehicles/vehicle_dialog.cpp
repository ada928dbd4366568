#include "vehicles/vehicle_dialog.h"

#include "appointments/appointments_panel.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/field_names.h"
#include "core/prompts.h"
#include "core/vehicle_table.h"
#include "store/code_page.h"
#include "ui_vehicle_dialog.h"
#include "vehicles/vehicle_host.h"
#include "vehicles/vehicle_picture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>

namespace {

// A date field that shows no date: its minimum with a blank text.
const QDate kNoDate(1900, 1, 1);

void showDate(QDateEdit* edit, const std::optional<QDate>& date) {
    edit->setDate(date && *date > kNoDate ? *date : kNoDate);
}

std::optional<QDate> shownDate(const QDateEdit* edit) {
    if (edit->date() <= kNoDate) return std::nullopt;
    return edit->date();
}

// A value of VehicleFields into the widget that shows it, and back.
void showValue(QWidget* widget, const QString& text, bool) {
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->setText(text);
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget))
        lines->setPlainText(text);
}
void showValue(QWidget* widget, double value, bool) {
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(widget)) spin->setValue(value);
}
void showValue(QWidget* widget, int value, bool) {
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        spin->setValue(value);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setCurrentIndex(value);
}
void showValue(QWidget* widget, const std::optional<QDate>& date, bool) {
    if (auto* edit = qobject_cast<QDateEdit*>(widget)) showDate(edit, date);
}
void showValue(QWidget* widget, bool on, bool opposite) {
    // Of two radio buttons the one that is to be on is checked; the other follows.
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && on != opposite)
        button->setChecked(true);
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setChecked(on);
}

void readValue(const QWidget* widget, QString& text) {
    if (auto* line = qobject_cast<const QLineEdit*>(widget))
        text = line->text();
    else if (auto* lines = qobject_cast<const QPlainTextEdit*>(widget))
        text = lines->toPlainText();
}
void readValue(const QWidget* widget, double& value) {
    if (auto* spin = qobject_cast<const QDoubleSpinBox*>(widget)) value = spin->value();
}
void readValue(const QWidget* widget, int& value) {
    if (auto* spin = qobject_cast<const QSpinBox*>(widget))
        value = spin->value();
    else if (auto* combo = qobject_cast<const QComboBox*>(widget))
        value = combo->currentIndex();
}
void readValue(const QWidget* widget, std::optional<QDate>& date) {
    if (auto* edit = qobject_cast<const QDateEdit*>(widget)) date = shownDate(edit);
}
void readValue(const QWidget* widget, bool& on) {
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) on = button->isChecked();
}

} // namespace

TForm26::TForm26(AppState& state, Prompts& prompts, VehicleHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm26>()), m_state(state), m_prompts(prompts), m_host(host),
      m_fileDialog(std::make_unique<FileDialogPictureChooser>()), m_chooser(m_fileDialog.get()) {
    m_ui->setupUi(this);
    const Ui::TForm26& u = *m_ui;
    m_fields = {
        {u.nameLineEdit, field::bez},
        {u.plateLineEdit, field::nummer},
        {u.chassisLineEdit, field::fgstnr},
        {u.driverLineEdit, field::fahrer},
        {u.purchasePriceSpinBox, field::kpreis},
        {u.currentPriceSpinBox, field::apreis},
        {u.tankSpinBox, field::tinh},
        {u.startOdometerSpinBox, field::tachostart},
        {u.purchaseDateEdit, field::kdatum},
        {u.firstRegistrationDateEdit, field::erstzul},
        {u.privateRadioButton, field::privat},
        {u.companyRadioButton, field::privat, true},
        {u.leasingCheckBox, field::leas},
        {u.leasingStartDateEdit, field::leasstart},
        {u.leasingDurationSpinBox, field::leasdauer},
        {u.huDateEdit, field::tuev},
        {u.auDateEdit, field::au},
        {u.serviceDateEdit, field::instdat},
        {u.serviceOdometerSpinBox, field::instkm},
        {u.currencyComboBox, field::waehr},
        {u.fuelComboBox, field::krstart},
        {u.unitComboBox, field::kme},
        {u.fuel2ComboBox, field::krstart2},
        {u.unit2ComboBox, field::kme2},
        {u.serviceKmSpinBox, field::sikm},
        {u.serviceMonthsSpinBox, field::simon},
        {u.remarkPlainTextEdit, field::bemerk1},
    };

    for (QDateEdit* edit : findChildren<QDateEdit*>()) {
        edit->setMinimumDate(kNoDate);
        edit->setSpecialValueText(QStringLiteral(" "));
    }
    m_ui->currencyComboBox->addItems(currencyListTexts());
    m_ui->fuelComboBox->addItems(fuelListTexts());
    m_ui->unitComboBox->addItems(unitListTexts());
    m_ui->fuel2ComboBox->addItems(secondFuelListTexts());
    m_ui->unit2ComboBox->addItems(secondUnitListTexts());
    // The second fuel type and unit take part in loading and writing, but are not shown.
    for (QWidget* hidden : {static_cast<QWidget*>(m_ui->fuel2ComboBox), static_cast<QWidget*>(m_ui->fuel2Label),
                            static_cast<QWidget*>(m_ui->unit2ComboBox), static_cast<QWidget*>(m_ui->unit2Label)})
        hidden->hide();

    QTableWidget* grid = m_ui->vehicleTableWidget;
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    grid->setColumnWidth(0, 110);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (row >= 0 && row != previous) showRow(row + 1);
    });

    m_ui->picture->setToolTip(kPictureHint);
    connect(m_ui->picture, &VehiclePicture::chooseRequested, this, &TForm26::choosePicture);
    connect(m_ui->picture, &VehiclePicture::removeRequested, this, &TForm26::removePicture);

    connect(m_ui->newButton, &QPushButton::clicked, this, &TForm26::newVehicle);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &TForm26::deleteSelectedVehicle);
    connect(m_ui->selectButton, &QPushButton::clicked, this, &TForm26::selectAndClose);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &TForm26::closeToOpeningVehicle);
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm26::printDataSheet);

    // The "Termine" tab lists the appointments of the vehicle the fields show.
    m_appointments = TAppointmentsPanel::placeInto(m_ui->appointmentsTab, state, prompts);
    connect(this, &TForm26::vehicleShown, m_appointments, &TAppointmentsPanel::showVehicle);
    // Tab goes down the left column of the configuration (maintenance, then the interval) before
    // the settings on the right; the appointment list belongs to its tab, before the buttons below.
    QWidget::setTabOrder(m_ui->serviceOdometerSpinBox, m_ui->serviceKmSpinBox);
    QWidget::setTabOrder(m_ui->serviceKmSpinBox, m_ui->serviceMonthsSpinBox);
    QWidget::setTabOrder(m_ui->serviceMonthsSpinBox, m_ui->currencyComboBox);
    QWidget::setTabOrder(m_ui->unitComboBox, m_appointments->list());
    QWidget::setTabOrder(m_appointments->list(), m_appointments->newButton());

    connect(qApp, &QApplication::focusChanged, this, &TForm26::onFocusChanged);
    setUpDialog(this);
}

TForm26::~TForm26() {
    // The widgets go after this destructor: their focus and selection changes must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
    m_ui->vehicleTableWidget->blockSignals(true);
}

QWidget* TForm26::appointmentsPage() const {
    return m_ui->appointmentsTab;
}

int TForm26::exec() {
    prepare(true);
    return QDialog::exec();
}

int TForm26::execWithoutSelect() {
    prepare(false);
    return QDialog::exec();
}

void TForm26::prepare(bool selectEnabled) {
    TMlb2& v = m_state.VehicleTable;
    Topleiste(*m_ui->banner, kVehicleDialogCaption);
    setWindowTitle(kVehicleDialogCaption);
    m_writing = false;
    m_selected = false;
    m_closeBox = false;
    m_closing = false;
    const bool onRow = v.RowNumber() >= 1 && v.RowNumber() <= v.RowCount();
    m_openingVehicle = onRow ? std::optional<std::string>(v.GetValue(field::file)) : std::nullopt;
    prepareShownVehicle(v);
    fillGrid();

    // The focus move the dialog makes itself must write nothing. Without any vehicle (first start)
    // the way on is "Neues Fahrzeug anlegen": it has the focus and answers Enter.
    m_skipNextExit = true;
    const bool any = !v.IsEmpty();
    m_ui->newButton->setDefault(!any);
    if (any)
        m_ui->vehicleTableWidget->setFocus();
    else
        m_ui->newButton->setFocus();
    m_selectAllowed = selectEnabled;
    enableFields(any);
    if (any) {
        selectRow(onRow ? v.RowNumber() : 1);
    } else {
        showFields();
        emit vehicleShown();
    }
}

void TForm26::fillGrid() {
    const TMlb2& v = m_state.VehicleTable;
    QTableWidget* grid = m_ui->vehicleTableWidget;
    const QSignalBlocker block(grid);
    grid->setRowCount(v.RowCount());
    const int nummer = v.FieldIndex(field::nummer);
    const int bez = v.FieldIndex(field::bez);
    for (int r = 1; r <= v.RowCount(); ++r) {
        grid->setItem(r - 1, 0, new QTableWidgetItem(toDisplay(v.ViewAt(r, nummer))));
        grid->setItem(r - 1, 1, new QTableWidgetItem(toDisplay(v.ViewAt(r, bez))));
    }
}

void TForm26::selectRow(int row) {
    {
        const QSignalBlocker block(m_ui->vehicleTableWidget);
        m_ui->vehicleTableWidget->setCurrentCell(row - 1, 0);
    }
    showRow(row);
}

void TForm26::showRow(int row) {
    TMlb2& v = m_state.VehicleTable;
    m_writing = false; // a write-back that stopped on an error does not block the next one
    if (!v.GoToRow(row)) return;
    prepareShownVehicle(v);
    showFields();
    emit vehicleShown();
}

void TForm26::showFields() {
    const TMlb2& v = m_state.VehicleTable;
    Ui::TForm26& u = *m_ui;
    const QString amount = amountSuffix(v);
    u.purchasePriceSpinBox->setSuffix(amount);
    u.currentPriceSpinBox->setSuffix(amount);
    u.tankSpinBox->setSuffix(tankSuffix(v));

    const VehicleFields f = readVehicleFields(v);
    for (const FieldWidget& w : m_fields) {
        std::visit([&](auto member) { showValue(w.widget, f.*member, w.opposite); },
                   vehicleDialogField(w.field)->member);
    }

    // The leasing fields follow the stored value; ticking the box later does not enable them.
    const bool leasing = f.leas && !v.IsEmpty();
    u.leasingStartDateEdit->setEnabled(leasing);
    u.leasingDurationSpinBox->setEnabled(leasing);

    showPicture();
}

VehicleFields TForm26::fields() {
    for (QAbstractSpinBox* spin : findChildren<QAbstractSpinBox*>()) spin->interpretText();
    VehicleFields f;
    for (const FieldWidget& w : m_fields) {
        if (w.opposite) continue;
        std::visit([&](auto member) { readValue(w.widget, f.*member); }, vehicleDialogField(w.field)->member);
    }
    return f;
}

void TForm26::enableFields(bool any) {
    Ui::TForm26& u = *m_ui;
    for (QWidget* field : u.tabWidget->findChildren<QWidget*>()) {
        if (isDataField(field)) field->setEnabled(any);
    }
    if (!any) {
        u.leasingStartDateEdit->setEnabled(false);
        u.leasingDurationSpinBox->setEnabled(false);
    }
    u.picture->setEnabled(any);
    u.appointmentsTab->setEnabled(any);
    u.deleteButton->setEnabled(any);
    u.printButton->setEnabled(any);
    u.selectButton->setEnabled(any && m_selectAllowed);
    u.newButton->setEnabled(true);
}

bool TForm26::isDataField(const QWidget* widget) const {
    for (const QWidget* w = widget; w && w != this; w = w->parentWidget())
        for (const FieldWidget& field : m_fields)
            if (w == field.widget) return true;
    return false;
}

void TForm26::onFocusChanged(QWidget* old, QWidget* now) {
    // Only moves inside this window count: a message box, a drop-down list, a calendar or the
    // appointment dialog taking the focus is no exit.
    if (m_refocusing || m_closing || !isVisible() || !old || !now) return;
    if (!isAncestorOf(old) || !isAncestorOf(now)) return;
    bool written = false; // one focus move writes at most once
    if (isDataField(old) && !leaveField(old, written)) return;
    const QWidget* area = m_ui->tabWidget;
    if (area->isAncestorOf(old) && !area->isAncestorOf(now) && now != area) exitNotification(written);
}

bool TForm26::leaveField(QWidget* field, bool& written) {
    if (field == m_ui->plateLineEdit && !plateAccepted()) return false;
    exitNotification(written);
    return true;
}

bool TForm26::plateAccepted() {
    QLineEdit* plate = m_ui->plateLineEdit;
    const auto message = duplicatePlateMessage(m_state.VehicleTable, plate->text());
    if (!message) return true;
    m_prompts.error(*message);
    m_refocusing = true;
    focusForCorrection(plate);
    m_refocusing = false;
    return false;
}

void TForm26::exitNotification(bool& written) {
    if (m_skipNextExit) {
        m_skipNextExit = false;
        return;
    }
    if (written) return;
    written = true;
    writeBack();
}

void TForm26::writeBack() {
    TMlb2& v = m_state.VehicleTable;
    if (m_writing || v.RowNumber() < 1 || v.RowNumber() > v.RowCount()) return;
    // A refused plate may still stand in its field when the focus left it another way (a click
    // on another tab): it is never written, and the other fields are written all the same.
    VehicleFields shown = fields();
    if (duplicatePlateMessage(v, shown.nummer)) shown.nummer = toDisplay(v.GetValue(field::nummer));
    m_writing = true;
    writeVehicleFields(v, shown);
    const int row = v.RowNumber();
    report(saveVehicleTable(m_state));
    refreshNames();
    v.GoToRow(row);
    m_writing = false;
}

void TForm26::refreshNames() {
    const TMlb2& v = m_state.VehicleTable;
    QTableWidget* grid = m_ui->vehicleTableWidget;
    const QSignalBlocker block(grid);
    const int nummer = v.FieldIndex(field::nummer);
    const int bez = v.FieldIndex(field::bez);
    for (int r = 1; r <= v.RowCount() && r <= grid->rowCount(); ++r) {
        grid->item(r - 1, 0)->setText(toDisplay(v.ViewAt(r, nummer)));
        grid->item(r - 1, 1)->setText(toDisplay(v.ViewAt(r, bez)));
    }
    m_host.RebuildVehicleMenu();
}

void TForm26::newVehicle() {
    TMlb2& v = m_state.VehicleTable;
    // Without a vehicle, No ends the program: then Yes is the answer Enter gives.
    const Prompts::Default answer = v.IsEmpty() ? Prompts::Default::Yes : Prompts::Default::No;
    if (!m_prompts.ConfirmDialog(kNewVehicleTitle, kNewVehicleInstruction, kNewVehicleQuestion, answer)) {
        // Without a vehicle the program cannot be used: the dialog closes and so does the program.
        if (v.IsEmpty()) done(QDialog::Rejected);
        return;
    }
    if (const auto failure = createVehicle(m_state)) {
        m_prompts.error(*failure);
        return;
    }
    fillGrid();
    m_selectAllowed = true;
    m_ui->newButton->setDefault(false);
    enableFields(true);
    selectRow(v.RowCount());
    m_host.RebuildVehicleMenu();
}

void TForm26::deleteSelectedVehicle() {
    TMlb2& v = m_state.VehicleTable;
    if (v.RowNumber() < 1 || v.RowNumber() > v.RowCount()) return;
    if (!m_prompts.ConfirmDialog(kDeleteVehicleTitle, kDeleteVehicleInstruction, deleteVehicleQuestion(v))) return;
    if (m_openingVehicle && *m_openingVehicle == v.GetValue(field::file)) m_openingVehicle = std::string();
    report(deleteVehicle(m_state));
    fillGrid();
    if (!v.IsEmpty()) {
        selectRow(1);
    } else {
        enableFields(false);
        showFields();
        emit vehicleShown();
    }
    m_host.RebuildVehicleMenu();
    if (!v.IsEmpty()) return;
    if (m_prompts.question(kLastVehicleDeletedQuestion, Prompts::Default::Yes))
        newVehicle();
    else
        done(QDialog::Rejected);
}

void TForm26::printDataSheet() {
    if (m_state.VehicleTable.IsEmpty()) return;
    writeFieldBeingEdited(); // the sheet shows what the fields show
    m_host.PrintDataSheet(this);
}

void TForm26::selectAndClose() {
    if (m_state.VehicleTable.IsEmpty() || !m_selectAllowed) return;
    writeFieldBeingEdited();
    m_selected = true;
    done(QDialog::Accepted);
}

void TForm26::closeToOpeningVehicle() {
    writeFieldBeingEdited(); // into the vehicle it shows, before the cursor goes back
    returnToOpeningVehicle(m_state.VehicleTable, m_openingVehicle);
    done(QDialog::Rejected);
}

void TForm26::reject() {
    // Escape is "Schließen"; the close box leaves the cursor on the selected vehicle.
    if (m_closeBox) {
        writeFieldBeingEdited();
        done(QDialog::Rejected);
    } else {
        closeToOpeningVehicle();
    }
}

void TForm26::writeFieldBeingEdited() {
    // A field still being edited when the dialog closes (Escape, the close box) is written like
    // any field that is left.
    if (QWidget* editing = focusWidget(); editing && isDataField(editing) && editing->isEnabled()) writeBack();
}

void TForm26::closeEvent(QCloseEvent* event) {
    m_closeBox = true;
    QDialog::closeEvent(event);
    m_closeBox = false;
}

void TForm26::done(int result) {
    if (m_closing) return;
    m_closing = true;
    // However the dialog closes, the main window shows the vehicle under the cursor, all of it.
    TMlb2& v = m_state.VehicleTable;
    if (settleCurrentVehicle(m_state) == MainWindowUpdate::Activate)
        m_host.ActivateVehicle();
    else
        m_host.ShowCurrentVehicle();
    if (m_selected && !v.IsEmpty()) {
        m_host.SetCurrentVehicleCaption(selectedVehicleText(v));
        m_host.SetQuantityColumnTitle(quantityTitleOf(v));
    }
    QDialog::done(result);
    m_closing = false;
}

void TForm26::choosePicture() {
    if (m_state.VehicleTable.IsEmpty()) return;
    const QString start = m_lastPicturePath.isEmpty() ? m_state.DataDir : m_lastPicturePath;
    const std::optional<QString> chosen = m_chooser->choosePicture(this, start, pictureFilter());
    if (!chosen) return;
    m_lastPicturePath = *chosen;
    report(setPictureLink(m_state, *chosen));
    showPicture();
}

void TForm26::removePicture() {
    if (m_state.VehicleTable.IsEmpty()) return;
    if (!m_prompts.question(kRemovePictureQuestion)) return;
    m_ui->picture->clear();
    report(setPictureLink(m_state, QString()));
}

void TForm26::showPicture() {
    const QString path = toDisplay(m_state.VehicleTable.GetValue(field::bild));
    // A picture file that no longer exists is not shown; the link stays.
    if (!path.isEmpty() && QFileInfo(path).isFile())
        m_ui->picture->showFile(path);
    else
        m_ui->picture->clear();
}

void TForm26::report(const std::optional<QString>& failure) {
    if (failure) m_prompts.error(*failure);
}
