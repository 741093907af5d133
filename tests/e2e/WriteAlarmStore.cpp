// Writes an alarm store holding one daily alarm with a sound and no picture,
// for the end-to-end runs of the real clock:
//   write_alarm_store STORE HH:MM SOUND_FILE STAYS_ON
#include "tests/alarms/AlarmFixtures.h"

#include <QCoreApplication>
#include <QFile>
#include <QTime>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QTime time = arguments.size() == 5 ? QTime::fromString(arguments[2], QStringLiteral("HH:mm")) : QTime();
    if (!time.isValid()) {
        std::fprintf(stderr, "usage: write_alarm_store STORE HH:MM SOUND_FILE STAYS_ON\n");
        return 2;
    }
    TAlarmRec alarm = DailyAlarm(1, QDate(2000, 1, 1), time.hour(), time.minute());
    alarm.Name.setText(QStringLiteral("Repeat"));
    alarm.SoundFile.setText(arguments[3]);
    alarm.StaysOn = arguments[4].toInt();
    QFile store(arguments[1]);
    const QByteArray bytes = StoreBytes({ alarm });
    if (!store.open(QIODevice::WriteOnly) || store.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    return 0;
}
