#include "tests/support/ToneFile.h"

#include "tests/support/TempFolder.h"

#include <QFileInfo>
#include <QProcess>

QString WriteTone(const TempFolder& folder, const QString& name, double seconds)
{
    const QString path = folder.file(name);
    const int exitCode = QProcess::execute(QStringLiteral("sox"),
        { QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"), QStringLiteral("-c"), QStringLiteral("1"),
            path, QStringLiteral("synth"), QString::number(seconds), QStringLiteral("sine"), QStringLiteral("440") });
    if (exitCode != 0 || QFileInfo(path).size() == 0)
        qFatal("sox could not write the tone %s (exit code %d)", qPrintable(path), exitCode);
    return path;
}
