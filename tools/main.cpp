#include "tools/AlarmsCommand.h"
#include "tools/HelpOption.h"
#include "tools/RenderCommand.h"
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

    if (verb == u"skin")
        return RunSkinCommand(arguments.mid(1), out, err);
    if (verb == u"render")
        return RunRenderCommand(arguments.mid(1), out, err);
    if (verb == u"snapshot")
        return RunSnapshotCommand(arguments.mid(1), out, err);
    if (verb == u"alarms")
        return RunAlarmsCommand(arguments.mid(1), out, err);

    const char* const usage = "usage: vellamor-tool skin ...\n"
                              "       vellamor-tool render ...\n"
                              "       vellamor-tool snapshot ...\n"
                              "       vellamor-tool alarms ...\n"
                              "Each command prints its own usage with --help.\n";
    if (IsHelpRequest(arguments)) {
        out << usage;
        return 0;
    }
    err << usage;
    return 2;
}
