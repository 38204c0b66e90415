#pragma once

#include "run/builddriver.h"
#include "run/consolerunner.h"
#include "util/messages.h"

#include <QSignalSpy>
#include <QtTest>

namespace meridan::test {

// Keeps every console line a runner or a build driver sends, and counts the
// batches they came in.
class RecordingSink : public QObject
{
public:
    template <typename Source> void listenTo(Source* source)
    {
        connect(source, &Source::linesReady, this, [this](const QStringList& batch) {
            lines += batch;
            ++batches;
        });
    }
    QStringList lines;
    int batches = 0;
};

// Starts the command and waits until it has ended (at most a minute); false,
// with the reason shown, when it could not be started.
inline bool runToEnd(CConsoleRunner& runner, const QString& commandLine)
{
    QSignalSpy ended(&runner, &CConsoleRunner::finished);
    if (!runner.start(commandLine).report())
        return false;
    return ended.wait(60000);
}

// Builds the periods and waits until the driver has ended (at most two
// minutes); true when every period was built. What stops a period is said
// through the messages interface, as the program's windows do.
inline bool buildToEnd(BuildDriver& driver, const QList<Period>& periods,
                       const BuildOptions& options = {})
{
    QSignalSpy finished(&driver, &BuildDriver::finished);
    QObject::connect(&driver, &BuildDriver::problem, &driver,
                     [](const QString& text) { messages().error(text); });
    if (!driver.start(periods, options).report() || !finished.wait(120000))
        return false;
    return finished.first().first().toBool();
}

} // namespace meridan::test
