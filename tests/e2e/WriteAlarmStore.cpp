// Writes an alarm store holding one daily alarm with a sound and, if given, a
// picture, for the end-to-end runs of the real clock:
//   write_alarm_store STORE HH:MM SOUND_FILE STAYS_ON [PICTURE_FILE]
#include "tests/alarms/AlarmFixtures.h"

#include <QCoreApplication>
#include <QFile>
#include <QTime>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const bool fits = arguments.size() == 5 || arguments.size() == 6;
    const QTime time = fits ? QTime::fromString(arguments[2], QStringLiteral("HH:mm")) : QTime();
    if (!time.isValid()) {
        std::fprintf(stderr, "usage: write_alarm_store STORE HH:MM SOUND_FILE STAYS_ON [PICTURE_FILE]\n");
        return 2;
    }
    AlarmRecord alarm = DailyAlarm(1, QDate(2000, 1, 1), time.hour(), time.minute());
    alarm.Name.setText(QStringLiteral("Repeat"));
    alarm.StaysOn = arguments[4].toInt();
    if (!alarm.SoundFile.setText(arguments[3]) || !alarm.VisualFile.setText(arguments.value(5))) {
        std::fprintf(stderr, "a path does not fit the alarm\n");
        return 2;
    }
    QFile store(arguments[1]);
    const QByteArray bytes = StoreBytes({ alarm });
    if (!store.open(QIODevice::WriteOnly) || store.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    return 0;
}
