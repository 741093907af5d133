#include "clock/ClockSettings.h"
#include "platform/files/IoError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

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

// The settings are read once into a value and written back in one
// replacement of the file that keeps everything else in it.
TEST(ClockSettings, ReadOnceAndSavedWithEveryOtherLineKept)
{
    TempFolder folder;
    folder.becomeProgramFolder();
    folder.write("vellamor.ini", "; mine\r\n[Default]\r\nSkin=Ocean.clk\r\nDigFrm=7\r\nOnTop=1\r\nOther=kept\r\n"
                                 "[Position]\r\nKeepIt=0\r\nLeft=12\r\nTop=34\r\n[Size]\r\nLastOne=250\r\n");
    ClockSettingsFile file(folder.file("vellamor.ini"));
    file.save(folder.file("Ocean.clk"), 300); // not read yet: nothing written
    EXPECT_TRUE(file.read().isEmpty());

    const ClockSettings& read = file.settings();
    EXPECT_EQ(read.skin, QStringLiteral("Ocean.clk"));
    EXPECT_EQ(read.readoutFormatIndex, 1); // beyond the last choice: the last
    EXPECT_TRUE(read.stayOnTop);
    EXPECT_FALSE(read.keepLastPosition);
    EXPECT_EQ(read.position, QPoint(12, 34));
    EXPECT_TRUE(read.keepSize);
    EXPECT_EQ(read.lastSize, 250);
    EXPECT_EQ(read.readoutFormat(), QStringLiteral("h:mm:ss"));

    int notices = 0;
    QObject::connect(&file, &ClockSettingsFile::changed, [&notices] { ++notices; });
    file.setStayOnTop(false);
    file.setStayOnTop(false);
    file.setReadoutFormatIndex(-5);
    file.setPosition(QPoint(99, 99)); // the clock's own: no notice
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(file.settings().readoutFormatIndex, -1);

    folder.write("Ocean.clk", "");
    file.save(folder.file("mine.clk"), 300);
    EXPECT_EQ(folder.read("vellamor.ini"),
        "; mine\r\n[Default]\r\nSkin=mine.clk\r\nDigFrm=-1\r\nOnTop=0\r\nOther=kept\r\n"
        "[Position]\r\nKeepIt=0\r\nLeft=12\r\nTop=34\r\n[Size]\r\nLastOne=300\r\nKeepIt=1\r\n");

    // A file that cannot be replaced fails the save and stays as it was.
    folder.write("blocked/vellamor.ini", "");
    ClockSettingsFile blocked(folder.file("blocked"));
    EXPECT_FALSE(blocked.read().isEmpty());
    EXPECT_THROW(blocked.save(folder.file("mine.clk"), 300), IoError);
}

} // namespace
