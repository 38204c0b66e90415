#include "analog/basecfg.h"
#include "analog/cfggenerator.h"
#include "analog/period.h"
#include "analog/reportlist.h"
#include "analog/sitefolders.h"
#include "run/builddriver.h"
#include "store/preferences.h"
#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "support/loggenerator.h"
#include "support/recordingsink.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "util/translations.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

namespace {

// The sections of an HTML report, by their anchors.
QStringList reportSections(const QString& report)
{
    static const QRegularExpression anchor(u"<h2><a name=\"([a-z]+)\""_s,
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList sections;
    for (const QRegularExpressionMatch& match :
         anchor.globalMatch(QString::fromUtf8(readAll(report))))
        sections.append(match.captured(1));
    return sections;
}

// What Analog's report says it counted.
int successfulRequests(const QString& report)
{
    static const QRegularExpression count(u"Successful requests:</b> ([0-9,]+)"_s);
    const QRegularExpressionMatch match = count.match(QString::fromUtf8(readAll(report)));
    return match.hasMatch() ? match.captured(1).remove(u',').toInt() : -1;
}

// What the driver said of its periods: "n/count name" as each started.
struct RecordingObserver
{
    QStringList started;
    int finished = 0;
};

} // namespace

class TestBuildDriver : public SandboxTest
{
    Q_OBJECT

private:
    QString reportOf(const QString& period) const
    {
        return site.reportsFolder() + u'/' + period + u"/stats"_s + period + u".html"_s;
    }
    // text: one pattern, or several apart by spaces.
    bool build(const QString& text, bool useExisting = false, int jobs = 1, bool onlyStale = false)
    {
        QList<Period> periods;
        for (const QString& pattern : text.split(u' '))
            periods += periodsOfPattern(pattern).value();
        BuildDriver driver(site);
        sink.listenTo(&driver);
        connect(&driver, &BuildDriver::periodStarted, this,
                [this](const Period& period, int number, int count) {
                    observer.started.append(
                        u"%1/%2 %3"_s.arg(number).arg(count).arg(PeriodName(period)));
                });
        connect(&driver, &BuildDriver::periodFinished, this, [this] { ++observer.finished; });
        return buildToEnd(driver, periods, BuildOptions{useExisting, jobs, onlyStale});
    }

    SiteRecord site;
    RecordingSink sink;
    RecordingObserver observer;

private slots:
    void initTestCase() { installTranslations(QLocale(QLocale::English)); } // plural forms
    void init()
    {
        SandboxTest::init();
        sink.lines.clear();
        sink.batches = 0;
        observer = {};
        Preferences prefs;
        prefs.analogPath = u"/usr/bin/analog"_s;
        QVERIFY(prefs.save());
        site = SiteRecord();
        site.name = u"shop site"_s; // a blank in every path
        site.DeriveDefaults();
        site.isNew = true;
        site.ReportOrder[0] = u"xmdrc-"_s;
        QVERIFY(createSiteFolders(site));
        QVERIFY(SaveSite(site));
    }

