#pragma once

#include "platform/text/DateTime.h"
#include "platform/files/ShortString.h"
#include "platform/files/StoredBool.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kAlarmRecordSize = 672;

// The flag characters of Weekdays and Months: "N" on, "F" off; any other byte
// reads as off.
inline constexpr std::uint8_t kFlagOn = 'N';
inline constexpr std::uint8_t kFlagOff = 'F';

// One alarm. On disk the alarm store is these records one after another,
// 672 bytes each, little-endian, no header. Padding and reserved bytes are
// kept as read, so a store is written back exactly as it was loaded.
struct AlarmRecord {
    enum Mode : std::int32_t { Once = 0, Daily = 1, Weekly = 2, Monthly = 3 };

    StoredBool Enabled; // may ring; the list row's check box
    std::array<std::uint8_t, 7> Padding1;
    TDateTime LastRung;                 // date (midnight) it last rang; 0 after every edit
    std::int32_t Mode;                  // Once, Daily, Weekly, Monthly; others never ring
    std::array<std::uint8_t, 4> Padding20;
    TDateTime AlarmTime;                // only the time of day counts
    TDateTime OnceDate;                 // Once: the date to ring
    StoredBool DeleteAfterPlaying; // Once: delete after it has rung
    StoredBool DeleteAfterExpiration; // Once: delete at start when it has no next date
    std::array<std::uint8_t, 2> Padding42;
    std::int32_t EveryNdays;            // Daily: interval in days
    TDateTime DailyStart;               // Daily: start date
    std::int32_t EveryNweeks;           // Weekly: interval in weeks
    std::array<std::uint8_t, 4> Padding60;
    TDateTime WeeklyStart;              // Weekly: start date
    std::array<std::uint8_t, 8> Weekdays; // Weekly: [0] reserved, [1..7] Monday..Sunday flags
    StoredBool MonthlyThe; // Monthly: false day-number rule, true nth-weekday rule
    std::array<std::uint8_t, 3> Padding81;
    std::int32_t MonthlyDay;            // Monthly day-number rule: 1..31
    std::int32_t MonthlyTheN;           // nth-weekday rule: 1 first .. 4 fourth, 5 last
    std::int32_t MonthlyTheDay;         // nth-weekday rule: 1 Monday .. 7 Sunday
    std::array<std::uint8_t, 13> Months; // Monthly: [0] reserved, [1..12] January..December flags
    ShortString<12> Name;
    ShortString<180> VisualFile;        // picture to show; a missing file's last component is shown as text
    ShortString<180> SoundFile;
    ShortString<180> DocFile;           // document to open
    StoredBool Sound; // play the sound (picture/text alarms)
    StoredBool AudioPic; // true: picture or text and sound; false: open the document
    std::uint8_t Padding667;
    std::int32_t StaysOn;               // minutes the sound repeats: 0 one play, 9999 forever

    // A flag byte of Weekdays or Months reads as on only when it is "N".
    static bool FlagIsOn(std::uint8_t flag) { return flag == kFlagOn; }

    bool operator==(const AlarmRecord&) const = default;
};

using AlarmRecordBytes = std::array<std::uint8_t, kAlarmRecordSize>;

AlarmRecord ReadAlarmRecord(const AlarmRecordBytes& bytes);
AlarmRecordBytes WriteAlarmRecord(const AlarmRecord& alarm);

// The same alarm, whether or not it was switched on or off or rang since.
bool IsSameAlarm(AlarmRecord a, AlarmRecord b);

// Eight hexadecimal digits that name an alarm in `vellamor-tool alarms`
// beside its index: a digest of the record, Enabled and LastRung left out,
// so that it stays while the alarm is switched on or off or rings, and
// changes when the alarm is edited. Two alarms alike in everything have the
// same handle, and either is the one meant.
QString AlarmHandle(const AlarmRecord& alarm);
