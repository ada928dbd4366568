#include "core/settings_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "ui_settings_dialog.h"

#include <QKeyEvent>

TSettingsForm::TSettingsForm(AppState& state, Prompts& prompts, std::function<void()> recolourLists, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TSettingsForm>()), m_state(state), m_prompts(prompts),
      m_recolourLists(std::move(recolourLists)) {
    m_ui->setupUi(this);
    // A small tool window over the main window.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_ui->backgroundColourButton->setFallbackRole(QPalette::Base);
    m_ui->textColourButton->setFallbackRole(QPalette::Text);
    connect(m_ui->backgroundColourButton, &ColourButton::colourChosen, this, &TSettingsForm::setBackground);
    connect(m_ui->textColourButton, &ColourButton::colourChosen, this, &TSettingsForm::setText);
    connect(m_ui->backgroundDefaultButton, &QPushButton::clicked, this, [this] { setBackground(clWindow); });
    connect(m_ui->textDefaultButton, &QPushButton::clicked, this, [this] { setText(clWindowText); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &TSettingsForm::onOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &TSettingsForm::onCancel);
    setUpDialog(this);
}

TSettingsForm::~TSettingsForm() = default;

void TSettingsForm::prepare() {
    Topleiste(*m_ui->banner, QStringLiteral("Einstellungen"));
    const Settings& s = m_state.settings;
    m_openedColours = {s.listBackground, s.listText};
    m_ui->soundCheckBox->setChecked(s.startSound);
    showColours();
    m_ui->remindCheckBox->setChecked(s.remind);
    m_ui->daysSpinBox->setValue(s.remindDays);
}

int TSettingsForm::exec() {
    prepare();
    return QDialog::exec();
}

void TSettingsForm::showColours() {
    m_ui->backgroundColourButton->setColour(m_state.settings.listBackground);
    m_ui->textColourButton->setColour(m_state.settings.listText);
}

void TSettingsForm::setBackground(TColor colour) {
    m_state.settings.listBackground = colour;
    m_ui->backgroundColourButton->setColour(colour);
    if (m_recolourLists) m_recolourLists();
}

void TSettingsForm::setText(TColor colour) {
    m_state.settings.listText = colour;
    m_ui->textColourButton->setColour(colour);
    if (m_recolourLists) m_recolourLists();
}

void TSettingsForm::onOk() {
    m_ui->daysSpinBox->interpretText();
    m_state.settings.startSound = m_ui->soundCheckBox->isChecked();
    // The values are kept even when the file cannot be written; the user is told.
    if (const auto failure =
            writeReminderSettings(m_state, m_ui->remindCheckBox->isChecked(), m_ui->daysSpinBox->value()))
        m_prompts.error(*failure);
    accept();
}

void TSettingsForm::onCancel() {
    // The colours chosen in this opening are taken back.
    m_state.settings.listBackground = m_openedColours.first;
    m_state.settings.listText = m_openedColours.second;
    showColours();
    if (m_recolourLists) m_recolourLists();
    reject();
}

void TSettingsForm::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        onCancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