    void buildsEveryLogLayout_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<quint32>("logPeriodicity");
        QTest::addColumn<QString>("period");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("vhostFrom"); // a day of September 2003 whose logs name the host
        QTest::newRow("daily report, daily gzip logs")
            << u"%yyyy%/www.shop_%yyyy%%mm%%dd%.log.gz"_s << quint32(kLogDaily) << u"2003-09-15"_s
            << 48 << 0;
        QTest::newRow("monthly report, daily logs")
            << u"ex%yy%%mm%%dd%.log"_s << quint32(kLogDaily) << u"2003-09"_s << 30 * 48 << 0;
        QTest::newRow("weekly report, weekly logs")
            << u"w%yyyy%%wk%.log"_s << quint32(kLogWeekly) << u"2003-W38"_s << 7 * 48 << 0;
        QTest::newRow("daily report, hourly logs")
            << u"%yyyy%%mm%%dd%-%hh%.log"_s << quint32(kLogHourly) << u"2003-09-30"_s << 48 << 0;
        QTest::newRow("quarter, monthly logs")
            << u"%yyyy%/%mm%.log.gz"_s << quint32(kLogMonthly) << u"2003-Q3"_s << 92 * 48 << 0;
        QTest::newRow("year over New Year, weekly logs")
            << u"%yyyy%-%wk%.log"_s << quint32(kLogWeekly) << u"2003"_s << 365 * 48 << 0;
        QTest::newRow("a log format that changes on the 15th")
            << u"ex%yy%%mm%%dd%.log"_s << quint32(kLogDaily) << u"2003-09"_s << 30 * 48 << 15;
        QTest::newRow("a log format that changes on the 1st")
            << u"ex%yy%%mm%%dd%.log"_s << quint32(kLogDaily) << u"2003-Q3"_s << 92 * 48 << 1;
    }
    void buildsEveryLogLayout()
    {
        QFETCH(QString, scheme);
        QFETCH(quint32, logPeriodicity);
        QFETCH(QString, period);
        QFETCH(int, requests);
        QFETCH(int, vhostFrom);
        site.LogNameStruct = scheme;
        site.LogPeriodicity = logPeriodicity;
        writeLogs(site, QDate(2002, 12, 20), QDate(2004, 1, 10), 48);
        if (vhostFrom > 0) { // from that day on, every line begins with the host's name
            for (QDate day(2003, 9, vhostFrom); day < QDate(2004, 1, 1); day = day.addDays(1)) {
                const QString log = site.LogsDir + day.toString(u"/'ex'yyMMdd'.log'"_s);
                writeFile(log, "www.shop " + readAll(log).replace("\n10.", "\nwww.shop 10."));
            }
            site.formatChanges = {{u"200309"_s, true,
                                   u"%v %h %l %u %t \"%r\" %>s %b \"%{Referer}i\" "
                                   u"\"%{User-Agent}i\""_s}};
        }
        QVERIFY(build(period));
        QVERIFY2(recorder->errors.isEmpty(), qPrintable(recorder->errors.join(u'\n')));
        QCOMPARE(successfulRequests(reportOf(period)), requests);
        QVERIFY(readAll(reportOf(period)).contains("shop site"));
        const QString command = u"\"/usr/bin/analog\" -G -g\""_s + site.configFile(period) + u'"';
        const QStringList echo = CConsoleRunner::echoLines(command);
        QCOMPARE(sink.lines.mid(0, echo.size() + 1), echo + QStringList{u"----------"_s});
        QCOMPARE(sink.lines.mid(sink.lines.size() - 2), (QStringList{u"Exit code: 0"_s, u" "_s}));
    }

