#include "remote/ftpclient.h"
#include "remote/logfetch.h"
#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "support/testservers.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

// SFTP against OpenSSH's sshd and FTP over TLS against pyftpdlib, both on
// loopback with keys and certificates made for the test.
class TestSecureTransfer : public SandboxTest
{
    Q_OBJECT

private:
    SiteRecord site(const QString& url)
    {
        SiteRecord record = testSite(*home);
        QDir().mkpath(record.LogsDir);
        record.LogNameStruct = u"%yyyy%\\site_%yyyy%%mm%%dd%.log"_s;
        record.FTPUrl = url;
        return record;
    }
    QString serverLogs() const { return home->file(u"server/logs"_s); }
    void makeServerLogs()
    {
        writeFile(serverLogs() + u"/site_20260101.log"_s, "first");
        writeFile(serverLogs() + u"/site_20260102.log"_s, "second");
    }
    // ssh-keygen's own fingerprint of a public key, to check ours against.
    static QString keygenFingerprint(const QString& publicKey)
    {
        QProcess keygen;
        keygen.start(u"ssh-keygen"_s, {u"-l"_s, u"-E"_s, u"sha256"_s, u"-f"_s, publicKey});
        keygen.waitForFinished();
        return QString::fromUtf8(keygen.readAllStandardOutput()).section(u' ', 1, 1);
    }
    struct Sshd
    {
        QString hostKey;
        std::unique_ptr<SshTestServer> server;
    };
    Sshd startSshd(const QString& name)
    {
        const QString folder = home->file(name);
        QDir().mkpath(folder);
        Sshd sshd{folder + u"/host_key"_s, nullptr};
        if (makeSshKey(sshd.hostKey))
            sshd.server = std::make_unique<SshTestServer>(folder, sshd.hostKey,
                                                          home->file(u".ssh/id_ed25519.pub"_s));
        return sshd;
    }
    static FetchReport fetchAll(FtpClient& client, const SiteRecord& record)
    {
        return fetchRemoteLogs(client, record, {});
    }

private slots:
    void init()
    {
        SandboxTest::init();
        qunsetenv("SSH_AUTH_SOCK"); // only the keys the test makes
    }

    void sftpChecksTheHostKey()
    {
        QVERIFY(QDir().mkpath(home->file(u".ssh"_s)));
        QVERIFY(makeSshKey(home->file(u".ssh/id_ed25519"_s)));
        const QByteArray earlier =
            "# kept as it is\nexample.org ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIE\n";
        writeFile(home->file(u".ssh/known_hosts"_s), earlier);
        makeServerLogs();
        Sshd sshd = startSshd(u"sshd"_s);
        QVERIFY(sshd.server && sshd.server->isRunning());
        SiteRecord record = site(sshd.server->url(serverLogs()));
        record.FTPUser = SshTestServer::userName();
        const QString fingerprint = keygenFingerprint(sshd.hostKey + u".pub"_s);
        QVERIFY(fingerprint.startsWith(u"SHA256:"_s));

        // Unknown: refused unless the user trusts it, and then recorded.
        FtpClient refusing(record);
        QCOMPARE(refusing.connect().message(),
                 u"The host key of 127.0.0.1 is not known, so nothing was sent. Its fingerprint "
                 u"is ssh-ed25519 %1."_s.arg(fingerprint));
        FtpClient trusting(record);
        QStringList asked;
        trusting.setTrustQuestion([&](const ServerIdentity& identity) {
            asked.append(identity.fingerprint);
            return true;
        });
        const FetchReport report = fetchAll(trusting, record);
        QVERIFY2(report.ok(), qPrintable(report.result.message() + report.problems.join(u' ')));
        QCOMPARE(asked, QStringList{fingerprint});
        QCOMPARE(readAll(record.LogsDir + u"/2026/site_20260102.log"_s), QByteArray("second"));
        const QByteArray knownHosts = readAll(home->file(u".ssh/known_hosts"_s));
        QVERIFY(knownHosts.startsWith(earlier));
        QVERIFY(knownHosts.contains(
            u"[127.0.0.1]:%1 ssh-ed25519 "_s.arg(sshd.server->port()).toUtf8()));
        FtpClient known(record);
        QVERIFY(known.connect());

        // Changed: refused loudly, without a question.
        sshd.server.reset();
        Sshd other = startSshd(u"sshd2"_s);
        QVERIFY(other.server && other.server->isRunning());
        record.FTPUrl = other.server->url(serverLogs());
        // The old key, recorded for the new server's port behind lines that
        // libssh2 cannot parse (it stops reading at the first).
        writeFile(home->file(u".ssh/known_hosts"_s),
                  knownHosts + "onefield\n" + QByteArray(5000, 'x') + " ssh-ed25519 AAAA\n" +
                      QByteArray("[127.0.0.1]:") + QByteArray::number(other.server->port()) +
                      knownHosts.mid(knownHosts.lastIndexOf(" ssh-ed25519 ")));
        FtpClient changed(record);
        changed.setTrustQuestion([&](const ServerIdentity&) { return true; });
        const Result refused = changed.connect();
        QVERIFY2(refused.message().startsWith(u"WARNING: THE HOST KEY OF 127.0.0.1 HAS CHANGED!"_s),
                 qPrintable(refused.message()));
        QVERIFY(refused.message().contains(keygenFingerprint(other.hostKey + u".pub"_s)));
    }

