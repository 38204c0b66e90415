#pragma once

#include "util/result.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>

namespace meridan {

// How a run ended.
struct RunOutcome
{
    bool started = false;
    bool exitedNormally = false; // false when a signal ended it or it was stopped
    int exitCode = -1;

    bool succeeded() const { return started && exitedNormally && exitCode == 0; }
};

// Runs one command line at a time as a child process, without a shell:
// standard output and error merged, no standard input. It never waits: the
// child's lines come through linesReady as they are read (a batch for each
// read, the incomplete last line kept for the next), its end through
// finished. A runner can be stopped and then started again.
// This process's environment, but that Analog's memory allocator may back
// its heap with huge pages where the system allows: Analog spends much of a
// run on first touches of the memory it allocates, and runs about a sixth
// faster so. What the user set in GLIBC_TUNABLES stands.
QProcessEnvironment analogEnvironment();

class CConsoleRunner : public QObject
{
    Q_OBJECT

public:
    explicit CConsoleRunner(QObject* parent = nullptr);
    ~CConsoleRunner() override;

    // Starts the command line, with the arguments after it that the program
    // adds on its own (not echoed), in this process's environment unless
    // one is given. Refused, saying why, when it could not be started;
    // finished follows only a start that was not refused.
    Result start(const QString& commandLine, const QStringList& addedArguments = {},
                 const std::optional<QProcessEnvironment>& environment = std::nullopt);
    bool isRunning() const { return m_process != nullptr; }
    // Ends the running child; finished follows with the run stopped.
    void stop();
    const RunOutcome& lastOutcome() const { return m_outcome; }

    // The echo lines of a command line, as the console shows them.
    static QStringList echoLines(const QString& commandLine);

signals:
    void linesReady(const QStringList& lines);
    void finished(const meridan::RunOutcome& outcome);

private:
    void readOutput();
    void processEnded();
    void deliver(QStringList lines);

    QPointer<QProcess> m_process;
    QByteArray m_pending; // the incomplete last line
    RunOutcome m_outcome;
    bool m_stopRequested = false;
};

} // namespace meridan
