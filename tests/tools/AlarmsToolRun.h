#pragma once

#include "tools/AlarmsCommand.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// One run of `vellamor-tool alarms …` in process: its exit status and what it
// printed on each stream.
struct ToolRun {
    int status;
    QString out;
    QString err;
};

inline ToolRun RunAlarms(const QStringList& arguments)
{
    ToolRun run { 0, {}, {} };
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = RunAlarmsCommand(arguments, out, err);
    return run;
}
