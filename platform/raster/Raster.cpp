#include "platform/raster/Raster.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr int kHatchCell = 8;

// (before * alpha + after * (255 - alpha) + 127) / 255, rounded down. The sum
// stays below 2^16 (at most 255 * 255 + 127), and for such sums the shifts
// give that quotient exactly while keeping to 16 bits, so the compiler can
// blend many bytes at once.
int BlendChannel(int before, int after, int alpha)
{
    const unsigned sum = unsigned(before * alpha + after * (255 - alpha) + 127);
    return int((sum + 1 + (sum >> 8)) >> 8);
}

// Writes into a 32-bit image with every access clipped to it. A null image is
// an empty canvas.
class PixelWriter {
public:
    explicit PixelWriter(QImage& image) : m_width(image.width()), m_height(image.height())
    {
        if (image.isNull())
            return;
        if (image.format() != kRasterFormat)
            throw std::invalid_argument("Raster drawing needs a 32-bit RGB image");
        m_bits = reinterpret_cast<QRgb*>(image.bits());
        m_stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(qint64 x, qint64 y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    QRgb* at(qint64 x, qint64 y) const { return m_bits + y * m_stride + x; }

    void set(qint64 x, qint64 y, TColor colour) const
    {
        if (contains(x, y))
            *at(x, y) = ToQRgb(colour);
    }

    // Columns first to last inclusive.
    void fillRow(qint64 y, qint64 first, qint64 last, TColor colour) const
    {
        if (y < 0 || y >= m_height)
            return;
        first = std::max<qint64>(first, 0);
        last = std::min<qint64>(last, m_width - 1);
        if (first <= last)
            std::fill(at(first, y), at(last, y) + 1, ToQRgb(colour));
    }

    // The part of rect that lies on the image.
    QRect clip(const QRect& rect) const { return rect.intersected(QRect(0, 0, m_width, m_height)); }

private:
    QRgb* m_bits = nullptr;
    qsizetype m_stride = 0;
    int m_width;
    int m_height;
};

// One pixel per step along the longer axis; the shorter axis is rounded to
// the nearest pixel, halves away from the start. Only the steps whose
// longer-axis coordinate lies on the image are visited.
void DrawThinLine(const PixelWriter& writer, QPoint from, QPoint to, TColor colour)
{
    const qint64 dx = qint64(to.x()) - from.x();
    const qint64 dy = qint64(to.y()) - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const qint64 steps = xMajor ? std::abs(dx) : std::abs(dy);
    if (steps == 0)
        return;
    const qint64 majorStart = xMajor ? from.x() : from.y();
    const qint64 minorStart = xMajor ? from.y() : from.x();
    const qint64 majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const qint64 minorDelta = xMajor ? dy : dx;
    const qint64 minorSign = minorDelta < 0 ? -1 : 1;
    const qint64 minorLength = std::abs(minorDelta);
    const qint64 extent = xMajor ? writer.width() : writer.height();

    qint64 first = 0;
    qint64 last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, extent - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (extent - 1));
        last = std::min(last, majorStart);
    }
    for (qint64 i = first; i <= last; ++i) {
        const qint64 major = majorStart + majorSign * i;
        // i * minorLength / steps rounded, halves up; both factors are below
        // 2^32, so their product fits in 64 unsigned bits.
        const std::uint64_t travelled = std::uint64_t(i) * std::uint64_t(minorLength);
        const std::uint64_t remainder = travelled % std::uint64_t(steps);
        const qint64 offset = qint64(travelled / std::uint64_t(steps)) + (2 * remainder >= std::uint64_t(steps) ? 1 : 0);
        const qint64 minor = minorStart + minorSign * offset;
        if (xMajor)
            writer.set(major, minor, colour);
        else
            writer.set(minor, major, colour);
    }
}

