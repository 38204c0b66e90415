#include "analog/logfiles.h"
#include "store/settingsstore.h"
#include "store/sitelists.h"
#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"

#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray logLines(const QStringList& names)
{
    QByteArray text;
    for (const QString& name : names)
        text += "LOGFILE \"" + name.toUtf8() + "\"\r\n";
    return text;
}

} // namespace

class TestLogFiles : public SandboxTest
{
    Q_OBJECT

    // The format changes and special months as a Site loads them.
    void takeStoredLogRules()
    {
        const SiteRecord stored(site.name);
        site.formatChanges = stored.formatChanges;
        site.specialMonths = stored.specialMonths;
    }

private slots:
    void init()
    {
        SandboxTest::init();
        site = testSite(*home);
        site.LogsDir = u"/logs"_s;
    }

    void listing_data()
    {
        QTest::addColumn<Period>("period");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<quint32>("periodicity");
        QTest::addColumn<QByteArray>("expected");
        const Period september{2003, kMonth, 9, 0};
        QTest::newRow("month of daily logs")
            << september << u"%yyyy%\\ex%yy%%mm%%dd%.log"_s << quint32(kLogDaily)
            << logLines({u"/logs/2003/ex030831.log"_s, u"/logs/2003/ex0309*.log"_s,
                         u"/logs/2003/ex031001.log"_s});
        QTest::newRow("month of hourly logs")
            << september << u"ex%yy%%mm%%dd%%hh%.log"_s << quint32(kLogHourly)
            << logLines(
                   {u"/logs/ex030831*.log"_s, u"/logs/ex0309*.log"_s, u"/logs/ex031001*.log"_s});
        QTest::newRow("month of weekly logs")
            << september << u"w%yyyy%%wk%.log"_s << quint32(kLogWeekly)
            << logLines({u"/logs/w200335.log"_s, u"/logs/w200336.log"_s, u"/logs/w200337.log"_s,
                         u"/logs/w200338.log"_s, u"/logs/w200339.log"_s, u"/logs/w200340.log"_s});
        QTest::newRow("month of monthly logs")
            << september << u"%yyyy%%mm%.log"_s << quint32(kLogMonthly)
            << logLines({u"/logs/200308.log"_s, u"/logs/200309.log"_s, u"/logs/200310.log"_s});
        QTest::newRow("day of daily logs")
            << Period{2003, kDay, 9, 15} << u"d%dd%.log"_s << quint32(kLogDaily)
            << logLines({u"/logs/d14.log"_s, u"/logs/d15.log"_s, u"/logs/d16.log"_s});
        QTest::newRow("week of daily logs: one line a day")
            << Period{2003, kWeek, 7, 0} << u"%mm%%dd%"_s << quint32(kLogDaily)
            << logLines({u"/logs/0209"_s, u"/logs/0210"_s, u"/logs/0211"_s, u"/logs/0212"_s,
                         u"/logs/0213"_s, u"/logs/0214"_s, u"/logs/0215"_s, u"/logs/0216"_s,
                         u"/logs/0217"_s});
        QTest::newRow("day of weekly logs: its week and the day before's")
            << Period{2003, kDay, 9, 15} << u"w%wk%"_s << quint32(kLogWeekly)
            << logLines({u"/logs/w37"_s, u"/logs/w38"_s});
        QTest::newRow("quarter of daily logs: a wildcard a month")
            << Period{2003, kQuarter, 4, 0} << u"%yy%%mm%%dd%"_s << quint32(kLogDaily)
            << logLines({u"/logs/030930"_s, u"/logs/0310*"_s, u"/logs/0311*"_s, u"/logs/0312*"_s,
                         u"/logs/040101"_s});
        QTest::newRow("three stars become two")
            << Period{2003, kMonth, 9, 0} << u"a%dd%**"_s << quint32(kLogDaily)
            << logLines({u"/logs/a31*"_s, u"/logs/a**"_s, u"/logs/a01*"_s});
        // A file named for several days is read once, or its requests count twice.
        QTest::newRow("no periodicity chosen still ends, each file once")
            << Period{2003, kDay, 9, 15} << u"x%mm%"_s << quint32(0) << logLines({u"/logs/x09"_s});
        QTest::newRow("unknown periodicity still ends")
            << Period{2003, kDay, 9, 15} << u"x"_s << quint32(4711) << logLines({u"/logs/x"_s});
        QTest::newRow("numbered by logrotate: every file, once")
            << Period{2003, kMonth, 9, 0} << u"access.log"_s << quint32(kLogNumbered)
            << logLines({u"/logs/access.log*"_s});
    }
    void listing()
    {
        QFETCH(Period, period);
        QFETCH(QString, scheme);
        QFETCH(quint32, periodicity);
        QFETCH(QByteArray, expected);
        site.LogNameStruct = scheme;
        site.LogPeriodicity = periodicity;
        const PeriodRange range = *PeriodBounds(period);
        QByteArray out = "head\r\n";
        QVERIFY(ListLogFiles(site, period, range.start, range.end, &out));
        QCOMPARE(out, "head\r\n" + expected);
    }

