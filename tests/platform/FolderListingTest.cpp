#include "platform/files/FolderListing.h"
#include "platform/files/IoError.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The listing the skin list and the gallery are built from: matching files
// only, sorted as a user reads them, letter case aside.
TEST(FolderListing, MatchingFilesSortedIgnoringCase)
{
    TempFolder folder;
    for (const char* name : { "ocean.clk", "Default.clk", "classic.clk", "Zebra.CLK", "notes.txt", ".hidden.clk", "clk" })
        folder.write(QString::fromLatin1(name), "x");
    QDir(folder.path()).mkdir(QStringLiteral("folder.clk"));
    QFile::link(folder.file("ocean.clk"), folder.file("link.clk"));
    QFile::link(folder.file("gone"), folder.file("dangling.clk"));

    EXPECT_EQ(ListFolder(folder.path(), QStringLiteral("*.clk")),
        QStringList({ "classic.clk", "Default.clk", "link.clk", "ocean.clk", "Zebra.CLK" }));
    EXPECT_EQ(ListFolder(folder.path(), QStringLiteral("*.jpg")), QStringList());
}

TEST(FolderListing, NamesThatDifferOnlyInCaseKeepOneOrder)
{
    TempFolder folder;
    for (const char* name : { "b.jpg", "a.jpg", "B.jpg", "A.jpg" })
        folder.write(QString::fromLatin1(name), "x");
    EXPECT_EQ(ListFolder(folder.path(), QStringLiteral("*.jpg")), QStringList({ "A.jpg", "a.jpg", "B.jpg", "b.jpg" }));
}

TEST(FolderListing, MissingFolderIsAnInputOutputError)
{
    TempFolder folder;
    try {
        ListFolder(folder.file("Screenshots/"), QStringLiteral("*.jpg"));
        FAIL() << "a missing folder was listed";
    } catch (const IoError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("Screenshots"))) << error.what();
    }
}

} // namespace
