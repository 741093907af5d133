#include "alarms/SnoozeFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr char kHeader[] = "# Vellamor snoozes: due (local time) TAB the alarm record in hexadecimal\n";
const QString kDueFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
// Far more than anyone snoozes at once; a larger file is refused.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

} // namespace

QString SnoozeFilePath(const QString& alarmStorePath)
{
    return QFileInfo(alarmStorePath).dir().filePath(QStringLiteral("Snoozes.txt"));
}

std::vector<PendingSnooze> ReadSnoozes(const QString& path)
{
    std::vector<PendingSnooze> snoozes;
    const std::optional<QByteArray> contents = ReadRegularFile(path, kMaxFileBytes);
    if (!contents)
        return snoozes;
    for (const QByteArray& line : contents->split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
        const QDateTime due = QDateTime::fromString(QString::fromLatin1(line.left(tab)), kDueFormat);
        const QByteArray record = QByteArray::fromHex(line.mid(tab + 1));
        if (tab < 0 || !due.isValid() || record.size() != qsizetype(kAlarmRecordSize)
            || line.size() - tab - 1 != qsizetype(2 * kAlarmRecordSize))
            continue;
        AlarmRecordBytes bytes;
        std::copy(record.begin(), record.end(), bytes.begin());
        snoozes.push_back({ DateTimeFromLocal(due), ReadAlarmRecord(bytes) });
    }
    return snoozes;
}

void WriteSnoozes(const QString& path, const std::vector<PendingSnooze>& snoozes)
{
    QByteArray contents(kHeader);
    for (const PendingSnooze& snooze : snoozes) {
        const AlarmRecordBytes bytes = WriteAlarmRecord(snooze.alarm);
        contents += LocalFromDateTime(snooze.due).toString(kDueFormat).toLatin1() + '\t'
            + QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex() + '\n';
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteFileAtomically(path, contents);
}
