#pragma once
// ScriptedPrompts — records every prompt and answers questions from a script.

#include "core/prompts.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { Error, Information, Question, Confirm };
    struct Prompt {
        Kind kind;
        QString title, instruction, message;
        Default answer = Default::No; // the button Enter presses
    };

    std::vector<Prompt> prompts;
    std::deque<bool> answers; // for question and ConfirmDialog; an empty script answers No
    // Called with each prompt as it is shown (a test may look at the windows then).
    std::function<void(const Prompt&)> onPrompt;

    void error(const QString& message) override { record({Kind::Error, {}, {}, message}); }
    void information(const QString& message) override { record({Kind::Information, {}, {}, message}); }
    bool question(const QString& message, Default answer = Default::No) override {
        record({Kind::Question, {}, {}, message, answer});
        return next();
    }
    bool ConfirmDialog(const QString& title, const QString& instruction, const QString& message,
                       Default answer = Default::No) override {
        record({Kind::Confirm, title, instruction, message, answer});
        return next();
    }

    const Prompt* last() const { return prompts.empty() ? nullptr : &prompts.back(); }

private:
    void record(Prompt p) {
        prompts.push_back(p);
        if (onPrompt) onPrompt(prompts.back());
    }
    bool next() {
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};
