#include "alarms/AlarmStore.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "platform/files/ProgramFolder.h"
#include "platform/files/RegularFile.h"
#include "platform/text/LocalClock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// How long a program waits for another to finish with the store: longer
// than any load, change and save of a full store takes.
constexpr int kLockWaitMilliseconds = 10000;

// Records read from the file at a time.
constexpr std::size_t kRecordsPerRead = 64;

// Reads the store's records into records, as many as there are before a
// failure (IoError).
void ReadRecords(const QString& fileName, std::vector<AlarmRecord>& records)
{
    std::optional<RegularFileReader> file = RegularFileReader::Open(fileName);
    if (!file)
        return;
    // A trailing part shorter than a record is ignored, so it does not count
    // against the limit.
    file->refuseLargerThan(qint64(AlarmStore::kMaxAlarms * kAlarmRecordSize + kAlarmRecordSize - 1));

    // The count is known from the size: the records are read in large pieces
    // straight into their place, never moved again.
    const std::size_t count = std::size_t(file->size()) / kAlarmRecordSize;
    records.reserve(count);
    while (records.size() < count) {
        const std::size_t wanted = std::min(kRecordsPerRead, count - records.size());
        const QByteArray piece = file->read(qint64(wanted * kAlarmRecordSize));
        AlarmRecordBytes bytes;
        for (qsizetype offset = 0; offset + qsizetype(kAlarmRecordSize) <= piece.size(); offset += qsizetype(kAlarmRecordSize)) {
            std::memcpy(bytes.data(), piece.constData() + offset, kAlarmRecordSize);
            records.push_back(ReadAlarmRecord(bytes));
        }
        // The file got shorter since its size was taken.
        if (std::size_t(piece.size()) < wanted * kAlarmRecordSize)
            break;
    }
}

} // namespace

QString DefaultAlarmStorePath()
{
    return ProgramFolder() + QStringLiteral("Alarm/Alarms.cfg");
}

AlarmStore::AlarmStore(QString fileName, QObject* parent) : QObject(parent), m_fileName(std::move(fileName)) {}

AlarmStore::~AlarmStore() = default;

AlarmStore::Lock::Lock(AlarmStore& store) : m_store(store)
{
    if (m_store.m_lockDepth++ > 0)
        return;
    QDir().mkpath(QFileInfo(m_store.m_fileName).absolutePath());
    m_store.m_lockFile = std::make_unique<QLockFile>(m_store.m_fileName + QStringLiteral(".lock"));
    if (m_store.m_lockFile->tryLock(kLockWaitMilliseconds))
        return;
    const bool held = m_store.m_lockFile->error() == QLockFile::LockFailedError;
    m_store.m_lockFile.reset();
    // A lock file that cannot be written (a full disk, a folder without
    // write permission) means the store cannot be written either: the
    // write says so in its own words.
    if (!held)
        return;
    --m_store.m_lockDepth;
    throw IoError(QStringLiteral("The alarm store %1 is being changed by another program; nothing was changed. Try again.")
                      .arg(m_store.m_fileName));
}

AlarmStore::Lock::~Lock()
{
    if (--m_store.m_lockDepth == 0)
        m_store.m_lockFile.reset(); // unlocks and removes the lock file
}

void AlarmStore::LoadAlarms()
{
    // No lock: a save replaces the file as a whole, so a load sees the
    // whole file before or after it.
    std::vector<AlarmRecord> records;
    m_unread.reset();
    try {
        ReadRecords(m_fileName, records);
    } catch (...) {
        // The records read before the failure stay.
        m_unread = UnreadStore { CurrentLocalDateTime(), records };
        replaceAll(std::move(records));
        throw;
    }
    replaceAll(std::move(records));
}

QString AlarmStore::keptApartFileName() const
{
    const QFileInfo store(m_fileName);
    const QString moment = m_unread ? m_unread->failedAt.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) : QString();
    return store.dir().filePath(QStringLiteral("%1 (kept apart %2).%3").arg(store.completeBaseName(), moment, store.suffix()));
}

