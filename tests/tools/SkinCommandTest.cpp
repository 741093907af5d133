#include "skins/SkinFields.h"
#include "skins/SkinLimits.h"
#include "tests/support/TempFolder.h"
#include "tools/SkinCommand.h"

#include <QFile>

#include <gtest/gtest.h>

#include <tuple>

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

// A value for every setting that differs from the default and that the
// designer can show.
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
        else if (const std::optional<SkinFieldLimits> limits = DesignerLimits(field)) {
            const long long range = limits->maximum - limits->minimum + 1;
            value = QString::number(limits->minimum + (current.toInt() - limits->minimum + 1 + n % (range - 1)) % range);
        }
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

// What does not fit a field, and what the designer could not show, is
// refused with the field, the value and the range named; the file stays as
// it was, byte for byte, and "new" writes none.
TEST_F(SkinCommandTest, RefusalsNameTheFieldAndLeaveTheFileAsItWas)
{
    const QString file = folder.file("mine.clk");
    ASSERT_EQ(run({ "new", file, "ClockSize=250" }), 0);
    const QByteArray before = folder.read("mine.clk");

    const std::pair<QStringList, const char*> cases[] = {
        { { "Colour=$FF0000" }, "Colour is not a field of the skin" },
        { { "Transparency=300" }, "Transparency: the value \"300\" does not fit" },
        { { "Transparency=80" }, "Transparency=80 is outside the range the designer offers (0..50)" },
        { { "DigPosition=9" }, "DigPosition=9 is outside the range the designer offers (0..3)" },
        { { "ClockSize=99999" }, "ClockSize=99999 is outside the range the designer offers (50..1000)" },
        { { "TicsWidth=0" }, "TicsWidth=0 is outside the range the designer offers (1..20)" },
        { { "HourMiddlePos=0" }, "HourMiddlePos=0 is outside the range the designer offers (5..95)" },
        { { "TextureTransparency=101" }, "TextureTransparency=101 is outside the range the designer offers (0..100)" },
        { { "InnerEdge=70", "OuterEdge=60" }, "InnerEdge=70 lies above OuterEdge=60" },
        { { "InnerEdge=95", "OuterEdge=20" }, "InnerEdge=95 is outside the range the designer offers (10..80)" },
        { { "SecColor=$1000000" }, "SecColor=$01000000 is outside the range the designer offers ($000000..$FFFFFF)" },
        { { "SecColor=reddish" }, "write $BBGGRR (blue, green, red, as \"skin show\" prints it), #RRGGBB or a name" },
        { { "SecColor=#12345" }, "SecColor: \"#12345\" is not a colour" },
        { { "SecStyle=two" }, "SecStyle: the value \"two\" does not fit" },
        { { "Reserved=0" }, "Reserved is not a field of the skin" },
        { { "ClockSize" }, "\"ClockSize\" is not of the form Name=Value" },
    };
    for (const auto& [assignments, message] : cases) {
        EXPECT_EQ(run(QStringList { "set", file, "Square=0" } + assignments), 2) << assignments.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(message))) << err.toStdString();
        EXPECT_EQ(folder.read("mine.clk"), before) << assignments.join(' ').toStdString();
        EXPECT_EQ(run(QStringList { "new", folder.file("other.clk") } + assignments), 2);
        EXPECT_FALSE(QFile::exists(folder.file("other.clk")));
    }
}

// Colours are taken as "skin show" prints them, as #RRGGBB and by name.
TEST_F(SkinCommandTest, ColoursInEveryForm)
{
    const QString file = folder.file("mine.clk");
    const std::pair<const char*, const char*> cases[] = {
        { "$123456", "$123456" },
        { "#00FF80", "$80FF00" },
        { "red", "$0000FF" },
        { "navy", "$800000" },
        { "0x00FF00", "$00FF00" },
    };
    for (const auto& [given, stored] : cases) {
        ASSERT_EQ(run({ "new", "--force", file, QStringLiteral("SecColor=%1").arg(given) }), 0) << err.toStdString();
        ASSERT_EQ(run({ "show", file }), 0);
        EXPECT_TRUE(out.contains(QStringLiteral("\nSecColor=%1\n").arg(stored))) << given;
    }
}

// "show" tells a file that is no skin: of another size, or holding what
// the designer could not show. A middle position 0 (read as 50) is a skin.
TEST_F(SkinCommandTest, ShowTellsWhatIsNotASkin)
{
    Skin outOfRange = DefaultSkin();
    outOfRange.DigPosition = 9;
    Skin unsetMiddles = DefaultSkin();
    unsetMiddles.HourMiddlePos = unsetMiddles.MinMiddlePos = 0;
    const auto bytes = [](const Skin& skin) {
        const auto record = WriteSkinRecord(skin);
        return QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
    };
    const std::tuple<const char*, QByteArray, int, const char*> cases[] = {
        { "short.clk", QByteArray(443, '\0'), 2, "is not a skin: a skin file holds 444 bytes, this one 443" },
        { "long.clk", bytes(DefaultSkin()) + "x", 2, "is not a skin: a skin file holds 444 bytes, this one 445" },
        { "digits.clk", bytes(outOfRange), 2, "DigPosition=9 is outside the range the designer offers (0..3)" },
        { "old.clk", bytes(unsetMiddles), 0, "" },
    };
    for (const auto& [name, content, status, message] : cases) {
        folder.write(name, content);
        EXPECT_EQ(run({ "show", folder.file(name) }), status) << name;
        EXPECT_TRUE(err.contains(QLatin1String(message))) << err.toStdString();
        EXPECT_EQ(out.isEmpty(), status != 0) << name;
    }
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
    EXPECT_EQ(run({ "show", folder.file("none.clk") }), 2);
    EXPECT_EQ(run({ "set", folder.file("short.clk"), "Square=0" }), 2);
    EXPECT_EQ(folder.read("short.clk"), QByteArray(443, '\0'));
    EXPECT_EQ(run({ "paint", folder.file("x.clk") }), 2);
    EXPECT_EQ(run({ "set", folder.file("x.clk") }), 2);
    EXPECT_TRUE(err.contains("usage"));
}

} // namespace
