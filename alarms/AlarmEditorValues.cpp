#include "alarms/AlarmEditorValues.h"

#include "platform/files/FileNames.h"

#include <algorithm>

namespace {

constexpr std::array<std::int32_t, 8> kStaysOnMinutes { 0, 1, 3, 5, 10, 30, 60, 9999 };
constexpr int kLastNthIndex = 4; // "last"
constexpr int kLastWeekdayIndex = 6; // "Sunday"
constexpr int kLastMonthDay = 31;

// Fills value from a stored date or time only when it is a calendar value.
void LoadDate(TDateTime stored, QDate& value)
{
    if (const QDate date = DateOf(stored); date.isValid())
        value = date;
}

void LoadTime(TDateTime stored, QTime& value)
{
    if (const QTime time = TimeOf(stored); time.isValid())
        value = time;
}

template <std::size_t N>
void LoadFlags(const std::array<std::uint8_t, N + 1>& stored, std::array<bool, N>& boxes)
{
    for (std::size_t i = 0; i < N; ++i)
        boxes[i] = AlarmRecord::FlagIsOn(stored[i + 1]);
}

template <std::size_t N>
void StoreFlags(const std::array<bool, N>& boxes, std::array<std::uint8_t, N + 1>& stored)
{
    for (std::size_t i = 0; i < N; ++i)
        stored[i + 1] = boxes[i] ? kFlagOn : kFlagOff;
}

TDateTime StoredTime(const QDate& today, const QTime& time)
{
    return EncodeDateTime(today, QTime(time.hour(), time.minute()));
}

int Interval(int value)
{
    return std::clamp(value, kMinInterval, kMaxInterval);
}

void LoadPage(const AlarmRecord& alarm, const QDate& today, AlarmEditorValues& editor)
{
    switch (editor.page) {
    case AlarmRecord::Once: {
        AlarmEditorValues::OncePage& once = editor.once;
        LoadTime(alarm.AlarmTime, once.time);
        const QDate date = DateOf(alarm.OnceDate);
        if (date == today)
            once.day = AlarmEditorValues::OnceDay::Today;
        else if (date == today.addDays(1))
            once.day = AlarmEditorValues::OnceDay::Tomorrow;
        else
            once.day = AlarmEditorValues::OnceDay::Other;
        LoadDate(alarm.OnceDate, once.date);
        once.deleteAfterPlaying = alarm.DeleteAfterPlaying;
        once.deleteAfterExpiration = alarm.DeleteAfterExpiration;
        break;
    }
    case AlarmRecord::Daily:
        LoadTime(alarm.AlarmTime, editor.daily.time);
        editor.daily.everyNdays = Interval(alarm.EveryNdays);
        LoadDate(alarm.DailyStart, editor.daily.start);
        break;
    case AlarmRecord::Weekly:
        LoadTime(alarm.AlarmTime, editor.weekly.time);
        editor.weekly.everyNweeks = Interval(alarm.EveryNweeks);
        LoadDate(alarm.WeeklyStart, editor.weekly.start);
        LoadFlags(alarm.Weekdays, editor.weekly.weekdays);
        break;
    case AlarmRecord::Monthly: {
        AlarmEditorValues::MonthlyPage& monthly = editor.monthly;
        LoadTime(alarm.AlarmTime, monthly.time);
        monthly.nthWeekday = alarm.MonthlyThe;
        monthly.day = std::clamp(alarm.MonthlyDay, 1, kLastMonthDay);
        monthly.nthIndex = std::clamp(alarm.MonthlyTheN - 1, 0, kLastNthIndex);
        monthly.weekdayIndex = std::clamp(alarm.MonthlyTheDay - 1, 0, kLastWeekdayIndex);
        LoadFlags(alarm.Months, monthly.months);
        break;
    }
    }
}

void StorePage(const AlarmEditorValues& editor, int page, const QDate& today, AlarmRecord& alarm)
{
    switch (page) {
    case AlarmRecord::Once: {
        const AlarmEditorValues::OncePage& once = editor.once;
        alarm.AlarmTime = StoredTime(today, once.time);
        alarm.DeleteAfterPlaying = once.deleteAfterPlaying;
        alarm.DeleteAfterExpiration = once.deleteAfterExpiration;
        switch (once.day) {
        case AlarmEditorValues::OnceDay::Today:
            alarm.OnceDate = EncodeDate(today);
            break;
        case AlarmEditorValues::OnceDay::Tomorrow:
            alarm.OnceDate = EncodeDate(today.addDays(1));
            break;
        case AlarmEditorValues::OnceDay::Other:
            alarm.OnceDate = EncodeDate(once.date);
            break;
        }
        break;
    }
    case AlarmRecord::Daily:
        alarm.AlarmTime = StoredTime(today, editor.daily.time);
        alarm.EveryNdays = Interval(editor.daily.everyNdays);
        alarm.DailyStart = EncodeDate(editor.daily.start);
        break;
    case AlarmRecord::Weekly:
        alarm.AlarmTime = StoredTime(today, editor.weekly.time);
        alarm.WeeklyStart = EncodeDate(editor.weekly.start);
        alarm.EveryNweeks = Interval(editor.weekly.everyNweeks);
        StoreFlags(editor.weekly.weekdays, alarm.Weekdays);
        break;
    case AlarmRecord::Monthly: {
        const AlarmEditorValues::MonthlyPage& monthly = editor.monthly;
        alarm.AlarmTime = StoredTime(today, monthly.time);
        alarm.MonthlyThe = monthly.nthWeekday;
        alarm.MonthlyDay = std::clamp(monthly.day, 1, kLastMonthDay);
        alarm.MonthlyTheN = std::clamp(monthly.nthIndex, 0, kLastNthIndex) + 1;
        alarm.MonthlyTheDay = std::clamp(monthly.weekdayIndex, 0, kLastWeekdayIndex) + 1;
        StoreFlags(monthly.months, alarm.Months);
        break;
    }
    }
}

} // namespace

