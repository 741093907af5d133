#include "clock/FaceGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

long double RoundHalfEvenL(long double value)
{
    return std::isfinite(value) ? std::nearbyintl(value) : 0.0L;
}

int Sign(long double value)
{
    return (value > 0) - (value < 0);
}

} // namespace

FaceGeometry FaceGeometry::Of(QSize size, const Skin& skin)
{
    FaceGeometry face {};
    face.cx = size.width() / 2.0;
    face.cy = size.height() / 2.0;
    // Edges a hundred faces out are hostile values, not designs; bounding
    // them keeps every face point within the range of pixel coordinates.
    constexpr int kFarthestEdgePercent = 10000;
    face.outerEdge = std::clamp(skin.OuterEdge, -kFarthestEdgePercent, kFarthestEdgePercent) * face.cx / 100;
    face.innerEdge = std::clamp(skin.InnerEdge, -kFarthestEdgePercent, kFarthestEdgePercent) * face.cy / 100;
    face.inscribed = std::min(face.cx, face.cy);
    face.square = skin.Square;
    return face;
}

QPoint FacePoint(const FaceGeometry& face, long double r, long double theta)
{
    const long double a = RoundHalfEvenL(r * std::cos(theta));
    const long double b = RoundHalfEvenL(r * std::sin(theta));
    if (!face.square)
        return QPoint(int(RoundHalfEvenL(face.cx) + a), int(RoundHalfEvenL(face.cy) + b));

    // Onto the square of half side r: the vertical edge when the direction is
    // closer to horizontal, the horizontal edge otherwise.
    long double x = 0;
    long double y = 0;
    if (std::fabs(a) > std::fabs(b)) {
        x = RoundHalfEvenL(Sign(a) * r);
        y = RoundHalfEvenL(std::tan(theta) * x);
    } else {
        y = RoundHalfEvenL(Sign(b) * r);
        x = RoundHalfEvenL((1.0L / std::tan(theta)) * y);
    }
    return QPoint(int(RoundHalfEvenL(face.cx + x)), int(RoundHalfEvenL(face.cy + y)));
}
