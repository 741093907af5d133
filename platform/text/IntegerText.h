#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

// Converts a text that is completely an integer: optional leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after a "$" or
// "0x" prefix. Anything else, an empty text, or a value outside the 32-bit
// signed range gives no value.
std::optional<std::int32_t> ParseInteger(QStringView text);
