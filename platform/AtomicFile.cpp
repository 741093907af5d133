#include "platform/AtomicFile.h"

#include "platform/IoError.h"

#include <QFileInfo>
#include <QSaveFile>

void WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // A file whose owner may not write it is read-only, also to root.
    const QFileInfo info(path);
    if (info.exists() && (info.isDir() || !info.permissions().testFlag(QFileDevice::WriteOwner)))
        throw IoError(QStringLiteral("Unable to write to %1").arg(path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IoError(QStringLiteral("Unable to write to %1").arg(path));
}
