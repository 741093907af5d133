#include "skins/Texture.h"

#include "overlay/TextureBand.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/IntegerText.h"
#include "platform/PictureLoader.h"
#include "platform/ProgramFolder.h"
#include "skins/PatternTiles.h"
#include "skins/Skin.h"

#include <QFileInfo>

#include <algorithm>
#include <exception>

int TextureStyle = 0;
QString TextureFile;

namespace {

constexpr int kMaxTransparency = 100;

// The picture a texture text names: the text itself when a file is there,
// else the file of that name in the Textures folder; empty when neither is.
QString ExistingTexturePath(const QString& texture)
{
    if (QFileInfo(texture).isFile())
        return QFileInfo(texture).absoluteFilePath();
    const QString inTextures = ProgramFolder() + QStringLiteral("Textures/") + ExtractFileName(texture);
    return QFileInfo(inTextures).isFile() ? inTextures : QString();
}

void ApplyPicture(TTextureBand& band, const QString& texture)
{
    TextureStyle = 0;
    const QString path = ExistingTexturePath(texture);
    if (path.isEmpty()) {
        ShowMessage(QStringLiteral("Texture file not found."));
        return;
    }
    try {
        band.Brush.Image = LoadPicture(path);
    } catch (const std::exception& error) {
        ShowError(QString::fromStdString(error.what()));
        return;
    }
    TextureFile = path;
    // The full path goes back into the skin only when the record can hold
    // it; a cut or re-encoded path would name no file at the next refresh,
    // while the text as it was finds this one again.
    decltype(Skin.Texture) stored;
    stored.setText(path);
    if (stored.text() == path)
        Skin.Texture = stored;
}

void ApplyStyle(TTextureBand& band, int style)
{
    if (style < 0 || style > kLastTextureStyle)
        style = kNoTextureStyle;
    TextureStyle = style;
    band.Brush.Image = QImage();
    if (style < kFirstTileStyle)
        band.Brush.Style = static_cast<BrushStyle>(style);
    else
        LoadPatternTile(style - kFirstTileStyle, band.Brush.Image);
    if (style != kNoTextureStyle)
        band.Brush.Color = Skin.TextureColor;
}

} // namespace

void ApplyTexture(TTextureBand& ColorBand)
{
    TextureFile.clear();
    const QString texture = Skin.Texture.text();
    if (const std::optional<std::int32_t> style = ParseInteger(texture))
        ApplyStyle(ColorBand, *style);
    else
        ApplyPicture(ColorBand, texture);
    ColorBand.Transparency = std::clamp(Skin.TextureTransparency, 0, kMaxTransparency);
}
