#include "tests/support/FailingDisk.h"

#include "platform/files/IoError.h"

#include <QDataStream>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the child sends back: whether it ran the save, and its outcome or the
// reason it could not.
struct ChildReport {
    bool ran = false;
    QString skipReason;
    SaveOutcome outcome;
};

QByteArray Serialize(const ChildReport& report)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << report.ran << report.skipReason << report.outcome.error << report.outcome.fileAfter;
    return bytes;
}

ChildReport Deserialize(const QByteArray& bytes)
{
    ChildReport report;
    QDataStream in(bytes);
    in >> report.ran >> report.skipReason >> report.outcome.error >> report.outcome.fileAfter;
    return report;
}

SaveOutcome RunSave(const QString& file, const std::function<void()>& save)
{
    SaveOutcome outcome;
    try {
        save();
    } catch (const IoError& error) {
        outcome.error = error.message();
    }
    QFile saved(file);
    if (saved.open(QIODevice::ReadOnly))
        outcome.fileAfter = saved.readAll();
    return outcome;
}

// Runs child in a forked process and returns what it reported.
ChildReport InChild(const std::function<ChildReport()>& child)
{
    int channel[2];
    if (::pipe(channel) != 0)
        qFatal("no pipe");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        const QByteArray report = Serialize(child());
        qsizetype written = 0;
        while (written < report.size()) {
            const ssize_t count = ::write(channel[1], report.constData() + written, std::size_t(report.size() - written));
            if (count <= 0)
                ::_exit(1);
            written += count;
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray received;
    char buffer[4096];
    for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (count > 0)
            received.append(buffer, count);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("the saving child process failed (status %d)", status);
    return Deserialize(received);
}

bool WriteText(const char* path, const QByteArray& text)
{
    const int file = ::open(path, O_WRONLY);
    if (file < 0)
        return false;
    const bool written = ::write(file, text.constData(), std::size_t(text.size())) == text.size();
    ::close(file);
    return written;
}

// A mount namespace of this process alone, in which it may mount: as root,
// or as root of a new user namespace.
QString EnterMountNamespace()
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (uid == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return QStringLiteral("cannot make a mount namespace: %1").arg(qt_error_string(errno));
    } else {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return QStringLiteral("not root, and no user namespaces: %1").arg(qt_error_string(errno));
        if (!WriteText("/proc/self/setgroups", "deny") || !WriteText("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
            || !WriteText("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return QStringLiteral("cannot map the user into a user namespace");
    }
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("cannot make the mounts private: %1").arg(qt_error_string(errno));
    return QString();
}

// Writes zeros to a new file in folder until the file system is full.
void FillUp(const QString& folder)
{
    const int file = ::open(QFile::encodeName(folder + QStringLiteral("/filler")).constData(), O_WRONLY | O_CREAT, 0600);
    const QByteArray block(512, '\0');
    while (file >= 0 && ::write(file, block.constData(), std::size_t(block.size())) > 0) {
    }
    ::close(file);
}

} // namespace

SaveOutcome SaveWithFileSizeLimit(qint64 limitBytes, const QString& file, const std::function<void()>& save)
{
    return InChild([&] {
        ChildReport report;
        const rlimit limit { rlim_t(limitBytes), rlim_t(limitBytes) };
        std::signal(SIGXFSZ, SIG_IGN);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            qFatal("cannot limit the file size");
        report.outcome = RunSave(file, save);
        report.ran = true;
        return report;
    }).outcome;
}

std::optional<SaveOutcome> SaveOnFullDisk(const QString& folder, const QString& file,
    const std::function<void()>& prepare, const std::function<void()>& save, QString& skipReason)
{
    const ChildReport report = InChild([&] {
        ChildReport child;
        child.skipReason = EnterMountNamespace();
        if (!child.skipReason.isEmpty())
            return child;
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0) {
            child.skipReason = QStringLiteral("cannot mount a tmpfs: %1").arg(qt_error_string(errno));
            return child;
        }
        prepare();
        FillUp(folder);
        child.outcome = RunSave(file, save);
        child.ran = true;
        return child;
    });
    if (!report.ran) {
        skipReason = report.skipReason;
        return std::nullopt;
    }
    return report.outcome;
}
