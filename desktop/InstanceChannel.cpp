#include "desktop/InstanceChannel.h"

#include "desktop/RuntimeFolder.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace {

constexpr int kTitleCharacters = 20;
constexpr int kConnectMs = 1000;
// The clock answers from its event loop, which a modal box or a ringing
// alarm keeps running.
constexpr int kAnswerMs = 10000;
constexpr qint64 kMaxAnswerLength = 4096;

} // namespace

QString InstanceName(const QString& applicationTitle)
{
    return QStringLiteral("OnlyOne") + applicationTitle.left(kTitleCharacters);
}

QString InstanceServerPath(const QString& applicationTitle, QString* problem)
{
    const RuntimeFolder folder = PrivateRuntimeFolder();
    if (problem)
        *problem = folder.problem;
    return folder.path.isEmpty() ? QString() : folder.path + InstanceName(applicationTitle);
}

std::optional<QByteArray> AskInstance(const QString& serverPath, const QByteArray& request)
{
    QLocalSocket socket;
    socket.connectToServer(serverPath);
    if (!socket.waitForConnected(kConnectMs))
        return std::nullopt;
    socket.write(request);
    const QDeadlineTimer deadline(kAnswerMs);
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
        socket.waitForReadyRead(int(deadline.remainingTime()));
    if (!socket.canReadLine())
        return QByteArray();
    return socket.readLine(kMaxAnswerLength);
}

bool InstanceLockHeld(const QString& serverPath)
{
    // Read, not taken: a probe that took the lock for a moment would look
    // like a running instance to other probes.
    const QLockFile lock(serverPath + QStringLiteral(".lock"));
    qint64 pid = 0;
    QString host;
    if (!lock.getLockInfo(&pid, &host, nullptr) || pid <= 0 || host != QSysInfo::machineHostName())
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}
