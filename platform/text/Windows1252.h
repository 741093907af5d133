#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Texts inside stored records are 8-bit Windows-1252. Bytes without a
// character in that code page decode to the control character of the same
// number; characters without a byte encode as '?'.
QString DecodeWindows1252(const std::uint8_t* bytes, std::size_t count);
QByteArray EncodeWindows1252(const QString& text);
