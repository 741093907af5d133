#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes. The bytes go to a temporary file in
// the same folder that is then renamed over the old file, so a failure leaves
// the old file whole. An existing file that is read-only (its owner may not
// write it) is not replaced.
// Throws IoError("Unable to write to <path>") on failure.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);
