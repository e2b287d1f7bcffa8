#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The name of a new recording: the date in the short date format with "/" made "-", "_",
// the time in the long time format (without its time zone) with "." and ":" made "-",
// ".", and the format's name: 25-12-2006_15-30-05.MP3.
namespace RecordingFileName {

QString make(const QDateTime &when, const QLocale &locale, const QString &formatName);
// `name` when no file of that name is in `folder`, otherwise the name with "_2", "_3", ...
// before its extension: a recording never overwrites an earlier one.
QString unused(const QString &folder, const QString &name);

} // namespace RecordingFileName
