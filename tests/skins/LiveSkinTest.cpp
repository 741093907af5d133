#include "platform/files/IoError.h"
#include "skins/LiveSkin.h"
#include "skins/SkinFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

Skin WithTics(int width, int size = 300)
{
    Skin skin = DefaultSkin();
    skin.TicsWidth = width;
    skin.ClockSize = size;
    return skin;
}

// The live skin knows its file and whether it differs from it, through
// loads, edits, saves and a revert; every change of what the clock shows is
// announced once.
TEST(LiveSkin, KnowsItsFileAndWhetherItDiffersFromIt)
{
    TempFolder folder;
    folder.becomeProgramFolder();
    Skin ocean = WithTics(5);
    SaveSkinFile(folder.file("ocean.clk"), ocean, folder.path());

    LiveSkin live;
    int notices = 0;
    QObject::connect(&live, &LiveSkin::changed, [&notices] { ++notices; });
    EXPECT_EQ(live.skin(), DefaultSkin());
    EXPECT_TRUE(live.fileName().isEmpty());
    EXPECT_EQ(live.fileOrDefault(), folder.file("default.clk"));

    live.load(folder.file("ocean.clk"), std::nullopt);
    EXPECT_EQ(live.skin(), ocean);
    EXPECT_EQ(live.fileName(), folder.file("ocean.clk"));
    EXPECT_FALSE(live.isModified());

    Skin edited = live.skin();
    edited.TicsWidth = 7;
    live.edit(edited);
    EXPECT_TRUE(live.isModified());
    live.revert();
    EXPECT_EQ(live.skin(), ocean);
    EXPECT_FALSE(live.isModified());

    live.edit(edited);
    live.saveAs(folder.file("mine.clk"));
    EXPECT_FALSE(live.isModified());
    EXPECT_EQ(live.fileName(), folder.file("mine.clk"));
    Skin saved;
    ASSERT_TRUE(ReadSkinFile(folder.file("mine.clk"), saved, { false, 0, folder.path() }));
    EXPECT_EQ(saved.TicsWidth, 7);
    EXPECT_EQ(notices, 4); // load, edit, revert, edit: a save changes nothing shown

    // Keeping the clock's size: the skin's own size does not take effect.
    live.load(folder.file("ocean.clk"), 420);
    EXPECT_EQ(live.skin().ClockSize, 420);
    EXPECT_FALSE(live.isModified());
    // Resized by the keys, the size is the clock's when the settings keep
    // it: no edit of the skin, and a revert keeps it.
    Skin resized = live.skin();
    resized.ClockSize = 500;
    live.edit(resized);
    EXPECT_TRUE(live.isModified());
    EXPECT_FALSE(live.isModified(true));
    resized.TicsWidth = 9;
    live.edit(resized);
    EXPECT_TRUE(live.isModified(true));
    live.revert(true);
    EXPECT_EQ(live.skin().ClockSize, 500);
    EXPECT_EQ(live.skin().TicsWidth, 5);
}

// A size is the user's when they set it, or when a load keeps one other
// than the skin's own; a skin loaded at its own size is not.
TEST(LiveSkin, KnowsWhetherTheSizeIsTheUsers)
{
    TempFolder folder;
    folder.becomeProgramFolder();
    Skin tiny = WithTics(1, 150);
    SaveSkinFile(folder.file("tiny.clk"), tiny, folder.path());

    LiveSkin live;
    live.load(folder.file("tiny.clk"), std::nullopt);
    EXPECT_FALSE(live.sizeChosenByUser());
    live.load(folder.file("tiny.clk"), 150); // kept, and the skin's own
    EXPECT_FALSE(live.sizeChosenByUser());
    Skin edited = live.skin();
    edited.TicsWidth = 4;
    live.edit(edited);
    EXPECT_FALSE(live.sizeChosenByUser());
    edited.ClockSize = 220;
    live.edit(edited);
    EXPECT_TRUE(live.sizeChosenByUser());
    live.load(folder.file("tiny.clk"), std::nullopt);
    EXPECT_FALSE(live.sizeChosenByUser());
    live.load(folder.file("tiny.clk"), 300); // kept from an earlier run
    EXPECT_TRUE(live.sizeChosenByUser());
    EXPECT_EQ(live.skin().ClockSize, 300);
}

TEST(LiveSkin, AMissingFileKeepsItsNameAndAnUnreadableOneChangesNothingButTheSize)
{
    TempFolder folder;
    folder.becomeProgramFolder();
    Skin fallback = WithTics(2);
    SaveSkinFile(folder.file("default.clk"), fallback, folder.path());
    folder.write("short.clk", QByteArray(100, '\0'));

    LiveSkin live;
    live.load(folder.file("gone.clk"), std::nullopt); // default.clk is read
    EXPECT_EQ(live.skin(), fallback);
    EXPECT_EQ(live.fileName(), folder.file("gone.clk"));

    EXPECT_THROW(live.load(folder.file("short.clk"), 250), IoError);
    EXPECT_EQ(live.skin().TicsWidth, 2);
    EXPECT_EQ(live.skin().ClockSize, 250);
    EXPECT_EQ(live.fileName(), folder.file("gone.clk"));
    EXPECT_FALSE(live.isModified());
}

} // namespace
