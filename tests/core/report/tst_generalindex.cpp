#include "analog/basecfg.h"
#include "analog/reportlist.h"
#include "analog/sitefolders.h"
#include "report/generalindex.h"
#include "report/reportaccess.h"
#include "run/builddriver.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "support/loggenerator.h"
#include "support/recordingsink.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kHead =
    "<html><head><title>Statistics for Web server shop</title>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
    "<LINK REL=stylesheet TYPE=\"text/css\" HREF=\"merstyle.css\"></head>\r\n";

QByteArray expectedLink(const char* period, const char* caption, const char* target = "report")
{
    return QByteArray("<a href=\"") + period + "/stats" + period + ".html\" target=\"" + target +
           "\">" + caption + "</a><br>\r\n";
}

} // namespace

class TestGeneralIndex : public SandboxTest
{
    Q_OBJECT

private slots:
    void init()
    {
        SandboxTest::init();
        site = testSite(*home);
        QDir().mkpath(site.reportsFolder());
    }

    void framesetAndTitlePages()
    {
        CGeneralIndex index(site, {}, false, true, QLocale(u"en_US"_s));
        QVERIFY(index.write());
        QCOMPARE(
            readAll(site.reportsFolder() + u"/index.html"_s),
            QByteArray("<html>\r\n<head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                       "charset=utf-8\"><title>Statistics for Web server shop</title></head>\r\n"
                       "<frameset  border=\"1\" framespacing=\"0\" cols=\"200,*\" onLoad=\"if "
                       "(self !=top) top.location=self.location\">\r\n"
                       "<frame src=\"mernav.html\" name=\"toc\" marginwidth=\"5\" "
                       "marginheight=\"5\" scrolling=\"auto\">\r\n"
                       "<frame src=\"merintro.html\" name=\"report\" marginwidth=\"5\" "
                       "marginheight=\"5\" scrolling=\"auto\">\r\n"
                       "<noframes>\r\n<body><H1>Frames<H1></body>\r\n</noframes>\r\n"
                       "</frameset>\r\n</html>\r\n"));
        QCOMPARE(
            readAll(site.reportsFolder() + u"/merintro.html"_s),
            QByteArray("<html>\r\n<head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                       "charset=utf-8\">\r\n<LINK REL=stylesheet TYPE=\"text/css\" "
                       "HREF=\"merstyle.css\"></head>\r\n<body><table width=\"100%\" "
                       "height=\"100%\"><tr><td><H1 align=\"center\">Statistics for Web "
                       "server shop</H1></td></tr></table></body></html>\r\n"));
        // An empty list: the head and the end, no year.
        QCOMPARE(readAll(site.reportsFolder() + u"/mernav.html"_s),
                 kHead + "<body>\r\n</body></html>");
    }

    void navigationPage_data()
    {
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<bool>("frames");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("descending, frames")
            << false << true
            << QByteArray(
                   "<body>\r\n<H3>Year: 2004</H3>\r\n<p>" + expectedLink("2004-01", "January") +
                   "<br><H3>Year: 2003</H3>\r\n<p>" + expectedLink("2003", "Annual report") +
                   "<br>" + expectedLink("2003-H2", "Second half year") + "<br>" +
                   expectedLink("2003-Q3", "Third quarter") + "<br>" +
                   expectedLink("2003-12", "December") + expectedLink("2003-11", "November") +
                   "<br>" + expectedLink("2003-W05", "Week 05") + "<br>" +
                   expectedLink("2003-05-17", "May 17") + "<br></body></html>");
        QTest::newRow("ascending, no frames")
            << true << false
            << QByteArray("<body  onLoad=\"if (self !=top) top.location=self.location\">\r\n"
                          "<H1>Statistics for Web server shop</H1>\r\n<H3>Year: 2003</H3>\r\n<p>" +
                          expectedLink("2003-05-17", "May 17", "_blank") + "<br>" +
                          expectedLink("2003-W05", "Week 05", "_blank") + "<br>" +
                          expectedLink("2003-11", "November", "_blank") +
                          expectedLink("2003-12", "December", "_blank") + "<br>" +
                          expectedLink("2003-Q3", "Third quarter", "_blank") + "<br>" +
                          expectedLink("2003-H2", "Second half year", "_blank") + "<br>" +
                          expectedLink("2003", "Annual report", "_blank") +
                          "<br><H3>Year: 2004</H3>\r\n<p>" +
                          expectedLink("2004-01", "January", "_blank") + "<br></body></html>");
    }
    void navigationPage()
    {
        QFETCH(bool, ascending);
        QFETCH(bool, frames);
        QFETCH(QByteArray, body);
        QStringList list{u"2004-01"_s, u"2003-X1"_s, u"2003-W05"_s,   u"2003-Q3"_s, u"2003-H2"_s,
                         u"2003-12"_s, u"2003-11"_s, u"2003-05-17"_s, u"2003"_s};
        std::sort(list.begin(), list.end());
        if (!ascending)
            std::reverse(list.begin(), list.end());
        const QLocale english(u"en_US"_s);
        QVERIFY(CGeneralIndex(site, list, ascending, true, english).write()); // an earlier index
        CGeneralIndex index(site, list, ascending, frames, english);
        QVERIFY(index.write());
        const QString page = frames ? u"/mernav.html"_s : u"/index.html"_s;
        QCOMPARE(readAll(site.reportsFolder() + page), kHead + body);
        QCOMPARE(QFile::exists(site.reportsFolder() + u"/merintro.html"_s), frames);
        QCOMPARE(QFile::exists(site.reportsFolder() + u"/mernav.html"_s), frames);
        QVERIFY(index.write()); // nothing new: nothing written
        QCOMPARE(index.writtenPages(), QStringList());
        QVERIFY(recorder->errors.isEmpty());
    }

