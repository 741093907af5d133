#include "alarms/AlarmRecord.h"

#include "platform/files/LittleEndian.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

// Field offsets in the record.
constexpr std::size_t kEnabled = 0;
constexpr std::size_t kPadding1 = 1;
constexpr std::size_t kLastRung = 8;
constexpr std::size_t kMode = 16;
constexpr std::size_t kPadding20 = 20;
constexpr std::size_t kAlarmTime = 24;
constexpr std::size_t kOnceDate = 32;
constexpr std::size_t kDeleteAfterPlaying = 40;
constexpr std::size_t kDeleteAfterExpiration = 41;
constexpr std::size_t kPadding42 = 42;
constexpr std::size_t kEveryNdays = 44;
constexpr std::size_t kDailyStart = 48;
constexpr std::size_t kEveryNweeks = 56;
constexpr std::size_t kPadding60 = 60;
constexpr std::size_t kWeeklyStart = 64;
constexpr std::size_t kWeekdays = 72;
constexpr std::size_t kMonthlyThe = 80;
constexpr std::size_t kPadding81 = 81;
constexpr std::size_t kMonthlyDay = 84;
constexpr std::size_t kMonthlyTheN = 88;
constexpr std::size_t kMonthlyTheDay = 92;
constexpr std::size_t kMonths = 96;
constexpr std::size_t kName = 109;
constexpr std::size_t kVisualFile = 122;
constexpr std::size_t kSoundFile = 303;
constexpr std::size_t kDocFile = 484;
constexpr std::size_t kSound = 665;
constexpr std::size_t kAudioPic = 666;
constexpr std::size_t kPadding667 = 667;
constexpr std::size_t kStaysOn = 668;

static_assert(kWeekdays + sizeof(AlarmRecord::Weekdays) == kMonthlyThe);
static_assert(kMonths + sizeof(AlarmRecord::Months) == kName);
static_assert(kName + ShortString<12>::kSize == kVisualFile);
static_assert(kVisualFile + ShortString<180>::kSize == kSoundFile);
static_assert(kSoundFile + ShortString<180>::kSize == kDocFile);
static_assert(kDocFile + ShortString<180>::kSize == kSound);
static_assert(kStaysOn + sizeof(std::int32_t) == kAlarmRecordSize);

template <std::size_t N>
void CopyOut(const AlarmRecordBytes& bytes, std::size_t offset, std::array<std::uint8_t, N>& target)
{
    std::copy_n(bytes.begin() + offset, N, target.begin());
}

template <std::size_t N>
void CopyIn(AlarmRecordBytes& bytes, std::size_t offset, const std::array<std::uint8_t, N>& source)
{
    std::copy(source.begin(), source.end(), bytes.begin() + offset);
}

} // namespace

AlarmRecord ReadAlarmRecord(const AlarmRecordBytes& bytes)
{
    const std::uint8_t* data = bytes.data();
    AlarmRecord alarm {};
    alarm.Enabled = StoredBool::FromByte(data[kEnabled]);
    CopyOut(bytes, kPadding1, alarm.Padding1);
    alarm.LastRung = ReadLittleEndian<double>(data, kLastRung);
    alarm.Mode = ReadLittleEndian<std::int32_t>(data, kMode);
    CopyOut(bytes, kPadding20, alarm.Padding20);
    alarm.AlarmTime = ReadLittleEndian<double>(data, kAlarmTime);
    alarm.OnceDate = ReadLittleEndian<double>(data, kOnceDate);
    alarm.DeleteAfterPlaying = StoredBool::FromByte(data[kDeleteAfterPlaying]);
    alarm.DeleteAfterExpiration = StoredBool::FromByte(data[kDeleteAfterExpiration]);
    CopyOut(bytes, kPadding42, alarm.Padding42);
    alarm.EveryNdays = ReadLittleEndian<std::int32_t>(data, kEveryNdays);
    alarm.DailyStart = ReadLittleEndian<double>(data, kDailyStart);
    alarm.EveryNweeks = ReadLittleEndian<std::int32_t>(data, kEveryNweeks);
    CopyOut(bytes, kPadding60, alarm.Padding60);
    alarm.WeeklyStart = ReadLittleEndian<double>(data, kWeeklyStart);
    CopyOut(bytes, kWeekdays, alarm.Weekdays);
    alarm.MonthlyThe = StoredBool::FromByte(data[kMonthlyThe]);
    CopyOut(bytes, kPadding81, alarm.Padding81);
    alarm.MonthlyDay = ReadLittleEndian<std::int32_t>(data, kMonthlyDay);
    alarm.MonthlyTheN = ReadLittleEndian<std::int32_t>(data, kMonthlyTheN);
    alarm.MonthlyTheDay = ReadLittleEndian<std::int32_t>(data, kMonthlyTheDay);
    CopyOut(bytes, kMonths, alarm.Months);
    CopyOut(bytes, kName, alarm.Name.bytes());
    CopyOut(bytes, kVisualFile, alarm.VisualFile.bytes());
    CopyOut(bytes, kSoundFile, alarm.SoundFile.bytes());
    CopyOut(bytes, kDocFile, alarm.DocFile.bytes());
    alarm.Sound = StoredBool::FromByte(data[kSound]);
    alarm.AudioPic = StoredBool::FromByte(data[kAudioPic]);
    alarm.Padding667 = data[kPadding667];
    alarm.StaysOn = ReadLittleEndian<std::int32_t>(data, kStaysOn);
    return alarm;
}

