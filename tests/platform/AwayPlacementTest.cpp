#include "platform/dialogs/AwayPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(AwayPlacement, AtTheFarSideOfTheAreaFromTheOwner)
{
    const QRect area(0, 32, 1280, 992);
    const QSize window(400, 600);
    struct Case {
        const char* where;
        QRect owner;
        QPoint expected;
    };
    const Case cases[] = {
        { "owner on the left: at the right edge", QRect(100, 100, 200, 200), QPoint(880, 100) },
        { "owner on the right: at the left edge", QRect(900, 100, 200, 200), QPoint(0, 100) },
        { "level with its top, kept inside the area", QRect(100, 900, 200, 200), QPoint(880, 424) },
        { "below the top panel", QRect(100, -50, 200, 200), QPoint(880, 32) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceAwayFrom(c.owner, window, area), c.expected) << c.where;
    // Larger than the area: from its top-left corner.
    EXPECT_EQ(PlaceAwayFrom(QRect(100, 100, 200, 200), QSize(2000, 2000), area), QPoint(0, 32));
}

} // namespace
