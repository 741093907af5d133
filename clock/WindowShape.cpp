#include "clock/WindowShape.h"

#include "platform/raster/Raster.h"
#include "platform/raster/Rounding.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kMinimumSide = 50;
constexpr int kMaximumSide = 1000;
constexpr QSize kRoundedCorner(50, 50);
constexpr int kMaxTransparency = 50;
constexpr TColor kHidden = 0x000000;
constexpr TColor kVisible = 0xFFFFFF;

} // namespace

ClockShape ShapeOf(const Skin& skin)
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
    // One bit per pixel, most significant bit first; drawn pixels are white,
    // so the top bit of a pixel's red channel is its bit.
    QImage outline(size, QImage::Format_Mono);
    outline.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    outline.fill(0);
    const int width = size.width();
    for (int y = 0; y < size.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        uchar* bits = outline.scanLine(y);
        for (int first = 0; first < width; first += 8) {
            uchar byte = 0;
            for (int bit = 0; bit < 8 && first + bit < width; ++bit)
                byte |= uchar(((source[first + bit] >> 16) & 0x80) >> bit);
            bits[first >> 3] = byte;
        }
    }
    return outline;
}

QRegion RegionOf(const QImage& outline)
{
    // The runs of each row, y-x sorted as QRegion keeps them; a row whose runs
    // are those of the row above lengthens that row's rectangles. Handed over
    // in one piece: a union per run costs far more.
    std::vector<QRect> rects;
    std::vector<QRect> row;
    std::size_t bandStart = 0;
    const int width = outline.width();
    const int height = outline.height();
    for (int y = 0; y < height; ++y) {
        const uchar* bits = outline.constScanLine(y);
        row.clear();
        int runStart = -1;
        for (int x = 0; x < width;) {
            // Whole bytes that continue what they follow are passed over.
            const uchar byte = bits[x >> 3];
            if ((x & 7) == 0 && x + 8 <= width && byte == (runStart < 0 ? 0x00 : 0xFF)) {
                x += 8;
                continue;
            }
            const bool inside = (byte & (0x80 >> (x & 7))) != 0;
            if (inside && runStart < 0) {
                runStart = x;
            } else if (!inside && runStart >= 0) {
                row.emplace_back(runStart, y, x - runStart, 1);
                runStart = -1;
            }
            ++x;
        }
        if (runStart >= 0)
            row.emplace_back(runStart, y, width - runStart, 1);
        const auto sameRuns = [&] {
            if (rects.size() - bandStart != row.size() || row.empty() || rects[bandStart].bottom() != y - 1)
                return false;
            for (std::size_t i = 0; i < row.size(); ++i)
                if (rects[bandStart + i].left() != row[i].left() || rects[bandStart + i].right() != row[i].right())
                    return false;
            return true;
        };
        if (sameRuns()) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
        } else if (!row.empty()) {
            bandStart = rects.size();
            rects.insert(rects.end(), row.begin(), row.end());
        }
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

int WindowAlpha(int transparency)
{
    return int(RoundHalfEven(255 - 2.55 * std::clamp(transparency, 0, kMaxTransparency)));
}
