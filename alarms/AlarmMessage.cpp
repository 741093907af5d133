#include "alarms/AlarmMessage.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

QString RingingText(const QString& alarmName)
{
    return QStringLiteral("Rinnnng... (") + alarmName + u')';
}

} // namespace

QString TextInsteadOfPicture(const QString& visualFile, const QString& alarmName)
{
    const bool noPictureChosen = visualFile.trimmed().isEmpty();
    const QString text = noPictureChosen ? RingingText(alarmName) : visualFile;
    qsizetype cut = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u':'));
    // Picture names written on this desktop separate folders with "/".
    if (!noPictureChosen)
        cut = std::max(cut, text.lastIndexOf(u'/'));
    return u' ' + text.mid(cut + 1) + u' ';
}

QString TextInsteadOfDocument(const QString& alarmName)
{
    return u' ' + RingingText(alarmName);
}

QString AlarmTimeText(const QTime& time, const QLocale& locale)
{
    static const QRegularExpression seconds(QStringLiteral("[:.]?s+"));
    return locale.toString(time, locale.timeFormat(QLocale::ShortFormat).remove(seconds));
}
