#include "skins/SkinList.h"

#include "tests/support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(SkinList, NamesAndTheCurrentSkinsEntry)
{
    const QStringList names = SkinNames({ "classic.clk", "Default.clk", "ocean.clk" });
    EXPECT_EQ(names, QStringList({ "classic", "Default", "ocean" }));

    const struct {
        const char* skinFile;
        int index;
    } cases[] = {
        { "/opt/vellamor/default.clk", 1 }, // the default skin, letter case aside
        { "/opt/vellamor/ocean.clk", 2 },
        { "/home/me/Skins/OCEAN.CLK", 2 }, // outside the program folder: its namesake
        { "/opt/vellamor/mine.clk", -1 },
        { "", -1 },
    };
    for (const auto& [skinFile, index] : cases)
        EXPECT_EQ(SkinNameIndex(names, QString::fromLatin1(skinFile)), index) << skinFile;

    // Skins whose names differ only in letter case: the one spelt the same.
    EXPECT_EQ(SkinNameIndex({ "Ocean", "ocean" }, "ocean.jpg"), 1);
    EXPECT_EQ(SkinNameIndex({ "Ocean", "ocean" }, "OCEAN.jpg"), 0);
}

TEST(SkinList, GalleryShowsSnapshotsOfListedSkinsInListingOrder)
{
    EXPECT_EQ(SnapshotsWithSkin({ "Classic.jpg", "Ocean.JPG", "old.jpg" }, { "classic", "ocean" }),
        QStringList({ "Classic.jpg", "Ocean.JPG" }));
}

TEST(SkinList, ThumbnailsThreeToARow)
{
    const struct {
        int slot;
        QPoint position;
    } cases[] = { { 0, { 0, 0 } }, { 1, { 122, 0 } }, { 2, { 244, 0 } }, { 3, { 0, 140 } }, { 6, { 0, 280 } },
        { 100, { 122, 4620 } } };
    for (const auto& [slot, position] : cases)
        EXPECT_EQ(ThumbPosition(slot), position) << slot;
}

TEST(SkinList, SnapshotOfASkinLiesInTheScreenshotsFolder)
{
    EXPECT_EQ(SnapshotFile("/tmp/mine.clk", "/opt/vellamor/"), QString("/opt/vellamor/Screenshots/mine.jpg"));
    EXPECT_EQ(SnapshotFile("C:\\Temp\\Ocean.CLK", "/opt/vellamor/"), QString("/opt/vellamor/Screenshots/Ocean.jpg"));
    EXPECT_EQ(SnapshotFile("/tmp/plain", "/opt/vellamor/"), QString("/opt/vellamor/Screenshots/plain.jpg"));
}

} // namespace

TEST(SkinList, SaveAsProposesAnUnusedNameBesideTheSkin)
{
    TempFolder folder;
    folder.write("Classic.clk", "x");
    folder.write("Classic 2.clk", "x");
    folder.write("Glass 7.clk", "x");
    EXPECT_EQ(UnusedSkinFileName(folder.file("Classic.clk")), folder.file("Classic 3.clk"));
    EXPECT_EQ(UnusedSkinFileName(folder.file("Glass 7.clk")), folder.file("Glass 8.clk"));
    EXPECT_EQ(UnusedSkinFileName(folder.file("Ocean.clk")), folder.file("Ocean 2.clk"));
}

// A skin that came with the program is saved as the user's copy under its
// name when the shipped files lie apart from the user's; every other skin
// file is saved in place. Drafts keep the skin file's name.
TEST(SkinList, SaveTargetsAndDrafts)
{
    TempFolder folder;
    QDir(folder.path()).mkpath("share/vellamor");
    QDir(folder.path()).mkpath("home");
    const QString shipped = folder.file("share/vellamor/");
    const QString user = folder.file("home/");
    EXPECT_EQ(SkinFileToSaveTo(shipped + "Classic.clk", user, shipped), user + "Classic.clk");
    EXPECT_EQ(SkinFileToSaveTo(folder.file("share/vellamor/../vellamor/Classic.clk"), user, shipped), user + "Classic.clk");
    EXPECT_EQ(SkinFileToSaveTo(user + "Classic.clk", user, shipped), user + "Classic.clk");
    EXPECT_EQ(SkinFileToSaveTo(folder.file("Classic.clk"), user, shipped), folder.file("Classic.clk"));
    // A build or a program kept in one folder: its skins are the user's.
    EXPECT_EQ(SkinFileToSaveTo(shipped + "Classic.clk", shipped, shipped), shipped + "Classic.clk");

    EXPECT_EQ(SkinDraftFile(shipped + "Classic 2.clk", user), user + "Drafts/Classic 2.clk");
}