// Every pixel whose centre lies closer than penWidth / 2 to the segment. The
// test runs in doubled coordinates (a pixel's centre is 2x + 1), where it is
// exact in extended precision for any image that fits in memory. The covered
// pixels of a row form one run (the pen's shape is convex): each row starts
// at the pixel nearest the segment and grows the run both ways, so the cost
// follows the pixels drawn, not the line's bounding box.
void DrawWideLine(const PixelWriter& writer, QPoint from, QPoint to, TColor colour, int penWidth)
{
    if (from == to)
        return;
    const long double offset = penWidth % 2;
    const long double startX = 2.0L * from.x() + offset;
    const long double startY = 2.0L * from.y() + offset;
    const long double alongX = 2.0L * (qint64(to.x()) - from.x());
    const long double alongY = 2.0L * (qint64(to.y()) - from.y());
    const long double length2 = alongX * alongX + alongY * alongY;
    const long double reach2 = (long double)penWidth * penWidth;

    const auto covered = [&](qint64 x, qint64 y) {
        const long double relativeX = 2.0L * x + 1 - startX;
        const long double relativeY = 2.0L * y + 1 - startY;
        const long double projection = relativeX * alongX + relativeY * alongY;
        if (projection <= 0)
            return relativeX * relativeX + relativeY * relativeY < reach2;
        if (projection >= length2) {
            const long double endX = relativeX - alongX;
            const long double endY = relativeY - alongY;
            return endX * endX + endY * endY < reach2;
        }
        const long double cross = relativeX * alongY - relativeY * alongX;
        return cross * cross < reach2 * length2;
    };

    const qint64 margin = penWidth / 2 + 1;
    const qint64 left = std::max<qint64>(std::min(from.x(), to.x()) - margin, 0);
    const qint64 right = std::min<qint64>(std::max(from.x(), to.x()) + margin, writer.width() - 1);
    const qint64 top = std::max<qint64>(std::min(from.y(), to.y()) - margin, 0);
    const qint64 bottom = std::min<qint64>(std::max(from.y(), to.y()) + margin, writer.height() - 1);
    for (qint64 y = top; y <= bottom; ++y) {
        // The column of the segment's point nearest this row's centre line;
        // a covered pixel of the row, if any, lies within the margin of it.
        const long double t = alongY == 0 ? 0 : std::clamp((2.0L * y + 1 - startY) / alongY, 0.0L, 1.0L);
        const qint64 nearest = qint64(std::floor((startX + t * alongX - 1) / 2 + 0.5L));
        qint64 seed = -1;
        for (qint64 distance = 0; distance <= margin + 1 && seed < 0; ++distance)
            for (const qint64 x : { nearest - distance, nearest + distance })
                if (seed < 0 && x >= left && x <= right && covered(x, y))
                    seed = x;
        if (seed < 0)
            continue;
        qint64 runLeft = seed;
        while (runLeft > left && covered(runLeft - 1, y))
            --runLeft;
        qint64 runRight = seed;
        while (runRight < right && covered(runRight + 1, y))
            ++runRight;
        writer.fillRow(y, runLeft, runRight, colour);
    }
}

// A box with corners cut by quarter ellipses, in doubled coordinates: the
// centre of pixel (x, y) is (2x + 1, 2y + 1), the box's edges lie at twice
// their pixel coordinates and a corner ellipse of w x h pixels has the
// half-axes w and h.
class RoundedBox {
public:
    RoundedBox(const QRect& box, QSize corner)
        : m_left(box.left())
        , m_top(box.top())
        , m_width(box.width())
        , m_height(box.height())
        , m_cornerWidth(std::clamp<qint64>(corner.width(), 0, box.width()))
        , m_cornerHeight(std::clamp<qint64>(corner.height(), 0, box.height()))
    {
    }

    bool contains(qint64 x, qint64 y) const
    {
        if (x < m_left || y < m_top || x >= m_left + m_width || y >= m_top + m_height)
            return false;
        const qint64 centreX = 2 * x + 1;
        const qint64 centreY = 2 * y + 1;
        const std::optional<qint64> ellipseX = CornerCentre(centreX, m_left, m_width, m_cornerWidth);
        const std::optional<qint64> ellipseY = CornerCentre(centreY, m_top, m_height, m_cornerHeight);
        if (!ellipseX || !ellipseY)
            return true;
        const long double dx = centreX - *ellipseX;
        const long double dy = centreY - *ellipseY;
        const long double a2 = (long double)m_cornerWidth * m_cornerWidth;
        const long double b2 = (long double)m_cornerHeight * m_cornerHeight;
        return dx * dx * b2 + dy * dy * a2 <= a2 * b2;
    }

