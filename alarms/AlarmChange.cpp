#include "alarms/AlarmChange.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmStore.h"
#include "platform/files/IoError.h"

#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace {

constexpr char kRequestWord[] = "alarms";
constexpr char kElsewhere[] = "elsewhere\n";

struct KindWord {
    AlarmChange::Kind kind;
    const char* word;
};
constexpr KindWord kKindWords[] = {
    { AlarmChange::Kind::Add, "add" },
    { AlarmChange::Kind::Enable, "enable" },
    { AlarmChange::Kind::Disable, "disable" },
    { AlarmChange::Kind::Delete, "delete" },
    { AlarmChange::Kind::Unsnooze, "unsnooze" },
};

// The answer is one line, its parts apart by tabs.
QString OneLine(QString message)
{
    message.replace(u'\n', u' ');
    message.replace(u'\t', u' ');
    return message;
}

QByteArray Failed(const QString& message)
{
    return "failed\t" + OneLine(message).toUtf8() + '\n';
}

// The path with every link and "." or ".." resolved, as far as it exists.
QString RealPath(const QString& path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.canonicalFilePath();
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? file.absolutePath() : folder) + u'/' + file.fileName();
}

// Also for files that do not exist yet: two missing files are the same
// only where their paths are.
bool SameFile(const QString& a, const QString& b)
{
    return RealPath(a) == RealPath(b);
}

} // namespace

// Why the alarm at the change's index is not the one its handle names, or
// an empty text.
QString OtherAlarmAtIndex(const AlarmStore& store, const AlarmChange& change)
{
    const AlarmRecord& there = store.records()[std::size_t(change.index)];
    if (change.handle.isEmpty() || AlarmHandle(there) == change.handle)
        return QString();
    QString message = QStringLiteral("Alarm %1 of the running clock is now \"%2\" (handle %3), not the alarm with handle %4")
                          .arg(change.index)
                          .arg(there.Name.text(), AlarmHandle(there), change.handle);
    const std::vector<AlarmRecord>& records = store.records();
    const auto moved = std::find_if(
        records.begin(), records.end(), [&change](const AlarmRecord& alarm) { return AlarmHandle(alarm) == change.handle; });
    message += moved == records.end() ? QStringLiteral(", which the clock no longer has")
                                      : QStringLiteral(", which is alarm %1 now").arg(moved - records.begin());
    return message + QStringLiteral(
               ". The list has changed since it was read (by the options window, perhaps not saved yet). Nothing was "
               "changed; list the alarms again.");
}

QString ApplyAlarmChange(AlarmSchedule& schedule, AlarmStore& store, const AlarmChange& change)
{
    if (change.kind != AlarmChange::Kind::Add && (change.index < 0 || std::size_t(change.index) >= store.size()))
        return QStringLiteral("There is no alarm %1: the alarms are numbered 0 to %2.")
            .arg(change.index)
            .arg(qsizetype(store.size()) - 1);
    if (change.kind != AlarmChange::Kind::Add)
        if (const QString other = OtherAlarmAtIndex(store, change); !other.isEmpty())
            return other;
    store.takeEnabledChoices();
    if (change.kind == AlarmChange::Kind::Add) {
        store.add(change.alarm);
        return QString();
    }
    const AlarmId id = store.idAt(std::size_t(change.index));
    if (change.kind == AlarmChange::Kind::Delete) {
        store.remove(id);
        return QString();
    }
    if (change.kind == AlarmChange::Kind::Unsnooze) {
        if (!schedule.SnoozedUntil(id))
            return QStringLiteral("Alarm %1 (\"%2\") is not snoozed.").arg(change.index).arg(store.find(id)->Name.text());
        schedule.CancelSnoozes(id);
        return QString();
    }
    // An alarm already so keeps its byte as it was.
    AlarmRecord alarm = *store.find(id);
    if (const bool enable = change.kind == AlarmChange::Kind::Enable; bool(alarm.Enabled) != enable) {
        alarm.Enabled = enable;
        store.update(id, alarm);
    }
    return QString();
}

QByteArray AlarmChangeRequest(const QString& storePath, const AlarmChange& change)
{
    const auto kind = std::find_if(std::begin(kKindWords), std::end(kKindWords),
        [&change](const KindWord& word) { return word.kind == change.kind; });
    QByteArray argument;
    if (change.kind == AlarmChange::Kind::Add) {
        const AlarmRecordBytes bytes = WriteAlarmRecord(change.alarm);
        argument = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex();
    } else {
        argument = QByteArray::number(change.index);
        if (!change.handle.isEmpty())
            argument += '\t' + change.handle.toLatin1();
    }
    return QByteArray(kRequestWord) + '\t' + QFileInfo(storePath).absoluteFilePath().toUtf8() + '\t' + kind->word + '\t'
        + argument + '\n';
}

std::optional<AlarmChangeRequestParts> ParseAlarmChangeRequest(const QByteArray& line)
{
    if (!line.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> parts = line.chopped(1).split('\t');
    if (parts.size() < 4 || parts.size() > 5 || parts[0] != kRequestWord || parts[1].isEmpty())
        return std::nullopt;
    const auto kind = std::find_if(std::begin(kKindWords), std::end(kKindWords),
        [&parts](const KindWord& word) { return parts[2] == word.word; });
    if (kind == std::end(kKindWords))
        return std::nullopt;
    AlarmChangeRequestParts request { QString::fromUtf8(parts[1]), {} };
    request.change.kind = kind->kind;
    if (kind->kind == AlarmChange::Kind::Add) {
        if (parts.size() != 4)
            return std::nullopt;
        const QByteArray record = QByteArray::fromHex(parts[3]);
        if (parts[3].size() != qsizetype(2 * kAlarmRecordSize) || record.size() != qsizetype(kAlarmRecordSize))
            return std::nullopt;
        AlarmRecordBytes bytes;
        std::copy(record.begin(), record.end(), bytes.begin());
        request.change.alarm = ReadAlarmRecord(bytes);
    } else {
        bool ok = false;
        request.change.index = parts[3].toInt(&ok);
        if (!ok)
            return std::nullopt;
        if (parts.size() == 5)
            request.change.handle = QString::fromLatin1(parts[4]);
    }
    return request;
}

QByteArray AnswerAlarmChangeRequest(AlarmSchedule& schedule, AlarmStore& store, const QByteArray& line)
{
    const std::optional<AlarmChangeRequestParts> request = ParseAlarmChangeRequest(line);
    if (!request || !SameFile(request->storePath, store.fileName()))
        return kElsewhere;
    if (const QString error = ApplyAlarmChange(schedule, store, request->change); !error.isEmpty())
        return Failed(error);
    const qsizetype index = request->change.kind == AlarmChange::Kind::Add ? qsizetype(store.size()) - 1
                                                                          : request->change.index;
    QString warning;
    try {
        store.SaveAlarms();
        if (store.unread())
            warning = QStringLiteral("The clock could not read its alarm store at its start and keeps it as it is; the "
                                     "change is saved to %1.")
                          .arg(store.keptApartFileName());
    } catch (const IoError& error) {
        // The change stays in the running clock and is saved with the next
        // save: it is made, and a retry would make it twice.
        warning = QStringLiteral("The clock has the change but cannot save it yet: ") + error.message();
    }
    QByteArray answer = "done\t" + QByteArray::number(index);
    if (!warning.isEmpty())
        answer += '\t' + OneLine(warning).toUtf8();
    return answer + '\n';
}
