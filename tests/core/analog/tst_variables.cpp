#include "analog/variables.h"
#include "store/siterecord.h"
#include "store/variablenames.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"

#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestVariables : public SandboxTest
{
    Q_OBJECT

private slots:
    void init()
    {
        SandboxTest::init();
        site = SiteRecord();
        site.Root = home->path() + u"/Stats"_s;
        site.CfgDir = u"cfg"_s;
        writeFile(site.configFile(u"2003-09"_s),
                  "LOGFILE x\r\nOUTFILE \"/Stats/reports/2003-09/stats2003-09.html\"\r\n");
    }

    void normalize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("year forms") << u"%YY%%YYYY%"_s << u"%yy%%yyyy%"_s;
        QTest::newRow("command variables") << u"cp %outfile% %OUTPATH/%/x %cfgfile% %outFILE/%"_s
                                           << u"cp %OutFile% %OutPath/%/x %CfgFile% %OutFile/%"_s;
        QTest::newRow("repeated") << u"%Dd%-%dD%-%WK%%hH%%mM%"_s << u"%dd%-%dd%-%wk%%hh%%mm%"_s;
        QTest::newRow("no variables, blanks kept") << u"  run me  "_s << u"  run me  "_s;
        QTest::newRow("unknown stays") << u"%Other%"_s << u"%Other%"_s;
    }
    void normalize()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        NormalizeVariables(text);
        QCOMPARE(text, expected);
    }

    void expand_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no configuration, no Out")
            << u"1999"_s << u"tool %CfgFile%"_s << u"tool 1999"_s;
        // %1: the home folder.
        QTest::newRow("no configuration")
            << u"1999"_s << u"%OutPath%|%OutFile%"_s << u"%1/Stats/cfg|%1/Stats/cfg/1999.cfg"_s;
        QTest::newRow("analog arguments") << u"/Stats/cfg/2003-09.cfg"_s << u"-G -g\"%CfgFile%\""_s
                                          << u"-G -g\"/Stats/cfg/2003-09.cfg\""_s;
        QTest::newRow("post-process")
            << u"2003-09"_s << u"copy %OutPath%/stats2003-09.html %OutPath/%/index.html"_s
            << u"copy /Stats/reports/2003-09/stats2003-09.html "
               u"/Stats/reports/2003-09/index.html"_s;
        QTest::newRow("variable first, period name")
            << u"2003-09"_s << u"%OutFile% %OutFile/% %CfgFile%"_s
            << u"/Stats/reports/2003-09/stats2003-09.html "
               u"/Stats/reports/2003-09/stats2003-09.html 2003-09"_s;
    }
    void expand()
    {
        QFETCH(QString, reference);
        QFETCH(QString, command);
        QFETCH(QString, expected);
        ExpandCommand(site, reference, command);
        QCOMPARE(command, expected.contains(u"%1"_s) ? expected.arg(home->path()) : expected);
    }

    void namingScheme_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<quint32>("periodicity");
        QTest::addColumn<bool>("consistent");
        QTest::addColumn<QString>("normalized");
        QTest::newRow("daily in a year folder")
            << u"%yyyy%\\ex%yyyy%%mm%%dd%.log.gz"_s << quint32(kLogDaily) << true
            << u"%yyyy%\\ex%yyyy%%mm%%dd%.log.gz"_s;
        QTest::newRow("daily, folder-only variables")
            << u"%yyyy%%mm%\\log%dd%"_s << quint32(kLogDaily) << false << u"%yyyy%%mm%\\log%dd%"_s;
        QTest::newRow("daily, slash folder-only")
            << u"%yyyy%/log%dd%"_s << quint32(kLogDaily) << false << u"%yyyy%/log%dd%"_s;
        QTest::newRow("hourly") << u"ex%yy%%mm%%dd%%hh%.log"_s << quint32(kLogHourly) << true
                                << u"ex%yy%%mm%%dd%%hh%.log"_s;
        QTest::newRow("hourly takes weeks")
            << u"%wk%%hh%"_s << quint32(kLogHourly) << true << u"%wk%%hh%"_s;
        QTest::newRow("monthly with a day")
            << u"ex%yy%%mm%%dd%.log"_s << quint32(kLogMonthly) << false << u"ex%yy%%mm%%dd%.log"_s;
        QTest::newRow("weekly with a month")
            << u"ex%yy%%mm%%wk%"_s << quint32(kLogWeekly) << false << u"ex%yy%%mm%%wk%"_s;
        QTest::newRow("monthly mixed case") << u"%YYYY%\\log%Yyyy%%MM%"_s << quint32(kLogMonthly)
                                            << true << u"%yyyy%\\log%yyyy%%mm%"_s;
        QTest::newRow("daily without day")
            << u"access.log"_s << quint32(kLogDaily) << false << u"access.log"_s;
        QTest::newRow("none chosen: folder rule only")
            << u"%wk%\\x"_s << quint32(0) << false << u"%wk%\\x"_s;
    }
    void namingScheme()
    {
        QFETCH(QString, scheme);
        QFETCH(quint32, periodicity);
        QFETCH(bool, consistent);
        QFETCH(QString, normalized);
        QCOMPARE(CheckNamingScheme(scheme, periodicity).ok(), consistent);
        QCOMPARE(scheme, normalized);
    }

private:
    SiteRecord site;
};

QTEST_GUILESS_MAIN(TestVariables)
#include "tst_variables.moc"
