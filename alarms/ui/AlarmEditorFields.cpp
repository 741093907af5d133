#include "alarms/ui/AlarmEditorFields.h"

#include <array>
#include <utility>

namespace {

using Values = AlarmEditorValues;

template <std::size_t Index>
bool& Weekday(Values& v)
{
    return v.weekly.weekdays[Index];
}

template <std::size_t Index>
bool& Month(Values& v)
{
    return v.monthly.months[Index];
}

int OnceDayOf(const Values& v)
{
    return int(v.once.day);
}
void SetOnceDay(Values& v, int day)
{
    v.once.day = Values::OnceDay(day);
}
int MonthlyRuleOf(const Values& v)
{
    return v.monthly.nthWeekday;
}
void SetMonthlyRule(Values& v, int nthWeekday)
{
    v.monthly.nthWeekday = nthWeekday;
}
int ShowKindOf(const Values& v)
{
    return v.audioPic;
}
void SetShowKind(Values& v, int audioPic)
{
    v.audioPic = audioPic;
}

constexpr int kDayNumber = 0;
constexpr int kNthWeekday = 1;
constexpr int kDocument = 0;
constexpr int kPictureOrText = 1;

const std::array kFields {
    AlarmEditorField { "pcAlarmMode", EditorField<int>([](Values& v) -> int& { return v.page; }) },

    AlarmEditorField { "TimePickerOnce", EditorField<QTime>([](Values& v) -> QTime& { return v.once.time; }) },
    AlarmEditorField { "rbOnceToday", EditorChoice { OnceDayOf, SetOnceDay, int(Values::OnceDay::Today) } },
    AlarmEditorField { "rbOnceTomorrow", EditorChoice { OnceDayOf, SetOnceDay, int(Values::OnceDay::Tomorrow) } },
    AlarmEditorField { "rbOnceOther", EditorChoice { OnceDayOf, SetOnceDay, int(Values::OnceDay::Other) } },
    AlarmEditorField { "DatePickerOnce", EditorField<QDate>([](Values& v) -> QDate& { return v.once.date; }) },
    AlarmEditorField { "chkDeleteAfterPlaying",
        EditorField<bool>([](Values& v) -> bool& { return v.once.deleteAfterPlaying; }) },
    AlarmEditorField { "chkDeleteAfterExpiration",
        EditorField<bool>([](Values& v) -> bool& { return v.once.deleteAfterExpiration; }) },

    AlarmEditorField { "TimePickerDaily", EditorField<QTime>([](Values& v) -> QTime& { return v.daily.time; }) },
    AlarmEditorField { "seEveryNdays", EditorField<int>([](Values& v) -> int& { return v.daily.everyNdays; }) },
    AlarmEditorField { "DatePickerDaily", EditorField<QDate>([](Values& v) -> QDate& { return v.daily.start; }) },

    AlarmEditorField { "TimePickerWeekly", EditorField<QTime>([](Values& v) -> QTime& { return v.weekly.time; }) },
    AlarmEditorField { "seEveryNweeks", EditorField<int>([](Values& v) -> int& { return v.weekly.everyNweeks; }) },
    AlarmEditorField { "DatePickerWeekly", EditorField<QDate>([](Values& v) -> QDate& { return v.weekly.start; }) },
    AlarmEditorField { "chkMonday", EditorField<bool>(Weekday<0>) },
    AlarmEditorField { "chkTuesday", EditorField<bool>(Weekday<1>) },
    AlarmEditorField { "chkWednesday", EditorField<bool>(Weekday<2>) },
    AlarmEditorField { "chkThursday", EditorField<bool>(Weekday<3>) },
    AlarmEditorField { "chkFriday", EditorField<bool>(Weekday<4>) },
    AlarmEditorField { "chkSaturday", EditorField<bool>(Weekday<5>) },
    AlarmEditorField { "chkSunday", EditorField<bool>(Weekday<6>) },

    AlarmEditorField { "TimePickerMonthly", EditorField<QTime>([](Values& v) -> QTime& { return v.monthly.time; }) },
    AlarmEditorField { "rbMonthlyDay", EditorChoice { MonthlyRuleOf, SetMonthlyRule, kDayNumber } },
    AlarmEditorField { "rbMonthyThe", EditorChoice { MonthlyRuleOf, SetMonthlyRule, kNthWeekday } },
    AlarmEditorField { "seMonthlyDay", EditorField<int>([](Values& v) -> int& { return v.monthly.day; }) },
    AlarmEditorField { "cbMonthlyTheN", EditorField<int>([](Values& v) -> int& { return v.monthly.nthIndex; }) },
    AlarmEditorField { "cbMonthlyTheDay", EditorField<int>([](Values& v) -> int& { return v.monthly.weekdayIndex; }) },
    AlarmEditorField { "chkJan", EditorField<bool>(Month<0>) },
    AlarmEditorField { "chkFeb", EditorField<bool>(Month<1>) },
    AlarmEditorField { "chkMar", EditorField<bool>(Month<2>) },
    AlarmEditorField { "chkApr", EditorField<bool>(Month<3>) },
    AlarmEditorField { "chkMay", EditorField<bool>(Month<4>) },
    AlarmEditorField { "chkJun", EditorField<bool>(Month<5>) },
    AlarmEditorField { "chkJul", EditorField<bool>(Month<6>) },
    AlarmEditorField { "chkAug", EditorField<bool>(Month<7>) },
    AlarmEditorField { "chkSep", EditorField<bool>(Month<8>) },
    AlarmEditorField { "chkOct", EditorField<bool>(Month<9>) },
    AlarmEditorField { "chkNov", EditorField<bool>(Month<10>) },
    AlarmEditorField { "chkDec", EditorField<bool>(Month<11>) },

    AlarmEditorField { "eName", EditorField<QString>([](Values& v) -> QString& { return v.name; }) },
    AlarmEditorField { "rbAudioPic", EditorChoice { ShowKindOf, SetShowKind, kPictureOrText } },
    AlarmEditorField { "rbDoc", EditorChoice { ShowKindOf, SetShowKind, kDocument } },
    AlarmEditorField { "bbVisualFile", EditorField<QString>([](Values& v) -> QString& { return v.visualFileCaption; }) },
    AlarmEditorField { "chkSound", EditorField<bool>([](Values& v) -> bool& { return v.sound; }) },
    AlarmEditorField { "bbSoundFile", EditorField<QString>([](Values& v) -> QString& { return v.soundFileCaption; }) },
    AlarmEditorField { "bbDocFile", EditorField<QString>([](Values& v) -> QString& { return v.docFileCaption; }) },
    AlarmEditorField { "cbStaysOn", EditorField<int>([](Values& v) -> int& { return v.staysOnIndex; }) },
};

} // namespace

std::span<const AlarmEditorField> AlarmEditorFields()
{
    return kFields;
}
