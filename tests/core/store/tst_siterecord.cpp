#include "store/passwordcipher.h"
#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "support/testservers.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestSiteRecord : public SandboxTest
{
    Q_OBJECT

private slots:
    void newSiteTakesTheFirstFreeName_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{} << u"NewWebSite"_s;
        QTest::newRow("first taken") << QStringList{u"NewWebSite"_s} << u"NewWebSite(1)"_s;
        QTest::newRow("two taken")
            << QStringList{u"NewWebSite"_s, u"newwebsite(1)"_s} << u"NewWebSite(2)"_s;
        QTest::newRow("gap") << QStringList{u"NewWebSite(1)"_s} << u"NewWebSite"_s;
    }
    void newSiteTakesTheFirstFreeName()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, expected);
        for (const QString& name : stored)
            storedTestSite(name);
        const SiteRecord site = SiteRecord::NewSite();
        QCOMPARE(site.name, expected);
        QVERIFY(site.isNew);
        QCOMPARE(SiteRecord::NewSite().name, expected); // nothing was stored
    }

    void loadRestoresEveryStoredField()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        for (int i = 0; i < kReportOrderCount; ++i)
            site.ReportOrder[i] = u"x-%1"_s.arg(i);
        site.FTPAccess = u"pässword"_s;
        site.Language = u"FRENCH"_s;
        site.Output = 6;
        QVERIFY(site.Save());
        const QList<SiteValue> saved = siteValues(site);

        site.Url = u"changed"_s;
        site.ReportOrder[3] = u"changed"_s;
        site.FTPAccess = u"changed"_s;
        site.LogPeriodicity = 0;
        site.Load();
        QCOMPARE(siteValues(site).size(), saved.size());
        for (qsizetype i = 0; i < saved.size(); ++i)
            QCOMPARE(siteValues(site).at(i).text, saved.at(i).text);
        QCOMPARE(SiteRecord(u"SHOP"_s).FTPAccess, u"pässword"_s);
    }

    // The key moves whole: the Specific formats values go along even when
    // their page was never opened.
    void renameMovesTheKey()
    {
        SiteRecord site = storedTestSite(u"a"_s);
        writeStored(SiteRecord::keyPathOf(u"a"_s), {{u"200301"_s, u"Lx"_s}});
        site.name = u"b"_s;
        QVERIFY(site.Save());
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{u"b"_s});
        QCOMPARE(site.keyName, u"b"_s);
        QCOMPARE(readStored(SiteRecord::keyPathOf(u"b"_s), u"200301"_s), u"Lx"_s);
    }

    void renameByCaseKeepsTheOtherValues()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        writeStored(SiteRecord::keyPathOf(u"shop"_s), {{u"LogFormatChanges"_s, u"200301|"_s}});
        site.name = u"Shop"_s;
        QVERIFY(site.Save());
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{u"Shop"_s});
        QCOMPARE(readStored(SiteRecord::keyPathOf(u"Shop"_s), u"LogFormatChanges"_s), u"200301|"_s);
    }

    void renameOntoAnotherSiteIsRefused()
    {
        SiteRecord a = storedTestSite(u"a"_s);
        SiteRecord b = storedTestSite(u"b"_s);
        b.Url = u"www.b-own.com"_s;
        QVERIFY(b.Save());
        a.name = u"B"_s;
        QCOMPARE(a.Save().message(), u"The host B exists already!"_s);
        QCOMPARE(storedSiteNames().valueOr({}), (QStringList{u"a"_s, u"b"_s}));
        QCOMPARE(SiteRecord(u"b"_s).Url, u"www.b-own.com"_s);
        QCOMPARE(a.keyName, u"a"_s);
    }

    void badNamesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << u"  \t"_s;
        QTest::newRow("slash") << u"a/b"_s;
        QTest::newRow("backslash") << u"a\\b"_s;
        QTest::newRow("dot dot") << u".."_s;
        QTest::newRow("newline") << u"a\nb"_s;
        QTest::newRow("trailing blank") << u"shop "_s;
    }
    void badNamesAreRefused()
    {
        QFETCH(QString, name);
        QVERIFY(!checkSiteName(name));
        SiteRecord site;
        site.name = name;
        site.DeriveDefaults();
        site.isNew = true;
        QVERIFY(!site.Save());
        QVERIFY(storedSiteNames().valueOr({u"failed"_s}).isEmpty());
        QVERIFY(!QDir(home->path() + u"/.config/Meridan"_s).exists(u"settings.json"_s));
    }

    void deleteLeavesTheFilesOnDisk()
    {
        storedTestSite(u"a"_s);
        storedTestSite(u"b"_s);
        writeFile(home->file(u"a/stats/cfg/2003.cfg"_s), "x");
        QVERIFY(deleteStoredSite(u"A"_s));
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{u"b"_s});
        QVERIFY(QFile::exists(home->file(u"a/stats/cfg/2003.cfg"_s)));
        QVERIFY(!deleteStoredSite(u"a"_s));
    }

    // A block written by the Windows build: "secret", its NUL, then noise.
    void passwordOfTheWindowsBuildDeciphers()
    {
        QCOMPARE(decipherPassword(
                     u"2879D55C2E2384D8414955015CAA61D60B724A99497C43CCF07975326BA060063164194E5BB4"
                     u"B640F44DA6CFD5208AA7099D371F7AEEAC31BA68A711F51EF459"_s),
                 u"secret"_s);
        // Code page 1252 bytes that are no UTF-8 read as Latin-1.
        QCOMPARE(decipherPassword(
                     u"387DD0C74B5784BC242F326935C00ABA661C25E9380E30B8850F024A12DA1B7A4C1A66CEDA3"
                     u"635C471CB21475CAA012B8413B88FEB7C3FA52FFE30896C846FC5"_s),
                 u"café"_s);
        // Missing digits read as zero bytes: only the password part is given here.
        QCOMPARE(decipherPassword(u"2879D55C2E2384"_s), u"secret"_s);
        QCOMPARE(decipherPassword(QString()), QString()); // the empty password's stored form
    }

    void passwordStoredForm()
    {
        QCOMPARE(*encipherPassword(QString()), QString());
        const Expected<QString> first = encipherPassword(u"secret"_s);
        const Expected<QString> second = encipherPassword(u"secret"_s);
        QVERIFY(first && second);
        QVERIFY(QRegularExpression(u"^[0-9A-F]{128}$"_s).match(*first).hasMatch());
        QCOMPARE(first->left(14), u"2879D55C2E2384"_s);
        QCOMPARE(second->left(14), first->left(14));
        QVERIFY(first->mid(14) != second->mid(14));
        QCOMPARE(decipherPassword(*first), u"secret"_s);
        const QString longest(kPasswordMaxBytes, u'p');
        QCOMPARE(decipherPassword(*encipherPassword(longest)), longest);
    }

    // In the desktop's keyring when one answers, else enciphered in the
    // store with one notice; the store names the entry, which follows the
    // password's changes and the Site's end.
    void passwordsGoToTheKeyringWhenOneRuns()
    {
        KeyringSession keyring(home->file(u"keyring"_s));
        QVERIFY(keyring.isRunning());
        const auto entries = [&] {
            QProcess search;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, keyring.address());
            search.setProcessEnvironment(env);
            search.start(u"secret-tool"_s,
                         {u"search"_s, u"--all"_s, u"--unlock"_s, u"server"_s, u"Meridan"_s});
            search.waitForFinished();
            return QString::fromUtf8(search.readAllStandardOutput() +
                                     search.readAllStandardError());
        };
        const auto storedForm = [](const SiteRecord& site) {
            return readStored(site.keyPath(), u"FTPAccess"_s);
        };
        qputenv("DBUS_SESSION_BUS_ADDRESS", keyring.address().toUtf8());
        SiteRecord site = storedTestSite(u"shop"_s);
        site.FTPAccess = u"pässword"_s;
        QVERIFY(site.Save());
        const QString first = storedForm(site);
        QVERIFY2(first.startsWith(u"keyring:"_s), qPrintable(first));
        QCOMPARE(SiteRecord(u"shop"_s).FTPAccess, u"pässword"_s);
        QVERIFY2(entries().contains(u"secret = pässword"_s), qPrintable(entries()));
        site.Url = u"www.other.com"_s; // an unchanged password keeps its entry
        QVERIFY(site.Save());
        QCOMPARE(storedForm(site), first);
        site.FTPAccess = u"second"_s;
        QVERIFY(site.Save());
        QVERIFY(storedForm(site) != first);
        QCOMPARE(SiteRecord(u"shop"_s).FTPAccess, u"second"_s);
        QVERIFY(!entries().contains(u"pässword"_s));
        QVERIFY(deleteStoredSite(u"shop"_s));
        QVERIFY(!entries().contains(u"second"_s));

        qunsetenv("DBUS_SESSION_BUS_ADDRESS"); // cron, a server: no keyring
        QStringList notes;
        for (const QString& name : {u"one"_s, u"two"_s}) {
            SiteRecord plain = storedTestSite(name);
            plain.FTPAccess = u"secret"_s;
            const Result saved = plain.Save();
            QVERIFY(saved);
            notes.append(saved.message());
            QVERIFY(QRegularExpression(u"^[0-9A-F]{128}$"_s).match(storedForm(plain)).hasMatch());
            QCOMPARE(SiteRecord(name).FTPAccess, u"secret"_s);
        }
        QVERIFY2(notes.first().startsWith(u"No desktop keyring"_s), qPrintable(notes.first()));
        QCOMPARE(notes.last(), QString()); // once
    }

    void tooLongPasswordIsRefusedNotCut()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        site.FTPAccess = QString(kPasswordMaxBytes + 1, u'p');
        site.Url = u"www.changed.com"_s;
        QVERIFY(!encipherPassword(site.FTPAccess));
        QVERIFY(!site.Save());
        const SiteRecord stored(u"shop"_s);
        QCOMPARE(stored.FTPAccess, QString());
        QCOMPARE(stored.Url, u"www.shop.com"_s);
        // 32 two-byte characters are 64 bytes: too long as well.
        QVERIFY(!passwordFits(QString(32, QChar(0xE9))));
        QVERIFY(passwordFits(QString(31, QChar(0xE9))));
    }

    void setFieldChecksNumbers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("number") << u"LogPeriodicity"_s << u"1019"_s << true;
        QTest::newRow("words") << u"Output"_s << u"two"_s << false;
        QTest::newRow("hex") << u"Output"_s << u"0x2"_s << false;
        QTest::newRow("negative") << u"Output"_s << u"-1"_s << false;
        QTest::newRow("too big") << u"Output"_s << u"4294967296"_s << false;
        QTest::newRow("blank") << u"Output"_s << u" 2"_s << false;
        QTest::newRow("text") << u"url"_s << u"www.x.org"_s << true;
        QTest::newRow("order") << u"ReportOrder_Q"_s << u"x-"_s << true;
        QTest::newRow("unknown") << u"Colour"_s << u"red"_s << false;
    }
    void setFieldChecksNumbers()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        SiteRecord site;
        QCOMPARE(setSiteField(site, name, text).ok(), accepted);
        if (!accepted)
            return;
        bool found = false;
        for (const SiteValue& value : siteValues(site))
            if (value.name.compare(name, Qt::CaseInsensitive) == 0)
                found = value.text == text;
        QVERIFY(found);
    }
};

QTEST_GUILESS_MAIN(TestSiteRecord)
#include "tst_siterecord.moc"
