#pragma once

#include <QDateTime>
#include <QString>

// Formats a date-time by a pattern, as the clock's readout and the alarm list
// show it. Letters are read in any case; a run of the same letter is one
// element:
//   h, hh       hour, without or with a leading zero; 12-hour (1..12) when
//               an am/pm element follows before the next hour element
//   n, nn       minute; m and mm mean the minute too right after an hour
//               element, and the month everywhere else
//   s, ss       second
//   z, zzz      millisecond, without or with leading zeros
//   am/pm, a/p  "am"/"pm" or "a"/"p", in the letter case written
//   ampm        "AM" or "PM"
//   d, dd       day of the month; ddd "Mon", dddd "Monday"
//   m, mm       month number; mmm "Jan", mmmm "January"
//   yy, yyyy    year in two or four digits
// Text between single or double quotes is copied without its quotes, and
// every other character is copied as it is. An invalid value gives "".
QString FormatDateTime(const QString& pattern, const QDateTime& value);
