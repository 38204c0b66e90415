#include "support/recordingsink.h"
#include "support/testenvironment.h"

#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestConsoleRunner : public QObject
{
    Q_OBJECT

private:
    QStringList run(const QString& command)
    {
        RecordingSink sink;
        CConsoleRunner runner;
        sink.listenTo(&runner);
        lastStarted = runToEnd(runner, command);
        lastOutcome = runner.lastOutcome();
        return sink.lines;
    }
    static QStringList framed(const QString& command, const QStringList& output, int exitCode)
    {
        return CConsoleRunner::echoLines(command)
               << u"----------"_s << output << u"Exit code: %1"_s.arg(exitCode) << u" "_s;
    }

    bool lastStarted = false;
    RunOutcome lastOutcome;

private slots:
    void init() { recorder = std::make_unique<RecordingMessages>(); }
    void cleanup() { recorder.reset(); }

    void echo_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("lines");
        const QString quoted79 = u"\"/usr/bin/analog\" -G -g\""_s + QString(54, u'x') + u'"';
        QTest::newRow("79 characters") << quoted79 << QStringList{u"Cmd: >"_s + quoted79};
        const QString quoted80 = u"\"/usr/bin/analog\" -G -g\""_s + QString(55, u'x') + u'"';
        QTest::newRow("80 characters, quoted program")
            << quoted80
            << QStringList{u"\"/usr/bin/analog"_s, u"       -G -g\""_s + QString(55, u'x') + u'"'};
        QTest::newRow("80 characters, no quote") << QString(80, u'y') << QStringList{};
        QTest::newRow("quote only at the start") << u"\""_s + QString(85, u'z') << QStringList{};
    }
    void echo()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, lines);
        QCOMPARE(command.size() >= 80, lines.size() != 1);
        QCOMPARE(CConsoleRunner::echoLines(command), lines);
    }

    void outputLines_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("output");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("CR LF ends, empty line, last line without LF")
            << u"printf 'a\\r\\nb\\n\\nc'"_s << QStringList{u"a"_s, u"b"_s, u""_s, u"c"_s} << 0;
        QTest::newRow("stderr among stdout in order")
            << u"echo out1; echo err1 >&2; echo out2; echo err2 >&2"_s
            << QStringList{u"out1"_s, u"err1"_s, u"out2"_s, u"err2"_s} << 0;
        QTest::newRow("stderr only, exit 3")
            << u"echo oops >&2; exit 3"_s << QStringList{u"oops"_s} << 3;
        QTest::newRow("no standard input") << u"cat; echo done"_s << QStringList{u"done"_s} << 0;
        QTest::newRow("UTF-8") << u"printf 'Gr\\303\\274\\303\\237e\\n'"_s
                               << QStringList{u"Grüße"_s} << 0;
        QTest::newRow("silent") << u"exit 0"_s << QStringList{} << 0;
    }
    void outputLines()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, output);
        QFETCH(int, exitCode);
        const QString command = u"/bin/sh -c \""_s + script + u'"';
        QCOMPARE(run(command), framed(command, output, exitCode));
        QVERIFY(lastStarted);
        QCOMPARE(lastOutcome.exitCode, exitCode);
        QCOMPARE(lastOutcome.succeeded(), exitCode == 0);
        QVERIFY(recorder->errors.isEmpty());
    }

    void quotedArgumentsStayWhole()
    {
        const QString command = u"/usr/bin/printf [%s]\\n \"a b\" c\"d e\"f"_s;
        QCOMPARE(run(command), framed(command, {u"[a b]"_s, u"[cd ef]"_s}, 0));
    }

    void signalEndsTheChild()
    {
        const QString command = u"/bin/sh -c \"echo before; kill -9 $$\""_s;
        QCOMPARE(run(command), framed(command, {u"before"_s, u"Ended by signal 9."_s}, 137));
        QVERIFY(lastStarted);
        QVERIFY(!lastOutcome.exitedNormally);
        QVERIFY(!lastOutcome.succeeded());
    }

    void programThatCannotStart_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"/nonexistent/prog arg"_s
                                 << u"CreateProcess: error # 2\n(cmd: /nonexistent/prog arg)"_s;
        QTest::newRow("not on PATH") << u"no-such-program-here"_s
                                     << u"CreateProcess: error # 2\n(cmd: no-such-program-here)"_s;
        QTest::newRow("a folder") << u"\"/tmp\" x"_s
                                  << u"CreateProcess: error # D\n(cmd: \"/tmp\" x)"_s;
        QTest::newRow("empty") << QString() << u"CreateProcess: error # 2\n(cmd: )"_s;
    }
    void programThatCannotStart()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        QCOMPARE(run(command), QStringList());
        QVERIFY(!lastStarted);
        QVERIFY(!lastOutcome.started);
        QCOMPARE(recorder->errors, QStringList{message});
    }

    void manyLinesComeInBatches()
    {
        RecordingSink sink;
        CConsoleRunner runner;
        sink.listenTo(&runner);
        QVERIFY(runToEnd(runner, u"/usr/bin/seq 1 200000"_s));
        QCOMPARE(sink.lines.size(), 200000 + 4);
        QCOMPARE(sink.lines.at(2), u"1"_s);
        QCOMPARE(sink.lines.at(200001), u"200000"_s);
        QVERIFY2(sink.batches < 20000, qPrintable(QString::number(sink.batches)));
    }

    void lineWithoutEndDoesNotGrowForever()
    {
        RecordingSink sink;
        CConsoleRunner runner;
        sink.listenTo(&runner);
        QVERIFY(runToEnd(runner, u"/usr/bin/printf %0200000d 0"_s));
        const QStringList output = sink.lines.mid(2, sink.lines.size() - 4);
        QCOMPARE(output.join(QString()), QString(200000, u'0'));
        QCOMPARE(output.first().size(), 64 * 1024);
    }

    // A stopped runner ends its child at once and can run the next one.
    void stopEndsTheRunAndTheRunnerGoesOn()
    {
        RecordingSink sink;
        CConsoleRunner runner;
        sink.listenTo(&runner);
        QTimer::singleShot(200, &runner, &CConsoleRunner::stop);
        QVERIFY(runToEnd(runner, u"/bin/sleep 30"_s));
        QVERIFY(!runner.lastOutcome().succeeded());
        QVERIFY(sink.lines.contains(u"Stopped."_s));
        sink.lines.clear();
        QVERIFY(runToEnd(runner, u"/bin/echo again"_s));
        QVERIFY(runner.lastOutcome().succeeded());
        QCOMPARE(sink.lines, framed(u"/bin/echo again"_s, {u"again"_s}, 0));
    }

    // The runner never waits: the event loop goes on while the child runs.
    void startReturnsAtOnce()
    {
        CConsoleRunner runner;
        QVERIFY(runner.start(u"/bin/sleep 30"_s));
        QVERIFY(runner.isRunning());
        QVERIFY(!runner.start(u"/bin/echo second"_s)); // one run at a time
        QSignalSpy ended(&runner, &CConsoleRunner::finished);
        runner.stop();
        QVERIFY(ended.wait(10000));
        QVERIFY(!runner.isRunning());
    }

private:
    std::unique_ptr<RecordingMessages> recorder;
};

QTEST_GUILESS_MAIN(TestConsoleRunner)
#include "tst_consolerunner.moc"
