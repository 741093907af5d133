#pragma once

#include <QString>

// Path texts may come from records written on another desktop, so both '/'
// and '\' separate folders here.

bool IsPathSeparator(QChar c);

// The folder part including its trailing separator ("" when there is none).
QString ExtractFilePath(const QString& path);

// The part after the last separator.
QString ExtractFileName(const QString& path);

// The extension of the file-name part, with its dot ("" when there is none).
QString ExtractFileExt(const QString& path);

// The path with the extension of its file-name part replaced by extension
// (which carries its dot), or appended when there was none.
QString ChangeFileExt(const QString& path, const QString& extension);

bool HasFolderPart(const QString& path);
