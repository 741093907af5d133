#pragma once

#include "alarms/AlarmRecord.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The alarm store's file: "Alarm/Alarms.cfg" in the program folder.
QString DefaultAlarmStorePath();

// The user's alarms in list order, and the file that keeps them: the records
// one after another, no header. Records are addressed by index everywhere.
class AlarmStore {
public:
    // Far more alarms than anyone keeps; a larger file is refused rather than
    // read into memory.
    static constexpr std::size_t kMaxAlarms = 100000;

    explicit AlarmStore(QString fileName = DefaultAlarmStorePath());

    const QString& fileName() const { return m_fileName; }

    // Replaces Alarms with the file's records. A missing file or folder gives
    // an empty store; a trailing part shorter than a record is ignored.
    // Throws IoError, naming the file, when it cannot be read, is not a
    // regular file or holds more than kMaxAlarms records; the records read
    // before a failure stay.
    void LoadAlarms();

    // Writes all of Alarms over the file, creating a missing folder. The file
    // is replaced as a whole, so a failure (IoError) leaves it as it was.
    // Before writing, each record whose list row exists takes the row's
    // check-box state as Enabled.
    void SaveAlarms();

    // Gives each record whose list row exists the row's check-box state as
    // Enabled; a save does this first.
    void TakeCheckBoxStates();

    // Removes record index (ignored when out of range, -1 included) and has
    // the list rebuilt.
    void DeleteAlarm(int index);

    // Has the list rebuilt from Alarms, one row per record.
    void RebuildList() const;

    std::vector<TAlarmRec> Alarms;

    // Hooks of the alarm editor; all may stay empty (no editor). RowEnabled
    // gives the check-box state of row index, or nothing when the list has no
    // such row or the row is still blank. AlarmDeleted tells which record
    // went, before ListChanged rebuilds the rows from Alarms.
    std::function<std::optional<bool>(int index)> RowEnabled;
    std::function<void(int index)> AlarmDeleted;
    std::function<void()> ListChanged;

private:
    QString m_fileName;
};
