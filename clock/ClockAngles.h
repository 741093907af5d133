#pragma once

// The angles of the clock in radians, counter-clockwise from +X in the
// overlay's axis coordinates. They are evaluated left to right in the x87
// extended format and kept as doubles, so that the face positions derived
// from them round the same way every time.

inline constexpr long double kPiExtended = 3.141592653589793238462643383279502884L;

// The seconds marker's direction: second 0 points up, second 15 right.
double SecondsAngle(int second);

// The minute angle handed to the face renderer for minute k (k may be 60).
double MinuteAngle(int minute);

// The hour angle handed to the face renderer: hour h (0..11) and the minute
// after minute m, so that at m = 59 the hand lies exactly on the next hour.
double HourAngle(int hour12, int minute);
