#include "overview/figurereader.h"
#include "overview/overview.h"

#include <QtTest>

using namespace meridan;
using namespace Qt::StringLiterals;

namespace {

// The figures of each day are its day of the month, so that sums are known.
SiteFigures daysOfTheirNumber(const QDate& first, const QDate& last)
{
    SiteFigures figures{u"site"_s, {}, {}, std::nullopt};
    for (QDate day = first; day <= last; day = day.addDays(1))
        figures.days.append({day, day.day(), 0, 0});
    return figures;
}

} // namespace

class TestOverview : public QObject
{
    Q_OBJECT

private slots:
    void rowAsOfADay_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("lastFigures");
        QTest::addColumn<qint64>("yesterday"); // -1: none
        QTest::addColumn<qint64>("monthSoFar");
        QTest::addColumn<qint64>("lastMonth");
        QTest::addColumn<double>("change"); // NaN: none
        const QDate end(2026, 3, 31);
        // 1 + .. + 30 = 465 against February's 1 + .. + 28 = 406.
        QTest::newRow("against a shorter month")
            << end << end << 30LL << 465LL << 406LL << 100.0 * (465 - 406) / 406;
        QTest::newRow("the 1st: nothing so far")
            << QDate(2026, 3, 1) << end << 28LL << 0LL << 406LL << qQNaN();
        QTest::newRow("yesterday not read yet")
            << end << QDate(2026, 3, 29) << -1LL << 435LL << 406LL << 100.0 * (435 - 406) / 406;
        QTest::newRow("no month before")
            << QDate(2026, 1, 11) << end << 10LL << 55LL << 0LL << qQNaN();
    }
    void rowAsOfADay()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, lastFigures);
        QFETCH(qint64, yesterday);
        QFETCH(qint64, monthSoFar);
        QFETCH(qint64, lastMonth);
        QFETCH(double, change);
        const OverviewRow row =
            overviewRow(daysOfTheirNumber(QDate(2026, 1, 1), lastFigures), today);
        QCOMPARE(row.yesterday.value_or(-1), yesterday);
        QCOMPARE(row.monthSoFar, monthSoFar);
        QCOMPARE(row.lastMonth, lastMonth);
        QCOMPARE(row.change.has_value(), !qIsNaN(change));
        if (row.change)
            QCOMPARE(*row.change, change);
        QCOMPARE(row.lastDays.size(), kSparkDays);
        QCOMPARE(row.lastMonths.size(), kSparkMonths);
    }

    // Analog's own lines, a line of a report we do not know, a broken
    // line and a day of another month: only what is sound is taken.
    void computerOutput()
    {
        const QByteArray text =
            "x\tVE\tAnalog 6.0\nx\tSR\t153\nx\tPR\t150\nx\tNH\t10\n"
            "x\tBT\t21675\nx\tZZ\tnew\nQ\tRPB\t1\t2\t3\t2026\t03\t01\n"
            "D\tRPB\t51\t50\t7225\t2026\t03\t02\nD\tRPB\t51\t50\t7225\t2026\t03\t01\n"
            "D\tRPB\tx\t50\t7225\t2026\t03\t03\nD\tRPB\t9\t9\t9\t2026\t04\t01\n"
            "D\t*BT\tP\t50\t2026\t03\t01\nD\tRPB\t1\t1\n";
        const ComputerOutput output = parseComputerOutput(text, QDate(2026, 3, 1));
        QCOMPARE(output.total.requests, 153);
        QCOMPARE(output.total.pages, 150);
        QCOMPARE(output.total.hosts, 10);
        QCOMPARE(output.total.bytes, 21675);
        QCOMPARE(output.days.size(), 2);
        QCOMPARE(output.days.first().day, QDate(2026, 3, 1)); // in order of days
        QCOMPARE(output.days.last().bytes, 7225);
    }
};

QTEST_GUILESS_MAIN(TestOverview)
#include "tst_overview.moc"
