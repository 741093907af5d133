#include "skins/PatternTiles.h"

#include "platform/pictures/PictureLoader.h"

#include <QFile>

#include <stdexcept>
#include <string>

void LoadPatternTile(int index, QImage& bitmap)
{
    if (index < 0 || index >= kPatternTileCount)
        throw std::out_of_range("There is no pattern tile " + std::to_string(index) + "; tiles are numbered 0 to 11");
    QFile resource(QStringLiteral(":/TeeBrush%1").arg(index + 1));
    resource.open(QIODevice::ReadOnly);
    QImage tile = DecodePicture(resource.readAll(), "bmp");
    // White is the transparent colour; the ink stays opaque black.
    tile.setColorTable({ qRgba(0, 0, 0, 255), qRgba(255, 255, 255, 0) });
    bitmap = tile;
}
