#pragma once

#include <QDateTime>

#include <functional>

// The local date and time as the program reads it. Everything that asks for
// "now" goes through here, so tests can set the time instead of depending on
// the wall clock.
using LocalClockSource = std::function<QDateTime()>;
QDateTime CurrentLocalDateTime();
// Replaces the source and returns the previous one.
LocalClockSource SetLocalClockSource(LocalClockSource source);
