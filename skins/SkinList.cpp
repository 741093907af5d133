#include "skins/SkinList.h"

#include "platform/files/FileNames.h"

QString ScreenshotsFolder(const QString& programFolder)
{
    return programFolder + QStringLiteral("Screenshots/");
}

QString SnapshotFile(const QString& skinFile, const QString& programFolder)
{
    return ScreenshotsFolder(programFolder) + ChangeFileExt(ExtractFileName(skinFile), QStringLiteral(".jpg"));
}

QStringList SkinNames(const QStringList& skinFiles)
{
    QStringList names;
    for (const QString& file : skinFiles)
        names << ChangeFileExt(ExtractFileName(file), QString());
    return names;
}

int SkinNameIndex(const QStringList& names, const QString& skinFile)
{
    const QString name = ChangeFileExt(ExtractFileName(skinFile), QString());
    const qsizetype exact = names.indexOf(name);
    if (exact >= 0)
        return int(exact);
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QStringList SnapshotsWithSkin(const QStringList& snapshotFiles, const QStringList& names)
{
    QStringList shown;
    for (const QString& file : snapshotFiles)
        if (SkinNameIndex(names, file) >= 0)
            shown << file;
    return shown;
}

QPoint ThumbPosition(int slot)
{
    return QPoint(slot % kThumbColumns * kThumbPitch, slot / kThumbColumns * kThumbPitch);
}