AlarmRecordBytes WriteAlarmRecord(const AlarmRecord& alarm)
{
    AlarmRecordBytes bytes {};
    std::uint8_t* data = bytes.data();
    data[kEnabled] = alarm.Enabled.byte();
    CopyIn(bytes, kPadding1, alarm.Padding1);
    WriteLittleEndian<double>(data, kLastRung, alarm.LastRung);
    WriteLittleEndian<std::int32_t>(data, kMode, alarm.Mode);
    CopyIn(bytes, kPadding20, alarm.Padding20);
    WriteLittleEndian<double>(data, kAlarmTime, alarm.AlarmTime);
    WriteLittleEndian<double>(data, kOnceDate, alarm.OnceDate);
    data[kDeleteAfterPlaying] = alarm.DeleteAfterPlaying.byte();
    data[kDeleteAfterExpiration] = alarm.DeleteAfterExpiration.byte();
    CopyIn(bytes, kPadding42, alarm.Padding42);
    WriteLittleEndian<std::int32_t>(data, kEveryNdays, alarm.EveryNdays);
    WriteLittleEndian<double>(data, kDailyStart, alarm.DailyStart);
    WriteLittleEndian<std::int32_t>(data, kEveryNweeks, alarm.EveryNweeks);
    CopyIn(bytes, kPadding60, alarm.Padding60);
    WriteLittleEndian<double>(data, kWeeklyStart, alarm.WeeklyStart);
    CopyIn(bytes, kWeekdays, alarm.Weekdays);
    data[kMonthlyThe] = alarm.MonthlyThe.byte();
    CopyIn(bytes, kPadding81, alarm.Padding81);
    WriteLittleEndian<std::int32_t>(data, kMonthlyDay, alarm.MonthlyDay);
    WriteLittleEndian<std::int32_t>(data, kMonthlyTheN, alarm.MonthlyTheN);
    WriteLittleEndian<std::int32_t>(data, kMonthlyTheDay, alarm.MonthlyTheDay);
    CopyIn(bytes, kMonths, alarm.Months);
    CopyIn(bytes, kName, alarm.Name.bytes());
    CopyIn(bytes, kVisualFile, alarm.VisualFile.bytes());
    CopyIn(bytes, kSoundFile, alarm.SoundFile.bytes());
    CopyIn(bytes, kDocFile, alarm.DocFile.bytes());
    data[kSound] = alarm.Sound.byte();
    data[kAudioPic] = alarm.AudioPic.byte();
    data[kPadding667] = alarm.Padding667;
    WriteLittleEndian<std::int32_t>(data, kStaysOn, alarm.StaysOn);
    return bytes;
}

namespace {

AlarmRecord WithoutRunState(AlarmRecord alarm)
{
    alarm.Enabled = StoredBool();
    alarm.LastRung = 0;
    return alarm;
}

} // namespace

bool IsSameAlarm(AlarmRecord a, AlarmRecord b)
{
    return WithoutRunState(a) == WithoutRunState(b);
}

QString AlarmHandle(const AlarmRecord& alarm)
{
    const AlarmRecordBytes bytes = WriteAlarmRecord(WithoutRunState(alarm));
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), QCryptographicHash::Sha1);
    return QString::fromLatin1(digest.left(4).toHex());
}
