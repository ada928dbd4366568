#include "app/message_prompts.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QWidget* owner() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    return QApplication::activeWindow();
}

const QString kTitle = QStringLiteral("Wagenwart");

} // namespace

QString MessagePrompts::displayText(const QString& message) {
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void MessagePrompts::error(const QString& message) {
    QMessageBox::critical(owner(), kTitle, displayText(message), QMessageBox::Ok);
}

void MessagePrompts::information(const QString& message) {
    QMessageBox::information(owner(), kTitle, displayText(message), QMessageBox::Ok);
}

bool MessagePrompts::question(const QString& message, Default answer) {
    return QMessageBox::question(owner(), kTitle, displayText(message), QMessageBox::Yes | QMessageBox::No,
                                 answer == Default::Yes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

bool MessagePrompts::ConfirmDialog(const QString& title, const QString& instruction, const QString& message,
                                   Default answer) {
    QMessageBox box(QMessageBox::Question, title, instruction.trimmed(), QMessageBox::Yes | QMessageBox::No, owner());
    box.setInformativeText(displayText(message));
    box.setDefaultButton(answer == Default::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
