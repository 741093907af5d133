#include "skins/SkinFields.h"
#include "tests/support/TempFolder.h"
#include "tools/SkinCommand.h"

#include <gtest/gtest.h>

namespace {

class SkinCommandTest : public ::testing::Test {
protected:
    TempFolder folder;
    QString out;
    QString err;

    int run(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunSkinCommand(arguments, outStream, errStream);
    }
};

// A value for every setting that differs from the default and fits the field.
QStringList ChangedSettings()
{
    QStringList assignments;
    int n = 1;
    const Skin defaults = DefaultSkin();
    for (const SkinField& field : kSkinFields) {
        if (!field.isSetting)
            continue;
        const QString current = FormatSkinField(defaults, field);
        QString value;
        if (current.startsWith(u'$'))
            value = QStringLiteral("$%1").arg(0x10101 * n, 6, 16, QLatin1Char('0')).toUpper();
        else if (QString(field.name) == "Square" || QString(field.name) == "Rounded")
            value = current == u"1" ? "0" : "1";
        else if (QString(field.name) == "Texture")
            value = "Marble.bmp";
        else if (QString(field.name) == "DigFont")
            value = "Liberation Mono";
        else
            value = QString::number(current.toInt() + n);
        assignments << QString::fromLatin1(field.name) + u'=' + value;
        ++n;
    }
    return assignments;
}

TEST_F(SkinCommandTest, EveryFieldRoundTripsThroughNewSetAndShow)
{
    const QString file = folder.file("mine.clk");
    const QStringList changed = ChangedSettings();
    ASSERT_EQ(run({ "new", file }), 0) << err.toStdString();
    ASSERT_EQ(run(QStringList { "set", file } + changed), 0) << err.toStdString();
    EXPECT_EQ(folder.read("mine.clk").size(), 444);
    ASSERT_EQ(run({ "show", file }), 0);
    EXPECT_EQ(out, changed.join(u'\n') + u'\n');

    ASSERT_EQ(run(QStringList { "new", folder.file("same.clk") } + changed), 0);
    EXPECT_EQ(folder.read("same.clk"), folder.read("mine.clk"));
}

TEST_F(SkinCommandTest, BadAssignmentsNameTheFieldAndLeaveTheFileAsItWas)
{
    const QString file = folder.file("mine.clk");
    ASSERT_EQ(run({ "new", file, "ClockSize=250" }), 0);
    const QByteArray before = folder.read("mine.clk");

    const std::pair<const char*, const char*> cases[] = {
        { "Colour=$FF0000", "Colour" },
        { "Transparency=300", "Transparency" },
        { "SecStyle=two", "SecStyle" },
        { "Reserved=0", "Reserved" },
        { "ClockSize", "ClockSize" },
    };
    for (const auto& [assignment, named] : cases) {
        EXPECT_EQ(run({ "set", file, "Square=0", assignment }), 2) << assignment;
        EXPECT_TRUE(err.contains(QLatin1String(named))) << err.toStdString();
        EXPECT_EQ(folder.read("mine.clk"), before) << assignment;
    }
    EXPECT_EQ(run({ "new", folder.file("other.clk"), "TicsWidth=x" }), 2);
    EXPECT_TRUE(folder.read("other.clk").isEmpty());
}

// "new" does not replace a file unless told to.
TEST_F(SkinCommandTest, NewReplacesAnExistingFileOnlyWithForce)
{
    const QString file = folder.file("mine.clk");
    ASSERT_EQ(run({ "new", file, "ClockSize=250" }), 0);
    const QByteArray kept = folder.read("mine.clk");
    EXPECT_EQ(run({ "new", file }), 2);
    EXPECT_TRUE(err.contains("--force")) << err.toStdString();
    EXPECT_EQ(folder.read("mine.clk"), kept);
    EXPECT_EQ(run({ "new", "--force", file }), 0) << err.toStdString();
    EXPECT_NE(folder.read("mine.clk"), kept);
}

TEST_F(SkinCommandTest, HelpPrintsTheUsage)
{
    EXPECT_EQ(run({ "--help" }), 0);
    EXPECT_TRUE(out.startsWith("usage: vellamor-tool skin")) << out.toStdString();
}

TEST_F(SkinCommandTest, UnreadableFilesAndBadUsageExitWith2)
{
    folder.write("short.clk", QByteArray(443, '\0'));
    EXPECT_EQ(run({ "show", folder.file("short.clk") }), 2);
    EXPECT_TRUE(err.contains("Read beyond end of file"));
    EXPECT_EQ(run({ "show", folder.file("none.clk") }), 2);
    EXPECT_EQ(run({ "set", folder.file("short.clk"), "Square=0" }), 2);
    EXPECT_EQ(folder.read("short.clk"), QByteArray(443, '\0'));
    EXPECT_EQ(run({ "paint", folder.file("x.clk") }), 2);
    EXPECT_EQ(run({ "set", folder.file("x.clk") }), 2);
    EXPECT_TRUE(err.contains("usage"));
}

} // namespace
