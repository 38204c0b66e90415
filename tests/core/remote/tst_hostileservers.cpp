#include "remote/ftpclient.h"
#include "remote/logfetch.h"
#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "support/testservers.h"

#include <QDir>
#include <QThread>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

// Servers that misbehave: every case ends, with a message that says what
// happened, and leaves nothing half-written.
class TestHostileServers : public SandboxTest
{
    Q_OBJECT

private:
    static RemoteLimits shortLimits()
    {
        RemoteLimits limits;
        limits.connectSeconds = 3;
        limits.listingSeconds = 6;
        limits.lowSpeedSeconds = 2;
        return limits;
    }
    SiteRecord siteOf(const HostileFtpServer& server)
    {
        SiteRecord site = testSite(*home);
        QDir().mkpath(site.LogsDir);
        site.LogNameStruct = u"ex%yy%%mm%%dd%.log"_s;
        site.FTPUrl = server.url(u"/"_s);
        site.FTPUser = u"anyone"_s;
        return site;
    }
    QStringList logFolder() const
    {
        return QDir(home->file(u"logs"_s))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void failuresEndWithTheirCause_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("download"); // else a listing
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<qint64>>("sizeRateSent"); // of a "big" file
        const QString slow = u"127.0.0.1 stopped answering or sent less than 512 bytes a second, "
                             u"so it was stopped after ? s."_s;
        QTest::newRow("endless listing")
            << u"endless"_s << false
            << u"The folder / cannot be listed. The listing is larger than 64.0 MiB or 1000000 "
               u"entries, so it was not read."_s
            << QList<qint64>();
        QTest::newRow("dripping listing") << u"drip"_s << false
                                          << u"The folder / cannot be "
                                             u"listed. "_s +
                                                 slow
                                          << QList<qint64>();
        QTest::newRow("stalled listing")
            << u"stall"_s << false << u"The folder / cannot be listed. "_s + slow
            << QList<qint64>();
        QTest::newRow("silent server")
            << u"silent"_s << false
            << u"Connecting to 127.0.0.1 timed out after ? s.\nThe server took the connection "
               u"but never greeted*"_s
            << QList<qint64>();
        QTest::newRow("dripping file") << u"dripfile"_s << true << slow << QList<qint64>();
        QTest::newRow("stalled file") << u"stallfile"_s << true << slow << QList<qint64>();
        QTest::newRow("reset file") << u"reset"_s << true
                                    << u"The connection to 127.0.0.1 broke off: Failure when "
                                       u"receiving data from the peer."_s
                                    << QList<qint64>();
        // Above the low speed, yet far too slow for its size: 6 s allowed.
        QTest::newRow("file dripping above the floor")
            << u"big"_s << true
            << u"127.0.0.1 sent * of 39.1 KiB in ? s, too slowly for its size, so the transfer "
               u"was stopped."_s
            << QList<qint64>{40000, 2000, 40000};
        QTest::newRow("file longer than announced")
            << u"big"_s << true << u"127.0.0.1 announced 1?000 bytes but sent 2.0 KiB*"_s
            << QList<qint64>{1000, 0, 2000};
        QTest::newRow("file shorter than announced")
            << u"big"_s << true << u"127.0.0.1 announced 2.0 KiB but sent 1?000 bytes*"_s
            << QList<qint64>{2000, 0, 1000};
        QTest::newRow("file over the largest size")
            << u"big"_s << true << u"The file is larger than 146.5 KiB, the largest copied*"_s
            << QList<qint64>{200000, 0, 200000};
    }
    void failuresEndWithTheirCause()
    {
        QFETCH(QString, mode);
        QFETCH(bool, download);
        QFETCH(QString, message);
        QFETCH(QList<qint64>, sizeRateSent);
        sizeRateSent += {100000, 0, -1};
        HostileFtpServer server(mode, sizeRateSent.at(0), sizeRateSent.at(1), sizeRateSent.at(2));
        QVERIFY(server.isRunning());
        RemoteLimits limits = shortLimits();
        limits.fileBaseSeconds = 2;
        limits.fileMinimumRate = 10000;
        limits.maxFileBytes = 150000;
        FtpClient client(siteOf(server), limits);
        Result result = client.connect();
        if (result) {
            RemoteListing listing;
            result = download
                         ? client.download("/file.log", home->file(u"logs/ex.log"_s), false).result
                         : client.list(QString(), &listing);
        }
        QVERIFY2(QRegularExpression::fromWildcard(message, Qt::CaseSensitive,
                                                  QRegularExpression::DefaultWildcardConversion)
                     .match(result.message())
                     .hasMatch(),
                 qPrintable(result.message()));
        QCOMPARE(logFolder(), QStringList());
    }

