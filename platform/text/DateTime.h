#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The shared date-time: a double counting days since 30 December 1899, the
// fraction being the time of day. For dates before that day the integer part
// counts backwards while the fraction still runs forward from midnight
// (-1.25 is 29 December 1899, 6:00).
using TDateTime = double;

TDateTime EncodeDateTime(const QDate& date, const QTime& time);
TDateTime EncodeDate(const QDate& date);
TDateTime DateTimeFromLocal(const QDateTime& local);

// The calendar day and the time of day of a date-time; an invalid QDate for a
// value that is not a number or lies outside the calendar's range.
QDate DateOf(TDateTime value);
QTime TimeOf(TDateTime value);
QDateTime LocalFromDateTime(TDateTime value);
