#pragma once

#include <QString>

class TempFolder;

// Writes a sine tone of the given length into the folder with sox, as WAV or
// MP3 by the name's extension, and returns its path.
QString WriteTone(const TempFolder& folder, const QString& name, double seconds);
