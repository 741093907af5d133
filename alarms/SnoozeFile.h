#pragma once

#include "alarms/AlarmRecord.h"

#include <QString>

#include <vector>

// An alarm the user snoozed: the record as it rang, so that it rings again
// with the same picture, text, sound and "Stays on" time, and when.
struct PendingSnooze {
    TDateTime due; // local date-time at which it rings again
    AlarmRecord alarm;

    bool operator==(const PendingSnooze&) const = default;
};

// "Snoozes.txt" in the folder of the alarm store.
QString SnoozeFilePath(const QString& alarmStorePath);

// The pending snoozes, kept apart from the alarm store, whose records stay as
// they are. A text file: a comment line, then one line per snooze, its due
// moment as "yyyy-MM-dd HH:mm:ss" (local time), a tab and the alarm's
// 672-byte record in hexadecimal. A missing file holds no snoozes; a line
// that does not read as a snooze is skipped. Throws IoError when the file
// cannot be read.
std::vector<PendingSnooze> ReadSnoozes(const QString& path);

// Replaces the file with these snoozes, atomically. Throws IoError.
void WriteSnoozes(const QString& path, const std::vector<PendingSnooze>& snoozes);