int StaysOnIndex(std::int32_t minutes)
{
    const auto found = std::find(kStaysOnMinutes.begin(), kStaysOnMinutes.end(), minutes);
    return found == kStaysOnMinutes.end() ? 0 : int(found - kStaysOnMinutes.begin());
}

std::optional<std::int32_t> StaysOnMinutes(int index)
{
    if (index < 0 || std::size_t(index) >= kStaysOnMinutes.size())
        return std::nullopt;
    return kStaysOnMinutes[std::size_t(index)];
}

void LoadAlarmIntoEditor(const AlarmRecord& alarm, const QDate& today, AlarmEditorValues& editor)
{
    editor.page = std::clamp<int>(alarm.Mode, AlarmRecord::Once, AlarmRecord::Monthly);
    LoadPage(alarm, today, editor);

    editor.name = alarm.Name.text();
    editor.audioPic = alarm.AudioPic;
    editor.visualFileCaption = ExtractFileName(alarm.VisualFile.text());
    editor.sound = alarm.Sound;
    editor.soundFileCaption = ExtractFileName(alarm.SoundFile.text());
    editor.docFileCaption = alarm.DocFile.text();
    editor.staysOnIndex = StaysOnIndex(alarm.StaysOn);
}

void StoreEditorIntoAlarm(const AlarmEditorValues& editor, const QDate& today, AlarmRecord& alarm)
{
    alarm.LastRung = 0;
    alarm.Mode = std::clamp<int>(editor.page, AlarmRecord::Once, AlarmRecord::Monthly);
    StorePage(editor, alarm.Mode, today, alarm);

    alarm.Name.setText(editor.name);
    alarm.AudioPic = editor.audioPic;
    alarm.Sound = editor.sound;
    alarm.DocFile.setText(editor.docFileCaption);
    if (const std::optional<std::int32_t> minutes = StaysOnMinutes(editor.staysOnIndex))
        alarm.StaysOn = *minutes;
}

AlarmRecord NewAlarmRecord(const AlarmRecord* selected, const QDateTime& now, bool sound, bool audioPic)
{
    AlarmRecord alarm {};
    if (selected) {
        alarm = *selected;
    } else {
        // Every page as the editor starts, ringing once (the Mode of a
        // fresh record) at the current minute.
        const QDate today = now.date();
        AlarmEditorValues fresh;
        fresh.once.time = fresh.daily.time = fresh.weekly.time = fresh.monthly.time = now.time();
        fresh.daily.start = fresh.weekly.start = today;
        alarm.Weekdays.fill(kFlagOff);
        alarm.Months.fill(kFlagOff);
        for (const int page : { AlarmRecord::Once, AlarmRecord::Daily, AlarmRecord::Weekly, AlarmRecord::Monthly })
            StorePage(fresh, page, today, alarm);
    }
    alarm.Name.setText(QStringLiteral("New Alarm"));
    alarm.Enabled = true;
    alarm.Sound = sound;
    alarm.AudioPic = audioPic;
    alarm.VisualFile.setText(QString());
    alarm.SoundFile.setText(QString());
    alarm.DocFile.setText(QString());
    return alarm;
}
