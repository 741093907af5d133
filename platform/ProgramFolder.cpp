#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramFolder()
{
    QString folder = qEnvironmentVariable("VELLAMOR_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    return folder.endsWith(u'/') ? folder : folder + u'/';
}
