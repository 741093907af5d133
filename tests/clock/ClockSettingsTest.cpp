#include "clock/ClockSettings.h"

#include <gtest/gtest.h>

namespace {

using namespace ClockSettings;

TEST(ClockSettings, SkinPathsRelativeToTheProgramFolder)
{
    const QString folder = "/opt/vellamor/";
    EXPECT_EQ(SkinPathFromSetting("Ocean.clk", folder), "/opt/vellamor/Ocean.clk");
    EXPECT_EQ(SkinPathFromSetting("", folder), "/opt/vellamor/");
    EXPECT_EQ(SkinPathFromSetting("/home/me/mine.clk", folder), "/home/me/mine.clk");
    EXPECT_EQ(SkinPathFromSetting("C:\\Skins\\x.clk", folder), "C:\\Skins\\x.clk");

    EXPECT_EQ(SkinSettingFromPath("/opt/vellamor/Ocean.clk", folder), "Ocean.clk");
    EXPECT_EQ(SkinSettingFromPath("/opt/vellamor/sub/Ocean.clk", folder), "/opt/vellamor/sub/Ocean.clk");
    EXPECT_EQ(SkinSettingFromPath("/home/me/mine.clk", folder), "/home/me/mine.clk");
}

TEST(ClockSettings, EdgesBeyondTheScreenComeBackToItsMiddle)
{
    EXPECT_EQ(EdgeOnScreen(3000, 1920), 960);
    EXPECT_EQ(EdgeOnScreen(1920, 1920), 1920);
    EXPECT_EQ(EdgeOnScreen(-50, 1920), -50);
    EXPECT_EQ(EdgeOnScreen(2000, 1025), 512); // 512.5 rounds to even
    EXPECT_EQ(EdgeOnScreen(2000, 1027), 514); // 513.5 rounds to even
}

} // namespace
