#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The one-line texts an alarm shows when it has no picture or document to
// show.

// A picture alarm without its picture: "Rinnnng... (" name ")" when no
// picture is chosen (the picture name is empty or blank), else the chosen
// picture's name, whose file is missing. Only the part after the last "\" or
// ":" is shown (in a picture name also after the last "/"), with one blank
// before and after it.
QString TextInsteadOfPicture(const QString& visualFile, const QString& alarmName);

// A document alarm whose document is missing: " Rinnnng... (" name ")", with
// its leading blank only and the name uncut.
QString TextInsteadOfDocument(const QString& alarmName);

// The alarm's time as its ringing window shows it: the locale's short time,
// without seconds (an alarm rings on its minute): "07:30", "7:30 AM".
QString AlarmTimeText(const QTime& time, const QLocale& locale = QLocale());
