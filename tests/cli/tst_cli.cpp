#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

namespace {

using Outcome = CliOutcome;

} // namespace

class TestCli : public SandboxTest
{
    Q_OBJECT

private:
    QProcess* start(const QStringList& arguments) { return startCli(*home, arguments, this); }
    Outcome run(const QStringList& arguments) { return runCli(*home, arguments); }

    QString showValue(const QString& site, const QString& name)
    {
        const QString out = run({u"show"_s, site}).out;
        for (const QString& line : out.split(u'\n'))
            if (line.startsWith(name + u'='))
                return line.mid(name.size() + 1);
        return u"<missing>"_s;
    }

    QString settingsFile() const { return home->file(u".config/Meridan/settings.sqlite"_s); }

private slots:
    void initTestCase() { QVERIFY(QFile::exists(qEnvironmentVariable("MERIDAN_CLI"))); }

    void addCreatesTheSiteAndItsFolders()
    {
        QCOMPARE(run({u"sites"_s}).out, QString());
        const Outcome added = run({u"add"_s, u"shop"_s});
        QCOMPARE(added.status, 0);
        QCOMPARE(added.err, QString());
        for (const QString& folder :
             {u"shop/stats/cfg"_s, u"shop/stats/reports/images"_s, u"shop/stats/logs"_s})
            QVERIFY2(QFileInfo(home->file(folder)).isDir(), qPrintable(folder));
        QCOMPARE(showValue(u"shop"_s, u"Root"_s), home->file(u"shop/stats"_s));
        QCOMPARE(QFile::permissions(settingsFile()) & 0x0077, QFileDevice::Permissions());
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("damaged"); // a page of the store overwritten
        QTest::newRow("existing name")
            << QStringList{u"add"_s, u"SHOP"_s} << 1 << u"The host SHOP exists already!"_s << false;
        QTest::newRow("slash in name")
            << QStringList{u"add"_s, u"a/b"_s} << 1 << u"\"/\""_s << false;
        QTest::newRow("empty name") << QStringList{u"add"_s, u" "_s} << 1 << u"empty"_s << false;
        QTest::newRow("unknown site")
            << QStringList{u"show"_s, u"none"_s} << 1 << u"There is no Site named none."_s << false;
        QTest::newRow("rename onto another") << QStringList{u"rename"_s, u"shop"_s, u"Other"_s} << 1
                                             << u"The host Other exists already!"_s << false;
        QTest::newRow("set without =")
            << QStringList{u"set"_s, u"shop"_s, u"Url"_s} << 2 << u"Usage"_s << false;
        QTest::newRow("unknown command")
            << QStringList{u"frobnicate"_s} << 2 << u"Usage"_s << false;
        for (const char* command : {"update", "plan", "ls"})
            QTest::addRow("unknown option of %s", command)
                << QStringList{QString::fromLatin1(command), u"shop"_s, u"--quite"_s} << 2
                << u"Unknown option --quite."_s << false;
        QTest::newRow("no command") << QStringList{} << 2 << u"Usage"_s << false;
        QTest::newRow("bad period") << QStringList{u"generate"_s, u"shop"_s, u"2003-13"_s} << 2
                                    << u"\"2003-13\" is no period"_s << false;
        QTest::newRow("bad preference") << QStringList{u"prefs"_s, u"CfgAscending=yes%1"_s} << 1
                                        << u"CfgAscending=yes%1: the preferences are"_s << false;
        QTest::newRow("rename to a quote")
            << QStringList{u"rename"_s, u"shop"_s, u"a\"b"_s} << 1 << u"double quote"_s << false;
        QTest::newRow("period with a line feed")
            << QStringList{u"generate"_s, u"shop"_s, u"2003-09\n"_s} << 2 << u"no period"_s
            << false;
        QTest::newRow("no jobs") << QStringList{u"build"_s, u"shop"_s, u"2003-*"_s, u"--jobs"_s,
                                                u"0"_s}
                                 << 2 << u"--jobs"_s << false;
        QTest::newRow("no such stage")
            << QStringList{u"plan"_s, u"--stage"_s, u"4"_s} << 2 << u"--stage takes 1"_s << false;
        QTest::newRow("huge jobs")
            << QStringList{u"build"_s, u"shop"_s, u"2003-*"_s, u"--jobs"_s, u"100000"_s} << 2
            << u"--jobs"_s << false;
        QTest::newRow("comma in the name, so in the log folder")
            << QStringList{u"add"_s, u"shop,de"_s} << 1 << u"cannot hold a comma"_s << false;
        QTest::newRow("name too long for Analog's lines")
            << QStringList{u"add"_s, QString(122, u'n')} << 1 << u"Analog reads at most 244"_s
            << false;
        for (const QStringList& command :
             {QStringList{u"sites"_s}, QStringList{u"show"_s, u"shop"_s}, QStringList{u"plan"_s},
              QStringList{u"update"_s}, QStringList{u"set"_s, u"shop"_s, u"Url=x"_s},
              QStringList{u"add"_s, u"third"_s}, QStringList{u"export"_s}})
            QTest::addRow("damaged store: %s", qPrintable(command.join(u' ')))
                << command << 1 << u"cannot be used"_s << true;
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(bool, damaged);
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(run({u"add"_s, u"other"_s}).status, 0);
        if (damaged) { // the last page, behind a sound header: only a check finds it
            QFile file(settingsFile());
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() - 4096));
            QCOMPARE(file.write(QByteArray(4096, '\x5a')), 4096);
        }
        const QByteArray before = readAll(settingsFile());
        const Outcome result = run(arguments);
        QCOMPARE(result.status, status);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QString());
        QCOMPARE(readAll(settingsFile()), before);
        if (arguments.value(0) == u"add"_s) // nothing of a refused Site stays behind
            QVERIFY(!QFileInfo::exists(home->file(arguments.value(1))));
    }

    // Messages of the command line and of the core follow the locale; a
    // language without a translation reads English.
    void speaksTheLanguageOfTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("command line") << u"fr_FR.UTF-8"_s << QStringList{u"frobnicate"_s}
                                      << u"Commande inconnue : frobnicate."_s;
        QTest::newRow("usage") << u"fr_FR.UTF-8"_s << QStringList{u"--help"_s}
                               << u"Usage : meridan-cli COMMANDE [ARGUMENTS]"_s;
        QTest::newRow("version and licence")
            << u"fr_FR.UTF-8"_s << QStringList{u"--version"_s}
            << u"meridan-cli 0.2.0\nCopyright 2026 The Meridan developers.\nMeridan est un "
               u"logiciel libre sous la licence publique générale GNU, version 3 ou "
               u"ultérieure"_s;
        QTest::newRow("core") << u"fr_CA.UTF-8"_s << QStringList{u"show"_s, u"none"_s}
                              << u"Il n'existe aucun Site nommé none."_s;
        QTest::newRow("store rule")
            << u"fr_FR.UTF-8"_s << QStringList{u"set"_s, u"shop"_s, u"Output=99"_s}
            << u"Output prend un nombre de 0 à"_s;
        QTest::newRow("plural forms")
            << u"fr_FR.UTF-8"_s << QStringList{u"update"_s, u"none"_s}
            << u"none : 0 fichier téléchargé (0 octets), 0 sur 0 période construite, 1 problème\n"_s;
        QTest::newRow("no translation, English plurals")
            << u"de_DE.UTF-8"_s << QStringList{u"update"_s, u"none"_s}
            << u", 0 of 0 periods built, 1 problem\n"_s; // the size in German: "0 Bytes"
    }
    void speaksTheLanguageOfTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        const Outcome result = runCli(*home, arguments, locale);
        const QString said = result.out + result.err;
        QVERIFY2(said.contains(message), qPrintable(said));
    }

    void setAppliesAllOrNothing_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<QString>("message");
        QTest::newRow("inconsistent scheme")
            << QStringList{u"Url=www.changed.com"_s, u"LogNameStruct=%yyyy%\\x%dd%"_s}
            << u"Inconsistent log file naming."_s;
        QTest::newRow("long password")
            << QStringList{u"Url=www.changed.com"_s, u"FTPAccess="_s + QString(64, u'p')}
            << u"too long"_s;
        QTest::newRow("both languages")
            << QStringList{u"Language=FRENCH"_s, u"LangCode=de"_s} << u"either"_s;
        QTest::newRow("unknown value") << QStringList{u"Colour=red"_s} << u"Colour"_s;
        QTest::newRow("format change without format")
            << QStringList{u"LogFormatChanges=200301|"_s} << u"has no format"_s;
        QTest::newRow("format of an unlisted month")
            << QStringList{u"200301=Lx"_s} << u"not listed"_s;
        QTest::newRow("bad month")
            << QStringList{u"LogFormatChanges=200313|"_s, u"200313=Lx"_s} << u"no month"_s;
        const QString lineBreak = u"cannot hold a line break"_s;
        QTest::newRow("format text with a line break")
            << QStringList{u"LogFormatChanges=200301|"_s, u"200301=Lx\nLOGFILE /etc/*"_s}
            << lineBreak;
        QTest::newRow("special month with a line break")
            << QStringList{u"LogSpecial=200301*a\nb|"_s} << lineBreak;
    }
    void setAppliesAllOrNothing()
    {
        QFETCH(QStringList, pairs);
        QFETCH(QString, message);
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        const QByteArray before = readAll(settingsFile());
        const Outcome result = run(QStringList{u"set"_s, u"shop"_s} + pairs);
        QCOMPARE(result.status, 1);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(readAll(settingsFile()), before);
    }

    void setNormalisesAsThePagesDo()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(run({u"set"_s, u"shop"_s, u"LangCode=de"_s}).status, 0);
        const Outcome result =
            run({u"set"_s, u"shop"_s, u"LogNameStruct= %YYYY%/ex%YYYY%%MM%.log "_s,
                 u"LogPeriodicity=1020"_s, u"PostProcessCmd=cp %outfile% /x"_s,
                 u"FTPUrl=logs.example.com:2121/www"_s, u"FTPAccess=s3cr3t"_s, u"AnalogCommand="_s,
                 u"Language=FRENCH"_s, u"LogFormatChanges=200212|200305|"_s, u"200305=A%h %l"_s,
                 u"200212=L%S"_s, u"LogSpecial=200308*cfgspecial.txt|"_s,
                 u"Root="_s + home->file(u"new/root"_s)});
        // Nothing but the notice of a machine without a keyring.
        QCOMPARE(QString(result.err).remove(QRegularExpression(u"^No desktop keyring.*\n"_s)),
                 QString());
        QCOMPARE(result.status, 0);
        const QString out = run({u"show"_s, u"shop"_s}).out;
        for (const QString& line :
             {u"LogNameStruct=%yyyy%/ex%yyyy%%mm%.log\n"_s, u"LogPeriodicity=1020\n"_s,
              u"PostProcessCmd=cp %OutFile% /x\n"_s, u"FTPUrl=ftp://logs.example.com:2121/www\n"_s,
              u"AnalogCommand=-G -g\"%CfgFile%\"\n"_s, u"Language=FRENCH\nLangCode=\n"_s,
              u"LogFormatChanges=200305|200212|\n"_s, u"LogSpecial=200308*cfgspecial.txt|\n"_s,
              u"200305=A%h %l\n200212=L%S\n"_s})
            QVERIFY2(out.contains(line), qPrintable(line));
        QVERIFY(QRegularExpression(u"\nFTPAccess=[0-9A-F]{128}\n"_s).match(out).hasMatch());
        QVERIFY(QFileInfo(home->file(u"new/root/cfg"_s)).isDir());
        // Another value leaves the password as stored.
        const QString stored = showValue(u"shop"_s, u"FTPAccess"_s);
        QCOMPARE(run({u"set"_s, u"shop"_s, u"FTPUser=me"_s}).status, 0);
        QCOMPARE(showValue(u"shop"_s, u"FTPAccess"_s), stored);
        QCOMPARE(SiteRecord(u"shop"_s).FTPAccess, u"s3cr3t"_s);
    }

    void renameKeepsTheSpecificFormats()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(run({u"set"_s, u"shop"_s, u"LogFormatChanges=200301|"_s, u"200301=Lfmt"_s,
                      u"LogSpecial=200302*s.txt|"_s})
                     .status,
                 0);
        QCOMPARE(run({u"rename"_s, u"shop"_s, u"Shop.org"_s}).status, 0);
        QCOMPARE(run({u"sites"_s}).out, u"Shop.org\n"_s);
        QCOMPARE(showValue(u"Shop.org"_s, u"200301"_s), u"Lfmt"_s);
        QCOMPARE(showValue(u"Shop.org"_s, u"LogSpecial"_s), u"200302*s.txt|"_s);
        QCOMPARE(run({u"rm"_s, u"shop.ORG"_s}).status, 0);
        QCOMPARE(run({u"sites"_s}).out, QString());
        QVERIFY(QFileInfo(home->file(u"shop/stats/cfg"_s)).isDir());
    }

    void preferences()
    {
        QCOMPARE(run({u"prefs"_s}).out, u"AnalogPath=\nTextEditor=xdg-open\nCfgAscending=0\n"
                                        u"ParallelBuilds=1\nMaxLogFileMiB=4096\nOverviewFolder=\n"_s);
        QCOMPARE(run({u"prefs"_s, u"AnalogPath=/opt/analog/analog"_s, u"CfgAscending=1"_s,
                      u"ParallelBuilds=4"_s, u"MaxLogFileMiB=20"_s, u"OverviewFolder=all"_s})
                     .status,
                 0);
        QCOMPARE(run({u"prefs"_s}).out,
                 u"AnalogPath=/opt/analog/analog\nTextEditor=xdg-open\nCfgAscending=1\n"
                 u"ParallelBuilds=4\nMaxLogFileMiB=20\nOverviewFolder="_s +
                     QDir::current().absoluteFilePath(u"all"_s) + u'\n');
        QCOMPARE(run({u"prefs"_s, u"ParallelBuilds=0"_s}).status, 1);
        QCOMPARE(run({u"prefs"_s, u"MaxLogFileMiB=0"_s}).status, 1);
    }

    void generateAndListReports()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        const Outcome generated =
            run({u"generate"_s, u"shop"_s, u"2004-02-*"_s, u"2003-W52"_s, u"2003"_s});
        QCOMPARE(generated.status, 0);
        const QStringList paths = generated.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(paths.size(), 31);
        QCOMPARE(paths.first(), home->file(u"shop/stats/cfg/2004-02-01.cfg"_s));
        for (const QString& path : paths)
            QVERIFY(readAll(path).contains("HOSTNAME \"shop\"\r\n"));
        const QStringList listed =
            run({u"reports"_s, u"shop"_s}).out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(listed.size(), 31);
        QCOMPARE(listed.first(), u"2004-02-29"_s);
        QCOMPARE(listed.last(), u"2003"_s);
        QCOMPARE(run({u"prefs"_s, u"CfgAscending=1"_s}).status, 0);
        QCOMPARE(run({u"reports"_s, u"shop"_s}).out.section(u'\n', 0, 1), u"2003\n2003-W52"_s);
    }

    void generateGoesOnAfterAFailure()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(run({u"set"_s, u"shop"_s, u"DefaultBase=gone"_s}).status, 0);
        const Outcome result = run({u"generate"_s, u"shop"_s, u"2003-Q*"_s});
        QCOMPARE(result.status, 1);
        QCOMPARE(result.err.count(u"Error opening file"_s), 4);
        QCOMPARE(result.out, QString());
    }

    void buildStreamsTheConsole()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(run({u"prefs"_s, u"AnalogPath=/nowhere/analog"_s}).status, 0);
        QCOMPARE(
            run({u"build"_s, u"shop"_s, u"2003-09"_s}).err,
            u"Cannot find the Analog program. Please enter its path in the Preferences dialog.\n"_s);
        QCOMPARE(run({u"prefs"_s, u"AnalogPath=/usr/bin/analog"_s}).status, 0);
        QCOMPARE(run({u"set"_s, u"shop"_s,
                      u"PostProcessCmd=/bin/sh -c \"echo first; sleep 5; echo second\""_s})
                     .status,
                 0);
        QProcess* process = start({u"build"_s, u"shop"_s, u"2003-09"_s});
        QByteArray seen;
        while (!seen.contains("\nfirst\n") && process->waitForReadyRead(30000))
            seen += process->readAllStandardOutput();
        QVERIFY2(seen.contains("\nfirst\n"), seen.constData());
        QCOMPARE(process->state(), QProcess::Running); // still sleeping
        QVERIFY(process->waitForFinished(60000));
        seen += process->readAllStandardOutput();
        QCOMPARE(process->exitCode(), 0);
        const QString out = QString::fromUtf8(seen);
        const QString config = home->file(u"shop/stats/cfg/2003-09.cfg"_s);
        QVERIFY(out.startsWith(u"Cmd: >\"/usr/bin/analog\" -G -g\""_s + config +
                               u"\"\n----------\n"_s) ||
                out.startsWith(u"\"/usr/bin/analog\n"_s));
        QVERIFY(out.endsWith(u"----------\nfirst\nsecond\nExit code: 0\n \n"_s));
        QVERIFY(QFile::exists(home->file(u"shop/stats/reports/2003-09/stats2003-09.html"_s)));

        QCOMPARE(run({u"set"_s, u"shop"_s, u"PostProcessCmd=/bin/sh -c \"exit 4\""_s}).status, 0);
        const Outcome failed = run({u"build"_s, u"shop"_s, u"2003-09"_s, u"--use-existing"_s});
        QCOMPARE(failed.status, 1);
        QVERIFY(failed.out.endsWith(u"Exit code: 4\n \n"_s));
        QCOMPARE(run({u"build"_s, u"shop"_s, u"2003-13"_s}).status, 2);
    }

    void indexFollowsTheSiteUnlessTold()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QCOMPARE(run({u"generate"_s, u"shop"_s, u"2003-*"_s}).status, 0);
        const QString reports = home->file(u"shop/stats/reports"_s);
        const Outcome framed = run({u"index"_s, u"shop"_s});
        QCOMPARE(framed.status, 0);
        QCOMPARE(framed.out, reports + u"/index.html\n"_s);
        QVERIFY(readAll(reports + u"/mernav.html"_s).contains("target=\"report\">December"));
        QFile::remove(reports + u"/mernav.html"_s);
        QCOMPARE(run({u"set"_s, u"shop"_s, u"PostProcessCmd=true"_s}).status, 0);
        const Outcome noDesktop = run({u"index"_s, u"shop"_s, u"--shortcut"_s});
        QCOMPARE(noDesktop.status, 1);
        QCOMPARE(noDesktop.err, u"No link was made: there is no Desktop folder.\n"_s);
        QVERIFY(QDir().mkpath(home->file(u"Desktop"_s)));
        QCOMPARE(run({u"index"_s, u"shop"_s, u"--shortcut"_s}).status, 0);
        QVERIFY(QFileInfo::exists(home->file(u"Desktop/Statistics for Web server shop.desktop"_s)));
        QVERIFY(!QFile::exists(reports + u"/mernav.html"_s));
        QVERIFY(readAll(reports + u"/index.html"_s)
                    .contains("<a href=\"2003-12/index.html\" target=\"_blank\">December"));
        QCOMPARE(run({u"index"_s, u"shop"_s, u"--frames"_s}).status, 0);
        QVERIFY(readAll(reports + u"/mernav.html"_s).contains("2003-01/index.html"));
        QCOMPARE(run({u"index"_s, u"shop"_s, u"--frames"_s, u"--no-frames"_s}).status, 2);
        QCOMPARE(run({u"set"_s, u"shop"_s, u"ReportsRoot=gone"_s}).status, 0);
        QDir(home->file(u"shop/stats/gone"_s)).removeRecursively();
        QCOMPARE(run({u"index"_s, u"shop"_s}).status, 1);
    }

    void damagedSettingsFileStaysForRepair()
    {
        writeFile(settingsFile(), "not a database");
        const QByteArray damaged = readAll(settingsFile());
        const Outcome result = run({u"add"_s, u"shop"_s});
        QCOMPARE(result.status, 1);
        QVERIFY(result.err.contains(settingsFile()));
        QCOMPARE(result.err.count(settingsFile()), 1);
        QCOMPARE(readAll(settingsFile()), damaged);
        QCOMPARE(run({u"prefs"_s, u"CfgAscending=1"_s}).status, 1);
        QCOMPARE(run({u"sites"_s}).status, 1);
        QCOMPARE(readAll(settingsFile()), damaged);
    }

    // Real processes racing: each race 50 times. A Site is never lost,
    // never brought back after rm said it was gone, never doubled, and no
    // update of one value loses an update of another.
    void racingProcessesLoseNothing_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::newRow("two renames to one name")
            << QStringList{u"rename"_s, u"a"_s, u"x"_s} << QStringList{u"rename"_s, u"b"_s, u"x"_s};
        QTest::newRow("set during rename") << QStringList{u"rename"_s, u"a"_s, u"x"_s}
                                           << QStringList{u"set"_s, u"a"_s, u"ErrorFile=set.txt"_s};
        QTest::newRow("set during rm") << QStringList{u"rm"_s, u"a"_s}
                                       << QStringList{u"set"_s, u"a"_s, u"ErrorFile=set.txt"_s};
        QTest::newRow("two values of one Site")
            << QStringList{u"set"_s, u"a"_s, u"Url=www.set.org"_s}
            << QStringList{u"set"_s, u"a"_s, u"ErrorFile=set.txt"_s};
    }
    void racingProcessesLoseNothing()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QCOMPARE(run({u"add"_s, u"a"_s}).status, 0);
        QCOMPARE(run({u"add"_s, u"b"_s}).status, 0);
        QCOMPARE(run({u"set"_s, u"b"_s, u"Url=www.b.org"_s}).status, 0);
        const QString backup = home->file(u"two-sites.json"_s);
        QCOMPARE(run({u"export"_s, backup}).status, 0);
        for (int trial = 0; trial < 50; ++trial) {
            QCOMPARE(run({u"import"_s, backup}).status, 0);
            QProcess* one = start(first);
            QProcess* two = start(second);
            QVERIFY(one->waitForFinished(60000) && two->waitForFinished(60000));
            const bool firstDone = one->exitCode() == 0;
            const bool secondDone = two->exitCode() == 0;
            delete one;
            delete two;
            const QStringList sites = run({u"sites"_s}).out.split(u'\n', Qt::SkipEmptyParts);
            const QString row = QString::fromUtf8(QTest::currentDataTag());
            if (row == u"two renames to one name"_s) {
                QVERIFY(firstDone != secondDone);
                QCOMPARE(sites,
                         firstDone ? (QStringList{u"b"_s, u"x"_s}) : (QStringList{u"a"_s, u"x"_s}));
                QCOMPARE(showValue(u"x"_s, u"Url"_s), firstDone ? u"www.a.com"_s : u"www.b.org"_s);
            } else if (row == u"set during rename"_s) {
                QVERIFY(firstDone);
                QCOMPARE(sites, (QStringList{u"b"_s, u"x"_s}));
                QCOMPARE(showValue(u"x"_s, u"ErrorFile"_s) == u"set.txt"_s, secondDone);
            } else if (row == u"set during rm"_s) {
                QVERIFY(firstDone);
                QCOMPARE(sites, QStringList{u"b"_s});
            } else {
                QVERIFY(firstDone && secondDone);
                QCOMPARE(showValue(u"a"_s, u"Url"_s), u"www.set.org"_s);
                QCOMPARE(showValue(u"a"_s, u"ErrorFile"_s), u"set.txt"_s);
            }
        }
    }

    // A writer killed inside its transaction holds no lock: the next write
    // goes through, and what the killed one wrote is not there.
    void writerKilledInsideATransaction()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QProcess sqlite;
        sqlite.start(u"sqlite3"_s, {settingsFile()});
        QVERIFY(sqlite.waitForStarted());
        const QString inside = home->file(u"inside"_s);
        sqlite.write("BEGIN IMMEDIATE;\nUPDATE vals SET text = 'killed' WHERE name = 'Url';\n"
                     ".system touch " +
                     QFile::encodeName(inside) + "\n");
        QTRY_VERIFY(QFile::exists(inside));
        QVERIFY(QFile::exists(settingsFile() + u"-journal"_s));
        sqlite.kill();
        QVERIFY(sqlite.waitForFinished());
        const Outcome set = run({u"set"_s, u"shop"_s, u"ErrorFile=after.txt"_s});
        QCOMPARE(set.err, QString());
        QCOMPARE(set.status, 0);
        QCOMPARE(showValue(u"shop"_s, u"Url"_s), u"www.shop.com"_s);
        QCOMPARE(showValue(u"shop"_s, u"ErrorFile"_s), u"after.txt"_s);
    }

    void exportEditImport()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        const Outcome exported = run({u"export"_s});
        QCOMPARE(exported.status, 0);
        QString edited = exported.out;
        edited.replace(u"www.shop.com"_s, u"www.edited.com"_s);
        writeFile(home->file(u"edited.json"_s), edited.toUtf8());
        QCOMPARE(run({u"import"_s, home->file(u"edited.json"_s)}).status, 0);
        QCOMPARE(showValue(u"shop"_s, u"Url"_s), u"www.edited.com"_s);
        // Private however it is made: to a file named, or "export > file"
        // (also over a file that others could read).
        const QString file = home->file(u"backup.json"_s);
        writeFile(file, "old");
        QVERIFY(
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QCOMPARE(run({u"export"_s, file}).status, 0);
        const QString redirected = home->file(u"redirected.json"_s);
        QProcess shellRedirect;
        shellRedirect.setStandardOutputFile(redirected);
        shellRedirect.start(qEnvironmentVariable("MERIDAN_CLI"), {u"export"_s});
        QVERIFY(shellRedirect.waitForFinished() && shellRedirect.exitCode() == 0);
        for (const QString& exportFile : {file, redirected})
            QCOMPARE(QFile::permissions(exportFile) & 0x0077, QFileDevice::Permissions());
        QCOMPARE(readAll(file), readAll(redirected));
        QVERIFY(readAll(file).contains("www.edited.com"));
        // Only a complete export replaces the store: not a missing file, nor
        // an empty one that a failed "export > file" leaves.
        writeFile(home->file(u"empty.json"_s), "\n");
        for (const QString& name : {u"none.json"_s, u"empty.json"_s})
            QCOMPARE(run({u"import"_s, home->file(name)}).status, 1);
        QCOMPARE(run({u"sites"_s}).out, u"shop\n"_s);
    }

    void passwordFromStandardInput()
    {
        QCOMPARE(run({u"add"_s, u"shop"_s}).status, 0);
        QProcess* process = start({u"set"_s, u"shop"_s, u"FTPAccess=-"_s});
        process->write("s3cr3t pass\n");
        process->closeWriteChannel();
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitCode(), 0);
        delete process;
        QCOMPARE(SiteRecord(u"shop"_s).FTPAccess, u"s3cr3t pass"_s);
        QVERIFY(!run({u"show"_s, u"shop"_s}).out.contains(u"s3cr3t"_s));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
