#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, so that the file afterwards holds
// either all of the new bytes or the old ones untouched. The bytes go to a
// temporary file in the same folder; every write, the flush to the disk and
// the close are checked before it is renamed over the old file, and a failure
// removes it again. A link is followed: the file it names is replaced. An
// existing file that is read-only (its owner may not write it) or is not a
// regular file is not replaced.
// Throws IoError("Unable to write to <path>: <reason>") on failure.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);
