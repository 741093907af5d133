#include "app/WindowShape.h"

#include "platform/Raster.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace {

constexpr int kMinimumSide = 50;
constexpr int kMaximumSide = 1000;
constexpr QSize kRoundedCorner(50, 50);
constexpr int kMaxTransparency = 50;
constexpr TColor kHidden = 0x000000;
constexpr TColor kVisible = 0xFFFFFF;

} // namespace

ClockShape ShapeOf(const TSkin& skin)
{
    if (!skin.Square)
        return ClockShape::Circular;
    return skin.Rounded ? ClockShape::Rounded : ClockShape::Square;
}

int WindowSide(std::int32_t clockSize)
{
    return std::clamp<int>(clockSize, kMinimumSide, kMaximumSide);
}

QImage WindowOutline(QSize size, ClockShape shape)
{
    QImage drawn = NewRasterImage(size, kHidden);
    const QRect inset(1, 1, size.width() - 2, size.height() - 2);
    switch (shape) {
    case ClockShape::Circular:
        DrawEllipse(drawn, QRect(QPoint(0, 0), size), kVisible, kVisible);
        break;
    case ClockShape::Rounded:
        DrawRoundRect(drawn, inset, kRoundedCorner, kVisible, kVisible);
        break;
    case ClockShape::Square:
        FillRect(drawn, inset, kVisible);
        break;
    }
    // One bit per pixel, most significant bit first; drawn pixels are white.
    QImage outline(size, QImage::Format_Mono);
    outline.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    outline.fill(0);
    for (int y = 0; y < size.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        uchar* bits = outline.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            if (source[x] != ToQRgb(kHidden))
                bits[x >> 3] |= uchar(0x80 >> (x & 7));
    }
    return outline;
}

int WindowAlpha(int transparency)
{
    return int(RoundHalfEven(255 - 2.55 * std::clamp(transparency, 0, kMaxTransparency)));
}
