// The desktop program's speed: start to a painted main window with 100
// stored Sites, filling the report list from 10,000 configuration files,
// and a console window receiving 1,000,000 lines (how long the event loop
// was ever kept waiting, and the time from the child's end to the last line
// shown). Run with QT_QPA_PLATFORM=offscreen: bench_ui
#include "benchwindows.h"
#include "dialogs/consoleprocessdlg.h"
#include "main/maindlg.h"
#include "run/consolerunner.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

using namespace meridan;

using meridan::bench::FirstPaint;
using meridan::bench::storeSites;

// With --start-only: the time from main() to a painted main window over the
// store that HOME and XDG_CONFIG_HOME already point at.
int startOnly(int argc, char* argv[], const QElapsedTimer& clock)
{
    QApplication app(argc, argv);
    FirstPaint painted;
    painted.clock = &clock;
    CMainDlg window;
    window.installEventFilter(&painted);
    window.show();
    while (painted.paintedAt < 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("siteCombo"));
    std::printf("start to painted main window, %d Sites: %.1f ms\n", combo->count(),
                painted.paintedAt / 1e6);
    return 0;
}

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--start-only") == 0) {
        QElapsedTimer clock;
        clock.start();
        return startOnly(argc, argv, clock);
    }
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    QApplication app(argc, argv);
    storeSites(100);
    const SiteRecord big(QStringLiteral("site000.example"));
    for (int i = 0; i < 10000; ++i) {
        QFile file(big.configFile(QStringLiteral("%1").arg(2000 + i, 5, 10, QLatin1Char('0'))));
        file.open(QIODevice::WriteOnly);
    }

    QElapsedTimer clock;
    clock.start();
    FirstPaint painted;
    painted.clock = &clock;
    CMainDlg window; // the first Site has the 10,000 files
    window.installEventFilter(&painted);
    window.show();
    while (painted.paintedAt < 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("start to painted main window, 100 Sites, 10,000 reports: %.1f ms\n",
                painted.paintedAt / 1e6);

    auto* combo = window.findChild<QComboBox*>(QStringLiteral("siteCombo"));
    auto* list = window.findChild<QListWidget*>(QStringLiteral("reportList"));
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    clock.restart();
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    std::printf("report list filled from %d configuration files: %.1f ms\n", list->count(),
                clock.nsecsElapsed() / 1e6);

    CConsoleProcessDlg console;
    console.show();
    qint64 longestWait = 0;
    QElapsedTimer tick;
    tick.start();
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&] { longestWait = std::max(longestWait, tick.restart()); });
    heartbeat.start(10);
    CConsoleRunner runner;
    QObject::connect(&runner, &CConsoleRunner::linesReady, &console,
                     &CConsoleProcessDlg::appendLines);
    QEventLoop untilEnded;
    QObject::connect(&runner, &CConsoleRunner::finished, &untilEnded, &QEventLoop::quit);
    clock.restart();
    if (runner.start(QStringLiteral("/usr/bin/seq 1 1000000")))
        untilEnded.exec();
    const qint64 childEnded = clock.nsecsElapsed();
    console.flush();
    const qint64 lastShown = clock.nsecsElapsed();
    std::printf("console, 1,000,000 lines: run %.0f ms, child's end to last line shown %.1f ms, "
                "longest wait of the event loop %lld ms\n",
                childEnded / 1e6, (lastShown - childEnded) / 1e6,
                static_cast<long long>(longestWait));
    return 0;
}
