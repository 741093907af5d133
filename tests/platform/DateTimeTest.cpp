#include "platform/text/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(DateTime, DaysCountFromTheEndOf1899)
{
    EXPECT_EQ(EncodeDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(EncodeDate(QDate(2004, 1, 5)), 37991.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(QDate(1900, 1, 1), QTime(6, 0)), 2.25);
    EXPECT_DOUBLE_EQ(EncodeDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
}

TEST(DateTime, DecodesDateAndTimeOfDay)
{
    EXPECT_EQ(DateOf(37991.75), QDate(2004, 1, 5));
    EXPECT_EQ(TimeOf(37991.75), QTime(18, 0));
    EXPECT_EQ(DateOf(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(TimeOf(-1.25), QTime(6, 0));
    const QDateTime moment(QDate(2026, 12, 10), QTime(7, 5, 9, 250));
    EXPECT_EQ(LocalFromDateTime(DateTimeFromLocal(moment)), moment);
}

TEST(DateTime, ValuesOutsideTheCalendarGiveNoDate)
{
    EXPECT_FALSE(DateOf(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_FALSE(DateOf(1e300).isValid());
    EXPECT_FALSE(DateOf(-1e300).isValid());
    EXPECT_FALSE(TimeOf(std::numeric_limits<double>::infinity()).isValid());
}

} // namespace
