#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool skin show FILE | new [--force] FILE [Name=Value ...] | set FILE Name=Value ...
// "new" replaces an existing file only with --force. Returns the exit
// status: 0 done (or the usage printed for --help), 2 bad arguments, an
// existing file for "new" without --force, or a file that cannot be read or
// written (the file is then left as it was).
int RunSkinCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
