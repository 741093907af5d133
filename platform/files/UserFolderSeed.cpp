#include "platform/files/UserFolderSeed.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

const QString kOfferedList = QStringLiteral(".shipped");
const QStringList kSeededFolders { QStringLiteral("Textures"), QStringLiteral("Screenshots"), QStringLiteral("Alarm") };

// The shipped files to offer, relative to the shipped folder: the skins
// beside the program and everything in the seeded folders.
QStringList ShippedFiles(const QDir& shipped)
{
    QStringList files = shipped.entryList({ QStringLiteral("*.clk") }, QDir::Files);
    for (const QString& folder : kSeededFolders) {
        QDirIterator it(shipped.filePath(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(shipped.relativeFilePath(it.next()));
    }
    files.sort();
    return files;
}

QSet<QString> ReadOfferedList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> offered;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            offered.insert(QString::fromUtf8(line));
    return offered;
}

} // namespace

QStringList SeedUserFolder(const QString& shippedFolder, const QString& userFolder)
{
    QStringList problems;
    const QDir shipped(shippedFolder);
    const QDir user(userFolder);
    for (const QString& folder : kSeededFolders)
        if (!user.mkpath(folder))
            problems.append(QStringLiteral("Unable to create the folder %1").arg(user.filePath(folder)));

    const QString listPath = user.filePath(kOfferedList);
    QSet<QString> offered = ReadOfferedList(listPath);
    const qsizetype offeredBefore = offered.size();
    for (const QString& file : ShippedFiles(shipped)) {
        if (offered.contains(file))
            continue;
        const QString target = user.filePath(file);
        if (!QFileInfo::exists(target)) {
            QFile source(shipped.filePath(file));
            if (!source.open(QIODevice::ReadOnly)) {
                problems.append(QStringLiteral("Unable to read %1: %2").arg(source.fileName(), source.errorString()));
                continue;
            }
            try {
                user.mkpath(QFileInfo(file).path());
                WriteFileAtomically(target, source.readAll());
            } catch (const IoError& error) {
                problems.append(error.message());
                continue;
            }
        }
        offered.insert(file);
    }

    if (offered.size() != offeredBefore) {
        QStringList lines(offered.begin(), offered.end());
        lines.sort();
        try {
            WriteFileAtomically(listPath, (lines.join(u'\n') + u'\n').toUtf8());
        } catch (const IoError& error) {
            problems.append(error.message());
        }
    }
    return problems;
}
