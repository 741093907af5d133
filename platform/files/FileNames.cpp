#include "platform/files/FileNames.h"

namespace {

qsizetype LastSeparator(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsPathSeparator(path[i]))
            return i;
    return -1;
}

qsizetype ExtensionDot(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > LastSeparator(path) ? dot : -1;
}

} // namespace

bool IsPathSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

QString ExtractFilePath(const QString& path)
{
    return path.left(LastSeparator(path) + 1);
}

QString ExtractFileName(const QString& path)
{
    return path.mid(LastSeparator(path) + 1);
}

QString ExtractFileExt(const QString& path)
{
    const qsizetype dot = ExtensionDot(path);
    return dot < 0 ? QString() : path.mid(dot);
}

QString ChangeFileExt(const QString& path, const QString& extension)
{
    const qsizetype dot = ExtensionDot(path);
    return (dot < 0 ? path : path.left(dot)) + extension;
}

bool HasFolderPart(const QString& path)
{
    return LastSeparator(path) >= 0;
}
