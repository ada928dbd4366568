#include "vehicles/notes_dialog.h"

#include "core/banner.h"
#include "core/dialog_keys.h"
#include "core/prompts.h"
#include "core/refresh.h"
#include "report/printer_seam.h"
#include "ui_notes_dialog.h"
#include "vehicles/document_print.h"
#include "vehicles/notes.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QTextDocument>

void NoteEdit::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) insertPlainText(cleanNoteText(source->text()));
}

TForm15::TForm15(const AppState& state, Prompts& prompts, const MainWindowRefresh& main, PrinterSeam*& printer,
                 QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TForm15>()), m_state(state), m_prompts(prompts), m_main(main),
      m_printer(printer) {
    m_ui->setupUi(this);
    connect(m_ui->printButton, &QPushButton::clicked, this, &TForm15::onPrint);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &TForm15::onSave);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    setUpDialog(this);
}

TForm15::~TForm15() = default;

bool TForm15::prepare() {
    setWindowTitle(m_main.currentVehicleCaption());
    Topleiste(*m_ui->banner, QStringLiteral("Notizen"));
    m_ui->noteEdit->clear();
    const NoteLoad load = loadNote(m_state);
    m_loadError = load.error;
    m_ui->noteEdit->setPlainText(load.text);
    m_ui->noteEdit->moveCursor(QTextCursor::Start);
    m_ui->noteEdit->setFocus();
    if (load.error) {
        m_prompts.error(*load.error);
        return false;
    }
    return true;
}

int TForm15::exec() {
    if (!prepare()) return Rejected;
    return QDialog::exec();
}

bool TForm15::onSave() {
    if (m_loadError) {
        // What could not be read is never replaced by what the window shows.
        m_prompts.error(*m_loadError);
        return false;
    }
    if (const auto error = saveNote(m_state, m_ui->noteEdit->toPlainText())) {
        m_prompts.error(*error);
        return false;
    }
    return true;
}

void TForm15::onPrint() {
    QTextDocument document;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setPlainText(cleanNoteText(m_ui->noteEdit->toPlainText()));
    (void)printTextDocument(*m_printer, m_prompts, this, document,
                            m_main.currentVehicleCaption() + QStringLiteral(" - Notiz"));
}
