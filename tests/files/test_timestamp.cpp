// The time stamp that closes the reports and the search files: the rule the window
// applies to a locale's formats, and the Chinese locale the program is used in.
#include <QtTest>

#include "files/TimeStamp.h"

using rockpile::TimeStamp;

class TestTimeStamp : public QObject {
    Q_OBJECT

private slots:
    void rule_data()
    {
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<QString>("timeFormat");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");

        const QString ymd = QStringLiteral("yyyy/M/d");
        QTest::newRow("zone after the time") << ymd << "HH:mm:ss t" << QTime(13, 6, 5) << "2026/3/4 13:06:05";
        QTest::newRow("long zone name before the time")
            << ymd << "tttt HH:mm:ss" << QTime(13, 6, 5) << "2026/3/4 13:06:05";
        QTest::newRow("day first, short year") << "dd.MM.yy" << "HH:mm:ss t" << QTime(1, 36, 51) << "04.03.26 01:36:51";
        QTest::newRow("no zone") << ymd << "H:mm:ss" << QTime(9, 5, 0) << "2026/3/4 9:05:00";
        QTest::newRow("milliseconds are not shown") << ymd << "HH:mm:ss" << QTime(23, 59, 59, 999)
                                                    << "2026/3/4 23:59:59";
        QTest::newRow("one millisecond after midnight") << ymd << "HH:mm:ss t" << QTime(0, 0, 0, 1)
                                                        << "2026/3/4 00:00:00";
        QTest::newRow("exactly midnight: the date alone") << ymd << "HH:mm:ss t" << QTime(0, 0) << "2026/3/4";
    }

    void rule()
    {
        QFETCH(QString, dateFormat);
        QFETCH(QString, timeFormat);
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(TimeStamp(QDateTime(QDate(2026, 3, 4), time), dateFormat, timeFormat)),
                 expected);
    }

    // The locale the program is used in: its short date and its long time without the
    // zone.
    void chineseLocale_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");
        const QDate day(2026, 12, 10);
        QTest::newRow("night") << QDateTime(day, QTime(1, 36, 51)) << "2026/12/10 01:36:51";
        QTest::newRow("afternoon") << QDateTime(day, QTime(13, 6, 5, 120)) << "2026/12/10 13:06:05";
        QTest::newRow("last millisecond") << QDateTime(day, QTime(23, 59, 59, 999)) << "2026/12/10 23:59:59";
        QTest::newRow("one millisecond after midnight") << QDateTime(day, QTime(0, 0, 0, 1)) << "2026/12/10 00:00:00";
        QTest::newRow("midnight") << QDateTime(day, QTime(0, 0)) << "2026/12/10";
        QTest::newRow("one-digit month and day") << QDateTime(QDate(2026, 3, 4), QTime(13, 6, 5)) << "2026/3/4 13:06:05";
    }

    void chineseLocale()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(TimeStamp(moment, QLocale(QLocale::Chinese, QLocale::China))), expected);
    }

    void systemClockReadsTheLocalTime()
    {
        const QDateTime before = QDateTime::currentDateTime();
        const QDateTime now = rockpile::SystemClock()();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(before <= now);
        QVERIFY(now <= after);
        QCOMPARE(now.timeSpec(), Qt::LocalTime);
    }
};

QTEST_GUILESS_MAIN(TestTimeStamp)
#include "test_timestamp.moc"
