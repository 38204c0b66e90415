#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <functional>

namespace meridan {

// Where console lines go: the console window, standard output, a test.
// Lines come in batches, one call for everything a read delivered.
class ConsoleSink
{
public:
    virtual ~ConsoleSink() = default;
    virtual void appendLines(const QStringList& lines) = 0;
};

// How the last run ended.
struct RunOutcome
{
    bool started = false;
    bool exitedNormally = false; // false when a signal ended it or it was stopped
    int exitCode = -1;

    bool succeeded() const { return started && exitedNormally && exitCode == 0; }
};

// Runs one command line at a time as a child process, without a shell:
// standard output and error merged, no standard input. Every line the child
// writes reaches the sink while it runs; the call returns when it has ended.
// Events are processed meanwhile, so a window stays responsive.
class CConsoleRunner : public QObject
{
    Q_OBJECT

public:
    // sinkForRun is asked at each run, so a closed console window can be
    // replaced by a new one.
    explicit CConsoleRunner(std::function<ConsoleSink*()> sinkForRun, QObject* parent = nullptr);
    ~CConsoleRunner() override;

    // True when the program was started and has ended (whatever its exit
    // code); false, after a message, when it could not be started.
    bool Run(const QString& commandLine);
    const RunOutcome& lastOutcome() const { return m_outcome; }

    // Shows a line of the program's own below the runs' lines.
    void appendNote(const QString& line);

    // Ends the running child; Run then returns at once.
    void stop();
    bool stopRequested() const { return m_stopRequested; }

    // The echo lines of a command line, as the console shows them.
    static QStringList echoLines(const QString& commandLine);

private:
    void readOutput();
    void deliver(QStringList lines);
    ConsoleSink* sink();

    std::function<ConsoleSink*()> m_sinkForRun;
    ConsoleSink* m_sink = nullptr;
    QPointer<QProcess> m_process;
    QByteArray m_pending; // the incomplete last line
    RunOutcome m_outcome;
    bool m_stopRequested = false;
};

} // namespace meridan
