#include "clock/ClockAngles.h"

double SecondsAngle(int second)
{
    const long double pi = kPiExtended;
    return double(3 * pi / 2 - second * pi / 30 + pi);
}

double MinuteAngle(int minute)
{
    const long double pi = kPiExtended;
    return double(3 * pi / 2 - minute * pi / 30 + 2 * pi);
}

double HourAngle(int hour12, int minute)
{
    const long double pi = kPiExtended;
    return double(3 * pi / 2 - hour12 * pi / 6 - (minute + 1) * pi / 360 + 2 * pi);
}
