#pragma once

#include <cmath>
#include <cstdint>

// Floating values become integers by rounding to the nearest integer. The
// default is halves to the even neighbour (2.5 -> 2, 3.5 -> 4); a few places
// round halves away from zero (76.5 -> 77, -7.5 -> -8).

inline std::int64_t RoundHalfEven(double value)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

inline std::int64_t RoundHalfAway(double value)
{
    return static_cast<std::int64_t>(std::round(value));
}
