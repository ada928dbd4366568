#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

QString singleInstanceKey() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("wagenwart-") + (user.isEmpty() ? QStringLiteral("user") : user);
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
    if (!m_lock->tryLock(0)) return false;
    return listen() || true; // without the server the copy still runs; it just cannot be raised
}

bool SingleInstance::listen() {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_key)) return true;
    // We hold the lock, so a socket of that name is left over from a copy that crashed: remove it
    // only when nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(m_key);
    if (probe.waitForConnected(200)) return false;
    QLocalServer::removeServer(m_key);
    return m_server.listen(m_key);
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
