#include "desktop/OnlyOne.h"

#include "desktop/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace {

constexpr int kTitleCharacters = 20;
// How long a later start keeps trying to reach the instance that holds the
// lock (it may still be starting, or have just been killed) before it ends.
constexpr int kHandOverMs = 5000;
constexpr int kRetryMs = 50;
constexpr int kSocketMs = 1000;
// The one request a later start sends, and the most a request may hold.
constexpr char kBringToFront[] = "show\n";
constexpr qint64 kMaxRequestLength = 64;

// Asks the instance listening at serverPath to come to the front; false when
// no instance listens there.
bool AskToComeToFront(const QString& serverPath)
{
    QLocalSocket socket;
    socket.connectToServer(serverPath);
    if (!socket.waitForConnected(kSocketMs))
        return false;
    socket.write(kBringToFront);
    const bool sent = socket.waitForBytesWritten(kSocketMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace

TOnlyOne::TOnlyOne(QObject* owner) : QObject(owner) {}

TOnlyOne::~TOnlyOne() = default;

QString TOnlyOne::InstanceAtomName(const QString& applicationTitle)
{
    return QStringLiteral("OnlyOne") + applicationTitle.left(kTitleCharacters);
}

bool TOnlyOne::CheckInstance()
{
    if (!EnforceOnlyOne)
        return true;
    const RuntimeFolder folder = PrivateRuntimeFolder();
    if (folder.path.isEmpty()) {
        // Better an unguarded clock than one that another user keeps from
        // starting.
        qWarning("Not guarding against a second start: %s", qPrintable(folder.problem));
        return true;
    }
    const QString path = folder.path + InstanceAtomName(QCoreApplication::applicationName());
    FLock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    // Never give up a live instance's lock for its age; a lock whose process
    // is gone is taken over all the same.
    FLock->setStaleLockTime(0);

    const QDeadlineTimer deadline(kHandOverMs);
    for (;;) {
        if (FLock->tryLock(0)) {
            Listen(path);
            return true;
        }
        if (FLock->error() != QLockFile::LockFailedError) {
            // The folder cannot hold the lock: better an unguarded clock
            // than none.
            qWarning("Cannot create the lock file %s: running unguarded", qPrintable(FLock->fileName()));
            FLock.reset();
            return true;
        }
        if (AskToComeToFront(path) || deadline.hasExpired()) {
            FLock.reset();
            return false;
        }
        // The holder has not begun to listen yet, or it was killed and its
        // lock is about to be taken over.
        QThread::msleep(kRetryMs);
    }
}

void TOnlyOne::Listen(const QString& serverPath)
{
    FServer = std::make_unique<QLocalServer>();
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer.get(), &QLocalServer::newConnection, this, &TOnlyOne::AcceptRequests);
    // A socket left by a killed instance is ours to replace: we hold the lock.
    QLocalServer::removeServer(serverPath);
    if (!FServer->listen(serverPath))
        qWarning("Cannot listen on %s: %s", qPrintable(serverPath), qPrintable(FServer->errorString()));
}

void TOnlyOne::AcceptRequests()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TOnlyOne::ReadRequest(QLocalSocket* socket)
{
    if (!socket->canReadLine() && socket->bytesAvailable() < kMaxRequestLength)
        return;
    const QByteArray request = socket->readLine(kMaxRequestLength);
    // One request per connection; anything else is ignored.
    socket->disconnectFromServer();
    if (request == kBringToFront && OnBringToFront)
        OnBringToFront();
}
