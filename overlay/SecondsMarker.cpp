#include "overlay/SecondsMarker.h"

#include "overlay/SurfaceAxes.h"
#include "platform/raster/Raster.h"

#include <optional>

namespace {

// A line including both of its ends.
void DrawClosedLine(QImage& image, QPoint from, QPoint to, TColor colour)
{
    DrawLine(image, from, to, colour);
    SetPixel(image, to.x(), to.y(), colour);
}

} // namespace

QRect SecondsMarker::Draw(QImage& image, const SurfaceAxes& axes) const
{
    if (!Active)
        return {};
    const int cx = axes.Column(X);
    const int cy = axes.Row(Y);
    const int s = axes.HalfSize(Radius);
    if (MarkerShape == msCircle) {
        const QRect box(cx - s, cy - s, 2 * s, 2 * s);
        DrawEllipse(image, box, OutlineColor, Filled ? std::optional(FillColor) : std::nullopt);
        return box;
    }
    DrawClosedLine(image, { cx, cy - s }, { cx, cy + s }, OutlineColor);
    DrawClosedLine(image, { cx - s, cy }, { cx + s, cy }, OutlineColor);
    DrawClosedLine(image, { cx - s, cy - s }, { cx + s, cy + s }, OutlineColor);
    DrawClosedLine(image, { cx + s, cy - s }, { cx - s, cy + s }, OutlineColor);
    return QRect(cx - s, cy - s, 2 * s + 1, 2 * s + 1);
}
