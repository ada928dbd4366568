#pragma once
// WagenwartApplication — the program's application object: its name, German numbers, dates and Qt
// texts whatever the system says, and the general error handler.

#include <QApplication>
#include <QTranslator>

class Prompts;

class WagenwartApplication final : public QApplication {
public:
    WagenwartApplication(int& argc, char** argv);

    // The general error handler: an error that reaches the event loop is shown through `prompts`
    // (when set), and the program goes on.
    bool notify(QObject* receiver, QEvent* event) override;
    Prompts* prompts = nullptr;

private:
    QTranslator m_qtTranslator;
};
