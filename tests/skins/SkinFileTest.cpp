#include "platform/files/IoError.h"
#include "skins/SkinFile.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray Bytes(const Skin& skin)
{
    const auto record = WriteSkinRecord(skin);
    return QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
}

class SkinFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    Skin loaded = DefaultSkin();

    SkinLoadOptions options(bool keepSize = false, int currentSize = 400) const
    {
        return { keepSize, currentSize, folder.path() };
    }
    Skin skinWith(void (*change)(Skin&)) const
    {
        Skin skin = DefaultSkin();
        change(skin);
        return skin;
    }
};

TEST_F(SkinFileTest, ReadsTheFirstRecordAndIgnoresTheRest)
{
    Skin written = skinWith([](Skin& s) { s.Square = false; s.SecColor = 0x123456; });
    folder.write("long.clk", Bytes(written) + QByteArray(56, '\x7F'));
    ASSERT_TRUE(ReadSkinFile(folder.file("long.clk"), loaded, options()));
    EXPECT_EQ(loaded, written);
}

TEST_F(SkinFileTest, ShortFilesReportReadBeyondEndAndChangeNothing)
{
    for (const int size : { 0, 443 }) {
        folder.write("short.clk", Bytes(DefaultSkin()).left(size));
        Skin buffer = skinWith([](Skin& s) { s.ClockSize = 123; });
        const Skin before = buffer;
        try {
            ReadSkinFile(folder.file("short.clk"), buffer, options());
            FAIL() << size << " bytes were read as a skin";
        } catch (const IoError& error) {
            EXPECT_EQ(error.message(), folder.file("short.clk") + ": Read beyond end of file");
        }
        EXPECT_EQ(buffer, before);
    }
}

TEST_F(SkinFileTest, MissingFilesAndFoldersAreNotRead)
{
    QDir(folder.path()).mkdir("a folder.clk");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.file("fifo.clk")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder.file("zero.clk")));
    EXPECT_FALSE(ReadSkinFile(folder.file("a folder.clk"), loaded, options()));
    EXPECT_FALSE(ReadSkinFile(folder.file("fifo.clk"), loaded, options()));
    EXPECT_FALSE(ReadSkinFile(folder.file("zero.clk"), loaded, options()));
    EXPECT_FALSE(ReadSkinFile(folder.file("none.clk"), loaded, options()));
    EXPECT_EQ(loaded, DefaultSkin());

    folder.write("default.clk", Bytes(DefaultSkin()));
    folder.write("mine.clk", Bytes(DefaultSkin()));
    EXPECT_EQ(SkinPathToRead(folder.file("mine.clk"), folder.path()), folder.file("mine.clk"));
    EXPECT_EQ(SkinPathToRead(folder.file("none.clk"), folder.path()), folder.file("default.clk"));
    EXPECT_EQ(SkinPathToRead(folder.file("a folder.clk"), folder.path()), folder.file("default.clk"));
    EXPECT_EQ(SkinPathToRead("", folder.path()), folder.file("default.clk"));
}

TEST_F(SkinFileTest, MiddlePositionZeroLoadsAsFifty)
{
    folder.write("m.clk", Bytes(skinWith([](Skin& s) { s.HourMiddlePos = 0; s.MinMiddlePos = 3; })));
    ASSERT_TRUE(ReadSkinFile(folder.file("m.clk"), loaded, options()));
    EXPECT_EQ(loaded.HourMiddlePos, 50);
    EXPECT_EQ(loaded.MinMiddlePos, 3);
}

TEST_F(SkinFileTest, KeepLastClockSizeCarriesAPositiveCurrentSize)
{
    folder.write("s.clk", Bytes(DefaultSkin())); // ClockSize 400
    struct Case {
        bool keep;
        int current;
        int expected;
    };
    for (const Case& c : { Case { true, 250, 250 }, Case { false, 250, 400 }, Case { true, 0, 400 }, Case { true, -5, 400 } }) {
        ASSERT_TRUE(ReadSkinFile(folder.file("s.clk"), loaded, options(c.keep, c.current)));
        EXPECT_EQ(loaded.ClockSize, c.expected) << c.keep << " " << c.current;
    }
}

