#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

// 8-bit Windows-1252 text. Bytes without a character in that code page
// decode to the control character of the same number.
QString DecodeWindows1252(const std::uint8_t* bytes, std::size_t count);
// Nothing for a text with a character that has no byte.
std::optional<QByteArray> EncodeWindows1252(const QString& text);
