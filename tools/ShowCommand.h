#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool show
// Asks the running clock of the user to come to the front, from hiding too,
// as a second start of the clock does: the way back to a clock hidden where
// the desktop offers no tray and no taskbar. Returns the exit status: 0 done
// (also for --help, which prints the usage), 2 bad arguments or no clock
// running.
int RunShowCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