void AlarmStore::SaveAlarms()
{
    const Lock lock(*this);
    takeEnabledChoices();
    if (m_unread && m_records == m_unread->readRecords)
        return;
    const QString target = m_unread ? keptApartFileName() : m_fileName;
    QByteArray contents;
    contents.reserve(qsizetype(m_records.size() * kAlarmRecordSize));
    for (const AlarmRecord& alarm : m_records) {
        const AlarmRecordBytes bytes = WriteAlarmRecord(alarm);
        contents.append(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    // A folder that cannot be made shows as the write's own error.
    QDir().mkpath(QFileInfo(target).absolutePath());
    WriteFileAtomically(target, contents);
}

std::optional<std::size_t> AlarmStore::indexOf(AlarmId id) const
{
    const auto found = std::find(m_ids.begin(), m_ids.end(), id);
    if (found == m_ids.end())
        return std::nullopt;
    return std::size_t(found - m_ids.begin());
}

const AlarmRecord* AlarmStore::find(AlarmId id) const
{
    const std::optional<std::size_t> index = indexOf(id);
    return index ? &m_records[*index] : nullptr;
}

void AlarmStore::replaceAll(std::vector<AlarmRecord> records)
{
    m_records = std::move(records);
    m_ids.resize(m_records.size());
    for (AlarmId& id : m_ids)
        id = newId();
    m_enabledChoices.clear();
    emit listChanged();
}

AlarmId AlarmStore::add(const AlarmRecord& record)
{
    m_records.push_back(record);
    m_ids.push_back(newId());
    emit alarmAdded(m_ids.back());
    return m_ids.back();
}

void AlarmStore::update(AlarmId id, const AlarmRecord& record)
{
    const std::optional<std::size_t> index = indexOf(id);
    if (!index)
        return;
    m_records[*index] = record;
    emit alarmChanged(id);
}

void AlarmStore::remove(AlarmId id)
{
    const std::optional<std::size_t> index = indexOf(id);
    if (!index)
        return;
    m_records.erase(m_records.begin() + std::ptrdiff_t(*index));
    m_ids.erase(m_ids.begin() + std::ptrdiff_t(*index));
    m_enabledChoices.erase(id);
    emit alarmRemoved(id);
}

void AlarmStore::removeIf(const std::function<bool(const AlarmRecord&)>& predicate)
{
    std::vector<AlarmId> removed;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (predicate(m_records[i])) {
            removed.push_back(m_ids[i]);
            continue;
        }
        m_records[kept] = std::move(m_records[i]);
        m_ids[kept] = m_ids[i];
        ++kept;
    }
    m_records.resize(kept);
    m_ids.resize(kept);
    for (const AlarmId id : removed) {
        m_enabledChoices.erase(id);
        emit alarmRemoved(id);
    }
    emit listChanged();
}

void AlarmStore::setEnabledChoice(AlarmId id, bool enabled)
{
    if (indexOf(id))
        m_enabledChoices[id] = enabled;
}

std::optional<bool> AlarmStore::enabledChoice(AlarmId id) const
{
    const auto found = m_enabledChoices.find(id);
    if (found == m_enabledChoices.end())
        return std::nullopt;
    return found->second;
}

bool AlarmStore::shownEnabled(AlarmId id) const
{
    if (const std::optional<bool> choice = enabledChoice(id))
        return *choice;
    const AlarmRecord* alarm = find(id);
    return alarm && alarm->Enabled;
}

void AlarmStore::takeEnabledChoices()
{
    for (const auto& [id, enabled] : std::exchange(m_enabledChoices, {})) {
        const std::optional<std::size_t> index = indexOf(id);
        // An unchanged check box keeps the stored byte as it was read.
        if (index && bool(m_records[*index].Enabled) != enabled)
            m_records[*index].Enabled = enabled;
    }
}
