#include "analog/localservers.h"
#include "analog/sitefolders.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestSiteFolders : public SandboxTest
{
    Q_OBJECT

private slots:
    void init()
    {
        SandboxTest::init();
        site = SiteRecord();
        site.name = u"site1"_s;
        site.DeriveDefaults();
        site.isNew = true;
        writeFile(home->file(u"analog/analog"_s), "");
        writeFile(home->file(u"analog/analog.cfg"_s), "");
        writeFile(home->file(u"analog/images/bar1.png"_s), "png");
        writeFile(home->file(u"analog/images/.hidden"_s), "x");
        QDir().mkpath(home->file(u"analog/images/sub"_s));
        Preferences prefs;
        prefs.analogPath = home->file(u"analog/analog"_s);
        QVERIFY(prefs.save());
    }

    void newSiteFolders()
    {
        QCOMPARE(missingTopFolders(site), (QStringList{site.Root, site.LogsDir}));
        QVERIFY(createSiteFolders(site));
        QCOMPARE(missingTopFolders(site), QStringList());
        for (const QString& folder :
             {u"site1/stats/cfg"_s, u"site1/stats/reports/images"_s, u"site1/stats/logs"_s})
            QVERIFY2(QFileInfo(home->file(folder)).isDir(), qPrintable(folder));
        QCOMPARE(QDir(home->file(u"site1/stats/reports/images"_s))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"bar1.png"_s});
        // The images folder exists now: nothing is copied again.
        QFile::remove(home->file(u"site1/stats/reports/images/bar1.png"_s));
        QVERIFY(createSiteFolders(site));
        QVERIFY(!QFile::exists(home->file(u"site1/stats/reports/images/bar1.png"_s)));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("fileAt");
        QTest::addColumn<bool>("rootCreated");
        QTest::newRow("file where the root goes") << u"site1/stats"_s << false;
        QTest::newRow("file where the logs go") << u"site1/stats/logs"_s << true;
    }
    void refusals()
    {
        QFETCH(QString, fileAt);
        QFETCH(bool, rootCreated);
        writeFile(home->file(fileAt), "file");
        QCOMPARE(createSiteFolders(site).message(),
                 u"%1 file exists, and is not a folder."_s.arg(home->file(fileAt)));
        QCOMPARE(QFileInfo(site.cfgFolder()).isDir(), rootCreated);
    }

    void logFolderParentIsNotCreated()
    {
        site.LogsDir = home->file(u"deep/down/logs"_s);
        QVERIFY(createSiteFolders(site));
        QVERIFY(!QFileInfo::exists(site.LogsDir));
    }

    // Debian's layout: a server counts when its folder holds access.log.
    void localWebServersAreFound_data()
    {
        QTest::addColumn<QStringList>("files"); // below the root
        QTest::addColumn<QStringList>("servers");
        QTest::newRow("none") << QStringList{u"var/log/syslog"_s} << QStringList{};
        QTest::newRow("Apache, rotated")
            << QStringList{u"var/log/apache2/access.log"_s, u"var/log/apache2/access.log.2.gz"_s,
                           u"var/log/nginx/error.log"_s}
            << QStringList{u"apache2"_s};
        QTest::newRow("both") << QStringList{u"var/log/nginx/access.log"_s,
                                             u"var/log/apache2/access.log"_s}
                              << QStringList{u"apache2"_s, u"nginx"_s};
    }
    void localWebServersAreFound()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, servers);
        const QString root = home->file(u"root"_s);
        for (const QString& file : files)
            writeFile(root + u'/' + file, "");
        QStringList found;
        for (const LocalServer& server : findLocalServers(root)) {
            QVERIFY(server.readable);
            const SiteRecord local = localServerSite(server);
            QCOMPARE(local.LogsDir, root + u"/var/log/"_s + server.server);
            QCOMPARE(local.LogNameStruct, u"access.log"_s);
            QCOMPARE(local.LogPeriodicity, quint32(kLogNumbered));
            QVERIFY(local.name.endsWith(u'-' + server.server));
            found.append(server.server);
        }
        QCOMPARE(found, servers);
        // A server whose Site is stored is not offered again.
        if (servers.isEmpty())
            return;
        storedTestSite(localServerSite(findLocalServers(root).first()).name.toUpper());
        QCOMPARE(unclaimedLocalServers(root).size(), servers.size() - 1);
    }

private:
    SiteRecord site;
};

QTEST_GUILESS_MAIN(TestSiteFolders)
#include "tst_sitefolders.moc"
