#pragma once
// The time stamp that closes both reports and the design search files.

#include <functional>
#include <string>

#include <QDateTime>
#include <QLocale>

namespace rockpile {

// Local date and time in the locale's short date format, a blank and its long time
// format, without a time zone; the time part and the blank are left out at exactly
// 00:00:00.000.
std::string TimeStamp(const QDateTime& localTime, const QLocale& locale);

// The clock of the reports; tests replace it to fix the time.
using Clock = std::function<QDateTime()>;
Clock SystemClock();

}  // namespace rockpile
