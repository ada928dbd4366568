#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

namespace {

bool processRuns(qint64 pid) {
#ifdef Q_OS_UNIX
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(pid);
    return true; // Qt's own check of the lock's age and holder applies there
#endif
}

} // namespace

QString singleInstanceKey(const QString& dataDir) {
    QString path = QDir::cleanPath(QDir(dataDir).absolutePath());
#ifdef Q_OS_WIN
    path = path.toLower(); // one directory, however its name is written
#endif
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("wagenwart-") + QString::fromLatin1(hash.left(8).toHex());
}

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), m_key(key) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    m_lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + key + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // a lock is stale only when its process is gone
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("raise")) emit raiseRequested();
                socket->write("ok");
                socket->flush();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() {
    m_server.close();
    if (m_lock->isLocked()) m_lock->unlock();
}

bool SingleInstance::acquire() {
    if (!m_lock->tryLock(0) && !(lockIsStale() && m_lock->removeStaleLockFile() && m_lock->tryLock(0))) return false;
    if (listen() != Listening::OtherCopy) return true; // without the server the copy runs; it cannot be raised
    // The lock is this user's; a copy of another user answers on the data directory's server.
    m_lock->unlock();
    return false;
}

bool SingleInstance::lockIsStale() const {
    // A lock whose holder is gone: an empty or unreadable lock file, a process that no longer runs on
    // this host, or a holder on another host while nobody answers on the server here.
    qint64 pid = 0;
    QString host, application;
    if (!m_lock->getLockInfo(&pid, &host, &application) || pid <= 0) return true;
    if (host == QSysInfo::machineHostName()) return !processRuns(pid);
    QLocalSocket probe;
    probe.connectToServer(m_key);
    return !probe.waitForConnected(200);
}

SingleInstance::Listening SingleInstance::listen() {
    // A server of that name that answers is another user's copy on the same data directory (asked
    // first: listening with access options would silently take the name over). One that does not
    // answer is left over from a copy that crashed, and is removed.
    QLocalSocket probe;
    probe.connectToServer(m_key);
    if (probe.waitForConnected(200)) return Listening::OtherCopy;
    // Any user's copy must be able to ask: the key is the data directory, not the user.
    m_server.setSocketOptions(QLocalServer::WorldAccessOption);
    if (m_server.listen(m_key)) return Listening::Yes;
    QLocalServer::removeServer(m_key);
    return m_server.listen(m_key) ? Listening::Yes : Listening::No;
}

bool SingleInstance::askRunningCopyToRaise(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write("raise");
    socket.flush();
    const bool answered = socket.waitForReadyRead(timeoutMs);
    socket.disconnectFromServer();
    return answered;
}
