#pragma once

#include "analog/period.h"
#include "run/consolerunner.h"

#include <QList>
#include <QObject>
#include <QStringList>

namespace meridan {

class SiteRecord;

// Builds periods of one Site, one after the other: configuration file
// (written anew, or the existing one reused), report folder, Analog's run
// and the post-process command's. It never waits: progress comes through
// signals, the console lines through linesReady.
class BuildDriver : public QObject
{
    Q_OBJECT

public:
    explicit BuildDriver(const SiteRecord& site, QObject* parent = nullptr);

    // Starts building the periods; false when a build runs already.
    bool start(const QList<Period>& periods, bool useExisting);
    // Ends the running command; the periods not built yet are skipped.
    void stop();
    bool isRunning() const { return m_index >= 0; }

signals:
    void periodStarted(const meridan::Period& period, int number, int count);
    // ok: generated, and every command ran and ended with exit code 0.
    void periodFinished(const meridan::Period& period, bool ok);
    void linesReady(const QStringList& lines);
    // ok: every period was.
    void finished(bool ok);

private:
    enum class Step { Analog, PostProcess };

    void startPeriod();
    // Configuration file and report folder; false (after a message) when
    // the period cannot be run.
    bool prepare(const Period& period);
    bool startCommand(Step step);
    void commandEnded(const RunOutcome& outcome);
    void endPeriod(bool ok);

    const SiteRecord& m_site;
    CConsoleRunner m_runner;
    QList<Period> m_periods;
    bool m_useExisting = false;
    qsizetype m_index = -1; // the period being built; -1 when idle
    Step m_step = Step::Analog;
    bool m_periodOk = true;
    bool m_allOk = true;
    bool m_stopping = false;
};

} // namespace meridan