    // How Analog reads a command's file argument, as the freshness checks
    // must read it too.
    void filesNamedInAConfiguration_data()
    {
        QTest::addColumn<QByteArray>("configuration");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("quoted, with blanks; unquoted, up to a tab")
            << QByteArray("CACHEFILE \"/a b/x.cache\"\r\ncachefile\t/no\nCacheFile /c\tmore\n")
            << QStringList{u"/a b/x.cache"_s, u"/c"_s};
        QTest::newRow("commas; none names no file; no closing quote")
            << QByteArray("CACHEFILE /a,none,,/b\nCACHEFILE NONE\nCACHEFILE \"/open end")
            << QStringList{u"/a"_s, u"/b"_s, u"/open end"_s};
        QTest::newRow("a line that goes on; other commands and comments")
            << QByteArray("CACHEFILE \\\r\n  /joined,\\\n/next\nLOGFILE /log\n# CACHEFILE /x\n")
            << QStringList{u"/joined"_s, u"/next"_s};
    }

    void filesNamedInAConfiguration()
    {
        QFETCH(QByteArray, configuration);
        QFETCH(QStringList, expected);
        QCOMPARE(configuredCacheFiles(configuration), expected);
    }

    void specialMonths_data()
    {
        QTest::addColumn<QString>("special");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("missingFile"); // that fails the listing
        QTest::newRow("each month's file once instead of its logs")
            << u"200309*cfgspecial.txt|200310*FULL|"_s
            << QByteArray("LOGFILE \"/elsewhere/*\"\r\n# October\r\n") << QString();
        QTest::newRow("a file name holding another month and a star")
            << u"200309*cfgspecial.txt|200308*x200310*y.txt|"_s
            << QByteArray("LOGFILE \"/elsewhere/*\"\r\nLOGFILE \"/logs/20031001\"\r\n")
            << QString();
        QTest::newRow("a month's file that is gone")
            << u"200309*gone.txt|"_s << QByteArray() << u"stats/cfg/gone.txt"_s;
    }

    void specialMonths()
    {
        QFETCH(QString, special);
        QFETCH(QByteArray, expected);
        QFETCH(QString, missingFile);
        writeFile(home->file(u"stats/cfg/cfgspecial.txt"_s),
                  QByteArray("LOGFILE \"/elsewhere/*\"").append('\0').append("tail"));
        writeFile(home->file(u"full.txt"_s), "# October");
        writeStored(site.keyPath(),
                    {{u"LogSpecial"_s, special.replace(u"FULL"_s, home->file(u"full.txt"_s))}});
        takeStoredLogRules();
        site.LogNameStruct = u"%yyyy%%mm%%dd%"_s;
        site.LogPeriodicity = kLogDaily;
        QByteArray out;
        const Result listed = ListLogFiles(site, Period{2003, kDay, 9, 30}, QDate(2003, 9, 30),
                                           QDate(2003, 10, 1), &out);
        if (!missingFile.isEmpty())
            QCOMPARE(listed.message(), u"Error opening file "_s + home->file(missingFile));
        else
            QCOMPARE(listed ? out : "refused: " + listed.message().toUtf8(), expected);
    }

    void formatChanges_data()
    {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("one change inside the month")
            << u"200309|"_s
            << QByteArray("LOGFILE \"/logs/0831\"\r\nLOGFORMAT new\r\nLOGFORMAT "
                          "COMBINED\r\nLOGFORMAT COMMON\r\nLOGFILE "
                          "\"/logs/09*\"\r\nLOGFORMAT new\r\nLOGFILE \"/logs/1001\"\r\n");
        QTest::newRow("old change applies once from the start")
            << u"||200101||"_s
            << QByteArray("APACHELOGFORMAT (old)\r\nLOGFILE \"/logs/0831\"\r\nLOGFILE "
                          "\"/logs/09*\"\r\nLOGFILE \"/logs/1001\"\r\n");
        // A month of change may hold both formats (the change on any day):
        // the new one is tried first, then the earlier; the month after has
        // the new one alone again.
        QTest::newRow("the latest change in force wins, then the next")
            << u"200310|200309|200101|"_s
            << QByteArray("APACHELOGFORMAT (old)\r\nLOGFILE \"/logs/0831\"\r\nLOGFORMAT "
                          "new\r\nAPACHELOGFORMAT (old)\r\nLOGFILE \"/logs/09*\"\r\nLOGFORMAT "
                          "newest\r\nLOGFORMAT new\r\nLOGFILE \"/logs/1001\"\r\n");
        QTest::newRow("several before the period: only the latest")
            << u"200309|200101|200201|"_s
            << QByteArray("LOGFORMAT later\r\nLOGFILE \"/logs/0831\"\r\nLOGFORMAT "
                          "new\r\nLOGFORMAT later\r\nLOGFILE \"/logs/09*\"\r\nLOGFORMAT "
                          "new\r\nLOGFILE \"/logs/1001\"\r\n");
        QTest::newRow("an Apache format in parentheses stays as typed")
            << u"200202|"_s
            << QByteArray("APACHELOGFORMAT (%h %r)\r\nLOGFILE \"/logs/0831\"\r\nLOGFILE "
                          "\"/logs/09*\"\r\nLOGFILE \"/logs/1001\"\r\n");
        QTest::newRow("a change after the period")
            << u"200401|"_s
            << QByteArray("LOGFILE \"/logs/0831\"\r\nLOGFILE "
                          "\"/logs/09*\"\r\nLOGFILE "
                          "\"/logs/1001\"\r\n");
    }
    void formatChanges()
    {
        QFETCH(QString, changes);
        QFETCH(QByteArray, expected);
        writeStored(site.keyPath(), {{u"LogFormatChanges"_s, changes},
                                     {u"200101"_s, u"Aold"_s},
                                     {u"200201"_s, u"Llater"_s},
                                     {u"200202"_s, u"A(%h %r)"_s},
                                     {u"200309"_s, u"Lnew"_s},
                                     {u"200310"_s, u"Lnewest"_s},
                                     {u"200401"_s, u"Lfuture"_s}});
        takeStoredLogRules();
        site.LogNameStruct = u"%mm%%dd%"_s;
        site.LogPeriodicity = kLogDaily;
        QByteArray out;
        QVERIFY(ListLogFiles(site, Period{2003, kMonth, 9, 0}, QDate(2003, 9, 1),
                             QDate(2003, 10, 1), &out));
        QCOMPARE(out, expected);
    }

