#include "alarms/AlarmWatchFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/RegularFile.h"
#include "platform/text/LocalClock.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr char kHeader[] = "# Vellamor: when a clock last watched the alarms; alarms changed while none did\n";
const QString kMomentFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
// One line per alarm at most; a larger file is refused.
constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

std::optional<TDateTime> ReadMoment(const QByteArray& text)
{
    const QDateTime moment = QDateTime::fromString(QString::fromLatin1(text), kMomentFormat);
    return moment.isValid() ? std::optional<TDateTime>(DateTimeFromLocal(moment)) : std::nullopt;
}

QByteArray MomentText(TDateTime moment)
{
    return LocalFromDateTime(moment).toString(kMomentFormat).toLatin1();
}

} // namespace

QString AlarmWatchFilePath(const QString& alarmStorePath)
{
    return QFileInfo(alarmStorePath).dir().filePath(QStringLiteral("Watched.txt"));
}

AlarmWatch ReadAlarmWatch(const QString& path)
{
    AlarmWatch watch;
    const std::optional<QByteArray> contents = ReadRegularFile(path, kMaxFileBytes);
    if (!contents)
        return watch;
    for (const QByteArray& line : contents->split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() == 2 && parts[0] == "watched") {
            watch.lastWatched = ReadMoment(parts[1]);
        } else if (parts.size() == 3 && parts[0] == "changed") {
            if (const std::optional<TDateTime> moment = ReadMoment(parts[2]))
                watch.changedUnwatched.insert(QString::fromLatin1(parts[1]), *moment);
        }
    }
    return watch;
}

void WriteAlarmWatch(const QString& path, const AlarmWatch& watch)
{
    QByteArray contents(kHeader);
    if (watch.lastWatched)
        contents += "watched\t" + MomentText(*watch.lastWatched) + '\n';
    for (auto changed = watch.changedUnwatched.begin(); changed != watch.changedUnwatched.end(); ++changed)
        contents += "changed\t" + changed.key().toLatin1() + '\t' + MomentText(changed.value()) + '\n';
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteFileAtomically(path, contents);
}
