#include "skins/TextureChoice.h"

#include "platform/files/FileNames.h"
#include "platform/raster/Raster.h"
#include "skins/PatternTiles.h"
#include "skins/SkinFile.h"
#include "skins/Texture.h"

#include <array>

namespace {

const std::array<const char*, kTextureStyleRows> kCaptions = {
    "Solid",
    "None",
    "Horizontal",
    "Vertical",
    "Diagonal",
    "Back Diagonal",
    "Cross",
    "Diagonal Cross",
    "Fill 80%",
    "Fill 60%",
    "Fill 40%",
    "Fill 20%",
    "Fill 10%",
    "Zig zag",
    "Vertical small",
    "Horiz. small",
    "Diag. small",
    "Back Diag. small",
    "Cross small",
    "Diag. Cross small",
};

bool IsStyleRow(int row)
{
    return row >= 0 && row < kTextureStyleRows;
}

bool FitsTexture(const QString& text)
{
    return decltype(Skin::Texture)::fits(text);
}

} // namespace

QString TextureStyleCaption(int row)
{
    return IsStyleRow(row) ? QString::fromLatin1(kCaptions[size_t(row)]) : QString();
}

int TextureStyleRow(int style)
{
    return IsStyleRow(style) ? style : kNoTextureStyle;
}

int BrushStyleRow(const BandBrush& brush)
{
    return int(brush.Style);
}

void ChooseTextureStyle(BandBrush& brush, TextureState& state, int row)
{
    row = TextureStyleRow(row);
    brush.Image = QImage();
    state = { row, QString() };
    if (row < kFirstTileStyle)
        brush.Style = static_cast<BrushStyle>(row);
    else
        LoadPatternTile(row - kFirstTileStyle, brush.Image);
}

std::optional<QString> PictureTextureText(const QString& path, const QString& programFolder)
{
    if (FitsTexture(path))
        return path;
    const QString name = ExtractFileName(path);
    if (ExtractFilePath(path) == TexturesFolder(programFolder) && FitsTexture(name))
        return name;
    return std::nullopt;
}

QString ChosenTextureText(const TextureState& state, const QString& programFolder)
{
    if (state.file.isEmpty())
        return QString::number(state.style);
    return PictureTextureText(state.file, programFolder).value_or(state.file);
}

QImage TextureStyleSwatch(int row, QSize size)
{
    if (!IsStyleRow(row) || row == kNoTextureStyle)
        return QImage();
    QImage swatch = NewRasterImage(size, kWhite);
    const QRect all(QPoint(0, 0), size);
    if (row >= kFirstTileStyle) {
        QImage tile;
        LoadPatternTile(row - kFirstTileStyle, tile);
        FillTiled(swatch, all, tile, kBlack, kWhite);
        return swatch.convertToFormat(QImage::Format_ARGB32);
    }
    FillHatched(swatch, all, static_cast<BrushStyle>(row), kBlack, kWhite);
    QImage hatch = swatch.convertToFormat(QImage::Format_ARGB32);
    // The gaps show the row beneath.
    for (int y = 0; y < hatch.height(); ++y)
        for (int x = 0; x < hatch.width(); ++x)
            if (PixelAt(swatch, x, y) == kWhite)
                hatch.setPixel(x, y, qRgba(0, 0, 0, 0));
    return hatch;
}
