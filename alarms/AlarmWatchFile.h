#pragma once

#include "platform/text/DateTime.h"

#include <QMap>
#include <QString>

#include <optional>

// What tells an alarm missed while the clock was not running from one that
// could never have rung: when a clock last watched the alarms, and when each
// alarm changed (was added, edited or switched on) by the command line while
// no clock watched them, by its handle. An alarm is missed only when it fell
// due after both.
struct AlarmWatch {
    std::optional<TDateTime> lastWatched; // local date-time; nothing before the first run
    QMap<QString, TDateTime> changedUnwatched;

    bool operator==(const AlarmWatch&) const = default;
};

// "Watched.txt" in the folder of the alarm store.
QString AlarmWatchFilePath(const QString& alarmStorePath);

// A text file: a comment line, then "watched" TAB the moment, and one
// "changed" TAB handle TAB moment line per alarm changed unwatched; moments
// as "yyyy-MM-dd HH:mm:ss" (local time). A missing file, or a line that does
// not read, tells nothing. Throws IoError when the file cannot be read.
AlarmWatch ReadAlarmWatch(const QString& path);

// Replaces the file, atomically. Throws IoError.
void WriteAlarmWatch(const QString& path, const AlarmWatch& watch);
