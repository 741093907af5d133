#include "alarms/AlarmMessage.h"
#include "alarms/AlarmRecord.h"
#include "platform/files/LittleEndian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

AlarmRecordBytes RandomRecordBytes(unsigned seed)
{
    std::mt19937 random(seed);
    AlarmRecordBytes bytes {};
    for (std::uint8_t& byte : bytes)
        byte = std::uint8_t(random());
    return bytes;
}

void PutDoubleBits(AlarmRecordBytes& bytes, std::size_t offset, std::uint64_t bits)
{
    WriteLittleEndian<std::uint64_t>(bytes.data(), offset, bits);
}

} // namespace

TEST(AlarmRecord, OddBytesSurviveARoundTripByteForByte)
{
    for (unsigned seed = 1; seed <= 50; ++seed) {
        AlarmRecordBytes bytes = RandomRecordBytes(seed);
        // A signalling NaN, a quiet NaN with payload, infinity and a huge date.
        PutDoubleBits(bytes, 8, 0x7FF0000000000001ULL);
        PutDoubleBits(bytes, 24, 0xFFF8DEADBEEF0001ULL);
        PutDoubleBits(bytes, 32, 0x7FF0000000000000ULL);
        PutDoubleBits(bytes, 48, 0x7E37E43C8800759CULL); // about 1e300
        for (const std::size_t lengthByte : { 109, 122, 303, 484 })
            bytes[lengthByte] = 255;
        for (const std::size_t boolByte : { 0, 40, 41, 80, 665, 666 })
            bytes[boolByte] = std::uint8_t(seed * 37 % 255 + 1); // never 0 or 1 alone

        const AlarmRecord alarm = ReadAlarmRecord(bytes);
        EXPECT_EQ(WriteAlarmRecord(alarm), bytes) << "seed " << seed;
        EXPECT_TRUE(std::isnan(alarm.LastRung));
        EXPECT_TRUE(bool(alarm.Enabled));
        EXPECT_EQ(alarm.Name.length(), 12u);
        EXPECT_EQ(alarm.VisualFile.length(), 180u);
    }
}

TEST(AlarmRecord, FieldsSitAtTheirOffsets)
{
    AlarmRecord alarm {};
    alarm.Enabled = true;
    alarm.LastRung = 38000.0;
    alarm.Mode = AlarmRecord::Monthly;
    alarm.AlarmTime = 0.75;
    alarm.OnceDate = 38001.0;
    alarm.DeleteAfterPlaying = true;
    alarm.DeleteAfterExpiration = true;
    alarm.EveryNdays = 356;
    alarm.DailyStart = 38002.0;
    alarm.EveryNweeks = -7;
    alarm.WeeklyStart = 38003.0;
    alarm.Weekdays.fill('F');
    alarm.Weekdays[7] = 'N';
    alarm.MonthlyThe = true;
    alarm.MonthlyDay = 31;
    alarm.MonthlyTheN = 5;
    alarm.MonthlyTheDay = 7;
    alarm.Months.fill('F');
    alarm.Months[12] = 'N';
    alarm.Name.setText(QStringLiteral("Wake"));
    alarm.VisualFile.setText(QStringLiteral("C:\\Pics\\sun.jpg"));
    alarm.SoundFile.setText(QStringLiteral("bell.wav"));
    alarm.DocFile.setText(QStringLiteral("notes.txt"));
    alarm.Sound = true;
    alarm.AudioPic = true;
    alarm.StaysOn = 9999;

    const AlarmRecordBytes bytes = WriteAlarmRecord(alarm);
    const std::uint8_t* data = bytes.data();
    EXPECT_EQ(data[0], 1);
    EXPECT_EQ(ReadLittleEndian<double>(data, 8), 38000.0);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 16), 3);
    EXPECT_EQ(ReadLittleEndian<double>(data, 24), 0.75);
    EXPECT_EQ(ReadLittleEndian<double>(data, 32), 38001.0);
    EXPECT_EQ(data[40], 1);
    EXPECT_EQ(data[41], 1);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 44), 356);
    EXPECT_EQ(ReadLittleEndian<double>(data, 48), 38002.0);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 56), -7);
    EXPECT_EQ(ReadLittleEndian<double>(data, 64), 38003.0);
    EXPECT_EQ(data[79], 'N');
    EXPECT_EQ(data[78], 'F');
    EXPECT_EQ(data[80], 1);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 84), 31);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 88), 5);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 92), 7);
    EXPECT_EQ(data[108], 'N');
    EXPECT_EQ(data[107], 'F');
    EXPECT_EQ(data[109], 4);
    EXPECT_EQ(std::memcmp(data + 110, "Wake", 4), 0);
    EXPECT_EQ(data[122], 15);
    EXPECT_EQ(std::memcmp(data + 123, "C:\\Pics\\sun.jpg", 15), 0);
    EXPECT_EQ(data[303], 8);
    EXPECT_EQ(std::memcmp(data + 304, "bell.wav", 8), 0);
    EXPECT_EQ(data[484], 9);
    EXPECT_EQ(std::memcmp(data + 485, "notes.txt", 9), 0);
    EXPECT_EQ(data[665], 1);
    EXPECT_EQ(data[666], 1);
    EXPECT_EQ(ReadLittleEndian<std::int32_t>(data, 668), 9999);
}

TEST(AlarmRecord, FlagCharactersOtherThanNReadAsOff)
{
    EXPECT_TRUE(AlarmRecord::FlagIsOn('N'));
    for (const std::uint8_t flag : { 'F', 'n', 'Y', '\0', '\xFF' })
        EXPECT_FALSE(AlarmRecord::FlagIsOn(flag)) << int(flag);
}

// The ringing window shows the alarm's minute in the user's way of writing
// times, never with seconds.
TEST(AlarmTimeText, TheLocalesShortTimeWithoutSeconds)
{
    const std::pair<QLocale, const char*> cases[] = {
        { QLocale::c(), "07:30" },
        { QLocale(QLocale::English, QLocale::UnitedStates), "7:30\u202fAM" },
        { QLocale(QLocale::German, QLocale::Germany), "07:30" },
    };
    for (const auto& [locale, expected] : cases)
        EXPECT_EQ(AlarmTimeText(QTime(7, 30), locale).replace(u' ', QChar(0x202F)), QString::fromUtf8(expected).replace(u' ', QChar(0x202F)))
            << locale.name().toStdString();
}
