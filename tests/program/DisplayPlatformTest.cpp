#include "program/DisplayPlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayPlatform, WaylandSessionsUseXWaylandWhereOffered)
{
    struct Case {
        const char* what;
        DisplayEnvironment environment;
        const char* platform;
        bool notice;
    };
    const Case cases[] = {
        { "X11 session", { false, "x11", false, true }, "", false },
        { "no session type, X server only", { false, "", false, true }, "", false },
        { "Wayland with XWayland", { false, "wayland", true, true }, "xcb", false },
        { "a compositor named without the session type", { false, "", true, true }, "xcb", false },
        { "Wayland without XWayland", { false, "wayland", true, false }, "wayland", true },
        { "a compositor only", { false, "", true, false }, "wayland", true },
        { "the user's own choice", { true, "wayland", true, false }, "", false },
        { "a Wayland session type without a compositor or X server", { false, "wayland", false, false }, "", false },
    };
    for (const Case& c : cases) {
        const DisplayPlatform chosen = ChooseDisplayPlatform(c.environment);
        EXPECT_EQ(chosen.name, QByteArray(c.platform)) << c.what;
        EXPECT_EQ(!chosen.notice.isEmpty(), c.notice) << c.what;
        EXPECT_FALSE(chosen.notice.contains(u'\n')) << c.what;
    }
}

} // namespace
