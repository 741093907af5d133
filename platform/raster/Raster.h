#pragma once

#include "platform/raster/Color.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Off-screen drawing with exact, deterministic pixel rules. Images are
// QImage::Format_RGB32 (one 32-bit word $FFRRGGBB per pixel, the format that
// windows are presented from without a conversion); the functions that draw
// take only such images. Nothing is anti-aliased. Every function clips
// to the image, so any coordinates are safe. A QRect names the pixels it
// covers: columns left() to right(), rows top() to bottom(), both inclusive.

inline constexpr QImage::Format kRasterFormat = QImage::Format_RGB32;

// A new image of the given size filled with colour.
QImage NewRasterImage(QSize size, TColor colour);
// A new image whose pixels are left as they come, for a caller that writes
// every one of them.
QImage NewRasterImage(QSize size);

// The colour of a pixel of an image of any format; a pixel outside the
// image throws std::out_of_range.
TColor PixelAt(const QImage& image, int x, int y);

// Writes one pixel; a pixel outside the image is ignored.
void SetPixel(QImage& image, int x, int y, TColor colour);

// A line that includes `from` and excludes `to`; a line from a point to
// itself draws nothing. A pen of width 1 (or less) sets one pixel per step
// along the longer axis; on the shorter axis the exact position is rounded to
// the nearest pixel, halves away from `from`. A wider pen covers every pixel
// whose centre lies closer than penWidth / 2 to the segment, which gives round
// ends. Odd widths are centred on the pixel centres of the end points, even
// widths on their top-left corners, so the line is always penWidth pixels
// thick.
void DrawLine(QImage& image, QPoint from, QPoint to, TColor colour, int penWidth = 1);

void FillRect(QImage& image, const QRect& rect, TColor colour);

// An ellipse inscribed in box: a pixel belongs to it when its centre lies
// inside or on the ellipse that touches the box's outer edges. The outline is
// each pixel of the ellipse with a left, right, upper or lower neighbour
// outside it; the inside is filled only when a fill colour is given.
void DrawEllipse(QImage& image, const QRect& box, TColor outline, std::optional<TColor> fill);

// A rectangle whose corners are quarters of an ellipse of size corner (cut to
// the box), with the same outline and fill rules as DrawEllipse. A corner of
// the box's size is the ellipse; an empty corner is a plain rectangle.
void DrawRoundRect(QImage& image, const QRect& box, QSize corner, TColor outline, std::optional<TColor> fill);

// The platform's brush styles, in the platform's order.
enum class BrushStyle {
    Solid,
    Clear,
    Horizontal,
    Vertical,
    FDiagonal, // falling from left to right
    BDiagonal, // rising from left to right
    Cross,
    DiagCross,
};

// Fills rect with one-pixel lines every 8 pixels in both directions, aligned
// to the image's top-left corner: line colour on an opaque gap colour. Lines
// lie on row y and column x where y mod 8 = 0, x mod 8 = 0, (x - y) mod 8 = 0
// (falling) and (x + y) mod 8 = 0 (rising). Solid fills with the line colour;
// Clear draws nothing.
//
// The fills here take an alpha (see BlendAlpha): above 0 the fill is blended
// over what the rectangle held, each pixel becoming BlendColor(pixel held,
// pixel of the fill, alpha), in one pass.
void FillHatched(QImage& image, const QRect& rect, BrushStyle style, TColor line, TColor gap, int alpha = 0);

// Fills rect with tile repeated from the image's top-left corner, unscaled.
// A two-colour tile (one bit per pixel) takes zeroColour for its pixels of
// index 0 and oneColour for those of index 1; any other tile keeps its own
// colours, laid over oneColour where it is translucent.
void FillTiled(QImage& image, const QRect& rect, const QImage& tile, TColor zeroColour, TColor oneColour, int alpha = 0);

// Copies picture, of any format, unscaled with its top-left corner at topLeft.
// A picture with an alpha channel shows its colours as they are, without the
// alpha.
void DrawPicture(QImage& image, QPoint topLeft, const QImage& picture);

// Constant-alpha blending of a layer with a transparency T of 0..100 percent:
// a = 255 - round((100 - T) * 2.55), rounded half to even (T 50 -> 127,
// T 80 -> 204). Values outside 0..100 count as the nearest limit.
int BlendAlpha(int transparency);

// before * a / 255 + after * (255 - a) / 255 per channel, rounded to nearest.
TColor BlendColor(TColor before, TColor after, int alpha);
