#include "analog/period.h"
#include "analog/reportlist.h"

#include <QtTest>

using namespace meridan;
using namespace Qt::StringLiterals;

class TestPeriod : public QObject
{
    Q_OBJECT

private slots:
    void weekOfYear_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("week");
        QTest::newRow("2003-01-01 Wednesday") << QDate(2003, 1, 1) << 1;
        QTest::newRow("2002-12-31 stays 53") << QDate(2002, 12, 31) << 53;
        QTest::newRow("2003-12-29 stays 53") << QDate(2003, 12, 29) << 53;
        QTest::newRow("2003-12-31") << QDate(2003, 12, 31) << 53;
        QTest::newRow("2005-01-01 Saturday") << QDate(2005, 1, 1) << 53;
        QTest::newRow("2005-01-02 Sunday") << QDate(2005, 1, 2) << 53;
        QTest::newRow("2005-01-03 Monday") << QDate(2005, 1, 3) << 1;
        QTest::newRow("2003-02-14") << QDate(2003, 2, 14) << 7;
        QTest::newRow("2010-01-03 Sunday") << QDate(2010, 1, 3) << 53;
        QTest::newRow("2006-01-01 Sunday of a 52-week year") << QDate(2006, 1, 1) << 52;
    }
    void weekOfYear()
    {
        QFETCH(QDate, date);
        QFETCH(int, week);
        QCOMPARE(WeekOfYear(date.year(), date.month(), date.day()), week);
    }

    void weeksNeverZeroOrFiftyFour()
    {
        for (QDate d(1992, 1, 1); d < QDate(2100, 1, 1); d = d.addDays(1)) {
            const int week = WeekOfYear(d.year(), d.month(), d.day());
            QVERIFY2(week >= 1 && week <= 53, qPrintable(d.toString(Qt::ISODate)));
            QCOMPARE(WeekStart(d.year(), 1).dayOfWeek(), 1);
        }
    }

    void bounds_data()
    {
        QTest::addColumn<Period>("period");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("fromTo");
        QTest::newRow("month") << Period{2003, kMonth, 9, 0} << u"2003-09"_s
                               << QByteArray("\r\nFROM 030901:0000\r\nTO 030930:2359\r\n");
        QTest::newRow("week 1 of 2003") << Period{2003, kWeek, 1, 0} << u"2003-W01"_s
                                        << QByteArray("\r\nFROM 021230:0000\r\nTO 030105:2359\r\n");
        QTest::newRow("week 53 of 2026")
            << Period{2026, kWeek, 53, 0} << u"2026-W53"_s
            << QByteArray("\r\nFROM 261228:0000\r\nTO 270103:2359\r\n");
        QTest::newRow("the last year Analog counts")
            << Period{2069, kMonth, 12, 0} << u"2069-12"_s
            << QByteArray("\r\nFROM 691201:0000\r\nTO 691231:2359\r\n");
        QTest::newRow("week 1 of 2005") << Period{2005, kWeek, 1, 0} << u"2005-W01"_s
                                        << QByteArray("\r\nFROM 050103:0000\r\nTO 050109:2359\r\n");
        QTest::newRow("day") << Period{2003, kDay, 9, 15} << u"2003-09-15"_s
                             << QByteArray("\r\nFROM 030915:0000\r\nTO 030915:2359\r\n");
        QTest::newRow("clocks go back") << Period{2003, kDay, 10, 26} << u"2003-10-26"_s
                                        << QByteArray("\r\nFROM 031026:0000\r\nTO 031026:2359\r\n");
        QTest::newRow("Q3") << Period{2003, kQuarter, 3, 0} << u"2003-Q3"_s
                            << QByteArray("\r\nFROM 030701:0000\r\nTO 030930:2359\r\n");
        QTest::newRow("H2") << Period{2003, kHalfYear, 2, 0} << u"2003-H2"_s
                            << QByteArray("\r\nFROM 030701:0000\r\nTO 031231:2359\r\n");
        QTest::newRow("year 2000") << Period{2000, kYear, 0, 0} << u"2000"_s
                                   << QByteArray("\r\nFROM 000101:0000\r\nTO 001231:2359\r\n");
        QTest::newRow("leap day") << Period{2000, kDay, 2, 29} << u"2000-02-29"_s
                                  << QByteArray("\r\nFROM 000229:0000\r\nTO 000229:2359\r\n");
    }
    void bounds()
    {
        QFETCH(Period, period);
        QFETCH(QString, name);
        QFETCH(QByteArray, fromTo);
        const std::optional<PeriodRange> range = PeriodBounds(period);
        QVERIFY(range);
        QCOMPARE(FromToLines(range->start, range->end), fromTo);
        QCOMPARE(PeriodName(period), name);
        QCOMPARE(PeriodicityOfName(name), period.periodicity);
        QCOMPARE(PeriodOfName(name), std::optional<Period>(period));
    }

    void invalidPeriodsHaveNoBounds_data()
    {
        QTest::addColumn<Period>("period");
        QTest::newRow("month 13") << Period{2003, kMonth, 13, 0};
        QTest::newRow("week 54") << Period{2003, kWeek, 54, 0};
        QTest::newRow("week 0") << Period{2003, kWeek, 0, 0};
        QTest::newRow("30 February") << Period{2003, kDay, 2, 30};
        QTest::newRow("29 February 2003") << Period{2003, kDay, 2, 29};
        QTest::newRow("year 1991") << Period{1991, kYear, 0, 0};
        QTest::newRow("year 2070, corrupt to Analog") << Period{2070, kMonth, 1, 0};
        QTest::newRow("week 53 of 2002, the days of 2003's week 1") << Period{2002, kWeek, 53, 0};
        QTest::newRow("week 53 of 2028, all in 2029") << Period{2028, kWeek, 53, 0};
        QTest::newRow("quarter 5") << Period{2003, kQuarter, 5, 0};
        QTest::newRow("periodicity 7") << Period{2003, 7, 1, 0};
        QTest::newRow("all periods") << Period{2003, kAllPeriods, 1, 0};
    }
    void invalidPeriodsHaveNoBounds()
    {
        QFETCH(Period, period);
        QVERIFY(!PeriodBounds(period));
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("days of February 2004")
            << u"2004-02-*"_s << 29 << u"2004-02-01"_s << u"2004-02-29"_s;
        QTest::newRow("weeks") << u"2003-W*"_s << 52 << u"2003-W01"_s << u"2003-W52"_s;
        QTest::newRow("weeks of a 53-week year")
            << u"2026-W*"_s << 53 << u"2026-W01"_s << u"2026-W53"_s;
        QTest::newRow("week 53 that is 2026's week 1")
            << u"2025-W53"_s << -1 << QString() << QString();
        QTest::newRow("months") << u"2003-*"_s << 12 << u"2003-01"_s << u"2003-12"_s;
        QTest::newRow("quarters") << u"2003-Q*"_s << 4 << u"2003-Q1"_s << u"2003-Q4"_s;
        QTest::newRow("halves") << u"2003-H*"_s << 2 << u"2003-H1"_s << u"2003-H2"_s;
        QTest::newRow("one") << u"2003-W07"_s << 1 << u"2003-W07"_s << u"2003-W07"_s;
        QTest::newRow("month 13") << u"2003-13-*"_s << -1 << QString() << QString();
        QTest::newRow("week 54") << u"2003-W54"_s << -1 << QString() << QString();
        QTest::newRow("wrong shape") << u"2003-9"_s << -1 << QString() << QString();
        QTest::newRow("year 1991") << u"1991-*"_s << -1 << QString() << QString();
        QTest::newRow("trailing") << u"2003-09x"_s << -1 << QString() << QString();
        QTest::newRow("trailing line feed") << u"2003-09\n"_s << -1 << QString() << QString();
        QTest::newRow("trailing blank") << u"2003-W*\t"_s << -1 << QString() << QString();
        QTest::newRow("other digits")
            << u"\u0662\u0660\u0660\u0663"_s << -1 << QString() << QString();
        QTest::newRow("empty") << QString() << -1 << QString() << QString();
    }
    void patterns()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const std::optional<QList<Period>> periods = periodsOfPattern(text);
        if (count < 0) {
            QVERIFY(!periods);
            return;
        }
        QVERIFY(periods);
        QCOMPARE(periods->size(), count);
        QCOMPARE(PeriodName(periods->first()), first);
        QCOMPARE(PeriodName(periods->last()), last);
    }
};

QTEST_GUILESS_MAIN(TestPeriod)
#include "tst_period.moc"
