#include "skins/SkinList.h"

#include "platform/files/FileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

QString ScreenshotsFolder(const QString& programFolder)
{
    return programFolder + QStringLiteral("Screenshots/");
}

QString SnapshotFile(const QString& skinFile, const QString& programFolder)
{
    return ScreenshotsFolder(programFolder) + ChangeFileExt(ExtractFileName(skinFile), QStringLiteral(".jpg"));
}

QString SkinDraftFile(const QString& skinFile, const QString& programFolder)
{
    return programFolder + QStringLiteral("Drafts/") + ExtractFileName(skinFile);
}

QString SkinFileToSaveTo(const QString& skinFile, const QString& programFolder, const QString& shippedFolder)
{
    const auto canonicalFolder = [](const QString& folder) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
    };
    const QString shipped = canonicalFolder(shippedFolder);
    if (shipped == canonicalFolder(programFolder) || canonicalFolder(QFileInfo(skinFile).absolutePath()) != shipped)
        return skinFile;
    return programFolder + ExtractFileName(skinFile);
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
    return QPoint(slot % kThumbColumns * kThumbPitch, slot / kThumbColumns * kThumbRowPitch);
}

QString UnusedSkinFileName(const QString& skinFile)
{
    const QFileInfo file(skinFile);
    QString base = file.completeBaseName();
    int number = 2;
    // "Classic 2" goes on counting from 2.
    static const QRegularExpression numbered(QStringLiteral("^(.*) (\\d{1,6})$"));
    if (const QRegularExpressionMatch match = numbered.match(base); match.hasMatch()) {
        base = match.captured(1);
        number = match.captured(2).toInt() + 1;
    }
    const QString suffix = file.suffix().isEmpty() ? QStringLiteral("clk") : file.suffix();
    QString candidate;
    do
        candidate = file.dir().filePath(QStringLiteral("%1 %2.%3").arg(base).arg(number++).arg(suffix));
    while (QFileInfo::exists(candidate));
    return candidate;
}
