#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool alarms [--store FILE] [--now "YYYY-MM-DD HH:MM:SS"] [--24h]
// Lists the alarm store (by default the program folder's Alarm/Alarms.cfg),
// one tab-separated line per alarm: index, name, type, alarm time and next
// date to ring, as the alarm list shows them at the given moment (by default
// now). Returns the exit status: 0 listed (or the usage printed for --help),
// 2 bad arguments or a store that
// cannot be read.
int RunAlarmsCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
