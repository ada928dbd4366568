#pragma once
// One running copy per user: a lock file in the runtime folder guards a local server; a second
// copy asks the first one to come to the front and ends.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // `key` names the lock file and the server (per user).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy, which then listens for "raise" requests.
    bool acquire();
    // For a second copy: asks the running one to come to the front. True when it answered.
    bool askRunningCopyToRaise(int timeoutMs = 1500);

signals:
    void raiseRequested();

private:
    bool listen();
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

// The key for this user: "wagenwart-" + user name.
QString singleInstanceKey();
