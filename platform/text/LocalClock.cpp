#include "platform/text/LocalClock.h"

#include <utility>

namespace {

LocalClockSource& CurrentSource()
{
    static LocalClockSource source = [] { return QDateTime::currentDateTime(); };
    return source;
}

} // namespace

QDateTime CurrentLocalDateTime()
{
    return CurrentSource()();
}

LocalClockSource SetLocalClockSource(LocalClockSource source)
{
    return std::exchange(CurrentSource(), std::move(source));
}
