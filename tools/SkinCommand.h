#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool skin show FILE | new FILE [Name=Value ...] | set FILE Name=Value ...
// Returns the exit status: 0 done, 2 bad arguments or a file that cannot be
// read or written (the file is then left as it was).
int RunSkinCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