    void storedFormsOfTheSpecificFormats()
    {
        writeStored(site.keyPath(),
                    {{u"LogFormatChanges"_s, u"199901|"_s}, {u"199901"_s, u"Lgone"_s}});
        QVERIFY(storeFormatChanges(site.name, {{u"200212"_s, false, u"%h %t"_s},
                                               {u"(yyyymm)"_s, false, u"(...)"_s},
                                               {u"200305"_s, true, u"%h %l"_s}}));
        const auto stored = [&](const QString& name) { return readStored(site.keyPath(), name); };
        const auto present = [&](const QString& name) {
            return bool(storedKey(site.keyPath())->value(name));
        };
        QCOMPARE(stored(u"LogFormatChanges"_s), u"200305|200212|"_s);
        QCOMPARE(stored(u"200305"_s), u"A%h %l"_s);
        QCOMPARE(stored(u"200212"_s), u"L%h %t"_s);
        QVERIFY(!present(u"199901"_s));
        QCOMPARE(SiteRecord(site.name).formatChanges.size(), 2);
        QVERIFY(SiteRecord(site.name).formatChanges.first().apache);

        QVERIFY(storeSpecialMonths(site.name, {{u"200301"_s, u"a.txt"_s},
                                               {u"(yyyymm)"_s, u"cfgspecial.txt"_s},
                                               {u"200308"_s, u"b.txt"_s}}));
        QCOMPARE(stored(u"LogSpecial"_s), u"200308*b.txt|200301*a.txt|"_s);
        // "|" would part the stored list: refused, and what is stored stays.
        QVERIFY(!storeSpecialMonths(site.name, {{u"200302"_s, u"a|b.txt"_s}}));
        QCOMPARE(stored(u"LogSpecial"_s), u"200308*b.txt|200301*a.txt|"_s);
        QVERIFY(storeFormatChanges(site.name, {}));
        QCOMPARE(stored(u"LogFormatChanges"_s), QString());
        QVERIFY(!present(u"200305"_s));
    }

    void damagedChangeListNeverDeletesSiteValues()
    {
        writeStored(site.keyPath(),
                    {{u"Url"_s, u"www.shop.com"_s}, {u"LogFormatChanges"_s, u"Url|200301|"_s}});
        QVERIFY(storeFormatChanges(site.name, {}));
        QCOMPARE(readStored(site.keyPath(), u"Url"_s), u"www.shop.com"_s);
    }

    void monthTexts_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<bool>("valid");
        QTest::newRow("200312") << u"200312"_s << true;
        QTest::newRow("199112") << u"199112"_s << false;
        QTest::newRow("206912") << u"206912"_s << true;
        QTest::newRow("207001, corrupt to Analog") << u"207001"_s << false;
        QTest::newRow("200313") << u"200313"_s << false;
        QTest::newRow("200300") << u"200300"_s << false;
        QTest::newRow("20031") << u"20031"_s << false;
        QTest::newRow("2003123") << u"2003123"_s << false;
        QTest::newRow("20031x") << u"20031x"_s << false;
        QTest::newRow("2003 1") << u"2003 1"_s << false;
    }
    void monthTexts()
    {
        QFETCH(QString, month);
        QFETCH(bool, valid);
        QCOMPARE(isValidMonthText(month), valid);
    }

private:
    SiteRecord site;
};

QTEST_GUILESS_MAIN(TestLogFiles)
#include "tst_logfiles.moc"
