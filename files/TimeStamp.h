#pragma once
// The time stamp that closes both reports and the design search files. It follows the
// user's locale, so it is made by the window (or the batch calculator) and handed to
// the reports and the files as text.

#include <functional>
#include <string>

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace rockpile {

// The rule of the stamp: the date in `dateFormat`, a blank and the time in
// `timeFormat` with its time zone fields ("t" to "tttt") and the blanks around them
// left out; at exactly 00:00:00.000 the date alone, without the blank.
std::string TimeStamp(const QDateTime& localTime, const QString& dateFormat, const QString& timeFormat);

// The stamp in a locale: its short date format and its long time format.
std::string TimeStamp(const QDateTime& localTime, const QLocale& locale);

// The clock of the reports; tests replace it to fix the time.
using Clock = std::function<QDateTime()>;
Clock SystemClock();

}  // namespace rockpile