    // Every request lands in exactly one report of each kind: the logs have
    // requests at 00:00:00 and 23:59:59 of every day, so a period that
    // takes in a minute of its neighbour, or a log file left out, shows.
    void periodsTileTime_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<quint32>("logPeriodicity");
        QTest::addColumn<QStringList>("periods");
        const QString daily = u"%yyyy%/ex%yy%%mm%%dd%.log"_s;
        const QString weekly = u"w%yyyy%-%wk%.log"_s;
        QTest::newRow("days around New Year, daily logs")
            << daily << quint32(kLogDaily) << QStringList{u"2025-12-31"_s, u"2026-01-01"_s};
        QTest::newRow("weeks across New Year, weekly logs")
            << weekly << quint32(kLogWeekly)
            << QStringList{u"2025-W52"_s, u"2026-W01"_s, u"2026-W02"_s};
        QTest::newRow("days of a week split at New Year, weekly logs")
            << weekly << quint32(kLogWeekly)
            << QStringList{u"2025-12-28"_s, u"2025-12-29"_s, u"2025-12-31"_s, u"2026-01-01"_s};
        QTest::newRow("December with a week 53, weekly logs")
            << weekly << quint32(kLogWeekly)
            << QStringList{u"2026-W52"_s, u"2026-W53"_s, u"2026-12"_s, u"2027-01-01"_s};
        QTest::newRow("weeks across New Year, daily logs")
            << u"%yyyy%%mm%%dd%.log.gz"_s << quint32(kLogDaily)
            << QStringList{u"2025-W52"_s, u"2026-W01"_s, u"2026-W02"_s};
        QTest::newRow("months across New Year, weekly logs")
            << weekly << quint32(kLogWeekly) << QStringList{u"2025-12"_s, u"2026-01"_s};
        QTest::newRow("months, hourly logs") << u"%yyyy%%mm%%dd%-%hh%.log"_s << quint32(kLogHourly)
                                             << QStringList{u"2024-02"_s, u"2024-03"_s};
        QTest::newRow("quarters, monthly logs") << u"%yyyy%-%mm%.log"_s << quint32(kLogMonthly)
                                                << QStringList{u"2025-Q4"_s, u"2026-Q1"_s};
        QTest::newRow("halves, daily logs")
            << daily << quint32(kLogDaily) << QStringList{u"2025-H2"_s, u"2026-H1"_s};
        QTest::newRow("years, weekly logs, 2027 starting on a Friday")
            << weekly << quint32(kLogWeekly) << QStringList{u"2026"_s, u"2027"_s};
    }
    void periodsTileTime()
    {
        QFETCH(QString, scheme);
        QFETCH(quint32, logPeriodicity);
        QFETCH(QStringList, periods);
        site.LogNameStruct = scheme;
        site.LogPeriodicity = logPeriodicity;
        const auto rangeOf = [](const QString& name) { return *PeriodBounds(*PeriodOfName(name)); };
        const int perDay = 4;
        QDate first = rangeOf(periods.first()).start, last = first;
        for (const QString& name : std::as_const(periods)) {
            first = std::min(first, rangeOf(name).start);
            last = std::max(last, rangeOf(name).end);
        }
        writeLogs(site, first.addDays(-10), last.addDays(10), perDay);
        for (const QString& name : std::as_const(periods)) {
            QVERIFY(build(name));
            const PeriodRange range = rangeOf(name);
            QCOMPARE(successfulRequests(reportOf(name)), range.start.daysTo(range.end) * perDay);
        }
        QVERIFY2(recorder->errors.isEmpty(), qPrintable(recorder->errors.join(u'\n')));
    }

    // A period read from its days' or months' caches gives the report its
    // logs give, line for line (rows of equal counts may change places),
    // once the last seven days, which no cache keeps, are left out of both;
    // but for the time of the run and the count of unwanted lines: those of
    // the neighbour days' logs that lie outside the period. Pie charts are
    // off, as their colours follow the order of the rows.
    void reportsFromCachesEqualReportsFromLogs_data()
    {
        QTest::addColumn<QStringList>("parts"); // built after the periods, with them
        QTest::addColumn<QStringList>("periods");
        QTest::newRow("a week across New Year and a month, from days")
            << QStringList{u"2025-12-*"_s, u"2026-01-*"_s}
            << QStringList{u"2026-W01"_s, u"2026-01"_s};
        QTest::newRow("a quarter, from months read from logs")
            << QStringList{u"2025-*"_s} << QStringList{u"2025-Q4"_s};
        QTest::newRow("a quarter, from months read from days")
            << QStringList{u"2026-01-*"_s, u"2026-02-*"_s, u"2026-03-*"_s, u"2026-*"_s}
            << QStringList{u"2026-Q1"_s};
    }
    void reportsFromCachesEqualReportsFromLogs()
    {
        QFETCH(QStringList, parts);
        QFETCH(QStringList, periods);
        const auto reportLines = [this](const QString& period) {
            QList<QByteArray> lines = readAll(reportOf(period)).split('\n');
            lines.removeIf([](const QByteArray& line) {
                return line.contains("Program started at") || line.contains("Running time") ||
                       line.contains("Unwanted logfile entries");
            });
            std::sort(lines.begin(), lines.end());
            return lines;
        };
        site.LogNameStruct = u"%yyyy%%mm%%dd%.log"_s;
        site.ReportOrder[0] = u"xmdWDHrcoStuz-"_s;
        QVERIFY(SaveSite(site));
        const QString base = site.cfgFolder() + u"/analog.basecfg"_s;
        writeFile(base, readAll(base) + "\nLASTSEVEN OFF\nALLCHART OFF\n");
        writeLogs(site, QDate(2025, 9, 25), QDate(2026, 4, 5), 6);
        QVERIFY(build(periods.join(u' ')));
        QMap<QString, QList<QByteArray>> fromLogs;
        for (const QString& period : std::as_const(periods))
            fromLogs.insert(period, reportLines(period));
        // In one build with their parts, which come first, stage by stage.
        QVERIFY(build((parts + periods).join(u' ')));
        for (const QString& period : std::as_const(periods)) {
            QVERIFY(readAll(site.configFile(period)).contains("CACHEFILE"));
            QCOMPARE(reportLines(period), fromLogs.value(period));
        }
    }

    // Debian's analog.cfg, the source of the base file, switches every
    // report on; the Site's choice must still hold. Analog takes only the
    // first word of an Apache format outside parentheses and then rejects
    // every line.
    void siteSettingsHoldOverTheBaseFile()
    {
        QString order = u"x-"_s;
        for (const ReportCode& report : ReportCodes())
            if (report.code != u'x')
                order += report.code;
        site.ReportOrder[0] = order;
        site.formatChanges = {
            {u"200301"_s, true, u"%h %l %u %t \"%r\" %>s %b \"%{Referer}i\" \"%{User-Agent}i\""_s}};
        site.LogNameStruct = u"%yyyy%%mm%%dd%.log"_s;
        writeLogs(site, QDate(2003, 9, 14), QDate(2003, 9, 16), 20);
        QVERIFY(build(u"2003-09-15"_s));
        QCOMPARE(reportSections(reportOf(u"2003-09-15"_s)), QStringList{u"gensum"_s});
        QCOMPARE(successfulRequests(reportOf(u"2003-09-15"_s)), 20);
    }

    // Two periods at once give the reports one at a time gives, and each
    // period's console lines (Analog's and the post-process command's) stay
    // one block.
    void parallelBuildsGiveTheSameReportsInBlocks()
    {
        site.LogNameStruct = u"%yyyy%%mm%%dd%.log"_s;
        site.PostProcessCmd = u"/bin/sh -c \"echo done %OutFile%\""_s;
        QVERIFY(SaveSite(site));
        writeLogs(site, QDate(2003, 8, 31), QDate(2003, 10, 1), 12);
        QVERIFY(build(u"2003-09-*"_s, false, 2));
        QCOMPARE(observer.finished, 30);
        QString current;
        QSet<QString> seen;
        for (const QString& line : std::as_const(sink.lines)) {
            static const QRegularExpression period(
                u"(2003-09-[0-9]{2})\\.cfg|stats(2003-09-[0-9]{2})"_s);
            const QRegularExpressionMatch match = period.match(line);
            if (!match.hasMatch())
                continue;
            const QString name = match.captured(1) + match.captured(2);
            if (name != current) { // a new block: never one seen before
                QVERIFY2(!seen.contains(name), qPrintable(name));
                seen.insert(name);
                current = name;
            }
        }
        QCOMPARE(seen.size(), 30);
        QCOMPARE(sink.lines.count(u"Exit code: 0"_s), 60);
        for (int day = 1; day <= 30; ++day)
            QCOMPARE(successfulRequests(reportOf(u"2003-09-%1"_s.arg(day, 2, 10, QChar(u'0')))),
                     12);
    }

    // After a full build nothing is out of date. A log file counts by what
    // it is, not by its time: each change makes out of date exactly the
    // periods whose configuration lists the file (the day before and after
    // included), a cut-short report or a lost record its own period, a value
    // that reaches Analog every period and one that does not none.
    void onlyStaleReportsAreBuilt()
    {
        site.LogNameStruct = u"%yyyy%%mm%%dd%.log"_s;
        QVERIFY(SaveSite(site));
        writeLogs(site, QDate(2003, 8, 31), QDate(2003, 10, 1), 5);
        const QStringList kinds{u"2003-09-*"_s, u"2003-W*"_s, u"2003-*"_s,
                                u"2003-Q*"_s,   u"2003-H*"_s, u"2003"_s};
        const auto buildStale = [&] {
            observer = {};
            sink.lines.clear();
            build(kinds.join(u' '), false, 2, true); // in one build, as an update
            QStringList built = observer.started;
            for (QString& line : built)
                line = line.section(u' ', 1);
            built.sort();
            return built;
        };
        build(kinds.join(u' '), false, 2);
        QCOMPARE(buildStale(), QStringList());
        QVERIFY(sink.lines.contains(u"2003-01: no log file exists, nothing was built."_s));
        QVERIFY(sink.lines.contains(u"The 43 chosen reports are up to date; nothing was built."_s));
        const QDateTime longAgo(QDate(2001, 1, 1), QTime(0, 0));
        const auto addToLog = [&](const QDate& day) {
            QFile file(site.LogsDir + day.toString(u"'/'yyyyMMdd'.log'"_s));
            QVERIFY(file.open(QIODevice::Append));
            file.write(logLine(day, 43200, 1));
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        };
        addToLog(QDate(2003, 9, 17)); // rewritten, with an old time
        QCOMPARE(buildStale(),
                 (QStringList{u"2003"_s, u"2003-09"_s, u"2003-09-16"_s, u"2003-09-17"_s,
                              u"2003-09-18"_s, u"2003-H2"_s, u"2003-Q3"_s, u"2003-W38"_s}));
        addToLog(QDate(2003, 10, 3)); // moved in from elsewhere, with its old time
        QCOMPARE(buildStale(),
                 (QStringList{u"2003"_s, u"2003-10"_s, u"2003-H2"_s, u"2003-Q4"_s, u"2003-W40"_s}));
        addToLog(QDate(2003, 8, 31)); // the day before September
        QCOMPARE(buildStale(),
                 (QStringList{u"2003"_s, u"2003-08"_s, u"2003-09"_s, u"2003-09-01"_s, u"2003-H2"_s,
                              u"2003-Q3"_s, u"2003-W35"_s, u"2003-W36"_s}));
        // A report cut short, a build killed before its record; a day's cache
        // cut short, another's replaced by a neighbour's, a third's deleted.
        const QString september = reportOf(u"2003-09"_s);
        writeFile(september, readAll(september).left(4000));
        QVERIFY(QFile::remove(site.Root + u"/cfg/2003-W38.build"_s));
        const QString caches = site.cacheFolder();
        writeFile(caches + u"/2003-09-10.cache"_s,
                  readAll(caches + u"/2003-09-10.cache"_s).left(900));
        writeFile(caches + u"/2003-09-11.cache"_s, readAll(caches + u"/2003-09-12.cache"_s));
        QVERIFY(QFile::remove(caches + u"/2003-09-02.cache"_s));
        // The caches are written anew, and what reads them is built again.
        QCOMPARE(
            buildStale(),
            (QStringList{u"2003"_s, u"2003-09"_s, u"2003-09-02"_s, u"2003-09-10"_s, u"2003-09-11"_s,
                         u"2003-H2"_s, u"2003-Q3"_s, u"2003-W36"_s, u"2003-W37"_s, u"2003-W38"_s}));
        site.FTPAccess = u"new secret"_s;
        site.KeepPeriods = u"DMY"_s;
        QVERIFY(SaveSite(site));
        QCOMPARE(buildStale(), QStringList());
        // Logs deleted leave the reports that count them as they are.
        QVERIFY(QFile::remove(site.LogsDir + u"/20030917.log"_s));
        QVERIFY(QFile::remove(site.LogsDir + u"/20031003.log"_s));
        QCOMPARE(buildStale(), QStringList());
        // A change in what is counted builds every period with logs or
        // caches again, but no report loses a request: a day or month some
        // of whose logs are gone (the neighbour days' included) keeps its
        // cache, and says so once; the week of 3 October, which only its
        // logs held, keeps its report.
        const int year = successfulRequests(reportOf(u"2003"_s));
        const int month = successfulRequests(reportOf(u"2003-09"_s));
        const QString base = site.cfgFolder() + u"/analog.basecfg"_s;
        writeFile(base, readAll(base) + "\nHOSTEXCLUDE nobody.example\n");
        QCOMPARE(buildStale().size(), 30 - 3 + 5 + 2 + 2 + 1 + 1);
        QCOMPARE(successfulRequests(reportOf(u"2003"_s)), year);
        QCOMPARE(successfulRequests(reportOf(u"2003-09"_s)), month);
        QVERIFY(sink.lines.contains(
            u"The settings changed, but logs that the caches of 2003-09-16, 2003-09-17, "
            u"2003-09-18, 1 more were made from are gone: those caches stay as they were made, "
            u"and the reports that hold them count them so."_s));
        QVERIFY(
            sink.lines.contains(u"2003-W40: the report was kept, as logs it counts are gone "
                                u"(20031003.log): built again, it would lack their requests. "
                                u"Remove the report to build it from the logs that are left."_s));
        // Caches lost where none can be written again build nothing.
        QVERIFY(QDir(site.cacheFolder()).removeRecursively());
        writeFile(site.cacheFolder(), {});
        QCOMPARE(buildStale(), QStringList());
    }

    // logrotate renames every file each night and deletes the oldest: each
    // whole day is counted once, whatever its file is called, and stays
    // counted when its logs are gone.
    void numberedLogsCountEachWholeDayOnce()
    {
        site.LogNameStruct = u"access.log"_s;
        site.LogPeriodicity = kLogNumbered;
        QVERIFY(SaveSite(site));
        const QDate today = QDate::currentDate();
        const auto at = [&](int day, int hour) {
            return QDateTime(today.addDays(day), QTime(hour, 0));
        };
        const auto log = [&](const QString& suffix) -> QString {
            return site.LogsDir + u"/access.log"_s + suffix;
        };
        // Rotated at six each morning; yesterday's file closed at midnight.
        writeHourlyRequests(log(u".3.gz"_s), at(-4, 6), at(-3, 6));
        writeHourlyRequests(log(u".2.gz"_s), at(-3, 6), at(-2, 6));
        writeHourlyRequests(log(u".1"_s), at(-2, 6), at(-1, 6));
        writeHourlyRequests(log(QString()), at(-1, 6), at(0, 0));
        QMap<QDate, int> expected{
            {today.addDays(-3), 24}, {today.addDays(-2), 24}, {today.addDays(-1), 24}, {today, 0}};
        const auto buildAndCount = [&] {
            QStringList periods;
            for (int day = -4; day <= 0; ++day)
                periods.append(today.addDays(day).toString(u"yyyy-MM-dd"_s));
            for (const QDate& day : expected.keys())
                periods.append(day.toString(u"yyyy-MM"_s));
            periods.removeDuplicates();
            build(periods.join(u' '), false, 1, true); // in one build, as an update
            QMap<QString, int> counts;
            for (const QString& period : std::as_const(periods))
                counts[period] = successfulRequests(reportOf(period));
            return counts;
        };
        const auto expectedCounts = [&] {
            QMap<QString, int> counts{{today.addDays(-4).toString(u"yyyy-MM-dd"_s), -1}};
            for (auto day = expected.cbegin(); day != expected.cend(); ++day) {
                counts[day.key().toString(u"yyyy-MM-dd"_s)] = day.value();
                counts[day.key().toString(u"yyyy-MM"_s)] += day.value();
            }
            return counts;
        };
        QCOMPARE(buildAndCount(), expectedCounts());
        // The next night, as the clock allows: the oldest file goes, the
        // others move up a number, and today's first request is logged.
        QVERIFY(QFile::remove(log(u".3.gz"_s)));
        QVERIFY(QFile::rename(log(u".2.gz"_s), log(u".3.gz"_s)));
        writeHourlyRequests(log(u".2.gz"_s), at(-2, 6), at(-1, 6));
        QVERIFY(QFile::remove(log(u".1"_s)));
        QVERIFY(QFile::rename(log(QString()), log(u".1"_s)));
        writeFile(log(QString()), logLine(today, 0, 1));
        expected[today] = 1;
        QCOMPARE(buildAndCount(), expectedCounts());
        // The oldest file, deleted by hand, held nothing of today's requests.
        QVERIFY(QFile::remove(log(u".3.gz"_s)));
        writeFile(log(QString()), logLine(today, 0, 1) + logLine(today, 0, 1));
        expected[today] = 2;
        QCOMPARE(buildAndCount(), expectedCounts());
        QVERIFY2(recorder->errors.isEmpty(), qPrintable(recorder->errors.join(u'\n')));
    }

    // A configuration edited by hand is used when asked for. Analog stopped
    // halfway leaves the report it had and no leftovers; the period stays
    // out of date and is built again.
    void reusedAndStoppedBuilds()
    {
        site.LogNameStruct = u"%yyyy%%mm%%dd%.log"_s;
        QVERIFY(SaveSite(site));
        writeLogs(site, QDate(2003, 9, 14), QDate(2003, 9, 16), 5);
        QVERIFY(build(u"2003-09-15"_s));
        const QString config = site.configFile(u"2003-09-15"_s);
        QByteArray edited = readAll(config);
        edited.replace("HOSTNAME \"shop site\"", "HOSTNAME \"edited by hand\"");
        writeFile(config, edited);
        QVERIFY(build(u"2003-09-15"_s, true));
        QCOMPARE(readAll(config), edited);
        QVERIFY(readAll(reportOf(u"2003-09-15"_s)).contains("edited by hand"));
        QVERIFY(build(u"2003-09-14"_s, true)); // with no file to reuse, one is written
        QVERIFY(build(u"2003-09-15"_s));
        QVERIFY(readAll(config) != edited);
        const QString report = reportOf(u"2003-09-15"_s);
        const QByteArray whole = readAll(report);
        const QString cache = site.cacheFolder() + u"/2003-09-15.cache"_s;
        const QByteArray wholeCache = readAll(cache);
        QVERIFY(!wholeCache.isEmpty());
        writeLogs(site, QDate(2003, 9, 15), QDate(2003, 9, 15), 1); // one more request
        // An Analog that writes half of its report and cache, then hangs.
        const QString hanging = home->file(u"hanging-analog"_s);
        writeFile(hanging,
                  "#!/bin/sh\n"
                  "for a; do case \"$a\" in -g*) c=${a#-g};;\n"
                  "  +COUTFILE*) f=${a#+COUTFILE \\\"}; f=${f%\\\"};;\n"
                  "  +CCACHEOUTFILE*) k=${a#+CCACHEOUTFILE \\\"}; k=${k%\\\"};; esac; done\n"
                  "[ -n \"$f\" ] || f=$(sed -n 's/^OUTFILE \"\\(.*\\)\"\\r$/\\1/p' \"$c\")\n"
                  "printf '<html>half' > \"$f\"\nprintf half > \"$k\"\n"
                  "printf %s \"$GLIBC_TUNABLES\" > \"$0.tunables\"\nexec sleep 30\n");
        QFile(hanging).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        Preferences prefs = Preferences::load();
        prefs.analogPath = hanging;
        QVERIFY(prefs.save());
        BuildDriver driver(site);
        QTimer::singleShot(1000, &driver, &BuildDriver::stop);
        QVERIFY(!buildToEnd(driver, {*PeriodOfName(u"2003-09-15"_s)}));
        QCOMPARE(readAll(report), whole);
        QCOMPARE(readAll(cache), wholeCache);
        QCOMPARE(readAll(hanging + u".tunables"_s), "glibc.malloc.hugetlb=1");
        for (const QString& folder : {QFileInfo(report).path(), site.cacheFolder()})
            QCOMPARE(QDir(folder).entryList({u".*"_s}, QDir::Files | QDir::Hidden), QStringList());
        prefs.analogPath = u"/usr/bin/analog"_s;
        QVERIFY(prefs.save());
        observer = {};
        QVERIFY(build(u"2003-09-15"_s, false, 1, true));
        QCOMPARE(observer.started, QStringList{u"1/1 2003-09-15"_s});
    }

    void postProcessSeesItsVariables()
    {
        const QString script = home->file(u"post process/record.sh"_s);
        writeFile(script,
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n"
                  "echo recorded\n");
        QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
        site.PostProcessCmd =
            u"\""_s + script + u"\" %CfgFile% \"%OutFile%\" \"%OutPath/%/index.html\""_s;
        QVERIFY(Preferences{}.save()); // no Analog path: the one found runs
        QVERIFY(build(u"2003-09-15"_s));
        QCOMPARE(sink.lines.first(),
                 CConsoleRunner::echoLines(u"\"/usr/bin/analog\" -G -g\""_s +
                                           site.configFile(u"2003-09-15"_s) + u'"')
                     .first());
        const QString folder = site.reportsFolder() + u"/2003-09-15"_s;
        QCOMPARE(readAll(script + u".args"_s),
                 (u"2003-09-15\n"_s + folder + u"/stats2003-09-15.html\n"_s + folder +
                  u"/index.html\n"_s)
                     .toUtf8());
        QCOMPARE(sink.lines.count(u"recorded"_s), 1);
        QCOMPARE(sink.lines.count(u"Exit code: 0"_s), 2);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("analogPath");
        QTest::addColumn<QString>("postProcess");
        QTest::addColumn<QString>("fileInPlaceOf"); // relative to the reports folder
        QTest::addColumn<QString>("logFile");       // relative to the log folder
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("exitLines");
        const QString missing =
            u"Cannot find the Analog program. Please enter its path in the Preferences dialog."_s;
        QTest::newRow("Analog missing, each period says so")
            << u"/nowhere/analog"_s << QString() << QString() << QString()
            << QStringList{missing, missing} << 0;
        QTest::newRow("Analog fails")
            << u"/bin/false"_s << QString() << QString() << QString() << QStringList{} << 0;
        QTest::newRow("post-process missing, Analog still runs")
            << u"/usr/bin/analog"_s << u"/no/such/tool %OutFile%"_s << QString() << QString()
            << QStringList{u"CreateProcess: error # 2\n(cmd: /no/such/tool %1/2003-H1/stats2003-H1.html)"_s,
                           u"CreateProcess: error # 2\n(cmd: /no/such/tool %1/2003-H2/stats2003-H2.html)"_s}
            << 2;
        QTest::newRow("a file where the report folder goes")
            << u"/usr/bin/analog"_s << QString() << u"2003-H1"_s << QString()
            << QStringList{u"%1/2003-H1 file exists, and is not a folder."_s} << 1;
        // Analog would hand it to the shell of its UNCOMPRESS command.
        const QString hostile = u"2003/www.shop site_20030704$(touch X).log.gz"_s;
        QTest::newRow("a log whose name a shell would run")
            << u"/usr/bin/analog"_s << QString() << QString() << hostile
            << QStringList{u"The log file \"%2\" holds a character that a shell would read, and "
                           u"Analog hands log files to a shell to uncompress them. Rename or "
                           u"remove "
                           u"it; nothing was built."_s}
            << 1;
    }
    void failures()
    {
        QFETCH(QString, analogPath);
        QFETCH(QString, postProcess);
        QFETCH(QString, fileInPlaceOf);
        QFETCH(QString, logFile);
        QFETCH(QStringList, messages);
        QFETCH(int, exitLines);
        Preferences prefs;
        prefs.analogPath = analogPath;
        QVERIFY(prefs.save());
        site.PostProcessCmd = postProcess;
        if (!fileInPlaceOf.isEmpty())
            writeFile(site.reportsFolder() + u'/' + fileInPlaceOf, "x");
        if (!logFile.isEmpty())
            writeFile(site.LogsDir + u'/' + logFile, "x");
        QVERIFY(!build(u"2003-H*"_s));
        for (QString& message : messages)
            message.replace(u"%1"_s, site.reportsFolder())
                .replace(u"%2"_s, site.LogsDir + u'/' + logFile);
        QCOMPARE(recorder->errors, messages);
        QCOMPARE(sink.lines.count(u"Exit code: 0"_s), exitLines);
        QCOMPARE(observer.finished, 2); // every period is tried
    }

    void generationFailureSkipsThePeriod()
    {
        site.DefaultBase = u"gone"_s;
        QVERIFY(!build(u"2003-Q1"_s));
        QCOMPARE(recorder->errors.size(), 1);
        QVERIFY(recorder->errors.first().startsWith(u"Error opening file "_s));
        QVERIFY(sink.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBuildDriver)
#include "tst_builddriver.moc"
