#pragma once

#include "platform/raster/Color.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class GlyphCanvas;
class SurfaceAxes;

// The digital readout (srsDigit): one line of text in an opaque box tied to
// one anchor point. Text is measured and drawn by Qt's font engine at the
// image's resolution; an application object must exist.
struct ReadoutLabel {
    // Font sizes above this many points are drawn at it: no surface needs
    // more, and a damaged skin must not make each tick render giant glyphs.
    static constexpr int kLargestFontSize = 1000;
    static constexpr int kCornerSize = 16; // at an image's device pixel ratio of 1

    bool Active = true;
    double X = 0; // axis units
    double Y = 0;
    QString Text;
    QString FontName;
    int FontSize = 0; // points; 0 or less selects Qt's default size
    TColor FontColor = kBlack;
    TColor FrameColor = kBlack;
    TColor FillColor = kWhite;
    bool RoundCorners = true;
    int Offset = -3; // pixels the box rises above its anchor; negative lowers it

    bool operator==(const ReadoutLabel&) const = default;

    // The label's box, and the top left corner of its text.
    struct Layout {
        QRect box;
        QPoint textTopLeft;
    };

    QFont Font() const;
    // The box is TW(Text) + TW("W") + 2 wide and TH + 2 high (TH the height
    // of "W"; textWidth is TW(Text), roomLetter TW("W") x TH), centred on the anchor column
    // (left = ax - w / 2), its top at ay - h + 1 - Offset; the text is
    // centred on column (left + 2 + left + w) / 2 with its top one row below
    // the box's top.
    Layout Arrange(const SurfaceAxes& axes, int textWidth, QSize roomLetter) const;

    // Draws the label when Active and returns the pixels it may have changed
    // (empty when none); nothing outside that rectangle is touched. The
    // text's glyphs go through the canvas (see GlyphCanvas).
    QRect Draw(QImage& image, const SurfaceAxes& axes, GlyphCanvas& canvas) const;
    // The same with a canvas of its own.
    QRect Draw(QImage& image, const SurfaceAxes& axes) const;
};
