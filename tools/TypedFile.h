#pragma once

#include <QString>

// A file named on the command line, as a user types it: found from the
// current folder, else, for a relative name, in the program folder (where
// the shipped skins, sounds and pictures lie: "Classic.clk",
// "Alarm/bell.wav"). Its absolute path, or nothing found: empty.
QString FindTypedFile(const QString& typed, const QString& programFolder);

// The typed file when it is found so, else the name as typed: a file to
// create, or one whose absence the caller reports.
QString TypedFileOrAsTyped(const QString& typed, const QString& programFolder);
