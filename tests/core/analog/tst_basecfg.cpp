#include "analog/analoginstall.h"
#include "analog/basecfg.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"

#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestBaseCfg : public SandboxTest
{
    Q_OBJECT

private slots:
    void init()
    {
        SandboxTest::init();
        site = testSite(*home);
        QDir().mkpath(site.cfgFolder());
        // A self-built Analog: its configuration lies next to the executable.
        writeFile(home->file(u"analog/analog"_s), "");
        writeFile(home->file(u"analog/analog.cfg"_s),
                  "LOGFILE first.log\nLOGFILE a.log\r\nOUTFILE x\n  TO indented\nTOTAL\n"
                  "IMAGEDIR img/\n#LOGFILE old\nHOSTURL keep\nFROM 1\nlogfile lower\n"
                  "ALL\tON\nALLCHART ON\nREQUEST ON #Request Report\nREQUESTCOLS R\nSTATUS\n"
                  "REPORTORDER x\nLANGUAGE FRENCH\nLANGFILE fr.lng\nDESCFILE\tfrdesc.txt\n");
        Preferences prefs;
        prefs.analogPath = home->file(u"analog/analog"_s);
        QVERIFY(prefs.save());
    }

    void analogFoldersFollowTheExecutable()
    {
        QCOMPARE(analogFolders().configFile, home->file(u"analog/analog.cfg"_s));
        QCOMPARE(analogFolders().languageFolder, home->file(u"analog/lang"_s));
        QCOMPARE(analogFolders(u"/nowhere/analog"_s).configFile, u"/etc/analog.cfg"_s);
        QCOMPARE(analogFolders(QString()).imagesFolder, u"/usr/share/analog/images"_s);
    }

    void baseFileIsPreparedOnce_data()
    {
        QTest::addColumn<QString>("imagePath");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("expected");
        // Commands as Analog reads them, in any case and after blanks, and
        // as whole words only: TOTAL, ALLCHART and REQUESTCOLS stay the user's.
        const QByteArray head = "#LOGFILE first.log\n#LOGFILE a.log\r\n#OUTFILE x\n#  TO indented\n"
                                "TOTAL\n";
        const QByteArray middle = "#LOGFILE old\nHOSTURL keep\n#FROM 1\n#logfile lower\n#ALL\tON\n"
                                  "ALLCHART ON\n#REQUEST ON #Request Report\nREQUESTCOLS R\n"
                                  "#STATUS\n#REPORTORDER x\n";
        QTest::newRow("with images")
            << u"images"_s << QString()
            << head + "#IMAGEDIR img/\n" + middle +
                   "LANGUAGE FRENCH\nLANGFILE fr.lng\nDESCFILE\tfrdesc.txt\n";
        QTest::newRow("without images")
            << QString() << QString()
            << head + "IMAGEDIR img/\n" + middle +
                   "LANGUAGE FRENCH\nLANGFILE fr.lng\nDESCFILE\tfrdesc.txt\n";
        QTest::newRow("with a language of its own")
            << QString() << u"GERMAN"_s
            << head + "IMAGEDIR img/\n" + middle +
                   "#LANGUAGE FRENCH\n#LANGFILE fr.lng\n#DESCFILE\tfrdesc.txt\n";
    }
    void baseFileIsPreparedOnce()
    {
        QFETCH(QString, imagePath);
        QFETCH(QString, language);
        QFETCH(QByteArray, expected);
        site.ImagePath = imagePath;
        site.Language = language;
        const QString base = home->file(u"stats/cfg/analog.basecfg"_s);
        QVERIFY(PrepareDefaultBase(site, analog()));
        QCOMPARE(readAll(base), expected);
        QVERIFY(PrepareDefaultBase(site, analog()));
        QCOMPARE(readAll(base), expected);
    }

    void editedBaseKeepsTheUsersLines()
    {
        const QString base = home->file(u"stats/cfg/analog.basecfg"_s);
        writeFile(base, "# mine\nHOSTURL http://shop/\nOUTPUT PLAIN\nIMAGEDIR x\n");
        QVERIFY(PrepareDefaultBase(site, analog()));
        QCOMPARE(readAll(base),
                 QByteArray("# mine\nHOSTURL http://shop/\n#OUTPUT PLAIN\nIMAGEDIR x\n"));
        site.ImagePath = u"images"_s;
        QVERIFY(PrepareDefaultBase(site, analog()));
        QCOMPARE(readAll(base),
                 QByteArray("# mine\nHOSTURL http://shop/\n#OUTPUT PLAIN\n#IMAGEDIR x\n"));
    }

    void missingAnalogConfigurationIsSilent()
    {
        // The distribution's file may exist on this machine; only when it does
        // not is nothing prepared, and never with a message.
        QVERIFY(PrepareDefaultBase(site, home->file(u"none/analog"_s)));
        QCOMPARE(QFile::exists(home->file(u"stats/cfg/analog.basecfg"_s)),
                 QFile::exists(u"/etc/analog.cfg"_s));
    }

    void unwritableFolderIsReported()
    {
        site.CfgDir = u"missing"_s;
        QCOMPARE(PrepareDefaultBase(site, analog()).message(),
                 u"Error opening file "_s + home->file(u"stats/missing/analog.basecfg"_s));
    }

    void outFile_data()
    {
        QTest::addColumn<QByteArray>("contents"); // null: no configuration file
        QTest::addColumn<QString>("result");
        QTest::newRow("quoted") << QByteArray("X\r\nOUTFILE \"/s/reports/2003-09/a.html\"\r\nY")
                                << u"/s/reports/2003-09/a.html"_s;
        QTest::newRow("last line without line feed")
            << QByteArray("X\nOUTFILE /s/r/b.html") << u"/s/r/b.html"_s;
        QTest::newRow("first of two") << QByteArray("OUTFILE one\nOUTFILE two\n") << u"one"_s;
        QTest::newRow("none") << QByteArray("#OUTFILEx\nOUTPUT HTML\n")
                              << u"%1/stats/cfg/2003-09.cfg"_s;
        QTest::newRow("unreadable") << QByteArray() << u"%1/stats/cfg/2003-09.cfg"_s;
    }
    void outFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, result);
        if (!contents.isNull())
            writeFile(site.configFile(u"2003-09"_s), contents);
        const QString expected = result.contains(u"%1"_s) ? result.arg(home->path()) : result;
        QCOMPARE(OutFileOfConfig(site, u"2003-09"_s), expected);
        QCOMPARE(OutFileOfConfig(site, site.configFile(u"2003-09"_s)), expected);
    }

private:
    QString analog() const { return home->file(u"analog/analog"_s); }
    SiteRecord site;
};

QTEST_GUILESS_MAIN(TestBaseCfg)
#include "tst_basecfg.moc"
