#include "remote/ftpclient.h"
#include "remote/logfetch.h"
#include "remote/remotenames.h"
#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "support/testservers.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestFtp : public SandboxTest
{
    Q_OBJECT

private:
    // The server's tree: logs/ with a year folder, a dot folder, a dot file
    // and a name no local file may have.
    void makeServerTree()
    {
        const QString root = home->file(u"server"_s);
        writeFile(root + u"/logs/site_20030517.log.gz"_s, "gz 17");
        writeFile(root + u"/logs/site_20030518.log.gz"_s, "gz 18");
        writeFile(root + u"/logs/.hidden.log"_s, "hidden");
        writeFile(root + u"/logs/.cache/x"_s, "x");
        writeFile(root + u"/logs/back\\slash.log"_s, "bs");
        writeFile(root + u"/logs/site_20030519$(cd;touch${IFS}X).log.gz"_s, "shell");
        writeFile(root + u"/logs/2004/ex040101.log"_s, "ex 0101");
        writeFile(root + u"/logs/2004/ex040102.log"_s, "ex 0102");
        writeFile(root + u"/logs/with blank/a b.log"_s, "blank");
        QDir().mkpath(root + u"/logs/empty"_s);
    }
    SiteRecord ftpSite(const FtpTestServer& server, const QString& path = u"/logs"_s)
    {
        SiteRecord site = testSite(*home);
        QDir().mkpath(site.LogsDir);
        site.LogNameStruct = u"%yyyy%\\site_%yyyy%%mm%%dd%.log.gz"_s;
        site.FTPUrl = server.url(path);
        site.FTPUser = QString::fromLatin1(FtpTestServer::user());
        site.FTPAccess = QString::fromLatin1(FtpTestServer::password());
        return site;
    }
    static QStringList names(const QList<RemoteEntry>& entries)
    {
        QStringList list;
        for (const RemoteEntry& entry : entries)
            list.append(entry.name + (entry.isFolder ? u"/"_s : QString()));
        list.sort();
        return list;
    }

private slots:
    void mapping_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("local"); // relative to the log folder; "" when refused
        QTest::newRow("year folder") << u"%yyyy%\\site_%yyyy%%mm%%dd%.log.gz"_s
                                     << u"site_20030517.log.gz"_s << u"2003/site_20030517.log.gz"_s;
        QTest::newRow("two levels")
            << u"%yy%\\%mm%\\ex%yy%%mm%%dd%.log"_s << u"ex030517.log"_s << u"03/05/ex030517.log"_s;
        QTest::newRow("slashes too")
            << u"%yyyy%/%mm%/w%yyyy%%mm%%dd%"_s << u"w20040229"_s << u"2004/02/w20040229"_s;
        QTest::newRow("no folder")
            << u"ex%yy%%mm%%dd%.log"_s << u"anything.txt"_s << u"anything.txt"_s;
        QTest::newRow("two-digit year cannot fill four")
            << u"%yyyy%\\ex%yy%%mm%%dd%.log"_s << u"ex030517.log"_s << u"%yyyy%/ex030517.log"_s;
        QTest::newRow("four-digit year fills two")
            << u"%yy%\\ex%yyyy%%mm%.log"_s << u"ex200305.log"_s << u"03/ex200305.log"_s;
        QTest::newRow("week keeps its width")
            << u"%mm%\\%wk%_%mm%.log"_s << u"xxxx_07.log"_s << u"07/xxxx_07.log"_s;
        QTest::newRow("short name") << u"%dd%\\%yyyy%%mm%%dd%"_s << u"2003"_s << u"2003"_s;
        QTest::newRow("slash in name") << u"%yyyy%\\x"_s << u"a/b"_s << QString();
        QTest::newRow("backslash in name") << u"x"_s << u"a\\b"_s << QString();
        QTest::newRow("dot dot") << u"x"_s << u".."_s << QString();
        for (const char* shell :
             {"$", "`", "\"", ";", "|", "&", "(", ")", "<", ">", "'", "\x1b", "\x7f"})
            QTest::addRow("shell character %s", shell)
                << u"x"_s << u"x_20261105"_s + QLatin1String(shell) + u"touch X.log.xz"_s
                << QString();
        QTest::newRow("control character") << u"x"_s << u"a\nb"_s << QString();
        QTest::newRow("name would climb out") << u"%yy%\\x%yy%.log"_s << u"x...log"_s << QString();
        QTest::newRow("stored scheme climbs out")
            << u"..\\..\\x%yy%.log"_s << u"x03.log"_s << QString();
        QTest::newRow("stored absolute scheme") << u"/tmp/x%yy%.log"_s << u"x03.log"_s << QString();
    }
    void mapping()
    {
        QFETCH(QString, scheme);
        QFETCH(QString, name);
        QFETCH(QString, local);
        SiteRecord site = testSite(*home);
        site.LogNameStruct = scheme;
        QDir().mkpath(site.LogsDir + u"/03"_s);
        QDir().mkpath(site.LogsDir + u"/2004"_s);
        const LocalTarget target = mapRemoteName(site, name);
        QCOMPARE(target.result.ok(), !local.isEmpty());
        if (local.isEmpty()) {
            // The message names what was refused: the name, or the stored scheme.
            QString shown = name;
            shown.replace(QRegularExpression(u"[\\x00-\\x1f\\x7f]"_s), u"?"_s);
            QVERIFY(target.result.message().contains(shown) ||
                    target.result.message().contains(scheme));
            QCOMPARE(QDir(site.LogsDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                     (QStringList{u"03"_s, u"2004"_s}));
            return;
        }
        QCOMPARE(target.path, site.LogsDir + u'/' + local);
        QVERIFY(QFileInfo(target.path).absoluteDir().exists());
    }

    void onlyTheLastFolderLevelIsMade()
    {
        SiteRecord site = testSite(*home);
        site.LogNameStruct = u"%yy%\\%mm%\\ex%yy%%mm%%dd%.log"_s;
        QDir().mkpath(site.LogsDir);
        const LocalTarget target = mapRemoteName(site, u"ex030517.log"_s);
        QVERIFY(target.result);
        QVERIFY(!QFileInfo::exists(site.LogsDir + u"/03"_s));
        writeFile(site.LogsDir + u"/04"_s, "a file");
        site.LogNameStruct = u"%yy%\\ex%yy%%mm%%dd%.log"_s;
        const LocalTarget refused = mapRemoteName(site, u"ex040517.log"_s);
        QVERIFY(!refused.result);
        QCOMPARE(refused.result.message(),
                 u"%1/04/ file exists, and is not a folder."_s.arg(site.LogsDir));
    }

    void folderWalk()
    {
        RemoteFolder folder(u"/logs"_s);
        QCOMPARE(folder.header(), u"/logs/"_s);
        const QList<RemoteEntry> entries{{u"a"_s, false}, {u"b"_s, true}, {u"c"_s, false}};
        QCOMPARE(folder.rows(entries),
                 (QList<RemoteEntry>{
                     {u".."_s, true}, {u"c"_s, false}, {u"b"_s, true}, {u"a"_s, false}}));
        QVERIFY(folder.open(u"2004"_s));
        QCOMPARE(folder.filePath(u"x.log"_s), u"/logs/2004/x.log"_s);
        QVERIFY(!folder.open(u"."_s));
        QVERIFY(folder.open(u".."_s));
        QVERIFY(folder.open(u".."_s));
        QCOMPARE(folder.path(), QString());
        QVERIFY(!folder.open(u".."_s));
        QCOMPARE(folder.rows(entries),
                 (QList<RemoteEntry>{{u"a"_s, false}, {u"c"_s, false}, {u"b"_s, true}}));
    }

    void listingLines_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("names"); // "/" marks a folder, "=N" a size
        QTest::addColumn<int>("skipped");
        QTest::newRow("unix") << QByteArray(
                                     "total 2\r\n-rw-r--r-- 1 ftp ftp 120 Jan 01 12:00 a.log\r\n"
                                     "drwxr-xr-x 2 ftp ftp 4096 Feb  3  2025 logs\r\n")
                              << QStringList{u"a.log=120"_s, u"logs/"_s} << 0;
        QTest::newRow("no group, LF only, last line without end")
            << QByteArray("-rw-r--r-- 1 1000 7 Jan 01 12:00 a.log\n"
                          "-rw-r--r-- 1 1000 1000 9 Jan 01 12:00 b.log")
            << QStringList{u"a.log=7"_s, u"b.log=9"_s} << 0;
        QTest::newRow("blanks kept") << QByteArray("-rw-r--r-- 1 u g 5 Jan 01 12:00  lead.log\r\n"
                                                   "-rw-r--r-- 1 u g 5 Jan 01 12:00 trail.log \r\n")
                                     << QStringList{u" lead.log=5"_s, u"trail.log =5"_s} << 0;
        QTest::newRow("link, dots")
            << QByteArray("lrwxrwxrwx 1 u g 5 Jan 01 12:00 current -> 2026\n"
                          "drwxr-xr-x 2 u g 5 Jan 01 12:00 .\ndrwxr-xr-x 2 u g 5 Jan 01 12:00 ..\n")
            << QStringList{u"current=5"_s} << 0;
        QTest::newRow("dos") << QByteArray(
                                    "01-17-26  08:15PM       <DIR>          2026\r\n"
                                    "01-17-26  08:15PM                12345 ex260117.log\r\n")
                             << QStringList{u"2026/"_s, u"ex260117.log=12345"_s} << 0;
        QTest::newRow("unreadable lines skipped, not the folder")
            << QByteArray("-rw-r--r-- 1 u g 5 Jan 01 12:00 a\rb.log\r\nnonsense\r\n"
                          "-rw-r--r-- 1 u g 5 Jan 01 12:00 ok.log\r\n")
            << QStringList{u"ok.log=5"_s} << 2;
        QTest::newRow("line break splits a name")
            << QByteArray("-rw-r--r-- 1 u g 5 Jan 01 12:00 a\nb.log\n"
                          "-rw-r--r-- 1 u g 5 Jan 01 12:00 ok.log\n")
            << QStringList{u"ok.log=5"_s} << 1;
    }
    void listingLines()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, names);
        QFETCH(int, skipped);
        const RemoteListing parsed = parseRemoteListing(listing);
        QStringList found;
        for (const RemoteEntry& entry : parsed.entries)
            found.append(entry.name + (entry.isFolder ? u"/"_s : u"=%1"_s.arg(entry.size)));
        QCOMPARE(found, names);
        QCOMPARE(parsed.skipped.size(), skipped);
    }

    void nameNotUtf8KeepsItsBytes()
    {
        const RemoteListing parsed =
            parseRemoteListing("-rw-r--r-- 1 u g 5 Jan 01 12:00 caf\xe9.log\r\n");
        QCOMPARE(parsed.entries.size(), 1);
        QCOMPARE(parsed.entries.first().rawName, QByteArray("caf\xe9.log"));
        RemoteFolder folder(u"/logs"_s);
        QCOMPARE(folder.rawFilePath(parsed.entries.first()), QByteArray("/logs/caf\xe9.log"));
    }

    void connectionFailures_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("password"); // "-": none stored
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("netrc");
        const QString noConnection = u"No FTP Connection\n(Probably due to bad connection data)"_s;
        QTest::newRow("bad URL") << u"ftp://bad host/"_s << QString()
                                 << u"Bad URL\n\n"_s + noConnection << QByteArray();
        QTest::newRow("not FTP") << u"http://127.0.0.1/"_s << QString() << noConnection
                                 << QByteArray();
        QTest::newRow("nobody listening")
            << u"ftp://127.0.0.1:1/"_s << QString()
            << noConnection + u"\n\n127.0.0.1 cannot be reached on port 1."_s << QByteArray();
        QTest::newRow("wrong password")
            << QString() << u"wrong"_s << u"127.0.0.1 answered: 530 Authentication failed."_s
            << QByteArray();
        const QByteArray netrc = QByteArray("machine 127.0.0.1 login ") + FtpTestServer::user() +
                                 " password \"" + FtpTestServer::password() + "\"\n";
        QTest::newRow("password in ~/.netrc") << QString() << u"-"_s << QString() << netrc;
        QTest::newRow("the stored password before ~/.netrc")
            << QString() << u"wrong"_s << u"127.0.0.1 answered: 530 Authentication failed."_s
            << netrc;
        QTest::newRow("no password anywhere")
            << QString() << u"-"_s << u"127.0.0.1 answered: 530 Authentication failed."_s
            << QByteArray();
    }
    void connectionFailures()
    {
        QFETCH(QString, url);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QByteArray, netrc);
        makeServerTree();
        FtpTestServer server(home->file(u"server"_s));
        QVERIFY(server.isRunning());
        SiteRecord site = ftpSite(server);
        if (!url.isEmpty())
            site.FTPUrl = url;
        if (!password.isEmpty())
            site.FTPAccess = password == u"-"_s ? QString() : password;
        if (!netrc.isEmpty())
            writeFile(home->file(u".netrc"_s), netrc);
        FtpClient client(site);
        QCOMPARE(client.connect().message(), message);
    }

    void listAndWalk_data()
    {
        QTest::addColumn<bool>("refuseActive");
        QTest::newRow("active") << false;
        QTest::newRow("active refused, passive taken") << true;
    }
    void listAndWalk()
    {
        QFETCH(bool, refuseActive);
        makeServerTree();
        FtpTestServer server(home->file(u"server"_s), {refuseActive, {}});
        QVERIFY(server.isRunning());
        FtpClient client(ftpSite(server, u"/logs/"_s));
        const Result connected = client.connect();
        QVERIFY2(connected, qPrintable(connected.message()));
        QCOMPARE(client.startFolder(), u"/logs"_s);
        RemoteFolder folder(client.startFolder());
        RemoteListing listing;
        QVERIFY(client.list(folder.path(), &listing));
        QCOMPARE(names(listing.entries),
                 (QStringList{u".hidden.log"_s, u"2004/"_s, u"back\\slash.log"_s, u"empty/"_s,
                              u"site_20030517.log.gz"_s, u"site_20030518.log.gz"_s,
                              u"site_20030519$(cd;touch${IFS}X).log.gz"_s, u"with blank/"_s}));
        QCOMPARE(client.usesPassiveMode(), refuseActive);
        QVERIFY(folder.open(u"with blank"_s));
        QVERIFY(client.list(folder.path(), &listing));
        QCOMPARE(names(listing.entries), QStringList{u"a b.log"_s});
        QVERIFY(folder.open(u".."_s) && folder.open(u"empty"_s));
        QVERIFY(client.list(folder.path(), &listing));
        QVERIFY(listing.entries.isEmpty());
        const Result missing = client.list(u"/logs/missing"_s, &listing);
        QVERIFY(missing.message().startsWith(u"The folder /logs/missing/ cannot be listed. "
                                             u"127.0.0.1 answered: 550"_s));
    }

    void downloadIntoMappedFolders()
    {
        makeServerTree();
        FtpTestServer server(home->file(u"server"_s));
        const SiteRecord site = ftpSite(server);
        FtpClient client(site);
        QVERIFY(client.connect());
        const LocalTarget target = mapRemoteName(site, u"site_20030517.log.gz"_s);
        QVERIFY(target.result);
        QCOMPARE(target.path, site.LogsDir + u"/2003/site_20030517.log.gz"_s);
        QCOMPARE(client.download("/logs/site_20030517.log.gz", target.path, false).status,
                 DownloadStatus::Copied);
        QCOMPARE(readAll(target.path), QByteArray("gz 17"));
        // Kept unless overwriting is asked for.
        writeFile(target.path, "local edit");
        QCOMPARE(client.download("/logs/site_20030517.log.gz", target.path, false).status,
                 DownloadStatus::Exists);
        QCOMPARE(readAll(target.path), QByteArray("local edit"));
        QCOMPARE(client.download("/logs/site_20030517.log.gz", target.path, true).status,
                 DownloadStatus::Copied);
        QCOMPARE(readAll(target.path), QByteArray("gz 17"));
        // A full disk keeps the local file as it was.
        if (const SmallDisk disk(site.LogsDir + u"/full"_s, u"64k"_s); disk.mounted()) {
            const QString local = site.LogsDir + u"/full/kept.log"_s;
            writeFile(local, "local");
            disk.fill();
            const DownloadResult full = client.download("/logs/site_20030518.log.gz", local, true);
            QCOMPARE(full.status, DownloadStatus::Failed);
            QVERIFY2(full.result.message().contains(u"No space left"_s),
                     qPrintable(full.result.message()));
            QCOMPARE(readAll(local), QByteArray("local"));
        }
        QDir(site.LogsDir).rmdir(u"full"_s);
        // The server's own reason, not an earlier attempt's, and nothing left behind.
        const DownloadResult missing =
            client.download("/logs/site_20990101.log.gz", site.LogsDir + u"/2099.gz"_s, false);
        QCOMPARE(missing.status, DownloadStatus::Failed);
        QVERIFY2(missing.result.message().startsWith(u"127.0.0.1 answered: 550 "_s),
                 qPrintable(missing.result.message()));
        QCOMPARE(
            QDir(site.LogsDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{u"2003"_s});
        client.cancel();
        QCOMPARE(
            client.download("/logs/site_20030518.log.gz", site.LogsDir + u"/c"_s, false).status,
            DownloadStatus::Cancelled);
        QVERIFY(!QFileInfo::exists(site.LogsDir + u"/c"_s));
    }

    void commandLine()
    {
        makeServerTree();
        FtpTestServer server(home->file(u"server"_s));
        const auto cli = [&](const QStringList& arguments, QString* err = nullptr) {
            const CliOutcome outcome = runCli(*home, arguments);
            if (err)
                *err = outcome.err;
            return std::pair(outcome.status, outcome.out);
        };
        QCOMPARE(cli({u"add"_s, u"shop"_s}).first, 0);
        QCOMPARE(
            cli({u"set"_s, u"shop"_s, u"FTPUrl="_s + server.url(u"/logs"_s), u"FTPUser=logs"_s,
                 u"FTPAccess=s3cret pass"_s, u"LogNameStruct=%yyyy%/site_%yyyy%%mm%%dd%.log.gz"_s})
                .first,
            0);
        const auto [lsStatus, listing] = cli({u"ls"_s, u"shop"_s});
        QCOMPARE(lsStatus, 0);
        QStringList lines = listing.split(u'\n', Qt::SkipEmptyParts);
        lines.sort();
        const QString refused = u"  [refused: "_s;
        QCOMPARE(lines.filter(refused).size(), 2);
        for (QString& line : lines)
            line = line.section(refused, 0, 0);
        QCOMPARE(lines,
                 (QStringList{u".hidden.log"_s, u"2004/"_s, u"back\\slash.log"_s, u"empty/"_s,
                              u"site_20030517.log.gz"_s, u"site_20030518.log.gz"_s,
                              u"site_20030519$(cd;touch${IFS}X).log.gz"_s, u"with blank/"_s}));
        QCOMPARE(cli({u"ls"_s, u"shop"_s, u"2004"_s}).second, u"ex040101.log\nex040102.log\n"_s);
        const QString logs = home->file(u"shop/stats/logs"_s);
        QString err;
        const auto [fetchStatus, fetched] = cli({u"fetch"_s, u"shop"_s}, &err);
        QCOMPARE(fetchStatus, 1); // the back-slashed name and the shell's are refused
        QVERIFY2(err.contains(u"back\\slash.log"_s), qPrintable(err));
        QVERIFY2(err.contains(u"site_20030519$(cd;touch${IFS}X).log.gz"_s), qPrintable(err));
        QVERIFY(QDir(logs + u"/2003"_s).entryList({u"*0519*"_s}).isEmpty());
        QCOMPARE(fetched, logs + u"/2003/site_20030517.log.gz\n"_s + logs +
                              u"/2003/site_20030518.log.gz\n"_s);
        QVERIFY(!QFileInfo::exists(logs + u"/.hidden.log"_s));
        QCOMPARE(cli({u"fetch"_s, u"shop"_s, u"site_*"_s}).second, QString());
        QCOMPARE(cli({u"fetch"_s, u"shop"_s, u"--overwrite"_s, u"*0518*"_s}),
                 std::pair(0, QString(logs + u"/2003/site_20030518.log.gz\n"_s)));
        QCOMPARE(cli({u"fetch"_s, u"shop"_s, u"--dir"_s, u"2004"_s, u"ex*"_s}).first, 0);
        // The scheme's year stands at characters 6 to 9: read by position, whatever they are.
        QCOMPARE(readAll(logs + u"/102./ex040102.log"_s), QByteArray("ex 0102"));
        QCOMPARE(cli({u"set"_s, u"shop"_s, u"FTPAccess=wrong"_s}).first, 0);
        QCOMPARE(cli({u"ls"_s, u"shop"_s}, &err).first, 1);
        QVERIFY(err.contains(u"530"_s));
    }
};

QTEST_GUILESS_MAIN(TestFtp)
#include "tst_ftp.moc"
