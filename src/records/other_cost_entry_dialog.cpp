#include "records/other_cost_entry_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "records/record_dialogs.h"
#include "ui_other_cost_entry_dialog.h"

#include <QAbstractItemView>
#include <QStyle>

TForm5::TForm5(AppState& state, Prompts& prompts, MainWindowRefresh& refresh, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm5>()), m_state(state), m_prompts(prompts), m_refresh(refresh) {
    m_ui->setupUi(this);
    // The dialog keeps its width whatever the items are; the list shows long items when it drops down.
    m_ui->itemComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ui->itemComboBox->setMinimumContentsLength(16);
    m_ui->storeItemButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_ui->deleteItemButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    // The date is set once; between openings the dialog keeps the date last chosen, and the
    // service box its last state.
    m_ui->dateEdit->setDate(state.clock.today());
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm5::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->itemComboBox, &QComboBox::textActivated, this, &TForm5::onItemChosen);
    connect(m_ui->storeItemButton, &QToolButton::clicked, this, &TForm5::onStoreItem);
    connect(m_ui->deleteItemButton, &QToolButton::clicked, this, &TForm5::onDeleteItem);
    setUpDialog(this);
}

TForm5::~TForm5() = default;

void TForm5::prepare() {
    Topleiste(*m_ui->banner, kOtherCostEntryBanner);
    m_items = loadRecurringItems(m_state);
    fillItemList();
    // An item file that cannot be read is not replaced by the items of this opening.
    m_ui->storeItemButton->setEnabled(!m_items.loadError);
    m_ui->deleteItemButton->setEnabled(!m_items.loadError);
    m_ui->odometerSpinBox->setValue(0);
    m_ui->priceSpinBox->setValue(0);
    m_ui->textLineEdit->clear();
    m_ui->priceSpinBox->setSuffix(priceSuffixFor(m_state));
    m_ui->odometerSpinBox->setFocus();
    m_ui->odometerSpinBox->selectAll();
    if (m_items.loadError) m_prompts.error(*m_items.loadError);
    m_prompts.errorIfAny(takeNotices(m_state));
}

int TForm5::exec() {
    prepare();
    return QDialog::exec();
}

void TForm5::fillItemList() {
    const QSignalBlocker block(m_ui->itemComboBox);
    m_ui->itemComboBox->clear();
    m_ui->itemComboBox->addItems(recurringItemNames(m_items.table));
    m_ui->itemComboBox->setCurrentIndex(-1);
    // A long item widens the list that drops down, not the dialog.
    QAbstractItemView* list = m_ui->itemComboBox->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
}

void TForm5::onItemChosen(const QString& name) {
    const std::optional<double> price = recurringItemPrice(m_items.table, name);
    if (!price) return;
    m_ui->textLineEdit->setText(name);
    m_ui->priceSpinBox->setValue(*price);
}

void TForm5::onStoreItem() {
    if (m_items.loadError || m_ui->textLineEdit->text().isEmpty()) return;
    if (!m_prompts.question(kStoreItemQuestion)) return;
    m_ui->priceSpinBox->interpretText();
    appendRecurringItem(m_items.table, m_ui->textLineEdit->text(), m_ui->priceSpinBox->value());
    if (const auto failure = saveRecurringItems(m_items, m_state)) m_prompts.error(*failure);
    fillItemList();
}

void TForm5::onDeleteItem() {
    if (m_items.loadError) return;
    const int row = firstRecurringItemRow(m_items.table, m_ui->itemComboBox->currentText());
    if (row == 0) return;
    if (!m_prompts.question(kDeleteItemQuestion)) return;
    m_items.table.DeleteRow(row);
    if (const auto failure = saveRecurringItems(m_items, m_state)) m_prompts.error(*failure);
    fillItemList();
}

void TForm5::onOk() {
    if (storeOtherCost(*m_ui, m_state, m_prompts, m_refresh, RecordEntry::New, appendOtherCostRecord)) accept();
}