    // The pixels of row y inside the box, first to last; first > last when
    // none. Each row is one run, symmetric about the box's centre, and a
    // pixel's membership only grows toward the centre.
    std::pair<qint64, qint64> span(qint64 y) const
    {
        constexpr std::pair<qint64, qint64> kEmpty { 1, 0 };
        const qint64 middle = m_left + (m_width - 1) / 2;
        if (!contains(middle, y))
            return kEmpty;
        qint64 outside = m_left - 1;
        qint64 inside = middle;
        while (inside - outside > 1) {
            const qint64 probe = outside + (inside - outside) / 2;
            (contains(probe, y) ? inside : outside) = probe;
        }
        return { inside, 2 * m_left + m_width - 1 - inside };
    }

    qint64 top() const { return m_top; }
    qint64 bottom() const { return m_top + m_height - 1; }

private:
    // On one axis: the centre of the corner ellipse whose quarter holds the
    // doubled coordinate, or none where the side runs straight.
    static std::optional<qint64> CornerCentre(qint64 coordinate, qint64 start, qint64 length, qint64 corner)
    {
        if (coordinate < 2 * start + corner)
            return 2 * start + corner;
        if (coordinate > 2 * (start + length) - corner)
            return 2 * (start + length) - corner;
        return std::nullopt;
    }

    qint64 m_left;
    qint64 m_top;
    qint64 m_width;
    qint64 m_height;
    qint64 m_cornerWidth;
    qint64 m_cornerHeight;
};

// Draws a shape row by row from its runs: a pixel of the shape is outline
// when a left, right, upper or lower neighbour lies outside the shape.
void DrawRoundedBox(const PixelWriter& writer, const RoundedBox& shape, TColor outline, std::optional<TColor> fill)
{
    using Run = std::pair<qint64, qint64>;
    const auto drawRow = [&](qint64 y, Run run, Run above, Run below) {
        const auto [first, last] = run;
        if (first > last)
            return;
        const qint64 innerFirst = std::max({ first + 1, above.first, below.first });
        const qint64 innerLast = std::min({ last - 1, above.second, below.second });
        if (innerFirst > innerLast) {
            writer.fillRow(y, first, last, outline);
            return;
        }
        writer.fillRow(y, first, innerFirst - 1, outline);
        writer.fillRow(y, innerLast + 1, last, outline);
        if (fill)
            writer.fillRow(y, innerFirst, innerLast, *fill);
    };
    const qint64 top = std::max<qint64>(shape.top(), 0);
    const qint64 bottom = std::min<qint64>(shape.bottom(), writer.height() - 1);
    if (top > bottom)
        return;
    // Each row's run is worked out once, for itself and its neighbours.
    Run above = shape.span(top - 1);
    Run run = shape.span(top);
    for (qint64 y = top; y <= bottom; ++y) {
        const Run below = shape.span(y + 1);
        drawRow(y, run, above, below);
        above = std::exchange(run, below);
    }
}

// Blends a row of fill pixels over a row of the image byte by byte: each
// channel becomes (old * alpha + fill * (255 - alpha) + 127) / 255. The spare
// byte of each pixel is 0xFF on both sides and stays so. The sums fit 16 bits,
// and the division is done in them, so the loop runs on vectors.
void BlendRow(uchar* __restrict row, const uchar* __restrict fill, std::size_t bytes, int alpha)
{
    const auto keep = std::uint16_t(alpha);
    const auto take = std::uint16_t(255 - alpha);
    const auto blend = [=](uchar held, uchar filled) {
        const auto sum = std::uint16_t(held * keep + filled * take + 127);
        // sum / 255, exact for sums up to 65152
        return uchar(std::uint16_t(sum + 1 + (sum >> 8)) >> 8);
    };
    // Blocks of a fixed length, which the compiler turns into vector code.
    constexpr std::size_t kBlock = 32;
    std::size_t i = 0;
    for (; i + kBlock <= bytes; i += kBlock)
        for (std::size_t j = i; j < i + kBlock; ++j)
            row[j] = blend(row[j], fill[j]);
    for (; i < bytes; ++i)
        row[i] = blend(row[i], fill[i]);
}

