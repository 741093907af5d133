#include "tools/AlarmChangeCommand.h"

#include "alarms/AlarmChange.h"
#include "alarms/AlarmEditorValues.h"
#include "alarms/AlarmSchedule.h"
#include "alarms/AlarmWatchFile.h"
#include "alarms/AlarmStore.h"
#include "desktop/InstanceChannel.h"
#include "platform/files/IoError.h"
#include "platform/files/ProgramFolder.h"
#include "platform/text/DateTime.h"
#include "platform/text/LocalClock.h"
#include "platform/text/StoredText.h"
#include "tools/HelpOption.h"
#include "tools/TypedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <algorithm>
#include <optional>
#include <variant>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;

const char* const kUsage
    = "usage: vellamor-tool alarms add --time HH:MM WHEN [WHAT] [--name NAME] [--disabled] [--force] [--store FILE] [--now \"YYYY-MM-DD HH:MM:SS\"]\n"
      "  WHEN: --once YYYY-MM-DD|today|tomorrow [--delete-after-playing] [--delete-after-expiration]\n"
      "      | --daily N [--start YYYY-MM-DD]                  every N days (1..356)\n"
      "      | --weekly N [--start YYYY-MM-DD] [--days mon,tue,...]  every N weeks (1..356), Monday to Friday unless told\n"
      "      | --monthly (--day D | --the first|second|third|fourth|last --weekday monday..sunday) [--months jan,feb,...]\n"
      "  WHAT: [--picture FILE | --message TEXT] [--sound FILE [--stays-on sound-length|1|3|5|10|30|60|forever]]\n"
      "      | --document FILE\n"
      "  A FILE is found from the current folder, else in the program folder. An alarm that can never ring\n"
      "  (a time already past, a day no chosen month has) is refused unless --force is given.\n"
      "       vellamor-tool alarms enable|disable|delete|unsnooze INDEX [--handle HANDLE] [--store FILE]\n"
      "  INDEX and HANDLE as `vellamor-tool alarms` lists them; without --handle, the handle of the alarm the store\n"
      "  file has at INDEX. A running clock whose list has another alarm there changes nothing.\n";

// The options of add; true for those that take a value.
const QMap<QString, bool> kAddOptions {
    { QStringLiteral("--time"), true }, { QStringLiteral("--once"), true }, { QStringLiteral("--daily"), true },
    { QStringLiteral("--weekly"), true }, { QStringLiteral("--monthly"), false }, { QStringLiteral("--start"), true },
    { QStringLiteral("--days"), true }, { QStringLiteral("--day"), true }, { QStringLiteral("--the"), true },
    { QStringLiteral("--weekday"), true }, { QStringLiteral("--months"), true }, { QStringLiteral("--name"), true },
    { QStringLiteral("--picture"), true }, { QStringLiteral("--message"), true }, { QStringLiteral("--sound"), true },
    { QStringLiteral("--stays-on"), true }, { QStringLiteral("--document"), true }, { QStringLiteral("--disabled"), false },
    { QStringLiteral("--delete-after-playing"), false }, { QStringLiteral("--delete-after-expiration"), false },
    { QStringLiteral("--store"), true }, { QStringLiteral("--now"), true }, { QStringLiteral("--force"), false },
};

const QStringList kModeOptions { QStringLiteral("--once"), QStringLiteral("--daily"), QStringLiteral("--weekly"),
    QStringLiteral("--monthly") };
const QStringList kWeekdayNames { QStringLiteral("monday"), QStringLiteral("tuesday"), QStringLiteral("wednesday"),
    QStringLiteral("thursday"), QStringLiteral("friday"), QStringLiteral("saturday"), QStringLiteral("sunday") };
const QStringList kMonthNames { QStringLiteral("january"), QStringLiteral("february"), QStringLiteral("march"),
    QStringLiteral("april"), QStringLiteral("may"), QStringLiteral("june"), QStringLiteral("july"), QStringLiteral("august"),
    QStringLiteral("september"), QStringLiteral("october"), QStringLiteral("november"), QStringLiteral("december") };
const QStringList kNthNames { QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third"),
    QStringLiteral("fourth"), QStringLiteral("last") };
// The "Stays on" choices by name, in the order of the editor's list.
const QStringList kStaysOnNames { QStringLiteral("sound-length"), QStringLiteral("1"), QStringLiteral("3"),
    QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("forever") };

using Options = QMap<QString, QString>;

