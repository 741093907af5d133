#include "skins/Texture.h"

#include "overlay/TextureBand.h"
#include "platform/files/FileNames.h"
#include "platform/text/IntegerText.h"
#include "platform/pictures/PictureLoader.h"
#include "skins/PatternTiles.h"
#include "skins/SkinFile.h"

#include <QFileInfo>

#include <algorithm>
#include <exception>

namespace {

constexpr int kMaxTransparency = 100;

void ResolvePicture(ResolvedTexture& resolved, const QString& texture, const QString& programFolder)
{
    resolved.Style = 0;
    const QString path = ExistingTexturePath(texture, programFolder);
    if (path.isEmpty()) {
        resolved.Problem = TextureProblem { TextureProblem::Kind::Notice, QStringLiteral("Texture file not found.") };
        return;
    }
    try {
        resolved.BandImage = LoadPicture(path);
    } catch (const std::exception& error) {
        resolved.Problem = TextureProblem { TextureProblem::Kind::Error, QString::fromStdString(error.what()) };
        return;
    }
    resolved.File = path;
    if (decltype(Skin::Texture) stored; stored.setText(path))
        resolved.StoredTexture = stored;
}

void ResolveStyle(ResolvedTexture& resolved, int style, TColor colour)
{
    if (style < 0 || style > kLastTextureStyle)
        style = kNoTextureStyle;
    resolved.Style = style;
    if (style < kFirstTileStyle) {
        resolved.BandImage = QImage();
        resolved.BandStyle = static_cast<BrushStyle>(style);
    } else {
        QImage tile;
        LoadPatternTile(style - kFirstTileStyle, tile);
        resolved.BandImage = tile;
    }
    if (style != kNoTextureStyle)
        resolved.BandColor = colour;
}

} // namespace

QString ExistingTexturePath(const QString& texture, const QString& programFolder)
{
    if (QFileInfo(texture).isFile())
        return QFileInfo(texture).absoluteFilePath();
    const QString inTextures = TexturesFolder(programFolder) + ExtractFileName(texture);
    return QFileInfo(inTextures).isFile() ? inTextures : QString();
}

ResolvedTexture ResolveTexture(const Skin& skin, const QString& programFolder)
{
    ResolvedTexture resolved;
    const QString texture = skin.Texture.text();
    if (const std::optional<std::int32_t> style = ParseInteger(texture))
        ResolveStyle(resolved, *style, skin.TextureColor);
    else
        ResolvePicture(resolved, texture, programFolder);
    resolved.BandTransparency = std::clamp(skin.TextureTransparency, 0, kMaxTransparency);
    return resolved;
}

void ResolvedTexture::ApplyTo(TextureBand& band) const
{
    if (BandImage)
        band.Brush.Image = *BandImage;
    if (BandStyle)
        band.Brush.Style = *BandStyle;
    if (BandColor)
        band.Brush.Color = *BandColor;
    band.Transparency = BandTransparency;
}
