#include "platform/files/RegularFile.h"

#include "platform/files/IoError.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {

[[noreturn]] void ThrowReadError(const QString& path, const QString& reason)
{
    throw IoError(QStringLiteral("Cannot read %1: %2").arg(path, reason));
}

[[noreturn]] void ThrowTooLarge(const QString& path, qint64 maxBytes)
{
    ThrowReadError(path,
        QStringLiteral("it is larger than %1, more than such a file ever holds")
            .arg(QLocale::c().formattedDataSize(maxBytes, 1, QLocale::DataSizeTraditionalFormat)));
}

} // namespace

QString NotRegularFileReason(unsigned mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe (FIFO), not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    return QStringLiteral("it is not a regular file");
}

std::optional<RegularFileReader> RegularFileReader::Open(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // The type is checked before opening, since opening a FIFO waits for a
    // writer and opening a device may act on it ...
    struct stat before {};
    if (::stat(name.constData(), &before) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        ThrowReadError(path, qt_error_string(errno));
    }
    if (const QString reason = NotRegularFileReason(before.st_mode); !reason.isEmpty())
        ThrowReadError(path, reason);

    int descriptor = -1;
    do
        descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        ThrowReadError(path, qt_error_string(errno));
    }
    // ... and again on what was opened, which may have been swapped in
    // meanwhile; O_NONBLOCK kept that open from waiting.
    struct stat opened {};
    const QString reason
        = ::fstat(descriptor, &opened) != 0 ? qt_error_string(errno) : NotRegularFileReason(opened.st_mode);
    if (!reason.isEmpty()) {
        ::close(descriptor);
        ThrowReadError(path, reason);
    }
    return RegularFileReader(path, descriptor, qint64(opened.st_size));
}

RegularFileReader::RegularFileReader(QString path, int descriptor, qint64 size)
    : m_path(std::move(path))
    , m_descriptor(descriptor)
    , m_size(size)
{
}

RegularFileReader::RegularFileReader(RegularFileReader&& other) noexcept
    : m_path(std::move(other.m_path))
    , m_descriptor(std::exchange(other.m_descriptor, -1))
    , m_size(other.m_size)
{
}

RegularFileReader::~RegularFileReader()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

QByteArray RegularFileReader::read(qint64 count)
{
    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < count) {
        const ssize_t got = ::read(m_descriptor, bytes.data() + filled, std::size_t(count - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowReadError(m_path, qt_error_string(errno));
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(qsizetype(filled));
    return bytes;
}

void RegularFileReader::refuseLargerThan(qint64 maxBytes) const
{
    if (m_size > maxBytes)
        ThrowTooLarge(m_path, maxBytes);
}

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes)
{
    std::optional<RegularFileReader> file = RegularFileReader::Open(path);
    if (!file)
        return std::nullopt;
    file->refuseLargerThan(maxBytes);
    // One byte more than the limit shows a file that grew past it meanwhile.
    QByteArray bytes = file->read(std::min(file->size(), maxBytes) + 1);
    if (bytes.size() > maxBytes)
        ThrowTooLarge(path, maxBytes);
    return bytes;
}