// A message naming the option whose value does not fit.
struct OptionError {
    QString message;
};

template <typename T>
using Parsed = std::variant<T, OptionError>;

OptionError Bad(const QString& option, const QString& value, const QString& expected)
{
    return { QStringLiteral("%1: \"%2\" is not %3").arg(option, value, expected) };
}

// Reads NAME VALUE pairs and switches; every option at most once.
Parsed<Options> ReadOptions(const QStringList& arguments, const QMap<QString, bool>& known)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (!known.contains(option))
            return OptionError { QStringLiteral("Unknown option %1").arg(option) };
        if (options.contains(option))
            return OptionError { QStringLiteral("%1 is given twice").arg(option) };
        if (!known[option]) {
            options.insert(option, QString());
            continue;
        }
        // An option where the value should be means the value was left out.
        if (i + 1 >= arguments.size() || known.contains(arguments[i + 1]))
            return OptionError { QStringLiteral("%1 needs a value").arg(option) };
        options.insert(option, arguments[++i]);
    }
    return options;
}

// A name of the list, whole or cut to its first three letters, in any
// letter case; its position, or nothing.
std::optional<int> NameIndex(const QStringList& names, const QString& given)
{
    const QString name = given.trimmed().toLower();
    for (int i = 0; i < names.size(); ++i)
        if (name == names[i] || (name.size() == 3 && names[i].startsWith(name)))
            return i;
    return std::nullopt;
}

template <std::size_t N>
Parsed<std::array<bool, N>> NameSet(const QString& option, const QString& value, const QStringList& names, const QString& kind)
{
    std::array<bool, N> chosen {};
    if (value.trimmed().toLower() == u"all") {
        chosen.fill(true);
        return chosen;
    }
    for (const QString& part : value.split(u',')) {
        const std::optional<int> index = NameIndex(names, part);
        if (!index)
            return Bad(option, part, QStringLiteral("a %1 (%2, ... or their first three letters)").arg(kind, names.first()));
        chosen[std::size_t(*index)] = true;
    }
    return chosen;
}

Parsed<int> Number(const QString& option, const QString& value, int low, int high, const QString& what)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < low || number > high)
        return Bad(option, value, QStringLiteral("%1 from %2 to %3").arg(what).arg(low).arg(high));
    return number;
}

Parsed<QDate> Date(const QString& option, const QString& value)
{
    const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return Bad(option, value, QStringLiteral("a date of the form YYYY-MM-DD"));
    return date;
}

// A text that its field of the record cannot hold: refused, never cut.
template <typename Field>
std::optional<OptionError> TooLong(const QString& option, const QString& shown, const QString& text)
{
    if (Field::fits(text))
        return std::nullopt;
    return OptionError { QStringLiteral("%1: %2 is too long. %3").arg(option, shown, StoredTextLimit(option, Field::kCapacity)) };
}

// An existing file, from the current folder or the program folder, as the
// absolute path the record keeps (as the editor's file chooser gives it:
// the clock opens it from any working folder).
Parsed<QString> ExistingFile(const QString& option, const QString& value)
{
    const QString path = FindTypedFile(value, ProgramFolder());
    if (path.isEmpty())
        return Bad(option, value, QStringLiteral("an existing file here or in the program folder ") + QDir::toNativeSeparators(ProgramFolder()));
    if (const std::optional<OptionError> error = TooLong<decltype(AlarmRecord::SoundFile)>(option, QStringLiteral("the path ") + path, path))
        return *error;
    return path;
}

