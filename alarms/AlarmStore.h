#pragma once

#include "alarms/AlarmRecord.h"

#include <QDateTime>
#include <QObject>

class QLockFile;
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// The alarm store's file: "Alarm/Alarms.cfg" in the program folder.
QString DefaultAlarmStorePath();

// Names one alarm while the program runs, whatever is inserted, deleted or
// reordered around it; never reused. 0 names no alarm.
using AlarmId = std::uint64_t;
inline constexpr AlarmId kNoAlarm = 0;

// The user's alarms in list order, and the file that keeps them: the records
// one after another, no header. Each record has an identity for the run;
// windows and the schedule act on an alarm by it, never by its position.
// The list's check boxes are choices the store keeps until a save takes them
// into the records' Enabled. Every change is announced, so that the alarm
// list and the schedule follow.
class AlarmStore : public QObject {
    Q_OBJECT

public:
    // Far more alarms than anyone keeps; a larger file is refused rather than
    // read into memory.
    static constexpr std::size_t kMaxAlarms = 100000;

    explicit AlarmStore(QString fileName = DefaultAlarmStorePath(), QObject* parent = nullptr);
    ~AlarmStore() override;

    const QString& fileName() const { return m_fileName; }

    // Replaces the alarms with the file's records. A missing file or folder
    // gives an empty store; a trailing part shorter than a record is ignored.
    // Throws IoError, naming the file, when it cannot be read, is not a
    // regular file or holds more than kMaxAlarms records; the records read
    // before a failure stay, and the file is never written over from then
    // on (see SaveAlarms).
    void LoadAlarms();

    // Writes all the alarms over the file, creating a missing folder, after
    // taking the check-box choices into them, holding the store's Lock. The file is replaced as a
    // whole, so a failure (IoError) leaves it as it was. After a failed load
    // the file stays as it is, since what it holds was never read: the
    // alarms go to keptApartFileName() instead, and only once they differ
    // from what was read.
    void SaveAlarms();

    // Holds the store's advisory lock ("<store>.lock") while it lives, so
    // that no other program loads, changes and saves the store meanwhile;
    // waits for another holder up to a few seconds. A scope may hold it
    // around a load, a change and a save, which take it again freely.
    // Throws IoError when another program holds it too long; where no lock
    // file can be written, goes on without.
    class Lock {
    public:
        explicit Lock(AlarmStore& store);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        AlarmStore& m_store;
    };

    // Whether the last load failed.
    bool unread() const { return m_unread.has_value(); }
    // Where the alarms are saved after a failed load: beside the store,
    // named for the moment of the failure.
    QString keptApartFileName() const;

    // The records in list order.
    const std::vector<AlarmRecord>& records() const { return m_records; }
    std::size_t size() const { return m_records.size(); }
    AlarmId idAt(std::size_t index) const { return m_ids[index]; }
    std::optional<std::size_t> indexOf(AlarmId id) const;
    // The alarm's record; null when it has gone.
    const AlarmRecord* find(AlarmId id) const;

    // Replaces every alarm, each taking a new identity.
    void replaceAll(std::vector<AlarmRecord> records);
    // Adds an alarm at the end of the list.
    AlarmId add(const AlarmRecord& record);
    // Changes the alarm's record; nothing when it has gone.
    void update(AlarmId id, const AlarmRecord& record);
    // Removes the alarm; nothing when it has gone.
    void remove(AlarmId id);
    // Removes every alarm the predicate holds for, in one pass.
    void removeIf(const std::function<bool(const AlarmRecord&)>& predicate);

    // The user's check-box choice for the alarm's Enabled, kept until a save
    // (or takeEnabledChoices) takes it into the record.
    void setEnabledChoice(AlarmId id, bool enabled);
    std::optional<bool> enabledChoice(AlarmId id) const;
    // What the alarm's check box shows: the choice, else the record's
    // Enabled.
    bool shownEnabled(AlarmId id) const;
    // Takes the choices into the records. A choice equal to the record's
    // Enabled keeps the stored byte as it was read.
    void takeEnabledChoices();

signals:
    // The alarms were replaced or several removed at once: the list is to be
    // rebuilt.
    void listChanged();
    void alarmAdded(AlarmId id);
    void alarmChanged(AlarmId id);
    // The alarm is no longer in the store.
    void alarmRemoved(AlarmId id);

private:
    AlarmId newId() { return ++m_lastId; }

    QString m_fileName;
    std::vector<AlarmRecord> m_records;
    std::vector<AlarmId> m_ids; // beside m_records
    std::unordered_map<AlarmId, bool> m_enabledChoices;
    AlarmId m_lastId = kNoAlarm;
    // After a failed load: when it failed, and the records it read.
    struct UnreadStore {
        QDateTime failedAt;
        std::vector<AlarmRecord> readRecords;
    };
    std::optional<UnreadStore> m_unread;
    std::unique_ptr<QLockFile> m_lockFile;
    int m_lockDepth = 0;
};