// Fills rect with a tile of the raster format repeated from the image's
// top-left corner, blended with alpha over what the rectangle held (0: the
// tile alone). Each row of the tile is laid out once across the rectangle's
// width, and every image row is one copy or blend of such a run.
void FillWithTile(QImage& image, const QRect& rect, const QImage& tile, int alpha)
{
    const PixelWriter writer(image);
    const QRect area = writer.clip(rect);
    if (area.isEmpty() || tile.isNull())
        return;
    const int tileWidth = tile.width();
    const int tileHeight = tile.height();
    const int runs = std::min(tileHeight, area.height());
    std::vector<QRgb> rows(std::size_t(runs) * std::size_t(area.width()));
    for (int i = 0; i < runs; ++i) {
        const int y = area.top() + i;
        const auto* source = reinterpret_cast<const QRgb*>(tile.constScanLine(y % tileHeight));
        QRgb* run = rows.data() + std::size_t(i) * std::size_t(area.width());
        for (int x = 0; x < area.width(); ++x)
            run[x] = source[(area.left() + x) % tileWidth];
    }
    // Row y of the rectangle shows the same tile row as the row tileHeight
    // above it.
    const std::size_t rowBytes = std::size_t(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* run = rows.data() + std::size_t((y - area.top()) % tileHeight) * std::size_t(area.width());
        if (alpha == 0)
            std::memcpy(writer.at(area.left(), y), run, rowBytes);
        else
            BlendRow(reinterpret_cast<uchar*>(writer.at(area.left(), y)), reinterpret_cast<const uchar*>(run), rowBytes, alpha);
    }
}

bool OnHatchLine(BrushStyle style, int x, int y)
{
    const bool horizontal = y % kHatchCell == 0;
    const bool vertical = x % kHatchCell == 0;
    const bool falling = (x - y + kHatchCell) % kHatchCell == 0;
    const bool rising = (x + y) % kHatchCell == 0;
    switch (style) {
    case BrushStyle::Solid: return true;
    case BrushStyle::Clear: return false;
    case BrushStyle::Horizontal: return horizontal;
    case BrushStyle::Vertical: return vertical;
    case BrushStyle::FDiagonal: return falling;
    case BrushStyle::BDiagonal: return rising;
    case BrushStyle::Cross: return horizontal || vertical;
    case BrushStyle::DiagCross: return falling || rising;
    }
    return false;
}

QImage TwoColourTile(const QImage& tile, TColor zeroColour, TColor oneColour)
{
    QImage coloured(tile.size(), kRasterFormat);
    const PixelWriter writer(coloured);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            writer.set(x, y, tile.pixelIndex(x, y) == 0 ? zeroColour : oneColour);
    return coloured;
}

// The picture in the raster format: its colours without their alpha.
QImage RasterCopy(const QImage& picture)
{
    if (picture.format() == kRasterFormat)
        return picture;
    // Colours are kept unpremultiplied, and only then lose their alpha.
    if (picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_ARGB32).convertToFormat(kRasterFormat);
    return picture.convertToFormat(kRasterFormat);
}

QImage FlattenedTile(const QImage& tile, TColor background)
{
    if (!tile.hasAlphaChannel())
        return tile.convertToFormat(kRasterFormat);
    QImage flat = NewRasterImage(tile.size(), background);
    QPainter painter(&flat);
    painter.drawImage(0, 0, tile);
    return flat;
}

} // namespace