// Takes the value out of a parse, or returns its error from the caller.
#define TAKE(variable, parse)                                                  \
    auto variable##Parsed = (parse);                                           \
    if (const OptionError* error = std::get_if<OptionError>(&variable##Parsed)) \
        return *error;                                                         \
    const auto variable = std::get<0>(variable##Parsed)

// Options that go only with one of the others.
struct Dependency {
    const char* option;
    QStringList needsOneOf;
};

std::optional<OptionError> CheckCombinations(const Options& options)
{
    QStringList modes;
    for (const QString& mode : kModeOptions)
        if (options.contains(mode))
            modes.append(mode);
    if (modes.isEmpty())
        return OptionError { QStringLiteral("Say when the alarm rings: give one of %1").arg(kModeOptions.join(QStringLiteral(", "))) };
    if (modes.size() > 1)
        return OptionError { QStringLiteral("%1 cannot be combined").arg(modes.join(QStringLiteral(" and "))) };
    if (!options.contains(QStringLiteral("--time")))
        return OptionError { QStringLiteral("--time is missing: give the time the alarm rings, HH:MM") };
    const Dependency dependencies[] = {
        { "--start", { QStringLiteral("--daily"), QStringLiteral("--weekly") } },
        { "--days", { QStringLiteral("--weekly") } },
        { "--day", { QStringLiteral("--monthly") } },
        { "--the", { QStringLiteral("--monthly") } },
        { "--weekday", { QStringLiteral("--the") } },
        { "--months", { QStringLiteral("--monthly") } },
        { "--delete-after-playing", { QStringLiteral("--once") } },
        { "--delete-after-expiration", { QStringLiteral("--once") } },
        { "--stays-on", { QStringLiteral("--sound") } },
    };
    for (const Dependency& dependency : dependencies) {
        const QString option = QLatin1String(dependency.option);
        if (options.contains(option)
            && std::none_of(dependency.needsOneOf.begin(), dependency.needsOneOf.end(),
                [&options](const QString& other) { return options.contains(other); }))
            return OptionError { QStringLiteral("%1 only goes with %2").arg(option, dependency.needsOneOf.join(QStringLiteral(" or "))) };
    }
    const QStringList exclusive[] = {
        { QStringLiteral("--picture"), QStringLiteral("--message"), QStringLiteral("--document") },
        { QStringLiteral("--sound"), QStringLiteral("--document") },
        { QStringLiteral("--day"), QStringLiteral("--the") },
    };
    for (const QStringList& group : exclusive) {
        QStringList given;
        for (const QString& option : group)
            if (options.contains(option))
                given.append(option);
        if (given.size() > 1)
            return OptionError { QStringLiteral("%1 cannot be combined").arg(given.join(QStringLiteral(" and "))) };
    }
    if (options.contains(QStringLiteral("--monthly")) && !options.contains(QStringLiteral("--day"))
        && !options.contains(QStringLiteral("--the")))
        return OptionError { QStringLiteral("--monthly needs --day D or --the N --weekday DAY") };
    if (options.contains(QStringLiteral("--the")) && !options.contains(QStringLiteral("--weekday")))
        return OptionError { QStringLiteral("--the needs --weekday") };
    return std::nullopt;
}

// The page of the editor the alarm's mode fills.
std::optional<OptionError> FillModePage(const Options& options, const QDate& today, AlarmEditorValues& editor)
{
    const auto value = [&options](const char* option) { return options.value(QLatin1String(option)); };
    const auto has = [&options](const char* option) { return options.contains(QLatin1String(option)); };
    const QTime time = QTime::fromString(value("--time"), QStringLiteral("H:mm"));
    if (!time.isValid())
        return Bad(QStringLiteral("--time"), value("--time"), QStringLiteral("a time of the form HH:MM"));
    QDate start = today;
    if (has("--start")) {
        TAKE(date, Date(QStringLiteral("--start"), value("--start")));
        start = date;
    }
    if (has("--once")) {
        editor.page = AlarmRecord::Once;
        editor.once.time = time;
        const QString day = value("--once").toLower();
        if (day == u"today") {
            editor.once.day = AlarmEditorValues::OnceDay::Today;
        } else if (day == u"tomorrow") {
            editor.once.day = AlarmEditorValues::OnceDay::Tomorrow;
        } else {
            const QDate date = QDate::fromString(value("--once"), QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid())
                return Bad(QStringLiteral("--once"), value("--once"), QStringLiteral("today, tomorrow or a date of the form YYYY-MM-DD"));
            editor.once.day = AlarmEditorValues::OnceDay::Other;
            editor.once.date = date;
        }
        editor.once.deleteAfterPlaying = has("--delete-after-playing");
        editor.once.deleteAfterExpiration = has("--delete-after-expiration");
    } else if (has("--daily")) {
        TAKE(days, Number(QStringLiteral("--daily"), value("--daily"), kMinInterval, kMaxInterval, QStringLiteral("a number of days")));
        editor.page = AlarmRecord::Daily;
        editor.daily = { time, days, start };
    } else if (has("--weekly")) {
        TAKE(weeks, Number(QStringLiteral("--weekly"), value("--weekly"), kMinInterval, kMaxInterval, QStringLiteral("a number of weeks")));
        editor.page = AlarmRecord::Weekly;
        editor.weekly.time = time;
        editor.weekly.everyNweeks = weeks;
        editor.weekly.start = start;
        if (has("--days")) {
            TAKE(weekdays, NameSet<7>(QStringLiteral("--days"), value("--days"), kWeekdayNames, QStringLiteral("weekday")));
            editor.weekly.weekdays = weekdays;
        } else {
            editor.weekly.weekdays = AlarmEditorValues::WeeklyPage().weekdays;
        }
    } else {
        editor.page = AlarmRecord::Monthly;
        editor.monthly.time = time;
        editor.monthly.nthWeekday = has("--the");
        if (has("--day")) {
            TAKE(day, Number(QStringLiteral("--day"), value("--day"), 1, 31, QStringLiteral("a day of the month")));
            editor.monthly.day = day;
        } else {
            const std::optional<int> nth = NameIndex(kNthNames, value("--the"));
            if (!nth || value("--the").size() == 3)
                return Bad(QStringLiteral("--the"), value("--the"), QStringLiteral("one of first, second, third, fourth or last"));
            const std::optional<int> weekday = NameIndex(kWeekdayNames, value("--weekday"));
            if (!weekday)
                return Bad(QStringLiteral("--weekday"), value("--weekday"), QStringLiteral("a weekday (monday .. sunday)"));
            editor.monthly.nthIndex = *nth;
            editor.monthly.weekdayIndex = *weekday;
        }
        editor.monthly.months.fill(true);
        if (has("--months")) {
            TAKE(months, NameSet<12>(QStringLiteral("--months"), value("--months"), kMonthNames, QStringLiteral("month")));
            editor.monthly.months = months;
        }
    }
    return std::nullopt;
}

// The alarm the options describe, as the editor would store it.
Parsed<AlarmRecord> AlarmOfOptions(const Options& options, const QDateTime& now)
{
    const auto value = [&options](const char* option) { return options.value(QLatin1String(option)); };
    const auto has = [&options](const char* option) { return options.contains(QLatin1String(option)); };
    if (const std::optional<OptionError> error = CheckCombinations(options))
        return *error;

    const QDate today = now.date();
    const bool document = has("--document");
    AlarmRecord alarm = NewAlarmRecord(nullptr, now, has("--sound"), !document);
    AlarmEditorValues editor;
    LoadAlarmIntoEditor(alarm, today, editor);
    if (const std::optional<OptionError> error = FillModePage(options, today, editor))
        return *error;

    if (has("--name")) {
        if (const auto error = TooLong<decltype(AlarmRecord::Name)>(QStringLiteral("--name"), u'"' + value("--name") + u'"', value("--name")))
            return *error;
        editor.name = value("--name");
    }
    if (has("--stays-on")) {
        const qsizetype index = kStaysOnNames.indexOf(value("--stays-on").toLower());
        if (index < 0)
            return Bad(QStringLiteral("--stays-on"), value("--stays-on"), QStringLiteral("one of ") + kStaysOnNames.join(QStringLiteral(", ")));
        editor.staysOnIndex = int(index);
    }
    if (document) {
        TAKE(path, ExistingFile(QStringLiteral("--document"), value("--document")));
        editor.docFileCaption = path;
    }
    StoreEditorIntoAlarm(editor, today, alarm);

    if (has("--picture")) {
        TAKE(path, ExistingFile(QStringLiteral("--picture"), value("--picture")));
        alarm.VisualFile.setText(path);
    } else if (has("--message")) {
        // The window shows a missing picture's name, the part after its
        // last separator: a message must not have one.
        const QString message = value("--message");
        if (message.contains(u'/') || message.contains(u'\\') || message.contains(u':'))
            return Bad(QStringLiteral("--message"), message, QStringLiteral("a text without /, \\ or :"));
        if (const auto error = TooLong<decltype(AlarmRecord::VisualFile)>(QStringLiteral("--message"), QStringLiteral("the message"), message))
            return *error;
        if (QFileInfo::exists(message))
            return OptionError { QStringLiteral("--message: \"%1\" names a file here; give it as --picture").arg(message) };
        alarm.VisualFile.setText(message);
    }
    if (has("--sound")) {
        TAKE(path, ExistingFile(QStringLiteral("--sound"), value("--sound")));
        alarm.SoundFile.setText(path);
    }
    alarm.Enabled = !has("--disabled");
    return alarm;
}

// Why the alarm can never ring, or nothing: a one-time alarm whose moment
// has passed, a day of the month that none of the chosen months has.
std::optional<OptionError> NeverRings(const AlarmRecord& alarm, const QDateTime& now)
{
    if (alarm.Mode == AlarmRecord::Once) {
        const QDateTime moment(DateOf(alarm.OnceDate), TimeOf(alarm.AlarmTime));
        if (moment <= now)
            return OptionError { QStringLiteral("The alarm would never ring: %1 has passed. Give a later day or time, "
                                                "or --force to add it all the same.")
                                     .arg(moment.toString(QStringLiteral("yyyy-MM-dd HH:mm"))) };
    }
    if (alarm.Mode == AlarmRecord::Monthly && !alarm.MonthlyThe) {
        // February counts its 29th: a leap year has it.
        constexpr int kLeapYear = 2028;
        for (int month = 1; month <= 12; ++month)
            if (AlarmRecord::FlagIsOn(alarm.Months[std::size_t(month)])
                && QDate(kLeapYear, month, 1).daysInMonth() >= alarm.MonthlyDay)
                return std::nullopt;
        return OptionError { QStringLiteral("The alarm would never ring: none of the chosen months has a day %1. "
                                            "Choose other months, or give --force to add it all the same.")
                                 .arg(alarm.MonthlyDay) };
    }
    return std::nullopt;
}

Parsed<QDateTime> Now(const Options& options)
{
    if (!options.contains(QStringLiteral("--now")))
        return CurrentLocalDateTime();
    const QString value = options.value(QStringLiteral("--now"));
    const QDateTime now = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!now.isValid())
        return Bad(QStringLiteral("--now"), value, QStringLiteral("a moment of the form \"YYYY-MM-DD HH:MM:SS\""));
    return now;
}

struct ChangeRequest {
    QString storePath;
    AlarmChange change;
    QDateTime now;
};

// The handle of the alarm the store file has at index: the alarm the user
// saw there when they listed the alarms. Empty when the file has none there
// or cannot be read: the change then goes by the index alone and meets the
// same error as it would have.
QString StoredHandle(const QString& storePath, int index)
{
    AlarmStore store(storePath);
    try {
        store.LoadAlarms();
    } catch (const IoError&) {
        return QString();
    }
    return std::size_t(index) < store.size() ? AlarmHandle(store.records()[std::size_t(index)]) : QString();
}

// The store named by --store (found as a typed file is), else the program
// folder's.
QString StorePath(const Options& options)
{
    if (!options.contains(QStringLiteral("--store")))
        return DefaultAlarmStorePath();
    return TypedFileOrAsTyped(options.value(QStringLiteral("--store")), ProgramFolder());
}

Parsed<ChangeRequest> ReadChange(const QStringList& arguments)
{
    const QString verb = arguments.value(0);
    if (verb == u"add") {
        TAKE(options, ReadOptions(arguments.mid(1), kAddOptions));
        TAKE(now, Now(options));
        TAKE(alarm, AlarmOfOptions(options, now));
        if (!options.contains(QStringLiteral("--force")))
            if (const std::optional<OptionError> never = NeverRings(alarm, now))
                return *never;
        return ChangeRequest { StorePath(options), { AlarmChange::Kind::Add, alarm, -1, {} }, now };
    }
    const AlarmChange::Kind kind = verb == u"enable" ? AlarmChange::Kind::Enable
        : verb == u"disable"                         ? AlarmChange::Kind::Disable
        : verb == u"unsnooze"                        ? AlarmChange::Kind::Unsnooze
                                                     : AlarmChange::Kind::Delete;
    const QString index = arguments.value(1);
    if (index.isEmpty() || index.startsWith(QStringLiteral("--")))
        return OptionError { QStringLiteral("%1 needs the INDEX of an alarm, as `vellamor-tool alarms` lists it").arg(verb) };
    TAKE(options, ReadOptions(arguments.mid(2), { { QStringLiteral("--store"), true }, { QStringLiteral("--handle"), true } }));
    bool ok = false;
    const int number = index.toInt(&ok);
    if (!ok || number < 0)
        return Bad(QStringLiteral("INDEX"), index, QStringLiteral("the number of an alarm, as `vellamor-tool alarms` lists it"));
    const QString storePath = StorePath(options);
    QString handle = options.value(QStringLiteral("--handle")).toLower();
    if (options.contains(QStringLiteral("--handle"))) {
        if (handle.size() != 8 || QByteArray::fromHex(handle.toLatin1()).toHex() != handle.toLatin1())
            return Bad(QStringLiteral("--handle"), handle, QStringLiteral("a handle of eight hexadecimal digits, as `vellamor-tool alarms` lists it"));
    } else {
        handle = StoredHandle(storePath, number);
    }
    return ChangeRequest { storePath, { kind, {}, number, handle }, CurrentLocalDateTime() };
}

#undef TAKE

// Hands the change to the clock when it runs on this store; nothing when no
// clock takes it, else its answer. A clock that listens but does not answer
// keeps the store: it is not changed here behind its back.
std::optional<QByteArray> HandToRunningClock(const ChangeRequest& request)
{
    const QString server = InstanceServerPath(QLatin1String(kClockTitle));
    if (server.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> answer = AskInstance(server, AlarmChangeRequest(request.storePath, request.change));
    // A clock that holds the guard's lock but does not listen (its channel
    // lost) would save over a change written here behind its back.
    if (!answer && InstanceLockHeld(server))
        return QByteArray("failed\tA clock is running but does not take changes now; nothing was changed. Close the clock "
                          "and try again.\n");
    if (!answer || *answer == "elsewhere\n")
        return std::nullopt;
    return answer;
}

// No clock watched the alarm when it was added or switched on: the next
// clock to start must not report it missed for a time that passed before.
void NoteChangedUnwatched(const QString& storePath, const QString& handle, const QDateTime& now)
{
    const QString path = AlarmWatchFilePath(storePath);
    try {
        AlarmWatch watch = ReadAlarmWatch(path);
        watch.changedUnwatched.insert(handle, DateTimeFromLocal(now));
        WriteAlarmWatch(path, watch);
    } catch (const IoError&) {
        // The change is made; at worst the alarm is reported missed once.
    }
}

// Changes the store itself: no clock keeps it.
QByteArray ChangeStoreHere(const ChangeRequest& request)
{
    AlarmStore store(request.storePath);
    AlarmSchedule schedule(store);
    qsizetype index = -1;
    try {
        // Other tools wait: each changes the store as the last one left it.
        const AlarmStore::Lock lock(store);
        store.LoadAlarms();
        // Its snoozes end with an alarm deleted or switched off here.
        if (const QString error = schedule.LoadSnoozes(); !error.isEmpty())
            return "failed\t" + error.toUtf8() + '\n';
        if (const QString error = ApplyAlarmChange(schedule, store, request.change); !error.isEmpty())
            return "failed\t" + error.toUtf8() + '\n';
        store.SaveAlarms();
        index = request.change.kind == AlarmChange::Kind::Add ? qsizetype(store.size()) - 1 : request.change.index;
        if (request.change.kind == AlarmChange::Kind::Add || request.change.kind == AlarmChange::Kind::Enable)
            NoteChangedUnwatched(store.fileName(), AlarmHandle(store.records()[std::size_t(index)]), request.now);
    } catch (const IoError& error) {
        return "failed\t" + error.message().toUtf8() + '\n';
    }
    return "done\t" + QByteArray::number(index) + '\n';
}

} // namespace

bool IsAlarmChangeCommand(const QStringList& arguments)
{
    const QString verb = arguments.value(0);
    return verb == u"add" || verb == u"enable" || verb == u"disable" || verb == u"delete" || verb == u"unsnooze";
}

int RunAlarmChangeCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (IsHelpRequest(arguments)) {
        out << kUsage;
        return kDone;
    }
    const Parsed<ChangeRequest> parsed = ReadChange(arguments);
    if (const OptionError* error = std::get_if<OptionError>(&parsed)) {
        err << error->message << '\n';
        return kFailed;
    }
    const ChangeRequest& request = std::get<ChangeRequest>(parsed);
    const std::optional<QByteArray> handedOver = HandToRunningClock(request);
    const QByteArray answer = handedOver ? *handedOver : ChangeStoreHere(request);
    if (!answer.startsWith("done\t")) {
        // "failed", a tab and the message; anything else is not an answer.
        err << (answer.startsWith("failed\t") ? QString::fromUtf8(answer.mid(7)).trimmed()
                                                : QStringLiteral("The running clock did not answer; nothing was changed."))
            << '\n';
        return kFailed;
    }
    // "done", a tab, the index, and a warning after another tab: the change
    // is made, though not yet saved in the store.
    const QStringList parts = QString::fromUtf8(answer.mid(5)).trimmed().split(u'\t');
    if (request.change.kind == AlarmChange::Kind::Add)
        out << parts[0] << '\n';
    if (parts.size() > 1)
        err << "Warning: " << parts[1] << '\n';
    return kDone;
}
