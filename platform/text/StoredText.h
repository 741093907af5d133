#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Texts inside stored records. A text that Windows-1252 holds is stored in
// it, byte for byte as records have always been written. Any other text is
// stored as the byte 0x81, which has no character in Windows-1252, followed
// by the text in UTF-8. A reader that knows only Windows-1252 shows such a
// text as odd characters, and as a path it names no file: it does not start
// with "/" and no one names a folder with that control character.
inline constexpr std::uint8_t kUtf8TextMark = 0x81;

QByteArray EncodeStoredText(const QString& text);
// Bytes after the mark that are not UTF-8 read as Windows-1252, mark included.
QString DecodeStoredText(const std::uint8_t* bytes, std::size_t count);

// What a field of capacity bytes holds, for the message that refuses a
// longer text: "NAME holds at most 12 Western European characters, or 5
// Cyrillic or Greek, or 3 Chinese or Japanese."
QString StoredTextLimit(const QString& field, std::size_t capacity);
