#pragma once
// The prompts seam: every message box and question of the program goes through here, so that
// tests can record the prompts and script the answers.
// A "\r" in a message is a line break; the window implementation shows it as one.

#include <QString>

class Prompts {
public:
    // The button of a question that Enter presses. No, the safe answer before a deletion, unless a
    // question says otherwise (where No would end the program).
    enum class Default { No, Yes };

    virtual ~Prompts() = default;
    virtual void error(const QString& message) = 0;
    virtual void information(const QString& message) = 0;
    // A plain Yes/No box; true on Yes.
    virtual bool question(const QString& message, Default answer = Default::No) = 0;
    // ConfirmDialog: asked before destructive actions; true only on Yes (closing the box by its
    // title bar is no Yes).
    virtual bool ConfirmDialog(const QString& title, const QString& instruction, const QString& message,
                               Default answer = Default::No) = 0;

    // Says `message` as an error when there is one.
    void errorIfAny(const QString& message) {
        if (!message.isEmpty()) error(message);
    }
};
