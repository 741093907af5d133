#pragma once

#include <QStringList>
#include <QTextStream>

// vellamor-tool render --skin FILE --time HH:MM:SS [--size N] [--face-only] [--24h] [--strict] -o OUT.png
// Writes the clock as its window shows it at that time (transparent outside
// its outline; readout in the 12-hour format unless --24h), or with
// --face-only the face of that minute alone. A texture that cannot be shown
// is reported and the clock drawn without it, or with --strict nothing is
// written. Returns the exit status: 0 done (also for --help, which prints
// the usage), 2 for a skin that cannot be read, a bad time or size, an
// output that cannot be written, or a texture that fails under --strict.
// Needs a QGuiApplication (fonts).
int RunRenderCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

// vellamor-tool snapshot --skin FILE [--time HH:MM:SS] [--24h] [--strict] -o OUT.jpg
// Writes the skin's snapshot, the picture the options window writes when a
// skin is saved with a snapshot: 300 x 300, the gallery's colour outside the
// clock's outline, JPEG of quality 90; taken now unless --time says when.
// Texture problems, --help and the exit status as for RunRenderCommand.
int RunSnapshotCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
