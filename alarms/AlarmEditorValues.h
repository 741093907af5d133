#pragma once

#include "alarms/AlarmRecord.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <optional>

// The intervals the editor stores: the schedule divides by them.
inline constexpr int kMinInterval = 1;
inline constexpr int kMaxInterval = 356;

// What the alarm editor's controls hold, as plain values: the four mode
// pages and the " Show " group. The editor's window moves these to and from
// its controls; how they map to and from a record is decided here. Each
// page keeps its values while another page is shown.
struct AlarmEditorValues {
    enum class OnceDay { Today, Tomorrow, Other };

    struct OncePage {
        QTime time;
        OnceDay day = OnceDay::Tomorrow;
        QDate date; // the third choice's date
        bool deleteAfterPlaying = true;
        bool deleteAfterExpiration = false;
    };
    struct DailyPage {
        QTime time;
        int everyNdays = kMinInterval;
        QDate start;
    };
    struct WeeklyPage {
        QTime time;
        int everyNweeks = kMinInterval;
        QDate start;
        std::array<bool, 7> weekdays { true, true, true, true, true, false, false }; // Monday..Sunday
    };
    struct MonthlyPage {
        QTime time;
        bool nthWeekday = false; // "The" chosen rather than "Day"
        int day = 1;
        int nthIndex = 0; // "first" .. "last"
        int weekdayIndex = 0; // "Monday" .. "Sunday"
        std::array<bool, 12> months { true, true, true, true, true, true, true, true, true, true, true, true };
    };

    int page = AlarmRecord::Once; // the mode page shown, 0..3
    OncePage once;
    DailyPage daily;
    WeeklyPage weekly;
    MonthlyPage monthly;

    // The " Show " group. The file buttons show the picture's and the
    // sound's file name and the document's whole path.
    QString name;
    bool audioPic = true;
    QString visualFileCaption;
    bool sound = true;
    QString soundFileCaption;
    QString docFileCaption;
    int staysOnIndex = 0; // into the "Stays on " list; -1 none chosen
};

// The "Stays on " list and StaysOn minutes: "Sound length" 0, "1 min" 1, "3
// min" 3, "5 min" 5, "10 min" 10, "30 min" 30, "60 min" 60, "Forever" 9999.
// Minutes that are not in the list show as "Sound length".
int StaysOnIndex(std::int32_t minutes);
// Nothing for an index outside the list.
std::optional<std::int32_t> StaysOnMinutes(int index);

// Shows the alarm: the page of its Mode (limited to 0..3) is filled and
// shown, and the Show group; the other pages keep what they held. Values the
// controls cannot hold are brought into their ranges; a date or time that is
// not a calendar value leaves the control as it was.
void LoadAlarmIntoEditor(const AlarmRecord& alarm, const QDate& today, AlarmEditorValues& editor);

// Stores the editor into the alarm: the shown page becomes its Mode and that
// page's fields are written, the name (cut to 12 characters), Audio-Pic or
// document, the sound switch, the document (cut to 180 characters) and the
// stays-on time (unchanged when none is chosen). LastRung is cleared, so the
// alarm can ring again today. Times are stored to the minute on today's
// date; "Today" and "Tomorrow" are taken from today. Enabled, the picture,
// the sound file and the other pages' fields stay as they were.
void StoreEditorIntoAlarm(const AlarmEditorValues& editor, const QDate& today, AlarmRecord& alarm);

// The record Create appends: a copy of the selected alarm when there is one,
// else an alarm ringing once tomorrow at the current minute, with every
// other page at the editor's own starting values. Either way it is named "New
// Alarm", enabled, without files, with the given sound and Audio-Pic choice.
AlarmRecord NewAlarmRecord(const AlarmRecord* selected, const QDateTime& now, bool sound, bool audioPic);
