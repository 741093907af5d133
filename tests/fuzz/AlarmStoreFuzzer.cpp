// An alarm store of any bytes: it loads, every alarm gets its list texts and
// its next ring date, the due checks run, and the store saves back to the
// same records.

#include "alarms/AlarmListText.h"
#include "alarms/AlarmRules.h"
#include "alarms/AlarmStore.h"
#include "platform/text/DateTime.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = InputAsFile(QStringLiteral("Alarms.cfg"), data, size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    AlarmStore store(path);
    store.LoadAlarms();
    const TDateTime now = EncodeDateTime(QDate(2004, 1, 5), QTime(12, 0, 4));
    for (const AlarmRecord& alarm : store.records()) {
        AlarmTypeText(alarm.Mode);
        AlarmTimeText(alarm, true);
        AlarmTimeText(alarm, false);
        NextRingDateText(NextRingDate(alarm, now));
        MissedAlarmMessage(alarm);
    }
    FindDueAlarm(store.records(), false, -1, now);
    FindDueAlarm(store.records(), true, -1, now);

    store.SaveAlarms();
    QFile saved(path);
    if (!saved.open(QIODevice::ReadOnly))
        std::abort();
    const qsizetype records = bytes.size() / qsizetype(kAlarmRecordSize) * qsizetype(kAlarmRecordSize);
    if (saved.readAll() != bytes.left(records))
        std::abort();
    return 0;
}
