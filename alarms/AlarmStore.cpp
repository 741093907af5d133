#include "alarms/AlarmStore.h"

#include "platform/AtomicFile.h"
#include "platform/IoError.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

QString DefaultAlarmStorePath()
{
    return ProgramFolder() + QStringLiteral("Alarm/Alarms.cfg");
}

AlarmStore::AlarmStore(QString fileName) : FFileName(std::move(fileName)) {}

void AlarmStore::LoadAlarms()
{
    Alarms.clear();
    QFile file(FFileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot read %1: %2").arg(FFileName, file.errorString()));

    const qint64 count = file.size() / qint64(kAlarmRecordSize);
    for (qint64 i = 0; i < count; ++i) {
        AlarmRecordBytes bytes {};
        const qint64 read = file.read(reinterpret_cast<char*>(bytes.data()), qint64(bytes.size()));
        if (read < 0)
            throw IoError(QStringLiteral("Cannot read %1: %2").arg(FFileName, file.errorString()));
        // The file got shorter since its size was taken.
        if (read < qint64(bytes.size()))
            break;
        Alarms.push_back(ReadAlarmRecord(bytes));
    }
}

void AlarmStore::SaveAlarms()
{
    QByteArray contents;
    contents.reserve(qsizetype(Alarms.size() * kAlarmRecordSize));
    for (std::size_t i = 0; i < Alarms.size(); ++i) {
        TAlarmRec& alarm = Alarms[i];
        // An unchanged check box keeps the stored byte as it was read.
        if (const std::optional<bool> checked = RowEnabled ? RowEnabled(int(i)) : std::nullopt;
            checked && *checked != bool(alarm.Enabled))
            alarm.Enabled = *checked;
        const AlarmRecordBytes bytes = WriteAlarmRecord(alarm);
        contents.append(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }
    // A folder that cannot be made shows as the write's own error.
    QDir().mkpath(QFileInfo(FFileName).absolutePath());
    WriteFileAtomically(FFileName, contents);
}

void AlarmStore::DeleteAlarm(int index)
{
    if (index < 0 || std::size_t(index) >= Alarms.size())
        return;
    Alarms.erase(Alarms.begin() + index);
    RebuildList();
}

void AlarmStore::RebuildList() const
{
    if (ListChanged)
        ListChanged();
}
