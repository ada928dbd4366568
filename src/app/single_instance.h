#pragma once
// One running copy per data directory: a lock file in the runtime folder guards a local server that
// any user's copy can reach; a second copy asks the first one to come to the front and ends.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // `key` names the lock file and the server (singleInstanceKey).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy, which then listens for "raise" requests.
    bool acquire();
    // For a second copy: asks the running one to come to the front. True when it answered.
    bool askRunningCopyToRaise(int timeoutMs = 1500);

signals:
    void raiseRequested();

private:
    bool lockIsStale() const;
    enum class Listening { Yes, No, OtherCopy };
    Listening listen();
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

// The key of the copy that works on `dataDir`: "wagenwart-" + 16 hexadecimal digits drawn from the
// directory's path. Two copies on the same files are refused, whoever started them (on Windows the
// data directory is common to all users); copies on different data directories may run side by side.
QString singleInstanceKey(const QString& dataDir);
