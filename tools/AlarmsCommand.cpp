#include "tools/AlarmsCommand.h"

#include "tools/AlarmChangeCommand.h"
#include "tools/HelpOption.h"
#include "alarms/AlarmListText.h"
#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmStore.h"
#include "platform/files/IoError.h"
#include "platform/files/ProgramFolder.h"
#include "platform/text/LocalClock.h"
#include "tools/TypedFile.h"

#include <QFile>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;

const char* const kUsage = "usage: vellamor-tool alarms [--store FILE] [--now \"YYYY-MM-DD HH:MM:SS\"] [--24h]\n"
                           "       vellamor-tool alarms add|enable|disable|delete|unsnooze ... (see alarms add --help)\n";

struct ListOptions {
    QString storePath;
    bool storeNamed = false;
    QDateTime now;
    bool twelveHour = true;
};

// Reads the options; returns a message when they do not fit.
QString ParseOptions(const QStringList& arguments, ListOptions& options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--24h") {
            options.twelveHour = false;
        } else if (argument == u"--store" && i + 1 < arguments.size()) {
            options.storePath = TypedFileOrAsTyped(arguments[++i], ProgramFolder());
            options.storeNamed = true;
        } else if (argument == u"--now" && i + 1 < arguments.size()) {
            options.now = QDateTime::fromString(arguments[++i], QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!options.now.isValid())
                return QStringLiteral("\"%1\" is not a moment of the form \"YYYY-MM-DD HH:MM:SS\"").arg(arguments[i]);
        } else if (argument == u"--store" || argument == u"--now") {
            return QStringLiteral("%1 needs a value\n%2").arg(argument, QString::fromLatin1(kUsage).trimmed());
        } else {
            return QStringLiteral("Unknown %1 \"%2\"\n%3")
                .arg(argument.startsWith(u'-') ? QStringLiteral("option") : QStringLiteral("command"), argument,
                    QString::fromLatin1(kUsage).trimmed());
        }
    }
    return QString();
}

} // namespace

int RunAlarmsCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (IsAlarmChangeCommand(arguments))
        return RunAlarmChangeCommand(arguments, out, err);
    if (IsHelpRequest(arguments)) {
        out << kUsage;
        return kDone;
    }
    ListOptions options;
    if (const QString error = ParseOptions(arguments, options); !error.isEmpty()) {
        err << error << '\n';
        return kFailed;
    }
    AlarmStore store = options.storeNamed ? AlarmStore(options.storePath) : AlarmStore();
    // The program treats a missing store as no alarms; a store named on the
    // command line that is not there is more likely a mistyped name.
    if (options.storeNamed && !QFile::exists(store.fileName())) {
        err << "Cannot read " << store.fileName() << ": no such file\n";
        return kFailed;
    }
    try {
        store.LoadAlarms();
    } catch (const IoError& error) {
        err << error.message() << '\n';
        return kFailed;
    }

    AlarmSchedule schedule(store);
    if (const QString error = schedule.LoadSnoozes(); !error.isEmpty()) {
        err << error << '\n';
        return kFailed;
    }

    const TDateTime now = DateTimeFromLocal(options.now.isValid() ? options.now : CurrentLocalDateTime());
    for (std::size_t i = 0; i < store.size(); ++i) {
        // Control characters in names, a tab among them, would break the
        // columns; the row shows them as "?".
        const AlarmRecord& alarm = store.records()[i];
        const AlarmListRow row = AlarmListRowOf(alarm, now, options.twelveHour);
        const std::optional<TDateTime> snoozed = schedule.SnoozedUntil(store.idAt(i));
        out << i << '\t' << AlarmHandle(alarm) << '\t' << row.name << '\t' << row.type << '\t' << row.time << '\t'
            << row.nextDate << '\t' << (snoozed ? SnoozedUntilText(*snoozed, options.twelveHour) : QString()) << '\n';
    }
    return kDone;
}
