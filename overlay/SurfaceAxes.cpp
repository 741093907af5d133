#include "overlay/SurfaceAxes.h"

#include <cmath>

namespace {

constexpr double kAxisMinimum = -100;
constexpr double kAxisSpan = 200;

// Positions far off the surface are all the same to the drawing code; keeping
// them in this range keeps every later sum within int.
constexpr double kFarAway = 1 << 24;

// Rounds to the nearest integer, halves to even (the default rounding mode);
// a value that is not a number counts as far away.
int ToPixel(long double value)
{
    if (std::isnan(value))
        return int(kFarAway);
    if (value < -kFarAway)
        return int(-kFarAway);
    if (value > kFarAway)
        return int(kFarAway);
    return int(std::nearbyint(value));
}

} // namespace

SurfaceAxes::SurfaceAxes(QSize size)
    : m_size(size)
    , m_scaleX(size.width() / kAxisSpan)
    , m_scaleY(size.height() / kAxisSpan)
{
}

int SurfaceAxes::Column(double x) const
{
    const double pixels = (x - kAxisMinimum) * m_scaleX;
    return ToPixel(pixels);
}

int SurfaceAxes::Row(double y) const
{
    const double pixels = m_size.height() - (y - kAxisMinimum) * m_scaleY;
    return ToPixel(pixels);
}

int SurfaceAxes::HalfSize(double radius) const
{
    if (!(radius > 0))
        return 0;
    return ToPixel(static_cast<long double>(radius) * static_cast<long double>(m_scaleY));
}
