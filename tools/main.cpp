#include "platform/files/ProgramFolder.h"
#include "tools/AlarmsCommand.h"
#include "tools/AutostartCommand.h"
#include "tools/HelpOption.h"
#include "tools/RenderCommand.h"
#include "tools/ShowCommand.h"
#include "tools/SkinCommand.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

// vellamor-tool: the command-line companion of the clock, for skin authors
// and scripts.
int main(int argc, char** argv)
{
    // Text is measured by Qt's font engine, which needs an application object
    // but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    const QString verb = arguments.value(0);
    // An installed tool, like the clock, fills the user's folder at its first
    // run, so that the shipped skins find their textures there.
    if (const QString problems = PrepareProgramFolder(); !problems.isEmpty())
        err << problems << '\n';

    if (verb == u"skin")
        return RunSkinCommand(arguments.mid(1), out, err);
    if (verb == u"render")
        return RunRenderCommand(arguments.mid(1), out, err);
    if (verb == u"snapshot")
        return RunSnapshotCommand(arguments.mid(1), out, err);
    if (verb == u"alarms")
        return RunAlarmsCommand(arguments.mid(1), out, err);
    if (verb == u"show")
        return RunShowCommand(arguments.mid(1), out, err);
    if (verb == u"autostart")
        return RunAutostartCommand(arguments.mid(1), QGuiApplication::applicationDirPath() + QStringLiteral("/vellamor"),
            out, err);

    const char* const usage = "usage: vellamor-tool skin ...\n"
                              "       vellamor-tool render ...\n"
                              "       vellamor-tool snapshot ...\n"
                              "       vellamor-tool alarms ...\n"
                              "       vellamor-tool autostart on [--hidden] | off\n"
                              "       vellamor-tool show\n"
                              "Each command prints its own usage with --help.\n";
    if (IsHelpRequest(arguments)) {
        out << usage;
        return 0;
    }
    if (!verb.isEmpty())
        err << "Unknown command \"" << verb << "\"\n";
    err << usage;
    return 2;
}
