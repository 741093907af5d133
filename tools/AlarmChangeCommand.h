#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool alarms add OPTIONS | enable INDEX | disable INDEX | delete INDEX
// (arguments after "alarms"; the usage lists the options of add). Adds an
// alarm at the end of the list (its index is printed), or switches the alarm
// at INDEX (as `vellamor-tool alarms` numbers them) on or off, or deletes
// it. When the clock runs on the same store, the change is handed to it and
// the clock applies and saves it; otherwise the store is changed here,
// atomically. Returns the exit status: 0 done (or the usage printed for
// --help), 2 for a bad option or value (the message names it; nothing is
// changed), an index that names no alarm, or a store that cannot be read or
// written.
int RunAlarmChangeCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Whether the arguments after "alarms" ask for a change.
bool IsAlarmChangeCommand(const QStringList& arguments);
