#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool render --skin FILE --time HH:MM:SS [--size N] --face-only -o OUT.png
// Writes the face the clock shows during that minute. Returns the exit status:
// 0 done, 2 for a skin that cannot be read, a bad time or size, or an output
// that cannot be written.
int RunRenderCommand(const QStringList& arguments, QTextStream& err);
