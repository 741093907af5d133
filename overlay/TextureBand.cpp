#include "overlay/TextureBand.h"

#include "overlay/SurfaceAxes.h"
#include "platform/raster/Raster.h"

#include <algorithm>

namespace {

constexpr double kAxisLimit = 100;
constexpr int kInvisible = 255;

} // namespace

void TextureBand::Draw(QImage& image, const SurfaceAxes& axes) const
{
    const double start = std::min(StartValue, EndValue);
    const double end = std::max(StartValue, EndValue);
    if (start > kAxisLimit || end < -kAxisLimit)
        return;
    const int width = axes.size().width();
    const int height = axes.size().height();
    const int left = std::max(0, axes.Column(start));
    const int right = std::min(width, axes.Column(end));
    if (right <= left || height <= 0)
        return;
    // Without an outline the fill stops short of the rectangle's last column
    // and last row.
    const QRect fill(left, 0, right - left - 1, height - 1);
    const int alpha = BlendAlpha(Transparency);
    if (fill.isEmpty() || alpha == kInvisible || Brush.DrawsNothing())
        return;

    if (Brush.Image.isNull())
        FillHatched(image, fill, Brush.Style, Color, Brush.Color, alpha);
    else
        FillTiled(image, fill, Brush.Image, Color, Brush.Color, alpha);
}
