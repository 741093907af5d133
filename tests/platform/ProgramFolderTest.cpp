#include "platform/files/ProgramFolder.h"
#include "platform/files/UserFolderSeed.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolderTest, HomeVariableThenInstalledUserFolderThenExecutableFolder)
{
    TempFolder root;
    root.write("usr/share/vellamor/default.clk", "shipped");
    root.write("usr/bin/vellamor", "");
    root.write("build/bin/vellamor", "");
    const QString installedBin = root.file("usr/bin");
    const QString buildBin = root.file("build/bin");
    const QString data = root.file("home/.local/share");

    struct Case {
        const char* what;
        QString home;
        QString executableFolder;
        QString program;
        QString shipped;
        bool fill;
    } const cases[] = {
        { "installed", "", installedBin, data + "/vellamor/", root.file("usr/share/vellamor/"), true },
        { "installed, VELLAMOR_HOME", root.file("mine"), installedBin, root.file("mine/"), root.file("usr/share/vellamor/"), false },
        { "build", "", buildBin, buildBin + "/", buildBin + "/", false },
        { "build, VELLAMOR_HOME", root.file("mine/"), buildBin, root.file("mine/"), buildBin + "/", false },
    };
    for (const Case& c : cases) {
        const ProgramFolders folders = LocateProgramFolders(c.home, c.executableFolder, data);
        EXPECT_EQ(folders.program, c.program) << c.what;
        EXPECT_EQ(folders.shipped, c.shipped) << c.what;
        EXPECT_EQ(folders.fillFromShipped, c.fill) << c.what;
    }
}

class UserFolderSeedTest : public ::testing::Test {
protected:
    TempFolder shipped;
    TempFolder user;

    void SetUp() override
    {
        shipped.write("default.clk", "shipped default");
        shipped.write("Calm.clk", "shipped calm");
        shipped.write("Textures/Paper.bmp", "paper");
        shipped.write("Screenshots/Calm.jpg", "snapshot");
        shipped.write("Alarm/Chimes.wav", "chimes");
        shipped.write("manual/index.html", "manual");
    }

    QStringList seed() const { return SeedUserFolder(shipped.path(), user.path()); }
    bool has(const QString& name) const { return QFileInfo::exists(user.file(name)); }
};

TEST_F(UserFolderSeedTest, CopiesWhatTheUserLacksAndKeepsWhatTheUserHas)
{
    user.write("Calm.clk", "the user's own calm");
    user.write("Alarm/Alarms.cfg", "alarms");
    EXPECT_EQ(seed(), QStringList());

    EXPECT_EQ(user.read("default.clk"), "shipped default");
    EXPECT_EQ(user.read("Textures/Paper.bmp"), "paper");
    EXPECT_EQ(user.read("Screenshots/Calm.jpg"), "snapshot");
    EXPECT_EQ(user.read("Alarm/Chimes.wav"), "chimes");
    EXPECT_EQ(user.read("Calm.clk"), "the user's own calm");
    EXPECT_EQ(user.read("Alarm/Alarms.cfg"), "alarms");
    EXPECT_FALSE(has("manual"));
    EXPECT_EQ(user.read(".shipped"), "Alarm/Chimes.wav\nCalm.clk\nScreenshots/Calm.jpg\nTextures/Paper.bmp\ndefault.clk\n");
}

TEST_F(UserFolderSeedTest, DeletedFilesStayDeletedAndNewShippedFilesArrive)
{
    ASSERT_EQ(seed(), QStringList());
    ASSERT_TRUE(QFile::remove(user.file("Calm.clk")));
    ASSERT_TRUE(QFile::remove(user.file("Textures/Paper.bmp")));
    user.write("default.clk", "changed by the user");
    shipped.write("Bold.clk", "shipped bold");
    shipped.write("Textures/Wood.bmp", "wood");

    EXPECT_EQ(seed(), QStringList());
    EXPECT_FALSE(has("Calm.clk"));
    EXPECT_FALSE(has("Textures/Paper.bmp"));
    EXPECT_EQ(user.read("default.clk"), "changed by the user");
    EXPECT_EQ(user.read("Bold.clk"), "shipped bold");
    EXPECT_EQ(user.read("Textures/Wood.bmp"), "wood");
}

TEST_F(UserFolderSeedTest, EmptyFoldersAreMadeWhenNothingIsShippedInThem)
{
    TempFolder nothingShipped;
    EXPECT_EQ(SeedUserFolder(nothingShipped.path(), user.path()), QStringList());
    for (const char* folder : { "Textures", "Screenshots", "Alarm" })
        EXPECT_TRUE(QFileInfo(user.file(folder)).isDir()) << folder;
    EXPECT_FALSE(has(".shipped"));
}

TEST_F(UserFolderSeedTest, WhatCannotBeWrittenIsReportedAndTheRestIsDone)
{
    user.write("Textures", "a file where the folder belongs");
    const QStringList problems = seed();
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_TRUE(problems[0].contains(user.file("Textures"))) << problems[0].toStdString();
    EXPECT_EQ(user.read("default.clk"), "shipped default");
    EXPECT_EQ(user.read("Alarm/Chimes.wav"), "chimes");
    // The texture was not offered, so a later start tries it again.
    EXPECT_FALSE(user.read(".shipped").contains("Paper.bmp"));
}

} // namespace
