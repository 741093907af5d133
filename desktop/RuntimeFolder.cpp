#include "desktop/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivateMode = 0700;

RuntimeFolder Refused(const QString& folder, const QString& reason)
{
    return { QString(), QStringLiteral("%1 %2").arg(folder, reason) };
}

// A folder is ours only when we made it, which its owner, type and mode
// show: in a shared folder another user may have put one there first.
RuntimeFolder PrivateFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), kPrivateMode) != 0 && errno != EEXIST)
        return Refused(folder, QStringLiteral("cannot be made: %1").arg(qt_error_string(errno)));

    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return Refused(folder, QStringLiteral("cannot be read: %1").arg(qt_error_string(errno)));
    if (S_ISLNK(info.st_mode))
        return Refused(folder, QStringLiteral("is a link, not a folder of this user"));
    if (!S_ISDIR(info.st_mode))
        return Refused(folder, QStringLiteral("is not a folder"));
    if (info.st_uid != ::getuid())
        return Refused(folder, QStringLiteral("belongs to another user"));
    if ((info.st_mode & 07777) != kPrivateMode)
        return Refused(folder, QStringLiteral("can be used by other users (mode %1, not 0700)").arg(info.st_mode & 07777, 4, 8, QLatin1Char('0')));
    return { folder + u'/', QString() };
}

} // namespace

RuntimeFolder PrivateRuntimeFolder()
{
    // Qt checks the runtime folder's owner and mode, and gives nothing for
    // one that is not private.
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        if (const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); !folder.isEmpty())
            return { folder + u'/', QString() };
    }
    // Another user may have planted "vellamor-<uid>" in the shared temporary
    // folder; the user's own cache folder is theirs alone.
    const RuntimeFolder shared = PrivateFolder(QDir::tempPath() + QStringLiteral("/vellamor-%1").arg(::getuid()));
    if (!shared.path.isEmpty())
        return shared;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return shared;
    RuntimeFolder own = PrivateFolder(cache + QStringLiteral("/vellamor-runtime"));
    if (own.path.isEmpty())
        own.problem = shared.problem + QStringLiteral("; ") + own.problem;
    return own;
}
