#include "widgets/ColorButton.h"

#include "platform/raster/Raster.h"

#include <QIcon>
#include <QPixmap>

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent)
{
    setIconSize(kGlyphSize);
}

void PaintColorButton(ColorButton& button)
{
    const TColor buttonFace = FromQColor(button.palette().color(QPalette::Button));
    QImage glyph = NewRasterImage(ColorButton::kGlyphSize, buttonFace);
    const QRect swatch(QPoint(1, 0), QPoint(ColorButton::kGlyphSize.width() - 1, ColorButton::kGlyphSize.height() - 1));
    DrawRoundRect(glyph, swatch, QSize(), button.m_glyphPen, button.Tag);
    button.m_glyphPen = buttonFace;
    DrawLine(glyph, QPoint(0, 0), QPoint(0, ColorButton::kGlyphSize.height()), button.m_glyphPen);
    button.m_glyph = glyph;

    // Shown with the lower-left pixel's colour see-through.
    const QRgb transparent = glyph.pixel(0, glyph.height() - 1);
    QImage shown = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x)
            if ((line[x] | 0xFF000000) == (transparent | 0xFF000000))
                line[x] = 0;
    }
    button.setIcon(QIcon(QPixmap::fromImage(shown)));
}
