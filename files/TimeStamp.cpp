#include "files/TimeStamp.h"

#include <QRegularExpression>

namespace rockpile {

namespace {

// Writes the stamp with `writer`, whose digits and names the formats' fields take.
std::string Stamp(const QLocale& writer, const QDateTime& localTime, const QString& dateFormat,
                  const QString& timeFormat)
{
    QString text = writer.toString(localTime.date(), dateFormat);
    if (localTime.time() != QTime(0, 0)) {
        // A long time format names the time zone ("t"/"tttt"); a report line shows
        // wall-clock time only.
        QString format = timeFormat;
        format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
        text += QLatin1Char(' ') + writer.toString(localTime.time(), format.trimmed());
    }
    return text.toStdString();
}

}  // namespace

std::string TimeStamp(const QDateTime& localTime, const QString& dateFormat, const QString& timeFormat)
{
    return Stamp(QLocale::c(), localTime, dateFormat, timeFormat);
}

std::string TimeStamp(const QDateTime& localTime, const QLocale& locale)
{
    return Stamp(locale, localTime, locale.dateFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat));
}

Clock SystemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}

}  // namespace rockpile
