#pragma once
// MessagePrompts — the prompts as QMessageBox windows over the active window.

#include "core/prompts.h"

class QWidget;

class MessagePrompts final : public Prompts {
public:
    void error(const QString& message) override;
    void information(const QString& message) override;
    bool question(const QString& message, Default answer) override;
    bool ConfirmDialog(const QString& title, const QString& instruction, const QString& message,
                       Default answer) override;

    // "\r\n" and a lone "\r" become "\n".
    static QString displayText(const QString& message);
};
