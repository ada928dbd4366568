#include "logbook/logbook_settings_dialog.h"

#include "core/app_state.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "logbook/choice_list.h"
#include "store/code_page.h"
#include "ui_logbook_settings_dialog.h"

namespace {

std::array<QPlainTextEdit*, 4> listEdits(Ui::TForm12& u) {
    return {u.placesEdit, u.purposesEdit, u.visitedEdit, u.driversEdit};
}

} // namespace

TForm12::TForm12(AppState& state, Prompts& prompts, const MainWindowRefresh& main, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm12>()), m_state(state), m_prompts(prompts), m_main(main) {
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, &TForm12::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm12::~TForm12() = default;

bool TForm12::prepare() {
    Ui::TForm12& u = *m_ui;
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*u.banner, QStringLiteral("Fahrtenbuch-Einstellungen"));
    u.confirmCheckBox->setChecked(true);
    for (QPlainTextEdit* edit : listEdits(u)) edit->clear();
    u.tabWidget->setCurrentIndex(0);
    const TableLoad load = loadChoiceList(m_state, m_choices);
    if (load.error) {
        m_prompts.error(*load.error);
        return false;
    }
    m_prompts.errorIfAny(takeNotices(m_state));
    if (load.present) {
        const ChoiceLists lists = choiceListsOf(m_choices);
        const auto edits = listEdits(u);
        for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setPlainText(lists.texts[i].join(QLatin1Char('\n')));
        u.confirmCheckBox->setChecked(lists.confirmBeforeSave);
    }
    u.placesEdit->setFocus();
    return true;
}

int TForm12::exec() {
    if (!prepare()) return Rejected;
    return QDialog::exec();
}

void TForm12::onOk() {
    std::array<std::vector<std::string>, 4> lines;
    const auto edits = listEdits(*m_ui);
    for (std::size_t i = 0; i < edits.size(); ++i)
        for (const QString& line : edits[i]->toPlainText().split(QLatin1Char('\n')))
            lines[i].push_back(fromTyped(line, TypedText::OneLine));
    writeChoiceSettings(m_choices, lines, m_ui->confirmCheckBox->isChecked());
    if (auto error = saveChoiceList(m_state, m_choices)) {
        m_prompts.error(*error);
        return;
    }
    accept();
}
