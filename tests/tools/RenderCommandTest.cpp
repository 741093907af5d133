#include "clock/ClockSnapshot.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/text/LocalClock.h"
#include "skins/Skin.h"
#include "skins/SkinFile.h"
#include "tests/support/TempFolder.h"
#include "tools/RenderCommand.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <gtest/gtest.h>

#include <tuple>

namespace {

class RenderCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    QString out;
    QString err;

    void SetUp() override
    {
        Skin skin = DefaultSkin();
        skin.Square = false;
        skin.ClockSize = 200;
        SaveSkinFile(folder.file("round.clk"), skin, folder.path());
    }
    using Command = int (*)(const QStringList&, QTextStream&, QTextStream&);
    int run(const QStringList& arguments, Command command = RunRenderCommand)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return command(arguments, outStream, errStream);
    }
    int snapshot(const QStringList& arguments) { return run(arguments, RunSnapshotCommand); }
};

TEST_F(RenderCommandTest, WholeClockIsTransparentOutsideItsOutline)
{
    ASSERT_EQ(run({ "--skin", folder.file("round.clk"), "--time", "10:14:30", "-o", folder.file("clock.png") }), 0)
        << err.toStdString();
    const QImage clock(folder.file("clock.png"));
    ASSERT_EQ(clock.size(), QSize(200, 200)); // the skin's own size
    EXPECT_EQ(qAlpha(clock.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(clock.pixel(199, 199)), 0);
    EXPECT_EQ(qAlpha(clock.pixel(100, 100)), 255);
    EXPECT_EQ(qAlpha(clock.pixel(100, 1)), 255);
}

TEST_F(RenderCommandTest, FaceOnlyAtAGivenSize)
{
    ASSERT_EQ(run({ "--skin", folder.file("round.clk"), "--time", "3:59:00", "--size", "120", "--face-only", "-o",
                  folder.file("face.png") }),
        0);
    const QImage face(folder.file("face.png"));
    EXPECT_EQ(face.size(), QSize(120, 120));
    EXPECT_FALSE(face.hasAlphaChannel());
}

TEST_F(RenderCommandTest, BadInputExitsWith2)
{
    folder.write("short.clk", QByteArray(100, '\0'));
    const QString out = folder.file("x.png");
    const std::pair<QStringList, QString> cases[] = {
        { { "--skin", folder.file("none.clk"), "--time", "1:00:00", "-o", out }, "no such file" },
        { { "--skin", folder.file("short.clk"), "--time", "1:00:00", "-o", out },
            folder.file("short.clk") + ": Read beyond end of file" },
        { { "--skin", folder.file("round.clk"), "--time", "25:00:00", "-o", out }, "Bad time" },
        { { "--skin", folder.file("round.clk"), "--time", "1:00:00", "--size", "0", "-o", out }, "Bad size" },
        { { "--skin", folder.file("round.clk"), "--time", "1:00:00", "--size", "big", "-o", out }, "Bad size" },
        { { "--skin", folder.file("round.clk"), "--time", "1:00:00" }, "usage" },
        { { "--skin", folder.file("round.clk"), "--time", "1:00:00", "-o", folder.file("no/such/dir/x.png") },
            "Unable to write" },
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(run(arguments), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(err.contains(message)) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

// The output's extension names its format, for a render and a snapshot
// alike; another extension is refused and nothing is written.
TEST_F(RenderCommandTest, TheOutputsExtensionNamesItsFormat)
{
    const QStringList skin { "--skin", folder.file("round.clk"), "--time", "10:14:30", "-o" };
    const std::tuple<bool, const char*, QByteArray> cases[] = {
        { false, "clock.jpg", QByteArray("\xFF\xD8\xFF") },
        { false, "clock.JPEG", QByteArray("\xFF\xD8\xFF") },
        { false, "clock.png", QByteArray("\x89PNG") },
        { true, "snapshot.png", QByteArray("\x89PNG") },
        { true, "snapshot.jpg", QByteArray("\xFF\xD8\xFF") },
    };
    for (const auto& [isSnapshot, name, magic] : cases) {
        const QStringList arguments = skin + QStringList { folder.file(name) };
        ASSERT_EQ(isSnapshot ? snapshot(arguments) : run(arguments), 0) << name << err.toStdString();
        EXPECT_TRUE(folder.read(name).startsWith(magic)) << name;
        EXPECT_FALSE(QImage::fromData(folder.read(name)).isNull()) << name;
    }
    for (const char* name : { "clock.gif", "clock" }) {
        EXPECT_EQ(run(skin + QStringList { folder.file(name) }), 2) << name;
        EXPECT_TRUE(err.contains("name a .png or a .jpg file")) << err.toStdString();
        EXPECT_FALSE(QFile::exists(folder.file(name)));
    }
}

// --skin names a file of the current folder, else of the program folder.
TEST_F(RenderCommandTest, TheSkinIsFoundHereElseInTheProgramFolder)
{
    folder.becomeProgramFolder();
    Skin small = DefaultSkin();
    small.ClockSize = 40;
    TempFolder here;
    SaveSkinFile(here.file("round.clk"), small, here.path());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(here.path());
    const int fromProgramFolder = run({ "--skin", "round.clk", "--time", "1:00:00", "-o", "a.png" });
    QFile::remove(here.file("round.clk"));
    const int fromHereGone = run({ "--skin", "round.clk", "--time", "1:00:00", "-o", "b.png" });
    const int missing = run({ "--skin", "none.clk", "--time", "1:00:00", "-o", "c.png" });
    QDir::setCurrent(previous);
    EXPECT_EQ(fromProgramFolder, 0);
    EXPECT_EQ(QImage(here.file("a.png")).size(), QSize(40, 40)); // the one here wins
    EXPECT_EQ(fromHereGone, 0);
    EXPECT_EQ(QImage(here.file("b.png")).size(), QSize(200, 200));
    EXPECT_EQ(missing, 2);
    EXPECT_TRUE(err.contains("Cannot read skin none.clk: no such file here or in the program folder " + folder.path()))
        << err.toStdString();
}

// The same bytes the options window writes for the skin at that moment.
TEST_F(RenderCommandTest, SnapshotIsTheGallerysPicture)
{
    const LocalClockSource previous = SetLocalClockSource([] { return QDateTime(QDate(2026, 3, 4), QTime(22, 5, 0)); });
    Skin skin;
    ASSERT_TRUE(ReadSkinFile(folder.file("round.clk"), skin, { false, 0, folder.path() }));
    const struct {
        QStringList options;
        QTime time;
        const char* format;
    } cases[] = {
        { {}, QTime(22, 5, 0), "h:mm:ss AM/PM" }, // now
        { { "--time", "10:14:30", "--24h" }, QTime(10, 14, 30), "h:mm:ss" },
    };
    for (const auto& [options, time, format] : cases) {
        ASSERT_EQ(snapshot(QStringList { "--skin", folder.file("round.clk"), "-o", folder.file("round.jpg") } + options), 0)
            << err.toStdString();
        const QImage expected = SnapshotPicture(skin, QDateTime(QDate(2026, 3, 4), time), QLatin1String(format),
            QGuiApplication::primaryScreen()->logicalDotsPerInchY())
                                    .Image;
        EXPECT_EQ(folder.read("round.jpg"), EncodeJpeg(expected, 90)) << options.join(' ').toStdString();
    }
    SetLocalClockSource(previous);

    EXPECT_EQ(snapshot({ "--skin", folder.file("round.clk"), "--size", "100", "-o", folder.file("x.jpg") }), 2);
    EXPECT_TRUE(err.contains("Unknown option --size")) << err.toStdString();
    EXPECT_EQ(snapshot({ "--skin", folder.file("round.clk") }), 2);
    EXPECT_TRUE(err.contains("usage: vellamor-tool snapshot")) << err.toStdString();
    EXPECT_EQ(snapshot({ "--help" }), 0);
    EXPECT_TRUE(out.startsWith("usage: vellamor-tool snapshot")) << out.toStdString();
}

// A texture that cannot be shown is reported and the clock drawn without
// it; under --strict the render fails and writes nothing.
TEST_F(RenderCommandTest, StrictFailsOnATextureThatCannotBeShown)
{
    Skin skin = DefaultSkin();
    skin.Texture.setText(QStringLiteral("gone.bmp"));
    SaveSkinFile(folder.file("textured.clk"), skin, folder.path());
    const QStringList arguments { "--skin", folder.file("textured.clk"), "--time", "1:00:00", "-o" };
    EXPECT_EQ(run(arguments + QStringList { folder.file("lenient.png") }), 0);
    EXPECT_TRUE(err.contains("Texture file not found.")) << err.toStdString();
    EXPECT_TRUE(QFile::exists(folder.file("lenient.png")));
    EXPECT_EQ(run(QStringList { "--strict" } + arguments + QStringList { folder.file("strict.png") }), 2);
    EXPECT_TRUE(err.contains("Texture file not found.")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file("strict.png")));
}

TEST_F(RenderCommandTest, HelpPrintsTheUsage)
{
    EXPECT_EQ(run({ "--help" }), 0);
    EXPECT_TRUE(out.startsWith("usage: vellamor-tool render")) << out.toStdString();
    EXPECT_TRUE(err.isEmpty());
}

} // namespace
