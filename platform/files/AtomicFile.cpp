#include "platform/files/AtomicFile.h"

#include "platform/files/IoError.h"
#include "platform/files/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kTemporaryNameAttempts = 100;

[[noreturn]] void ThrowWriteError(const QString& path, const QString& reason)
{
    throw IoError(QStringLiteral("Unable to write to %1: %2").arg(path, reason));
}

[[noreturn]] void ThrowWriteError(const QString& path, int error)
{
    ThrowWriteError(path, qt_error_string(error));
}

// A write past the file-size limit then fails with EFBIG, which is reported
// like a full disk, instead of ending the process.
void IgnoreFileSizeSignal()
{
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    Q_UNUSED(ignored);
}

// The mode a new file gets from the process's file-mode mask. Read from
// /proc: setting the mask to learn it would change it for every thread
// meanwhile.
mode_t NewFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok)
                return 0666 & ~mask;
        }
    }
    return 0644;
}

// When this process started: a temporary file older than that, and older
// than any save takes, was left by a program that ended in the middle of a
// save.
const QDateTime kProcessStart = QDateTime::currentDateTimeUtc();
constexpr qint64 kLongestSaveSeconds = 600;

// Removes the temporary files of target that such programs left.
void RemoveLeftTemporaryFiles(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = u'.' + info.fileName() + u'.';
    const QDateTime before = std::min(kProcessStart, QDateTime::currentDateTimeUtc().addSecs(-kLongestSaveSeconds));
    const QFileInfoList left = QDir(info.path()).entryInfoList({ prefix + QStringLiteral("????????") }, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : left)
        if (file.lastModified() < before)
            QFile::remove(file.filePath());
}

// The file a write to path replaces: path itself, or the file its links lead
// to, which need not exist yet.
QString FileBehindLinks(const QString& path)
{
    QString file = path;
    for (int hop = 0; hop < kMaxLinkHops && QFileInfo(file).isSymLink(); ++hop)
        file = QFileInfo(file).symLinkTarget();
    return file;
}

// A new file beside the target, removed again unless it is renamed over it.
// Errors name the path the caller gave.
class TemporaryFile {
public:
    TemporaryFile(const QString& target, const QString& shownPath) : m_target(target), m_shownPath(shownPath)
    {
        const QFileInfo info(target);
        for (int attempt = 0; attempt < kTemporaryNameAttempts && m_descriptor < 0; ++attempt) {
            const QString name = QStringLiteral("%1/.%2.%3")
                                     .arg(info.path(), info.fileName())
                                     .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            m_name = QFile::encodeName(name);
            // Private from the start: no one else may read a byte of it
            // before it has its final mode.
            m_descriptor = ::open(m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (m_descriptor < 0 && errno != EEXIST)
                break;
        }
        if (m_descriptor < 0)
            ThrowWriteError(m_shownPath, errno);
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    ~TemporaryFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        if (!m_renamed)
            ::unlink(m_name.constData());
    }

    void write(const QByteArray& bytes)
    {
        qsizetype written = 0;
        while (written < bytes.size()) {
            const ssize_t count = ::write(m_descriptor, bytes.constData() + written, std::size_t(bytes.size() - written));
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                ThrowWriteError(m_shownPath, count < 0 ? errno : ENOSPC);
            written += count;
        }
    }

    void setMode(mode_t mode)
    {
        if (::fchmod(m_descriptor, mode) != 0)
            ThrowWriteError(m_shownPath, errno);
    }

    // Flushes the bytes to the disk, closes the file and renames it over the
    // target; only then is the old file gone.
    void commit()
    {
        if (::fsync(m_descriptor) != 0)
            ThrowWriteError(m_shownPath, errno);
        const int descriptor = std::exchange(m_descriptor, -1);
        if (::close(descriptor) != 0)
            ThrowWriteError(m_shownPath, errno);
        if (::rename(m_name.constData(), QFile::encodeName(m_target).constData()) != 0)
            ThrowWriteError(m_shownPath, errno);
        m_renamed = true;
        SyncFolder();
    }

private:
    // The rename reaches the disk with the folder; the new file is in place
    // either way, so a failure here is not one of the save.
    void SyncFolder() const
    {
        const int folder = ::open(QFile::encodeName(QFileInfo(m_target).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            return;
        ::fsync(folder);
        ::close(folder);
    }

    QString m_target;
    QString m_shownPath;
    QByteArray m_name;
    int m_descriptor = -1;
    bool m_renamed = false;
};

} // namespace

void WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    IgnoreFileSizeSignal();
    const QString target = FileBehindLinks(path);

    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        ThrowWriteError(path, errno);
    if (exists && !S_ISREG(existing.st_mode))
        ThrowWriteError(path, NotRegularFileReason(existing.st_mode));
    // A file whose owner may not write it is read-only, also to root.
    if (exists && (existing.st_mode & S_IWUSR) == 0)
        ThrowWriteError(path, EACCES);

    TemporaryFile file(target, path);
    file.setMode(exists ? existing.st_mode & 07777 : NewFileMode());
    file.write(bytes);
    file.commit();
    RemoveLeftTemporaryFiles(target);
}
