#include "alarms/AlarmStore.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "platform/files/ProgramFolder.h"
#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Records read from the file at a time.
constexpr std::size_t kRecordsPerRead = 64;

} // namespace

QString DefaultAlarmStorePath()
{
    return ProgramFolder() + QStringLiteral("Alarm/Alarms.cfg");
}

AlarmStore::AlarmStore(QString fileName) : m_fileName(std::move(fileName)) {}

void AlarmStore::LoadAlarms()
{
    Alarms.clear();
    std::optional<RegularFileReader> file = RegularFileReader::Open(m_fileName);
    if (!file)
        return;
    // A trailing part shorter than a record is ignored, so it does not count
    // against the limit.
    file->refuseLargerThan(qint64(kMaxAlarms * kAlarmRecordSize + kAlarmRecordSize - 1));

    // The count is known from the size: the records are read in large pieces
    // straight into their place, never moved again.
    const std::size_t count = std::size_t(file->size()) / kAlarmRecordSize;
    Alarms.reserve(count);
    while (Alarms.size() < count) {
        const std::size_t wanted = std::min(kRecordsPerRead, count - Alarms.size());
        const QByteArray piece = file->read(qint64(wanted * kAlarmRecordSize));
        AlarmRecordBytes bytes;
        for (qsizetype offset = 0; offset + qsizetype(kAlarmRecordSize) <= piece.size(); offset += qsizetype(kAlarmRecordSize)) {
            std::memcpy(bytes.data(), piece.constData() + offset, kAlarmRecordSize);
            Alarms.push_back(ReadAlarmRecord(bytes));
        }
        // The file got shorter since its size was taken.
        if (std::size_t(piece.size()) < wanted * kAlarmRecordSize)
            break;
    }
}

void AlarmStore::SaveAlarms()
{
    TakeCheckBoxStates();
    QByteArray contents;
    contents.reserve(qsizetype(Alarms.size() * kAlarmRecordSize));
    for (const TAlarmRec& alarm : Alarms) {
        const AlarmRecordBytes bytes = WriteAlarmRecord(alarm);
        contents.append(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    // A folder that cannot be made shows as the write's own error.
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    WriteFileAtomically(m_fileName, contents);
}

void AlarmStore::TakeCheckBoxStates()
{
    if (!RowEnabled)
        return;
    for (std::size_t i = 0; i < Alarms.size(); ++i) {
        TAlarmRec& alarm = Alarms[i];
        // An unchanged check box keeps the stored byte as it was read.
        if (const std::optional<bool> checked = RowEnabled(int(i)); checked && *checked != bool(alarm.Enabled))
            alarm.Enabled = *checked;
    }
}

void AlarmStore::DeleteAlarm(int index)
{
    if (index < 0 || std::size_t(index) >= Alarms.size())
        return;
    Alarms.erase(Alarms.begin() + index);
    if (AlarmDeleted)
        AlarmDeleted(index);
    RebuildList();
}

void AlarmStore::RebuildList() const
{
    if (ListChanged)
        ListChanged();
}
