#pragma once

#include "alarms/AlarmRecord.h"

#include <QByteArray>
#include <QString>

#include <optional>

class AlarmSchedule;
class AlarmStore;

// One change to the alarms from outside the clock (the command-line
// companion): an alarm added at the end of the list, or the alarm at an
// index switched on, off, deleted or its snoozes ended. A change by index
// carries the handle (AlarmHandle) of the alarm the user saw there.
struct AlarmChange {
    enum class Kind { Add, Enable, Disable, Delete, Unsnooze };
    Kind kind = Kind::Add;
    AlarmRecord alarm {}; // Add
    int index = -1;     // the others
    QString handle;     // the others; empty: whatever alarm is at index

    bool operator==(const AlarmChange&) const = default;
};

// Applies the change to the schedule's store; does not save the store (an
// unsnooze saves the snooze file). Check boxes the user changed in the list
// are taken into the records first, as a save would. Returns why it cannot
// be applied (an index that names no alarm, or another alarm than the
// handle says), changing nothing, or an empty text.
QString ApplyAlarmChange(AlarmSchedule& schedule, AlarmStore& store, const AlarmChange& change);

// The request that hands a change of the store at storePath to the running
// clock, one line:
//   alarms TAB <store path> TAB add TAB <672-byte record in hexadecimal> LF
//   alarms TAB <store path> TAB enable|disable|delete|unsnooze TAB <index> [TAB <handle>] LF
// The store path is absolute and UTF-8 encoded.
QByteArray AlarmChangeRequest(const QString& storePath, const AlarmChange& change);

struct AlarmChangeRequestParts {
    QString storePath;
    AlarmChange change;
};
// Nothing for a line that is not such a request.
std::optional<AlarmChangeRequestParts> ParseAlarmChangeRequest(const QByteArray& line);

// The running clock's answer to a request line, one line: "done" TAB <index
// of the alarm changed (added)> when the change is applied, with TAB
// <warning> when it is kept but not saved in the store (a full disk, a store
// the clock could not read); "elsewhere" when the request is not an alarm
// change, or names a store other than this clock's (the sender then changes
// that store itself); "failed" TAB <message> when it was not applied.
QByteArray AnswerAlarmChangeRequest(AlarmSchedule& schedule, AlarmStore& store, const QByteArray& line);
