#include "store/siterules.h"

#include <QtTest>

using namespace meridan;
using namespace Qt::StringLiterals;

class TestSiteRules : public QObject
{
    Q_OBJECT

private slots:
    void ftpUrl_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("full") << u"ftp://host/logs"_s << u"ftp://host/logs"_s;
        QTest::newRow("no scheme")
            << u"host.example.com/logs"_s << u"ftp://host.example.com/logs"_s;
        QTest::newRow("port, no scheme") << u"host:2121/logs"_s << u"ftp://host:2121/logs"_s;
        QTest::newRow("sftp kept") << u"sftp://host/x"_s << u"sftp://host/x"_s;
        QTest::newRow("ftps kept") << u"FTPS://host:990/x"_s << u"FTPS://host:990/x"_s;
        QTest::newRow("web address refused") << u"http://host/x"_s << QString();
        QTest::newRow("blanks trimmed") << u"  ftp://h/ \t"_s << u"ftp://h/"_s;
        QTest::newRow("unreadable") << u"ftp://bad host/"_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void ftpUrl()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(acceptedFtpUrl(typed).value_or(QString()), stored);
    }

    // The rules the pages and meridan-cli share: refused, or the stored form.
    void acceptValue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored"); // "" when refused
        QTest::newRow("blanks trimmed") << u"Url"_s << u" www.x.com\t"_s << u"www.x.com"_s;
        QTest::newRow("variables")
            << u"PostProcessCmd"_s << u"cp %outfile% /x"_s << u"cp %OutFile% /x"_s;
        QTest::newRow("root cleaned") << u"Root"_s << u"/a//b/"_s << u"/a/b"_s;
        QTest::newRow("relative root") << u"Root"_s << u"stats"_s << QString();
        QTest::newRow("quote in a folder") << u"LogsDir"_s << u"/a\"b"_s << QString();
        QTest::newRow("folder climbs") << u"CfgDir"_s << u".."_s << QString();
        QTest::newRow("scheme climbs") << u"LogNameStruct"_s << u"a/../../%dd%"_s << QString();
        QTest::newRow("line feed") << u"Language"_s << u"FRENCH\nX"_s << QString();
        QTest::newRow("periodicity") << u"LogPeriodicity"_s << u"1016"_s << QString();
        QTest::newRow("output") << u"Output"_s << u"7"_s << QString();
        QTest::newRow("report code twice") << u"ReportOrder_M"_s << u"x-x"_s << QString();
        QTest::newRow("short order: the rest off")
            << u"ReportOrder_M"_s << u"Sx-m"_s
            << u"Sx-m1QWDdHhw4657lLZoritzPEIfsNnYykKBbpvRMujJc"_s;
        QTest::newRow("password in URL") << u"FTPUrl"_s << u"ftp://u:p@h/"_s << QString();
        QTest::newRow("kinds kept, any order") << u"KeepPeriods"_s << u"ymd"_s << u"DMY"_s;
        QTest::newRow("kind unknown") << u"KeepPeriods"_s << u"MX"_s << QString();
        QTest::newRow("no kind") << u"KeepPeriods"_s << QString() << QString();
        QTest::newRow("TLS flag") << u"FTPRequireTLS"_s << u"2"_s << QString();
        QTest::newRow("pin without colons")
            << u"FTPCertificate"_s << u"SHA256:"_s + QString(u"0a"_s).repeated(32)
            << QStringList(32, u"0A"_s).join(u':');
        QTest::newRow("pin too short")
            << u"FTPCertificate"_s << QString(u"0a"_s).repeated(31) << QString();
        // Lines Analog would read otherwise than written, places outside the
        // Site's folders.
        QTest::newRow("last backslash joins the next line")
            << u"Url"_s << u"www.x.com\\"_s << QString();
        QTest::newRow("backslash inside") << u"Url"_s << u"a\\b"_s << u"a\\b"_s;
        QTest::newRow("longer than a line") << u"Url"_s << QString(243, u'u') << QString();
        QTest::newRow("as long as fits") << u"Url"_s << QString(242, u'u') << QString(242, u'u');
        QTest::newRow("comma in the log folder") << u"LogsDir"_s << u"/logs/shop,de"_s << QString();
        QTest::newRow("comma in the scheme") << u"LogNameStruct"_s << u"a,%dd%.log"_s << QString();
        QTest::newRow("comma elsewhere") << u"Url"_s << u"www.x.com/a,b"_s << u"www.x.com/a,b"_s;
        QTest::newRow("error file climbs") << u"ErrorFile"_s << u"../../tmp/x"_s << QString();
        QTest::newRow("error file absolute") << u"ErrorFile"_s << u"/tmp/x"_s << QString();
        QTest::newRow("error file below")
            << u"ErrorFile"_s << u"logs/err.txt"_s << u"logs/err.txt"_s;
        QTest::newRow("base file climbs") << u"DefaultBase"_s << u"..\\x"_s << QString();
        QTest::newRow("a command may end in a backslash")
            << u"PostProcessCmd"_s << u"cp a b\\"_s << u"cp a b\\"_s;
    }
    void acceptValue()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        const Result accepted = meridan::acceptValue(name, &text);
        QCOMPARE(accepted.ok(), !stored.isEmpty());
        if (accepted)
            QCOMPARE(text, stored);
        // A refusal names a value the window shows in the window's words;
        // values only a command line can get wrong go by their own names.
        static const QStringList onlyTyped{u"LogPeriodicity"_s, u"Output"_s, u"KeepPeriods"_s,
                                           u"FTPRequireTLS"_s, u"FTPCertificate"_s};
        if (!accepted && !onlyTyped.contains(name))
            QVERIFY2(!accepted.message().contains(name.section(u'_', 0, 0)),
                     qPrintable(accepted.message()));
    }
};

QTEST_GUILESS_MAIN(TestSiteRules)
#include "tst_siterules.moc"
