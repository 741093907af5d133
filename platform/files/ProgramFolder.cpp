#include "platform/files/ProgramFolder.h"

#include "platform/files/UserFolderSeed.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef VELLAMOR_SHIPPED_FROM_EXECUTABLE
#define VELLAMOR_SHIPPED_FROM_EXECUTABLE "../share/vellamor"
#endif

namespace {

QString FolderWithSeparator(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

ProgramFolders CurrentProgramFolders()
{
    return LocateProgramFolders(qEnvironmentVariable("VELLAMOR_HOME"), QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

} // namespace

ProgramFolders LocateProgramFolders(const QString& homeVariable, const QString& executableFolder,
    const QString& dataHome)
{
    ProgramFolders folders;
    const QString installedShipped = QDir(executableFolder).filePath(QStringLiteral(VELLAMOR_SHIPPED_FROM_EXECUTABLE));
    const bool installed = QFileInfo(installedShipped).isDir();
    folders.shipped = FolderWithSeparator(installed ? installedShipped : executableFolder);
    if (!homeVariable.isEmpty()) {
        folders.program = FolderWithSeparator(homeVariable);
    } else if (installed) {
        folders.program = FolderWithSeparator(QDir(dataHome).filePath(QStringLiteral("vellamor")));
        folders.fillFromShipped = true;
    } else {
        folders.program = FolderWithSeparator(executableFolder);
    }
    return folders;
}

QString ProgramFolder()
{
    return CurrentProgramFolders().program;
}

QString ShippedFolder()
{
    return CurrentProgramFolders().shipped;
}

QString PrepareProgramFolder()
{
    const ProgramFolders folders = CurrentProgramFolders();
    if (!folders.fillFromShipped)
        return QString();
    return SeedUserFolder(folders.shipped, folders.program).join(u'\n');
}
