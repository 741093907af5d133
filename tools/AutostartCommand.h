#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// vellamor-tool autostart on [--hidden] | off
// "on" writes the desktop's autostart entry for the clock, "vellamor.desktop"
// in the autostart folder of the user's configuration (~/.config/autostart,
// or XDG_CONFIG_HOME/autostart), so that the clock starts with the desktop;
// --hidden starts it in the tray (-hide). The entry is written whole or not
// at all. "off" removes the entry. clockProgram is the clock's executable,
// which the entry starts. Returns the exit status: 0 done (also for --help,
// which prints the usage), 2 bad arguments,
// a clock that is not there, or an entry that cannot be written or removed.
int RunAutostartCommand(const QStringList& arguments, const QString& clockProgram, QTextStream& out,
    QTextStream& err);

// The autostart entry that starts clockProgram, hidden in the tray if asked.
QString AutostartEntry(const QString& clockProgram, bool hidden);
