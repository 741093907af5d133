#include "desktop/SingleInstanceGuard.h"

#include "desktop/InstanceChannel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

namespace {

// How long a later start keeps trying to reach the instance that holds the
// lock (it may still be starting, or have just been killed) before it ends.
constexpr int kHandOverMs = 5000;
constexpr int kRetryMs = 50;
constexpr int kSocketMs = 1000;
// The most a request may hold (an alarm record in hexadecimal and the path
// of its store fit).
constexpr qint64 kMaxRequestLength = 16384;
// A sender has this long to send its line; the channel keeps at most so many
// connections open at once, so that idle or stuck senders can neither use up
// the process's descriptors nor keep the clock from answering.
constexpr int kRequestTimeoutMs = 2000;
constexpr int kMaxOpenConnections = 8;

// Asks the instance listening at serverPath to come to the front; false when
// no instance listens there.
bool AskToComeToFront(const QString& serverPath)
{
    QLocalSocket socket;
    socket.connectToServer(serverPath);
    if (!socket.waitForConnected(kSocketMs))
        return false;
    socket.write(kBringToFrontRequest);
    const bool sent = socket.waitForBytesWritten(kSocketMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(QObject* owner) : QObject(owner) {}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::InstanceAtomName(const QString& applicationTitle)
{
    return InstanceName(applicationTitle);
}

bool SingleInstanceGuard::CheckInstance()
{
    if (!EnforceOnlyOne)
        return true;
    QString problem;
    const QString path = InstanceServerPath(QCoreApplication::applicationName(), &problem);
    if (path.isEmpty()) {
        // Better an unguarded clock than one that another user keeps from
        // starting.
        qWarning("Not guarding against a second start: %s", qPrintable(problem));
        return true;
    }
    m_lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // Never give up a live instance's lock for its age; a lock whose process
    // is gone is taken over all the same.
    m_lock->setStaleLockTime(0);

    const QDeadlineTimer deadline(kHandOverMs);
    for (;;) {
        if (m_lock->tryLock(0)) {
            Listen(path);
            return true;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            // The folder cannot hold the lock: better an unguarded clock
            // than none.
            qWarning("Cannot create the lock file %s: running unguarded", qPrintable(m_lock->fileName()));
            m_lock.reset();
            return true;
        }
        if (AskToComeToFront(path) || deadline.hasExpired()) {
            m_lock.reset();
            return false;
        }
        // The holder has not begun to listen yet, or it was killed and its
        // lock is about to be taken over.
        QThread::msleep(kRetryMs);
    }
}

void SingleInstanceGuard::Listen(const QString& serverPath)
{
    m_serverPath = serverPath;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::AcceptRequests);
    // A socket left by a killed instance is ours to replace: we hold the lock.
    QLocalServer::removeServer(serverPath);
    if (!m_server->listen(serverPath))
        qWarning("Cannot listen on %s: %s", qPrintable(serverPath), qPrintable(m_server->errorString()));
}

void SingleInstanceGuard::AcceptRequests()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (m_openConnections >= kMaxOpenConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_openConnections;
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, &SingleInstanceGuard::ConnectionClosed);
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, &QLocalSocket::abort);
        timeout->start(kRequestTimeoutMs);
    }
}

void SingleInstanceGuard::ConnectionClosed()
{
    --m_openConnections;
    // A failed accept (the descriptors used up) makes the server close: the
    // same server listens again once there is room. (A new server would
    // take the open connections, its children, with the old one.)
    if (m_server && !m_server->isListening()) {
        QLocalServer::removeServer(m_serverPath);
        if (!m_server->listen(m_serverPath))
            qWarning("Cannot listen again on %s: %s", qPrintable(m_serverPath), qPrintable(m_server->errorString()));
    }
}

void SingleInstanceGuard::ReadRequest(QLocalSocket* socket)
{
    if (!socket->canReadLine() && socket->bytesAvailable() < kMaxRequestLength)
        return;
    const QByteArray request = socket->readLine(kMaxRequestLength);
    // The line is in: the answer takes what time it takes.
    if (auto* timeout = socket->findChild<QTimer*>())
        timeout->stop();
    // One request per connection; anything after it is ignored. The answer
    // is written before the connection closes.
    if (request != kBringToFrontRequest && OnRequest)
        socket->write(OnRequest(request));
    socket->disconnectFromServer();
    if (request == kBringToFrontRequest && OnBringToFront)
        OnBringToFront();
}
