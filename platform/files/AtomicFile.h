#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, so that the file afterwards holds
// either all of the new bytes or the old ones untouched. The bytes go to a
// temporary file in the same folder; every write, the flush to the disk and
// the close are checked before it is renamed over the old file, and a failure
// removes it again. A link is followed: the file it names is replaced. An
// existing file that is read-only (its owner may not write it) or is not a
// regular file is not replaced. The temporary file is private (0600) from
// its creation and has the final mode (the old file's, else the one the
// file-mode mask gives) before its first byte. Temporary files of the same
// target that a program left when it ended in the middle of a save are
// removed afterwards.
// Throws IoError("Unable to write to <path>: <reason>") on failure.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);
