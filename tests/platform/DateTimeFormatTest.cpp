#include "platform/text/DateTimeFormat.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* pattern;
    QDateTime value;
    const char* expected;
};

QDateTime At(int hour, int minute, int second, int msec = 0)
{
    return QDateTime(QDate(2004, 1, 5), QTime(hour, minute, second, msec)); // a Monday
}

} // namespace

TEST(DateTimeFormat, PatternsOfTheReadoutAndTheAlarmList)
{
    const FormatCase cases[] = {
        // The readout's defaults.
        { "h:mm:ss AM/PM", At(15, 7, 9), "3:07:09 PM" },
        { "h:mm:ss", At(15, 7, 9), "15:07:09" },
        { "h:mm:ss AM/PM", At(0, 5, 0), "12:05:00 AM" },
        { "h:mm:ss", At(0, 5, 0), "0:05:00" },
        { "h:mm:ss AM/PM", At(12, 0, 0), "12:00:00 PM" },
        // The alarm list.
        { "h: nn am/pm", At(19, 5, 0), "7: 05 pm" },
        { "h: nn am/pm", At(7, 5, 0), "7: 05 am" },
        { "h: nn", At(19, 5, 0), "19: 05" },
        { "d mmm yyyy", At(0, 0, 0), "5 Jan 2004" },
        // Every element, letters in any case.
        { "dddd, d mmmm yy", At(0, 0, 0), "Monday, 5 January 04" },
        { "ddd dd/mm/yyyy", At(0, 0, 0), "Mon 05/01/2004" },
        { "HH:MM", At(15, 7, 0), "15:07" },
        { "hh:nn:ss.zzz", At(9, 3, 7, 45), "09:03:07.045" },
        { "n s z", At(9, 3, 7, 45), "3 7 45" },
        { "h a/p", At(12, 0, 0), "12 p" },
        { "h A/P", At(0, 30, 0), "12 A" },
        { "h ampm", At(13, 0, 0), "1 PM" },
        { "h:mm Am/Pm", At(15, 7, 0), "3:07 Pm" },
        // Minutes only right after an hour element; months elsewhere.
        { "mm:ss", At(15, 7, 9), "01:09" },
        { "h.x.mm", At(15, 7, 9), "15.x.01" },
        // An am/pm element counts for the hours before it.
        { "AM/PM h", At(15, 7, 9), "PM 15" },
        // Quoted text is copied, quotes removed.
        { "'h' h", At(15, 0, 0), "h 15" },
        { "h \"am/pm\"", At(15, 0, 0), "15 am/pm" },
        { "'unclosed", At(15, 0, 0), "unclosed" },
        { "at: h", At(15, 0, 0), "at: 15" },
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromLatin1(c.pattern), c.value), QString::fromLatin1(c.expected)) << c.pattern;
}

TEST(DateTimeFormat, AnInvalidValueGivesAnEmptyText)
{
    EXPECT_EQ(FormatDateTime(QStringLiteral("h:mm"), QDateTime()), QString());
}
