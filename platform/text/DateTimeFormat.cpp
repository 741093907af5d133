#include "platform/text/DateTimeFormat.h"

#include <array>

namespace {

constexpr std::array<const char*, 12> kShortMonthNames { "Jan", "Feb", "Mar", "Apr", "May", "Jun",
    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
constexpr std::array<const char*, 12> kLongMonthNames { "January", "February", "March", "April", "May",
    "June", "July", "August", "September", "October", "November", "December" };
constexpr std::array<const char*, 7> kShortDayNames { "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun" };
constexpr std::array<const char*, 7> kLongDayNames { "Monday", "Tuesday", "Wednesday", "Thursday",
    "Friday", "Saturday", "Sunday" };

bool IsQuote(QChar c)
{
    return c == u'\'' || c == u'"';
}

QChar UpperAscii(QChar c)
{
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 'a' + 'A') : c;
}

bool IsAsciiLetter(QChar c)
{
    const QChar upper = UpperAscii(c);
    return upper >= u'A' && upper <= u'Z';
}

QString Number(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

// The am/pm element starting at position (0 when there is none) and its
// length: "am/pm" 5, "a/p" 3, "ampm" 4.
qsizetype AmPmElementLength(const QString& pattern, qsizetype position)
{
    const QStringView rest = QStringView(pattern).mid(position);
    for (const QLatin1StringView element : { QLatin1StringView("am/pm"), QLatin1StringView("a/p"), QLatin1StringView("ampm") })
        if (rest.startsWith(element, Qt::CaseInsensitive))
            return element.size();
    return 0;
}

// An hour element counts in 12 hours when the first "a" after it, outside
// quotes and before the next hour element, starts an am/pm element.
bool HourIsTwelveHour(const QString& pattern, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (IsQuote(c))
            quote = c;
        else if (UpperAscii(c) == u'H')
            return false;
        else if (UpperAscii(c) == u'A')
            return AmPmElementLength(pattern, i) > 0;
    }
    return false;
}

} // namespace

QString FormatDateTime(const QString& pattern, const QDateTime& value)
{
    if (!value.isValid())
        return QString();
    const QDate date = value.date();
    const QTime time = value.time();
    QString text;
    QChar lastLetter = u' ';
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar starter = pattern[i];
        QChar element = UpperAscii(starter);
        qsizetype count = 1;
        while (i + count < pattern.size() && UpperAscii(pattern[i + count]) == element && IsAsciiLetter(element))
            ++count;
        if (IsAsciiLetter(element)) {
            if (element == u'M' && lastLetter == u'H')
                element = u'N';
            lastLetter = element;
        }

        switch (element.unicode()) {
        case 'Y':
            text += count <= 2 ? Number(date.year() % 100, 2) : Number(date.year(), 4);
            break;
        case 'M':
            if (count <= 2)
                text += Number(date.month(), int(count));
            else
                text += QLatin1String((count == 3 ? kShortMonthNames : kLongMonthNames)[date.month() - 1]);
            break;
        case 'D':
            if (count <= 2)
                text += Number(date.day(), int(count));
            else
                text += QLatin1String((count == 3 ? kShortDayNames : kLongDayNames)[date.dayOfWeek() - 1]);
            break;
        case 'H': {
            int hour = time.hour();
            if (HourIsTwelveHour(pattern, i + count)) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            text += Number(hour, count == 1 ? 1 : 2);
            break;
        }
        case 'N':
            text += Number(time.minute(), count == 1 ? 1 : 2);
            break;
        case 'S':
            text += Number(time.second(), count == 1 ? 1 : 2);
            break;
        case 'Z':
            text += Number(time.msec(), count <= 2 ? 1 : 3);
            break;
        case 'A': {
            // Elements of "a" are matched one letter at a time.
            count = 1;
            const bool afternoon = time.hour() >= 12;
            switch (AmPmElementLength(pattern, i)) {
            case 5: // am/pm: the two letters as written
                text += pattern.mid(afternoon ? i + 3 : i, 2);
                count = 5;
                break;
            case 3: // a/p
                text += pattern[afternoon ? i + 2 : i];
                count = 3;
                break;
            case 4: // ampm
                text += afternoon ? QStringLiteral("PM") : QStringLiteral("AM");
                count = 4;
                break;
            default:
                text += starter;
            }
            break;
        }
        case '\'':
        case '"': {
            const qsizetype end = pattern.indexOf(starter, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            text += pattern.mid(i + 1, stop - i - 1);
            count = stop - i + 1;
            break;
        }
        default:
            // Other letters and characters are copied, one at a time.
            text += starter;
            count = 1;
        }
        i += count;
    }
    return text;
}