    void linksFollowThePostProcessCommand()
    {
        site.PostProcessCmd = u"tool %OutPath%"_s;
        QVERIFY(CGeneralIndex(site, {u"2003-05"_s}, false, false, QLocale(u"en_US"_s)).write());
        QVERIFY(readAll(site.reportsFolder() + u"/index.html"_s)
                    .contains("<a href=\"2003-05/index.html\" target=\"_blank\">May</a><br>\r\n"));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("caption");
        QTest::newRow("month, English") << u"en_US"_s << u"2003-05"_s << u"May"_s;
        QTest::newRow("day, month first") << u"en_US"_s << u"2003-05-17"_s << u"May 17"_s;
        QTest::newRow("month, French, upper-cased") << u"fr_FR"_s << u"2003-05"_s << u"Mai"_s;
        QTest::newRow("day, day first, as the locale gives it")
            << u"fr_FR"_s << u"2003-05-17"_s << u"17 mai"_s;
        QTest::newRow("non-ASCII month") << u"fr_FR"_s << u"2003-02"_s << u"Février"_s;
        QTest::newRow("day first, German") << u"de_DE"_s << u"2003-03-01"_s << u"01 März"_s;
        QTest::newRow("week keeps its zero") << u"de_DE"_s << u"2003-W05"_s << u"Week 05"_s;
        QTest::newRow("week, French") << u"fr_FR"_s << u"2003-W05"_s << u"Semaine 05"_s;
        QTest::newRow("quarter, French") << u"fr_FR"_s << u"2003-Q3"_s << u"Troisième trimestre"_s;
        QTest::newRow("half, French") << u"fr_FR"_s << u"2003-H1"_s << u"Premier semestre"_s;
        QTest::newRow("year, French") << u"fr_FR"_s << u"2003"_s << u"Rapport annuel"_s;
        QTest::newRow("quarter 5") << u"en_US"_s << u"2003-Q5"_s << QString();
        QTest::newRow("half 3") << u"en_US"_s << u"2003-H3"_s << QString();
        QTest::newRow("unknown kind") << u"en_US"_s << u"2003-X5"_s << QString();
    }
    void captions()
    {
        QFETCH(QString, locale);
        QFETCH(QString, period);
        QFETCH(QString, caption);
        QTranslator translation; // the program's language follows the locale
        if (translation.load(QLocale(locale), u"meridan"_s, u"_"_s, u":/meridan/translations"_s))
            QCoreApplication::installTranslator(&translation);
        const CGeneralIndex index(site, {}, false, false, QLocale(locale));
        QCOMPARE(index.caption(period), caption);
        QCoreApplication::removeTranslator(&translation);
    }

    void insertedTextStaysText()
    {
        site.name = u"<img src=x onerror=alert(1)>"_s;
        CGeneralIndex index(site, {u"2003-09"_s, u"2003-W07\"><script>x</script>"_s}, false, true,
                            QLocale(u"en_US"_s));
        QVERIFY(index.write());
        for (const QString& page : {u"/index.html"_s, u"/merintro.html"_s, u"/mernav.html"_s}) {
            const QByteArray text = readAll(site.reportsFolder() + page);
            QVERIFY2(!text.contains("<img") && !text.contains("<script"), text.constData());
            QVERIFY(text.contains("&lt;img src=x onerror=alert(1)&gt;"));
        }
        QVERIFY(readAll(site.reportsFolder() + u"/mernav.html"_s)
                    .contains("<a href=\"2003-09/stats2003-09.html\""));
    }

    void pagesStayValidUtf8()
    {
        site.name = u"Café Ümlaut"_s;
        QVERIFY(
            CGeneralIndex(site, {u"2003-02"_s, u"2003-08-15"_s}, false, false, QLocale(u"fr_FR"_s))
                .write());
        const QByteArray page = readAll(site.reportsFolder() + u"/index.html"_s);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(page);
        QVERIFY(!utf8.hasError());
        QVERIFY(text.contains(u">Février</a>"_s));
        QVERIFY(text.contains(u">15 août</a>"_s));
        QVERIFY(text.contains(u"<H1>Statistics for Web server Café Ümlaut</H1>"_s));
    }

