#include "appointments/appointment_overview_dialog.h"

#include "appointments/appointment_overview.h"
#include "core/banner.h"
#include "core/dialog_keys.h"
#include "ui_appointment_overview_dialog.h"

#include <QTextCursor>
#include <QTextDocument>

TForm30::TForm30(const AppState& state, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm30>()), m_state(state) {
    m_ui->setupUi(this);
    // The text lies on the system's tooltip colour.
    QPalette pal = m_ui->textEdit->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    m_ui->textEdit->setPalette(pal);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    setUpDialog(this);
}

TForm30::~TForm30() = default;

void TForm30::prepare() {
    Topleiste(*m_ui->banner, kOverviewBanner);
    // The text is built in a document of its own and shown in one step.
    auto* document = new QTextDocument(m_ui->textEdit);
    document->setDefaultFont(m_ui->textEdit->font());
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(m_ui->textEdit->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 6);
    document->setDefaultTextOption(option);
    QTextCursor cursor(document);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bool first = true;
    for (const OverviewLine& line : appointmentOverview(m_state, windowTitle())) {
        if (!first) cursor.insertBlock();
        first = false;
        cursor.insertText(line.text, line.bold ? bold : plain);
    }
    // The document shown before is the editor's child, and the editor deletes it.
    m_ui->textEdit->setDocument(document);
    m_ui->textEdit->moveCursor(QTextCursor::Start);
}

int TForm30::exec() {
    prepare();
    return QDialog::exec();
}