    // known_hosts as OpenSSH reads it: every line, whatever stands before.
    void knownHostsLayouts_data()
    {
        QTest::addColumn<QByteArray>("lines"); // KEY: the server's key, OTHER: another
        QTest::addColumn<bool>("hashed");      // hashed by ssh-keygen -H
        QTest::addColumn<KnownHost>("verdict");
        const auto row = [](const char* name, const char* lines, KnownHost verdict,
                            bool hashed = false) {
            QTest::newRow(name) << QByteArray(lines) << hashed << verdict;
        };
        row("nothing", "", KnownHost::Unknown);
        row("the key", "[shop.example]:2222 ssh-ed25519 KEY\n", KnownHost::Known);
        row("another key", "[shop.example]:2222 ssh-ed25519 OTHER\n", KnownHost::Changed);
        row("another key behind a long line",
            "LONG ssh-ed25519 KEY\n[shop.example]:2222 ssh-ed25519 OTHER\n", KnownHost::Changed);
        row("another key behind a line of one field",
            "garbage\n\n# note\n[shop.example]:2222 ssh-ed25519 OTHER comment\n",
            KnownHost::Changed);
        row("the key among others",
            "[shop.example]:2222 ssh-ed25519 OTHER\n"
            "[shop.example]:2222 ssh-ed25519 KEY\n",
            KnownHost::Known);
        row("another port", "shop.example ssh-ed25519 OTHER\n[shop.example]:22 ssh-ed25519 OTHER\n",
            KnownHost::Unknown);
        row("a key of another type", "[shop.example]:2222 ssh-rsa OTHER\n", KnownHost::Unknown);
        row("in a list, any case", "a.example,[SHOP.example]:2222 ssh-ed25519 OTHER\n",
            KnownHost::Changed);
        row("a pattern", "[*.example]:2222 ssh-ed25519 OTHER\n", KnownHost::Changed);
        row("a negated pattern", "[*.example]:2222,![shop.example]:2222 ssh-ed25519 OTHER\n",
            KnownHost::Unknown);
        row("revoked",
            "@revoked [shop.example]:2222 ssh-ed25519 KEY\n"
            "[shop.example]:2222 ssh-ed25519 KEY\n",
            KnownHost::Revoked);
        row("a certificate authority", "@cert-authority [shop.example]:2222 ssh-ed25519 OTHER\n",
            KnownHost::Unknown);
        row("hashed, the key", "[shop.example]:2222 ssh-ed25519 KEY\n", KnownHost::Known, true);
        row("hashed, another key", "LONG ssh-ed25519 KEY\n[shop.example]:2222 ssh-ed25519 OTHER\n",
            KnownHost::Changed, true);
        row("hashed, another host", "other.example ssh-ed25519 OTHER\n", KnownHost::Unknown, true);
    }
    void knownHostsLayouts()
    {
        QFETCH(QByteArray, lines);
        QFETCH(bool, hashed);
        QFETCH(KnownHost, verdict);
        const auto blob = [](char fill) -> QByteArray {
            return QByteArray("\0\0\0\x0bssh-ed25519\0\0\0\x20", 19) + QByteArray(32, fill);
        };
        lines.replace("LONG", QByteArray(5000, 'x'))
            .replace("OTHER", blob('o').toBase64())
            .replace("KEY", blob('k').toBase64());
        const QString file = home->file(u"known_hosts"_s);
        writeFile(file, lines);
        if (hashed)
            QCOMPARE(QProcess::execute(u"ssh-keygen"_s, {u"-q"_s, u"-H"_s, u"-f"_s, file}), 0);
        QCOMPARE(checkKnownHost(readAll(file), u"shop.example"_s, 2222, blob('k')), verdict);
    }

