#include "analog/basecfg.h"
#include "analog/sitefolders.h"
#include "analog/updateplan.h"
#include "report/reportaccess.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "support/loggenerator.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "support/testservers.h"
#include "update/siteupdate.h"

#include <QDir>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestSiteUpdate : public SandboxTest
{
    Q_OBJECT

private:
    struct Run
    {
        bool ok = false;
        QList<SiteUpdateOutcome> outcomes;
    };
    Run update(const QStringList& names, const QDate& today)
    {
        UpdateOptions options;
        options.jobs = 2;
        options.today = today;
        SiteUpdate running(names, options);
        Run run;
        QObject::connect(&running, &SiteUpdate::siteFinished,
                         [&](const SiteUpdateOutcome& outcome) { run.outcomes.append(outcome); });
        bool done = false;
        QObject::connect(&running, &SiteUpdate::finished, [&](bool ok) {
            run.ok = ok;
            done = true;
        });
        running.start();
        if (!QTest::qWaitFor([&] { return done; }, 120000))
            qWarning("the update did not end");
        return run;
    }
    static QStringList names(const QList<Period>& periods)
    {
        QStringList list;
        for (const Period& period : periods)
            list.append(PeriodName(period));
        return list;
    }

private slots:
    void init()
    {
        SandboxTest::init();
        Preferences prefs;
        prefs.analogPath = u"/usr/bin/analog"_s;
        QVERIFY(prefs.save());
    }

    void buildsOnlyWhatIsOutOfDate()
    {
        SiteRecord site = storedTestSite(u"shop"_s, u"DM"_s);
        writeLogs(site, QDate(2026, 9, 30), QDate(2026, 10, 2), 50);
        const QDate today(2026, 10, 2);
        QCOMPARE(names(outOfDatePeriods(site, today)),
                 (QStringList{u"2026-09-29"_s, u"2026-09-30"_s, u"2026-10-01"_s, u"2026-10-02"_s,
                              u"2026-09"_s, u"2026-10"_s}));
        const Run first = update({u"shop"_s}, today);
        QVERIFY2(first.ok, qPrintable(first.outcomes.value(0).problems.join(u'\n')));
        QCOMPARE(first.outcomes.first().periodsBuilt, 6);
        QVERIFY(QFileInfo::exists(generalIndexPage(site)));
        QVERIFY(outOfDatePeriods(site, today).isEmpty());
        // A log rewritten after its reports makes its day and month out of date.
        const QString log = site.LogsDir + u"/2026/www.shop_20261001.log.gz"_s;
        QFile touched(log);
        QVERIFY(touched.open(QIODevice::ReadWrite) &&
                touched.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                    QFileDevice::FileModificationTime));
        touched.close();
        // The days before and after list it too, for requests near midnight.
        QCOMPARE(names(outOfDatePeriods(site, today)),
                 (QStringList{u"2026-09-30"_s, u"2026-10-01"_s, u"2026-10-02"_s, u"2026-09"_s,
                              u"2026-10"_s}));
        // Built while the log changes under Analog, they are built again.
        const QString touching = home->file(u"touching-analog"_s);
        writeFile(touching, "#!/bin/sh\ntouch '" + QFile::encodeName(log) +
                                "'\nexec /usr/bin/analog \"$@\"\n");
        QVERIFY(QFile::setPermissions(touching, QFile::ReadOwner | QFile::ExeOwner));
        for (const QString& analog : {touching, u"/usr/bin/analog"_s}) {
            Preferences prefs;
            prefs.analogPath = analog;
            QVERIFY(prefs.save());
            QCOMPARE(update({u"shop"_s}, today).outcomes.first().periodsBuilt, 5);
        }
        QVERIFY(outOfDatePeriods(site, today).isEmpty());
    }

    void fetchesNewLogsAndGoesOnPastAnUnreachableServer()
    {
        SiteRecord site = storedTestSite(u"shop"_s, u"M"_s);
        SiteRecord server = site; // the server keeps the same files in one folder
        server.LogsDir = home->file(u"server/logs"_s);
        server.LogNameStruct = u"www.shop_%yyyy%%mm%%dd%.log.gz"_s;
        QDir().mkpath(server.LogsDir);
        writeLogs(server, QDate(2026, 10, 1), QDate(2026, 10, 2), 20);
        FtpTestServer ftp(home->file(u"server"_s));
        QVERIFY(ftp.isRunning());
        site.FTPUrl = ftp.url(u"/logs"_s);
        site.FTPUser = QString::fromLatin1(FtpTestServer::user());
        site.FTPAccess = QString::fromLatin1(FtpTestServer::password());
        QVERIFY(site.Save());
        SiteRecord gone = storedTestSite(u"gone"_s, u"M"_s);
        gone.FTPUrl = u"ftp://127.0.0.1:1/"_s;
        QVERIFY(gone.Save());
        QVERIFY(QDir(storedTestSite(u"lost"_s, u"M"_s).Root).removeRecursively());

        Run first = update({u"gone"_s, u"lost"_s, u"shop"_s}, QDate(2026, 10, 2));
        QVERIFY(!first.ok);
        QCOMPARE(first.outcomes.size(), 3);
        QVERIFY(first.outcomes.at(0).problems.first().startsWith(u"No FTP Connection"_s));
        const QStringList lost = first.outcomes.takeAt(1).problems; // once, not each period
        QVERIFY(lost.size() == 1 && lost.first().startsWith(u"The folder "_s));
        QCOMPARE(first.outcomes.at(1).filesFetched, 4);
        QCOMPARE(first.outcomes.at(1).periodsBuilt, 2);
        QVERIFY(first.outcomes.at(1).problems.isEmpty());

        writeLogs(server, QDate(2026, 10, 3), QDate(2026, 10, 3), 20);
        const Run second = update({u"shop"_s}, QDate(2026, 10, 3));
        QVERIFY(second.ok);
        // The day's own file, the day before's that grew and the next day's that began.
        QCOMPARE(second.outcomes.first().filesFetched, 3);
        QCOMPARE(second.outcomes.first().periodsBuilt, 1);
        QVERIFY(QFileInfo::exists(site.LogsDir + u"/2026/www.shop_20261003.log.gz"_s));
    }

    void commandLine()
    {
        SiteRecord site = storedTestSite(u"my shop"_s, u"DY"_s);
        writeLogs(site, QDate(2025, 12, 31), QDate(2026, 1, 1), 10);
        QString days; // the files of the day before and after hold a few requests too
        for (const char* day : {"2025-12-30", "2025-12-31", "2026-01-01", "2026-01-02"})
            days += u"meridan-cli build 'my shop' %1\n"_s.arg(QLatin1StringView(day));
        const QString years =
            u"meridan-cli build 'my shop' 2025\nmeridan-cli build 'my shop' 2026\n"_s;
        QCOMPARE(runCli(*home, {u"plan"_s}).out, days + years);
        QCOMPARE(runCli(*home, {u"plan"_s, u"--stage"_s, u"3"_s}).out, years);
        {
            UpdateLock held; // another update runs
            QVERIFY(held.acquire());
            const CliOutcome refused = runCli(*home, {u"update"_s, u"--quiet"_s});
            QCOMPARE(refused.status, 1);
            QVERIFY(refused.err.contains(
                u"An update is running already (process %1); only one runs at a time."_s.arg(
                    QCoreApplication::applicationPid())));
        }
        // An update killed as it took the lock left it empty.
        QFile lock(home->file(u".config/Meridan/update.lock"_s));
        QVERIFY(lock.open(QIODevice::WriteOnly) &&
                lock.setFileTime(QDateTime::currentDateTime().addSecs(-70),
                                 QFileDevice::FileModificationTime));
        const CliOutcome quiet = runCli(*home, {u"update"_s, u"--quiet"_s, u"--jobs"_s, u"2"_s});
        QCOMPARE(quiet.status, 0);
        QCOMPARE(quiet.out + quiet.err, QString());
        QCOMPARE(runCli(*home, {u"plan"_s, u"my shop"_s}).out, QString());
        // Caches whose logs are gone stay; update names them once, even quiet.
        QDirIterator logs(site.LogsDir, {u"*1231*"_s}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(logs.hasNext() && QFile::remove(logs.next()));
        const QString base = site.cfgFolder() + u"/analog.basecfg"_s;
        writeFile(base, readAll(base) + "\nHOSTEXCLUDE nobody.example\n");
        const CliOutcome noted = runCli(*home, {u"update"_s, u"--quiet"_s});
        QVERIFY2(noted.status == 0 && noted.err.startsWith(u"my shop: The settings changed, but"_s),
                 qPrintable(noted.err));
        const CliOutcome told = runCli(*home, {u"update"_s, u"my shop"_s, u"nobody"_s});
        QCOMPARE(told.status, 1);
        QCOMPARE(told.out,
                 u"my shop: 0 files fetched (0 bytes), 0 of 0 periods built\n"
                 u"nobody: 0 files fetched (0 bytes), 0 of 0 periods built, 1 problem\n"_s);
        QCOMPARE(told.err, u"nobody: There is no Site named nobody.\n"_s); // notes said once
    }
};

QTEST_GUILESS_MAIN(TestSiteUpdate)
#include "tst_siteupdate.moc"