QImage NewRasterImage(QSize size)
{
    QImage image(size, kRasterFormat);
    if (image.isNull() && !size.isEmpty())
        throw std::bad_alloc();
    return image;
}

QImage NewRasterImage(QSize size, TColor colour)
{
    QImage image = NewRasterImage(size);
    FillRect(image, image.rect(), colour);
    return image;
}

TColor PixelAt(const QImage& image, int x, int y)
{
    if (!image.rect().contains(x, y))
        throw std::out_of_range("Pixel outside the image");
    return FromQRgb(image.pixel(x, y));
}

void SetPixel(QImage& image, int x, int y, TColor colour)
{
    PixelWriter(image).set(x, y, colour);
}

void DrawLine(QImage& image, QPoint from, QPoint to, TColor colour, int penWidth)
{
    const PixelWriter writer(image);
    if (penWidth <= 1)
        DrawThinLine(writer, from, to, colour);
    else
        DrawWideLine(writer, from, to, colour, penWidth);
}

void FillRect(QImage& image, const QRect& rect, TColor colour)
{
    const PixelWriter writer(image);
    const QRect area = writer.clip(rect);
    if (area.isEmpty())
        return;
    writer.fillRow(area.top(), area.left(), area.right(), colour);
    const std::size_t rowBytes = std::size_t(area.width()) * sizeof(QRgb);
    for (int y = area.top() + 1; y <= area.bottom(); ++y)
        std::memcpy(writer.at(area.left(), y), writer.at(area.left(), area.top()), rowBytes);
}

void DrawEllipse(QImage& image, const QRect& box, TColor outline, std::optional<TColor> fill)
{
    DrawRoundRect(image, box, box.size(), outline, fill);
}

void DrawRoundRect(QImage& image, const QRect& box, QSize corner, TColor outline, std::optional<TColor> fill)
{
    if (box.isEmpty())
        return;
    DrawRoundedBox(PixelWriter(image), RoundedBox(box, corner), outline, fill);
}

void FillHatched(QImage& image, const QRect& rect, BrushStyle style, TColor line, TColor gap, int alpha)
{
    if (style == BrushStyle::Clear)
        return;
    QImage tile(kHatchCell, kHatchCell, kRasterFormat);
    const PixelWriter writer(tile);
    for (int y = 0; y < kHatchCell; ++y)
        for (int x = 0; x < kHatchCell; ++x)
            writer.set(x, y, OnHatchLine(style, x, y) ? line : gap);
    FillWithTile(image, rect, tile, alpha);
}

void FillTiled(QImage& image, const QRect& rect, const QImage& tile, TColor zeroColour, TColor oneColour, int alpha)
{
    if (tile.isNull())
        return;
    if (tile.depth() == 1)
        FillWithTile(image, rect, TwoColourTile(tile, zeroColour, oneColour), alpha);
    else
        FillWithTile(image, rect, FlattenedTile(tile, oneColour), alpha);
}

void DrawPicture(QImage& image, QPoint topLeft, const QImage& picture)
{
    const PixelWriter writer(image);
    const QRect area = writer.clip(QRect(topLeft, picture.size()));
    if (area.isEmpty())
        return;
    const QImage source = RasterCopy(picture);
    const size_t rowBytes = size_t(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - topLeft.y())) + (area.left() - topLeft.x());
        std::memcpy(writer.at(area.left(), y), from, rowBytes);
    }
}

int BlendAlpha(int transparency)
{
    constexpr int kPercent = 100;
    const int scaled = (kPercent - std::clamp(transparency, 0, kPercent)) * 255;
    int rounded = scaled / kPercent;
    const int remainder = scaled % kPercent;
    if (remainder * 2 > kPercent || (remainder * 2 == kPercent && rounded % 2 != 0))
        ++rounded;
    return 255 - rounded;
}

TColor BlendColor(TColor before, TColor after, int alpha)
{
    return MakeColor(BlendChannel(RedOf(before), RedOf(after), alpha),
        BlendChannel(GreenOf(before), GreenOf(after), alpha),
        BlendChannel(BlueOf(before), BlueOf(after), alpha));
}