    void commandLineAcceptsANewHostKeyOnlyWhenTold()
    {
        QVERIFY(QDir().mkpath(home->file(u".ssh"_s)));
        QVERIFY(makeSshKey(home->file(u".ssh/id_ed25519"_s)));
        makeServerLogs();
        Sshd sshd = startSshd(u"sshd"_s);
        QVERIFY(sshd.server && sshd.server->isRunning());
        QCOMPARE(runCli(*home, {u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(runCli(*home, {u"set"_s, u"shop"_s, u"FTPUrl="_s + sshd.server->url(serverLogs()),
                                u"FTPUser="_s + SshTestServer::userName()})
                     .status,
                 0);
        const CliOutcome refused = runCli(*home, {u"ls"_s, u"shop"_s});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains(u"is not known, so nothing was sent"_s),
                 qPrintable(refused.err));
        QVERIFY(!QFileInfo::exists(home->file(u".ssh/known_hosts"_s)));
        const CliOutcome accepted = runCli(*home, {u"ls"_s, u"shop"_s, u"--accept-new-host-key"_s});
        QCOMPARE(accepted.out, u"site_20260101.log\nsite_20260102.log\n"_s);
        QCOMPARE(accepted.status, 0);
        const CliOutcome fetched = runCli(*home, {u"fetch"_s, u"shop"_s});
        QCOMPARE(fetched.status, 0);
        QCOMPARE(fetched.out.count(u'\n'), 2);
    }

    void sftpPasswordRefused()
    {
        QVERIFY(QDir().mkpath(home->file(u".ssh"_s)));
        QVERIFY(makeSshKey(home->file(u".ssh/id_ed25519"_s)));
        Sshd sshd = startSshd(u"sshd"_s);
        QVERIFY(sshd.server && sshd.server->isRunning());
        QFile::remove(home->file(u".ssh/id_ed25519"_s)); // the password alone
        SiteRecord record = site(sshd.server->url(serverLogs()));
        record.FTPUser = SshTestServer::userName();
        record.FTPAccess = u"wrong"_s;
        FtpClient client(record);
        client.setTrustQuestion([](const ServerIdentity&) { return true; });
        QCOMPARE(client.connect().message(),
                 u"127.0.0.1 refused the login of %1."_s.arg(record.FTPUser));
    }

    void ftpsVerifiesOrPinsTheCertificate_data()
    {
        QTest::addColumn<bool>("implicit");
        QTest::newRow("ftp:// with Require TLS") << false;
        QTest::newRow("ftps://") << true;
    }
    void ftpsVerifiesOrPinsTheCertificate()
    {
        QFETCH(bool, implicit);
        makeServerLogs();
        FtpTestServer server(home->file(u"server"_s), {false, home->path(), implicit});
        QVERIFY(server.isRunning());
        QCOMPARE(server.fingerprint().size(), 95);
        SiteRecord record = site(server.url(u"/logs"_s));
        record.FTPUser = QString::fromLatin1(FtpTestServer::user());
        record.FTPAccess = QString::fromLatin1(FtpTestServer::password());
        record.FTPRequireTLS = !implicit;

        FtpClient refusing(record);
        QCOMPARE(refusing.connect().message(),
                 u"The certificate of 127.0.0.1 cannot be trusted: self-signed certificate. Its "
                 u"SHA-256 fingerprint is %1; if it is your server's, trust it when asked, or "
                 u"set it as the Site's FTPCertificate."_s.arg(server.fingerprint()));

        FtpClient asking(record);
        asking.setTrustQuestion([](const ServerIdentity&) { return true; });
        QVERIFY(asking.connect());
        QCOMPARE(asking.newlyTrustedCertificate(), server.fingerprint());

        record.FTPCertificate = server.fingerprint();
        FtpClient pinned(record);
        const FetchReport report = fetchAll(pinned, record);
        QVERIFY2(report.ok(), qPrintable(report.result.message() + report.problems.join(u' ')));
        QCOMPARE(readAll(record.LogsDir + u"/2026/site_20260101.log"_s), QByteArray("first"));

        // The certificate is new each run: change its first byte whatever it is.
        const QString otherByte = server.fingerprint().startsWith(u"00") ? u"FF"_s : u"00"_s;
        record.FTPCertificate = QString(server.fingerprint()).replace(0, 2, otherByte);
        FtpClient wrongPin(record);
        const QString refusal = wrongPin.connect().message();
        QVERIFY2(refusal.contains(u"it is not the certificate trusted for this Site"_s),
                 qPrintable(refusal));
    }

    void requiredTlsNotOffered()
    {
        QDir().mkpath(home->file(u"server"_s));
        FtpTestServer server(home->file(u"server"_s));
        SiteRecord record = site(server.url());
        record.FTPUser = QString::fromLatin1(FtpTestServer::user());
        record.FTPAccess = QString::fromLatin1(FtpTestServer::password());
        record.FTPRequireTLS = 1;
        FtpClient client(record);
        QCOMPARE(client.connect().message(),
                 u"127.0.0.1 does not offer TLS, which this Site requires."_s);
    }
};

QTEST_GUILESS_MAIN(TestSecureTransfer)
#include "tst_securetransfer.moc"
