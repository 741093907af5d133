#pragma once

#include "platform/raster/Color.h"

#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Where the readout's glyphs are drawn. Qt blends the edges of glyphs a
// little differently on 24-bit and on 32-bit images (by one step of a channel
// here and there). The readout has always been drawn as on a 24-bit image, so
// its glyphs are drawn on a 24-bit copy of the pixels they may touch, which
// then goes back in place. The canvas keeps its 24-bit image, and with it
// Qt's painting state, from one readout to the next, and the last
// measurement of the letter that sizes the readout's box.
class GlyphCanvas {
public:
    // Draws the glyph runs, their positions taken from origin, in colour;
    // only the pixels of area (clipped to the image) are read and written.
    void Draw(QImage& image, const QRect& area, QPointF origin, const QList<QGlyphRun>& runs, TColor colour);

    // The size of the readout's room letter in a font at a resolution.
    struct MeasuredLetter {
        QString fontName;
        int fontSize;
        int dotsPerInch;
        QSize size;
    };
    std::optional<MeasuredLetter> lastLetter;

private:
    QImage m_canvas;
};
