#include "tools/TypedFile.h"

#include <QDir>
#include <QFileInfo>

QString FindTypedFile(const QString& typed, const QString& programFolder)
{
    if (typed.isEmpty())
        return QString();
    if (const QFileInfo here(typed); here.isFile())
        return here.absoluteFilePath();
    if (QDir::isAbsolutePath(typed))
        return QString();
    const QFileInfo inProgramFolder(QDir(programFolder).filePath(typed));
    return inProgramFolder.isFile() ? inProgramFolder.absoluteFilePath() : QString();
}

QString TypedFileOrAsTyped(const QString& typed, const QString& programFolder)
{
    const QString found = FindTypedFile(typed, programFolder);
    return found.isEmpty() ? typed : found;
}