TEST_F(SkinFileTest, BareTextureNamesArePutIntoTheTexturesFolder)
{
    const std::pair<QString, QString> cases[] = {
        { "Marble.bmp", folder.path() + "Textures/Marble.bmp" },
        { "12", "12" },
        { "D:\\Pics\\sky.bmp", "D:\\Pics\\sky.bmp" },
        { "/home/me/sky.png", "/home/me/sky.png" },
        { "", folder.path() + "Textures/" },
    };
    for (const auto& [stored, expected] : cases) {
        Skin skin = DefaultSkin();
        skin.Texture.setText(stored);
        folder.write("t.clk", Bytes(skin));
        ASSERT_TRUE(ReadSkinFile(folder.file("t.clk"), loaded, options()));
        EXPECT_EQ(loaded.Texture.text(), expected) << stored.toStdString();
    }
}

TEST_F(SkinFileTest, SavedSkinIsOneRecordThatReadsBackTheSame)
{
    Skin skin = skinWith([](Skin& s) { s.Rounded = true; s.DigFont.setText("Liberation Serif"); s.Reserved[100] = 9; });
    SaveSkinFile(folder.file("mine.clk"), skin, folder.path());
    const QByteArray saved = folder.read("mine.clk");
    EXPECT_EQ(saved, Bytes(skin));
    ASSERT_TRUE(ReadSkinFile(folder.file("mine.clk"), loaded, options()));
    SaveSkinFile(folder.file("again.clk"), loaded, folder.path());
    EXPECT_EQ(folder.read("again.clk"), saved);
}

TEST_F(SkinFileTest, TexturesInTheProgramsTexturesFolderAreSavedByName)
{
    const std::pair<QString, QString> cases[] = {
        { folder.path() + "Textures/Marble.bmp", "Marble.bmp" },
        { folder.path() + "Textures/stone/Marble.bmp", folder.path() + "Textures/stone/Marble.bmp" },
        { folder.path() + "textures/Marble.bmp", folder.path() + "textures/Marble.bmp" },
        { "/elsewhere/Marble.bmp", "/elsewhere/Marble.bmp" },
        { "6", "6" },
    };
    for (const auto& [live, stored] : cases) {
        Skin skin = DefaultSkin();
        skin.Texture.setText(live);
        SaveSkinFile(folder.file("t.clk"), skin, folder.path());
        EXPECT_EQ(skin.Texture.text(), stored) << "the live record changes too";
        EXPECT_EQ(ReadSkinRecord(WriteSkinRecord(skin)).Texture.text(), stored);
        EXPECT_EQ(folder.read("t.clk"), Bytes(skin));
    }
}

TEST_F(SkinFileTest, FailedSaveLeavesTheEarlierFileWhole)
{
    Skin original = DefaultSkin();
    SaveSkinFile(folder.file("mine.clk"), original, folder.path());
    QFile::setPermissions(folder.file("mine.clk"), QFile::ReadOwner);
    Skin changed = skinWith([](Skin& s) { s.ClockSize = 999; });
    EXPECT_THROW(SaveSkinFile(folder.file("mine.clk"), changed, folder.path()), IoError);
    EXPECT_EQ(folder.read("mine.clk"), Bytes(original));

    EXPECT_THROW(SaveSkinFile(folder.file("missing/mine.clk"), changed, folder.path()), IoError);
    EXPECT_FALSE(QFile::exists(folder.file("missing/mine.clk")));
}

// A full disk, or a file-size limit, fails the save as a whole, and the skin
// on disk keeps its old bytes.
TEST_F(SkinFileTest, ASaveOnAFullDiskLeavesTheOldSkin)
{
    const QString path = folder.file("disk/mine.clk");
    const Skin original = DefaultSkin();
    const auto save = [&] {
        Skin changed = skinWith([](Skin& s) { s.SecStyle = 2; });
        SaveSkinFile(path, changed, folder.path());
    };
    folder.write("disk/mine.clk", Bytes(original));
    const SaveOutcome limited = SaveWithFileSizeLimit(100, path, save);
    EXPECT_EQ(limited.error.toStdString(), ("Unable to write to " + path + ": " + qt_error_string(EFBIG)).toStdString());
    EXPECT_EQ(limited.fileAfter, Bytes(original));

    QString skipReason;
    const std::optional<SaveOutcome> full = SaveOnFullDisk(
        folder.file("disk"), path, [&] { folder.write("disk/mine.clk", Bytes(original)); }, save, skipReason);
    if (!full)
        GTEST_SKIP() << "no small tmpfs: " << skipReason.toStdString();
    EXPECT_EQ(full->error.toStdString(), ("Unable to write to " + path + ": " + qt_error_string(ENOSPC)).toStdString());
    EXPECT_EQ(full->fileAfter, Bytes(original));
}

} // namespace
