#include "report/TimeStamp.h"

#include <QRegularExpression>

namespace rockpile {

std::string TimeStamp(const QDateTime& localTime, const QLocale& locale)
{
    QString text = locale.toString(localTime.date(), QLocale::ShortFormat);
    if (localTime.time() != QTime(0, 0)) {
        // The long time format names the time zone ("t"/"tttt"); a report line shows
        // wall-clock time only.
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
        text += QLatin1Char(' ') + locale.toString(localTime.time(), format.trimmed());
    }
    return text.toStdString();
}

Clock SystemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

}  // namespace rockpile
