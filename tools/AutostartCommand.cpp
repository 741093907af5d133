#include "tools/AutostartCommand.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "tools/HelpOption.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;

const char* const kUsage = "usage: vellamor-tool autostart on [--hidden] | off\n";

// One argument of an Exec line: quoted when it holds a character the
// desktop's launcher would read otherwise, with the quoting's own characters
// escaped inside; then escaped as any string value of a desktop entry.
QString ExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = argument;
    if (std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); })) {
        quoted.clear();
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        quoted = u'"' + quoted + u'"';
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return quoted;
}

QString AutostartFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/vellamor.desktop"));
}

int TurnOn(const QString& clockProgram, bool hidden, QTextStream& out, QTextStream& err)
{
    if (!QFileInfo(clockProgram).isExecutable()) {
        err << "The clock " << clockProgram << " is not there: vellamor-tool starts the vellamor beside it\n";
        return kFailed;
    }
    const QString file = AutostartFile();
    if (!QDir().mkpath(QFileInfo(file).path())) {
        err << "Unable to create the folder " << QFileInfo(file).path() << '\n';
        return kFailed;
    }
    try {
        WriteFileAtomically(file, AutostartEntry(clockProgram, hidden).toUtf8());
    } catch (const IoError& error) {
        err << error.message() << '\n';
        return kFailed;
    }
    out << "Vellamor starts with the desktop" << (hidden ? ", hidden in the tray" : "") << ": " << file << '\n';
    return kDone;
}

int TurnOff(QTextStream& out, QTextStream& err)
{
    QFile file(AutostartFile());
    if (!file.exists()) {
        out << "Vellamor does not start with the desktop: there is no " << file.fileName() << '\n';
        return kDone;
    }
    if (!file.remove()) {
        err << "Unable to remove " << file.fileName() << ": " << file.errorString() << '\n';
        return kFailed;
    }
    out << "Vellamor no longer starts with the desktop: removed " << file.fileName() << '\n';
    return kDone;
}

} // namespace

QString AutostartEntry(const QString& clockProgram, bool hidden)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vellamor\n"
                          "Comment=Skinnable desktop clock with alarms\n"
                          "Icon=vellamor\n"
                          "Exec=%1%2\n"
                          "Terminal=false\n")
        .arg(ExecArgument(clockProgram), hidden ? QStringLiteral(" -hide") : QString());
}

int RunAutostartCommand(const QStringList& arguments, const QString& clockProgram, QTextStream& out,
    QTextStream& err)
{
    if (IsHelpRequest(arguments)) {
        out << kUsage;
        return kDone;
    }
    if (arguments == QStringList { QStringLiteral("on") })
        return TurnOn(clockProgram, false, out, err);
    if (arguments == QStringList { QStringLiteral("on"), QStringLiteral("--hidden") })
        return TurnOn(clockProgram, true, out, err);
    if (arguments == QStringList { QStringLiteral("off") })
        return TurnOff(out, err);
    if (!arguments.isEmpty())
        err << "Unknown command \"autostart " << arguments.join(u' ') << "\"\n";
    err << kUsage;
    return kFailed;
}
