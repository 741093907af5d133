#pragma once

#include <QImage>

// The twelve built-in pattern tiles, resources "TeeBrush1" to "TeeBrush12":
// 16 x 16 two-colour bitmaps whose black pixels (index 0) are the ink. On the
// texture band the ink takes the band's colour and the rest the brush colour.
inline constexpr int kPatternTileCount = 12;

// Loads tile index + 1 (index 0..11) into bitmap, with white as its
// transparent colour. An index outside 0..11 throws std::out_of_range.
void LoadPatternTile(int index, QImage& bitmap);
