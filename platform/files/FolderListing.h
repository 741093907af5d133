#pragma once

#include <QString>
#include <QStringList>

// The names of the files in folder that match pattern ("*.clk", "*.jpg"),
// sorted by name ignoring letter case. The pattern is matched ignoring letter
// case too, as the desktop the skins come from does ("Ocean.JPG" is a
// "*.jpg"). Folders, hidden files and anything but regular files (or links
// to them) are not listed. A folder that does not exist, or that cannot be
// read, throws IoError.
QStringList ListFolder(const QString& folder, const QString& pattern);
