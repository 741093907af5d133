#pragma once

#include "platform/raster/Color.h"
#include "platform/raster/Raster.h"
#include "skins/Skin.h"

#include <QImage>
#include <QString>

#include <optional>

struct TextureBand;

// The skin's Texture field holds either a style number 0..19 in decimal
// (0..7 the platform's brush styles, 8..19 the pattern tiles 1..12) or a
// picture file: a full path, or a file name in ProgramFolder + "Textures/".

inline constexpr int kFirstTileStyle = 8;
inline constexpr int kLastTextureStyle = 19;
inline constexpr int kNoTextureStyle = 1; // "None"

// The texture as last put onto the clock's band, or as the texture chooser
// edits it: the style number (0 for a picture) and the picture file (empty
// unless a picture). The live skin keeps it.
struct TextureState {
    int style = 0;
    QString file;
};

// Something the user is told about a texture: a plain notice ("Texture file
// not found.") or the error of a picture that cannot be loaded.
struct TextureProblem {
    enum class Kind { Notice, Error };
    Kind kind;
    QString text;
};

// What a skin's texture puts onto the band, worked out without changing
// anything. The band's brush parts left empty keep what the band has: a
// picture leaves the brush's style and colour, "None" its colour, and a
// picture that cannot be had leaves the whole brush.
struct ResolvedTexture {
    int Style = 0;  // the texture state's style: the style number, 0 for a picture
    QString File;   // the texture state's file: the loaded picture's path, else empty
    std::optional<BrushStyle> BandStyle;
    std::optional<TColor> BandColor;
    std::optional<QImage> BandImage; // a null image takes the band's picture away
    int BandTransparency = 0;        // 0..100
    std::optional<TextureProblem> Problem;
    // The picture's full path for the skin's Texture, when the record can
    // hold it; a cut or re-encoded path would name no file at the next
    // refresh, while the text as it was finds this one again.
    std::optional<decltype(Skin::Texture)> StoredTexture;

    // Puts the brush parts and the transparency onto the band.
    void ApplyTo(TextureBand& band) const;
};

// The picture a texture text names: the file at that path, else the file of
// that name in programFolder + "Textures/"; empty when neither exists.
QString ExistingTexturePath(const QString& texture, const QString& programFolder);

// Resolves the skin's Texture, TextureColor and TextureTransparency: a
// picture is looked for at the path the text gives, then by its file name in
// programFolder + "Textures/"; a style number outside 0..19 shows no texture,
// as style "None" does, and a transparency outside 0..100 counts as the
// nearest limit. Never throws: a missing or unreadable picture comes back as
// the Problem.
ResolvedTexture ResolveTexture(const Skin& skin, const QString& programFolder);
