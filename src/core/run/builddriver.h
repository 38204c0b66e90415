#pragma once

#include "analog/period.h"
#include "run/consolerunner.h"
#include "store/preferences.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>

namespace meridan {

class FreshnessCheck;
class SiteRecord;

struct BuildOptions
{
    bool useExisting = false; // an existing configuration file is reused
    int jobs = 1;             // periods built at once
    bool onlyStale = false;   // only periods whose report is out of date
};

// Builds periods of one Site: configuration file (written anew, or the
// existing one reused), report folder, Analog's run and the post-process
// command's. A period whose days' or months' caches hold it is read from
// them; a day or month read from its logs writes its cache too. Up to
// `jobs` periods run at once, each one's commands one after the other, and
// in stages: days, then weeks and months, then quarters, halves and years,
// so that each reads the caches of the stage before. It never waits:
// progress comes through signals, the console lines through linesReady: as
// they come with one job, as one block a period when its build ends with
// several, so that periods never mix.
class BuildDriver : public QObject
{
    Q_OBJECT

public:
    explicit BuildDriver(const SiteRecord& site, QObject* parent = nullptr);
    ~BuildDriver() override;

    // The most periods built at once.
    static constexpr int kMaxJobs = Preferences::kMaxParallelBuilds;

    // Starts building the periods; refused when a build runs already or jobs
    // lies outside 1 to kMaxJobs. With onlyStale, a period whose report is
    // up to date is left out, and one without any log file is left out
    // with a note.
    Result start(const QList<Period>& periods, const BuildOptions& options = {});
    // Ends the running commands; the periods not started yet are skipped.
    void stop();
    bool isRunning() const { return m_running; }

signals:
    // number counts the periods started so far, of count.
    void periodStarted(const meridan::Period& period, int number, int count);
    // ok: generated, and every command ran and ended with exit code 0.
    // finished counts the periods ended so far.
    void periodFinished(const meridan::Period& period, bool ok, int finished, int count);
    void linesReady(const QStringList& lines);
    // What the user must know beside the console lines, which say it too:
    // reports and caches kept as they were, a cache folder not writable.
    void notice(const QString& text);
    // Why a period, or the whole build, could not go on; said apart from
    // the console lines.
    void problem(const QString& text);
    // ok: every period was.
    void finished(bool ok);

private:
    struct Job;

    static QString keptReportNote(const Period& period, const QStringList& gone);
    static QString keptCachesNote(const QList<Period>& kept);
    void chooseStale(const QList<Period>& periods);
    void addNotice(const QString& text);
    bool mayStartNext() const;
    void prepareCacheFolder();
    void startMore();
    void startPeriod(const Period& period);
    void prepareAhead();
    // Configuration file and report folder; refused when the period cannot
    // be run.
    Result prepare(Job& job);
    bool keepsOldReport(Job& job);
    QString reportPath(const Period& period) const;
    QString partialReportPath(const Period& period) const;
    QString partialCachePath(const Period& period) const;
    Result startCommand(Job& job, bool postProcess);
    Result placeReport(Job& job);
    Result placeCache(Job& job);
    void removePartials(const Job& job);
    void commandEnded(Job* job, const RunOutcome& outcome);
    void failPeriod(Job* job, const Result& why);
    void endPeriod(Job* job, bool ok);
    void output(Job& job, const QStringList& lines);

    const SiteRecord& m_site;
    std::unique_ptr<FreshnessCheck> m_check; // caches judged once a build
    bool m_writeCaches = true;
    QString m_analogPath;
    QProcessEnvironment m_analogEnvironment;
    QList<Period> m_periods;
    BuildOptions m_options;
    int m_jobs = 1;         // at most as many as periods
    QStringList m_notes;    // shown when the build starts
    QStringList m_notices;  // those of m_notes that are notices too
    QStringList m_problems; // said when the build starts
    qsizetype m_next = 0;   // the next period to start
    int m_ended = 0;        // periods ended
    QList<Job*> m_active;   // owned
    QList<Job*> m_done;     // owned, ended, deleted from the event loop
    Job* m_ahead = nullptr; // owned, prepared, not started
    bool m_running = false;
    bool m_allOk = true;
    bool m_stopping = false;
};

} // namespace meridan
