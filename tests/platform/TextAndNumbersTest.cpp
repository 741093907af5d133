// Integer texts, rounding, record strings and path texts.
#include "platform/files/FileNames.h"
#include "platform/text/IntegerText.h"
#include "platform/raster/Rounding.h"
#include "platform/files/ShortString.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(IntegerText, WholeTextMustBeAnInteger)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        { "12", 12 }, { "-12", -12 }, { "+5", 5 }, { "  7", 7 }, { "$10", 16 }, { "0x10", 16 }, { "0XfF", 255 },
        { "$FFFFFFFF", -1 }, { "2147483647", 2147483647 }, { "-2147483648", -2147483647 - 1 },
        { "2147483648", std::nullopt }, { "", std::nullopt }, { "7 ", std::nullopt }, { "Marble.bmp", std::nullopt },
        { "1e3", std::nullopt }, { "$", std::nullopt }, { "0x", std::nullopt }, { "-", std::nullopt },
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseInteger(QString::fromLatin1(text)), expected) << text;
}

TEST(Rounding, HalvesToEvenOrAwayFromZero)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-7.5), -8);
    EXPECT_EQ(RoundHalfEven(3141.5), 3142);
    EXPECT_EQ(RoundHalfAway(76.5), 77);
    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-7.5), -8);
}

TEST(ShortString, WesternTextsKeepTheirWindows1252Bytes)
{
    ShortString<30> field;
    ASSERT_TRUE(field.setText(QStringLiteral("Café €5 „quoted“")));
    EXPECT_EQ(field.text(), QStringLiteral("Café €5 „quoted“"));
    EXPECT_EQ(field.bytes()[0], 16);
    EXPECT_EQ(field.bytes()[4], 0xE9); // é
    EXPECT_EQ(field.bytes()[6], 0x80); // €
}

TEST(ShortString, OtherTextsTravelAsMarkedUtf8)
{
    const QString texts[] = { QStringLiteral("Будильник"), QStringLiteral("Ξυπνητήρι"), QStringLiteral("目覚まし"),
        QStringLiteral("⏰ wake 🌅"), QStringLiteral("/home/жжж/звонок.wav"),
        // A Western text that starts with the mark's own character must not read as marked.
        QStringLiteral("\u0081abc") };
    for (const QString& text : texts) {
        ShortString<40> field;
        ASSERT_TRUE(field.setText(text)) << text.toStdString();
        EXPECT_EQ(field.text(), text) << text.toStdString();
        EXPECT_EQ(field.bytes()[1], kUtf8TextMark) << text.toStdString();
    }

    // After the mark, bytes that are not UTF-8 read as Windows-1252.
    ShortString<5> odd;
    odd.bytes() = { 3, kUtf8TextMark, 0xE9, 'x', 0, 0 };
    EXPECT_EQ(odd.text(), QStringLiteral("\u0081éx"));
    // ... and that text is stored back in the same bytes: a damaged field
    // read, shown and written again still fits.
    ASSERT_TRUE(odd.setText(odd.text()));
    EXPECT_EQ(odd.bytes()[0], 3);
    EXPECT_EQ(odd.bytes()[2], 0xE9);
    ShortString<120> damaged;
    damaged.bytes().fill(0x81);
    ASSERT_TRUE(damaged.setText(damaged.text()));
    EXPECT_EQ(damaged.text(), QString(120, QChar(0x81)));
}

TEST(ShortString, TextsThatDoNotFitAreRefusedAndOldBytesPastTheEndAreKept)
{
    ShortString<5> field;
    ASSERT_TRUE(field.setText(QStringLiteral("abcde")));
    EXPECT_FALSE(field.setText(QStringLiteral("abcdef")));
    EXPECT_FALSE(field.setText(QStringLiteral("жжж"))); // mark + 6 bytes
    EXPECT_EQ(field.text(), QStringLiteral("abcde"));
    EXPECT_TRUE(ShortString<5>::fits(QStringLiteral("жж")));
    EXPECT_FALSE(ShortString<5>::fits(QStringLiteral("жжж")));

    ASSERT_TRUE(field.setText(QStringLiteral("xy")));
    EXPECT_EQ(field.text(), QStringLiteral("xy"));
    EXPECT_EQ(field.bytes()[3], 'c'); // unchanged, written back as it was

    field.bytes()[0] = 255; // a length byte beyond the capacity reads as the capacity
    EXPECT_EQ(field.text(), QStringLiteral("xycde"));
}

TEST(FileNames, BothSeparatorsSplitFolders)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {
        { "/opt/vellamor/Textures/Marble.bmp", "/opt/vellamor/Textures/", "Marble.bmp", ".bmp" },
        { "D:\\Pics\\sky.bmp", "D:\\Pics\\", "sky.bmp", ".bmp" },
        { "Marble.bmp", "", "Marble.bmp", ".bmp" },
        { "a.b/c", "a.b/", "c", "" },
        { "/home/me/", "/home/me/", "", "" },
        { "", "", "", "" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.extension) << c.path;
        EXPECT_EQ(HasFolderPart(c.path), *c.folder != 0) << c.path;
    }
    EXPECT_EQ(ChangeFileExt("C:\\Temp\\mine.clk", ".jpg"), "C:\\Temp\\mine.jpg");
    EXPECT_EQ(ChangeFileExt("dir.d/mine", ".jpg"), "dir.d/mine.jpg");
}

} // namespace
