#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The application object a fuzzer's code under test expects: the offscreen
// platform, for fonts and image plugins.
void StartFuzzApplication();

// Writes a fuzzer's input into the file of that name in a folder of this
// process, and returns the file's path.
QString InputAsFile(const QString& name, const std::uint8_t* data, std::size_t size);
