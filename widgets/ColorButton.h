#pragma once

#include "platform/raster/Color.h"

#include <QImage>
#include <QPushButton>

// A designer button that holds a colour and shows it as a swatch beside its
// caption. The colour lives in Tag; PaintColorButton draws the swatch.
class ColorButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr QSize kGlyphSize { 28, 15 };

    explicit ColorButton(QWidget* parent = nullptr);

    TColor Tag = kBlack;

    // The swatch as last drawn; pixels of its lower-left pixel's colour are
    // shown transparent.
    const QImage& Glyph() const { return m_glyph; }

private:
    friend void PaintColorButton(ColorButton& button);

    QImage m_glyph;
    // The glyph's drawing pen, kept from one drawing to the next.
    TColor m_glyphPen = kBlack;
};

// Draws the button's swatch: a 28 x 15 glyph whose columns 1..27 are a
// rectangle filled with Tag and framed in the glyph's current pen, and whose
// column 0 is drawn in the button-face colour, which is also the glyph's
// transparent colour. The pen then stays button-face: the frame is black the
// first time a button's swatch is drawn and button-face (so transparent) on
// every later drawing.
void PaintColorButton(ColorButton& button);
