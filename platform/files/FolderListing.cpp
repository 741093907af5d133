#include "platform/files/FolderListing.h"

#include "platform/files/IoError.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QStringList ListFolder(const QString& folder, const QString& pattern)
{
    const QFileInfo where(folder);
    if (!where.isDir())
        throw IoError(QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder)));
    if (!where.isReadable())
        throw IoError(QStringLiteral("The folder %1 cannot be read.").arg(QDir::toNativeSeparators(folder)));

    QDir dir(folder, pattern, QDir::NoSort, QDir::Files);
    QStringList names;
    for (const QFileInfo& file : dir.entryInfoList())
        if (file.isFile())
            names << file.fileName();
    // Letter case decides between names that differ only in it, so the order
    // does not depend on the order the folder hands them out.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int ignoringCase = a.compare(b, Qt::CaseInsensitive);
        return ignoringCase != 0 ? ignoringCase < 0 : a < b;
    });
    return names;
}
