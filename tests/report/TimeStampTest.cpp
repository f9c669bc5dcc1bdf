#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>

#include "report/TimeStamp.h"

namespace rockpile {
namespace {

const QLocale kChinese(QLocale::Chinese, QLocale::China);

TEST(TimeStamp, ShortDateBlankLongTimeWithoutZone)
{
    const struct {
        QTime time;
        const char* expected;
    } cases[] = {
        // The Chinese long time format of the platform is "HH:mm:ss" after its zone
        // field is dropped.
        {QTime(1, 36, 51), "2026/12/10 01:36:51"},
        {QTime(13, 6, 5, 120), "2026/12/10 13:06:05"},
        {QTime(23, 59, 59, 999), "2026/12/10 23:59:59"},
        // One millisecond after midnight still shows its time.
        {QTime(0, 0, 0, 1), "2026/12/10 00:00:00"},
        // Exactly midnight: the date alone, without the blank.
        {QTime(0, 0), "2026/12/10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(TimeStamp(QDateTime(QDate(2026, 12, 10), c.time), kChinese), c.expected);
    }
}

TEST(TimeStamp, FollowsTheLocaleGiven)
{
    const QDateTime moment(QDate(2026, 3, 4), QTime(13, 6, 5));
    EXPECT_EQ(TimeStamp(moment, kChinese), "2026/3/4 13:06:05");
    // German puts the zone after the time: it goes as well.
    EXPECT_EQ(TimeStamp(moment, QLocale(QLocale::German, QLocale::Germany)), "04.03.26 13:06:05");
}

TEST(TimeStamp, SystemClockReadsTheLocalTime)
{
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = SystemClock()();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
    EXPECT_EQ(now.timeSpec(), Qt::LocalTime);
}

}  // namespace
}  // namespace rockpile