    void oddNamesAreKeptOrSkipped()
    {
        HostileFtpServer server(u"oddnames"_s);
        const SiteRecord site = siteOf(server);
        FtpClient client(site, shortLimits());
        const FetchReport report = fetchRemoteLogs(client, site, {});
        QVERIFY2(report.result, qPrintable(report.result.message()));
        QVERIFY2(report.problems.size() == 2, qPrintable(report.problems.join(u"\n"_s)));
        QVERIFY(report.problems.at(0).contains(u"carriage?return.log"_s));
        QCOMPARE(report.problems.at(1), // the folder before it stays
                 u"The listing line \"this line is no listing\" could not be read; it was left "
                 u"out."_s);
        // Each file holds the bytes it was asked for by: its own name, exactly.
        const QString folder = home->file(u"logs/"_s);
        QCOMPARE(logFolder(),
                 (QStringList{u" leading space.log"_s, u"caf\uFFFD.log"_s, u"last.log"_s,
                              u"plain.log"_s, u"trailing space.log "_s}));
        QCOMPARE(readAll(folder + u" leading space.log"_s), QByteArray(" leading space.log"));
        QCOMPARE(readAll(folder + u"trailing space.log "_s), QByteArray("trailing space.log "));
        QCOMPARE(readAll(folder + u"caf\uFFFD.log"_s), QByteArray("caf\xe9.log"));
    }

    void progressCountsBytes()
    {
        const qint64 size = 3 * 1024 * 1024;
        HostileFtpServer server(u"big"_s, size, 8 * 1024 * 1024);
        FtpClient client(siteOf(server), shortLimits());
        QList<std::pair<qint64, qint64>> calls;
        client.setProgressListener([&](qint64 done, qint64 total) { calls.append({done, total}); });
        QVERIFY(client.connect());
        const QString local = home->file(u"logs/big.log"_s);
        QCOMPARE(client.download("/file.log", local, false).status, DownloadStatus::Copied);
        QVERIFY(calls.size() >= 3);
        QCOMPARE(calls.last(), std::pair(size, size));
        for (qsizetype i = 1; i < calls.size(); ++i)
            QVERIFY(calls.at(i).first > calls.at(i - 1).first);
        QCOMPARE(QFileInfo(local).size(), size);
    }

    void cancelStopsTheFileInProgress()
    {
        HostileFtpServer server(u"big"_s, 200 * 1024 * 1024, 1024 * 1024);
        FtpClient client(siteOf(server), shortLimits());
        QVERIFY(client.connect());
        // Cancelled from another thread once bytes flow, as the dialog does.
        client.setProgressListener([&](qint64 done, qint64) {
            if (done > 0)
                QThread::create([&client] { client.cancel(); })->start();
        });
        const QString local = home->file(u"logs/big.log"_s);
        QCOMPARE(client.download("/file.log", local, true).status, DownloadStatus::Cancelled);
        QCOMPARE(logFolder(), QStringList());
        RemoteListing listing;
        QCOMPARE(client.list(QString(), &listing).message(), u"Cancelled."_s);
    }
};

QTEST_GUILESS_MAIN(TestHostileServers)
#include "tst_hostileservers.moc"
