#pragma once

#include <QString>

struct TTextureBand;

// The skin's Texture field holds either a style number 0..19 in decimal
// (0..7 the platform's brush styles, 8..19 the pattern tiles 1..12) or a
// picture file: a full path, or a file name in ProgramFolder + "Textures/".

inline constexpr int kFirstTileStyle = 8;
inline constexpr int kLastTextureStyle = 19;
inline constexpr int kNoTextureStyle = 1; // "None"

// The texture as last applied or as the texture chooser edits it: the style
// number (0 for a picture), and the picture file (empty unless a picture).
extern int TextureStyle;
extern QString TextureFile;

// Puts the live Skin's Texture, TextureColor and TextureTransparency onto the
// band (ColorBand). A picture that is missing shows "Texture file not found."
// and one that cannot be loaded shows its error; either way the band keeps
// its previous picture, and nothing is thrown, so a bad skin never stops the
// clock's refresh. A style number outside 0..19 shows no texture, as style
// "None" does, and a transparency outside 0..100 counts as the nearest limit.
void ApplyTexture(TTextureBand& ColorBand);
