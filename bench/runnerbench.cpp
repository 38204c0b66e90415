// Runs one command line through the console runner and reports how many
// lines reached the sink, the time taken and the peak memory:
// bench_runner COMMAND-LINE
#include "run/consolerunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: bench_runner COMMAND-LINE\n");
        return 2;
    }
    qint64 count = 0;
    qint64 characters = 0;
    meridan::CConsoleRunner runner;
    QObject::connect(&runner, &meridan::CConsoleRunner::linesReady, [&](const QStringList& lines) {
        count += lines.size();
        for (const QString& line : lines)
            characters += line.size();
    });
    QObject::connect(&runner, &meridan::CConsoleRunner::finished, &app, &QCoreApplication::quit);
    QElapsedTimer clock;
    clock.start();
    const bool ran = runner.start(app.arguments().at(1)).ok();
    if (ran)
        app.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("lines=%lld characters=%lld seconds=%.3f maxrss_kib=%ld\n",
                static_cast<long long>(count), static_cast<long long>(characters), seconds,
                usage.ru_maxrss);
    return ran ? 0 : 1;
}