    void failures_data()
    {
        QTest::addColumn<bool>("frames");
        QTest::addColumn<QString>("message");
        QTest::newRow("frames") << true << u"Error creating file index.html"_s;
        QTest::newRow("no frames") << false << u"Error creating file %1/nowhere/index.html"_s;
    }
    void failures()
    {
        QFETCH(bool, frames);
        QFETCH(QString, message);
        site.ReportsRoot = u"nowhere"_s;
        CGeneralIndex index(site, {u"2003"_s}, false, frames);
        const Result written = index.write();
        QVERIFY2(written.message().startsWith(message.arg(site.Root) + u'\n'),
                 qPrintable(written.message()));
        QVERIFY(!QFileInfo::exists(site.reportsFolder()));
    }

    void styleSheetIsAddedNeverReplaced()
    {
        const QString css = site.reportsFolder() + u"/merstyle.css"_s;
        QVERIFY(CGeneralIndex(site, {}, false, true).write());
        QVERIFY(readAll(css).contains("body"));
        QCOMPARE(readAll(css), defaultStyleSheet());
        writeFile(css, "/* mine */");
        QVERIFY(CGeneralIndex(site, {}, false, true).write());
        QCOMPARE(readAll(css), QByteArray("/* mine */"));
    }

    void desktopLink()
    {
        QVERIFY(desktopLinkPath(u"shop"_s).isEmpty()); // no desktop folder yet
        QVERIFY(!createDesktopLink(u"shop"_s, site.reportsFolder()));
        QDir().mkpath(home->file(u"Desktop"_s));
        const QString path = home->file(u"Desktop/Statistics for Web server shop.desktop"_s);
        QCOMPARE(desktopLinkPath(u"shop"_s), path);
        writeFile(path, "old");
        QVERIFY(createDesktopLink(u"shop"_s, home->file(u"my stats/reports"_s)));
        QCOMPARE(readAll(path),
                 "[Desktop Entry]\nVersion=1.0\nType=Link\nName=Statistics for Web "
                 "server shop\nComment=Statistics for Web server shop\nIcon=text-html\n"
                 "URL=file://" +
                     QFile::encodeName(home->path()).replace(" ", "%20") +
                     "/my%20stats/reports/index.html\n");
        QCOMPARE(QFile::permissions(path) & 0x0777, QFileDevice::Permissions(0x0755));
    }

    void reportToOpen_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("opened");
        QTest::newRow("html") << QByteArray("OUTFILE \"/r/2003-09/stats2003-09.html\"\r\n")
                              << u"/r/2003-09/stats2003-09.html"_s;
        QTest::newRow("dat") << QByteArray("OUTFILE \"/r/2003-09/stats2003-09.dat\"\r\n")
                             << u"/r/2003-09/index.html"_s;
        QTest::newRow("DAT") << QByteArray("OUTFILE /r/x/stats.DAT") << u"/r/x/index.html"_s;
        QTest::newRow("no OUTFILE") << QByteArray("LOGFILE x\r\n") << u"%1/cfg/2003-09.cfg"_s;
    }
    void reportToOpen()
    {
        QFETCH(QByteArray, config);
        QFETCH(QString, opened);
        writeFile(site.configFile(u"2003-09"_s), config);
        QCOMPARE(reportFileToOpen(site, u"2003-09"_s),
                 opened.contains(u"%1"_s) ? opened.arg(site.Root) : opened);
        QCOMPARE(generalIndexPage(site), site.Root + u"/reports/index.html"_s);
    }

    // Every link of the index of a really built Site leads to a report.
    void linksOfABuiltSiteResolve()
    {
        Preferences prefs;
        prefs.analogPath = u"/usr/bin/analog"_s;
        QVERIFY(prefs.save());
        site.name = u"built"_s;
        site.DeriveDefaults();
        site.isNew = true;
        QVERIFY(createSiteFolders(site) && SaveSite(site));
        writeLogs(site, QDate(2003, 12, 20), QDate(2004, 1, 10), 20);
        BuildDriver driver(site);
        QList<Period> periods;
        for (const QString& period :
             {u"2004-01-02"_s, u"2004-W01"_s, u"2003-12"_s, u"2003-Q4"_s, u"2003-H2"_s, u"2003"_s})
            periods.append(*PeriodOfName(period));
        QVERIFY(buildToEnd(driver, periods));
        for (bool frames : {true, false}) {
            const QStringList list = configuredPeriods(site, false);
            QCOMPARE(list.size(), 6);
            QVERIFY(CGeneralIndex(site, list, false, frames).write());
            const QString page = QString::fromUtf8(
                readAll(site.reportsFolder() + (frames ? u"/mernav.html"_s : u"/index.html"_s)));
            static const QRegularExpression href(u"href=\"([^\"]+)\""_s);
            int links = 0;
            for (const QRegularExpressionMatch& match : href.globalMatch(page)) {
                const QString target = site.reportsFolder() + u'/' + match.captured(1);
                QVERIFY2(readAll(target).contains("built"), qPrintable(target));
                ++links;
            }
            QCOMPARE(links, 6);
        }
    }

private:
    SiteRecord site;
};

QTEST_GUILESS_MAIN(TestGeneralIndex)
#include "tst_generalindex.moc"
