#pragma once

#include <QString>

#include <functional>

// Opens a local file with the desktop's application for it (xdg-open), as a
// double click in the file manager does. The helper's output is kept off the
// program's console, and when nothing opens the file, failed runs from the
// event loop with the reason ("no application for it was found"). Returns at
// once: an application the helper starts may run for long.
//
// Tests replace the opener; SetLocalFileOpener returns the one it replaces.
using FailureReport = std::function<void(const QString& reason)>;
using LocalFileOpener = std::function<void(const QString& file, FailureReport failed)>;
void OpenLocalFile(const QString& file, FailureReport failed);
LocalFileOpener SetLocalFileOpener(LocalFileOpener opener);
