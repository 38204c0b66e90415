#pragma once

#include "analog/period.h"
#include "store/figurestore.h"
#include "util/result.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QObject>
#include <QProcessEnvironment>
#include <QSet>
#include <QStringList>
#include <memory>

namespace meridan {

class CConsoleRunner;
class SiteRecord;
struct RunOutcome;

// What Analog's computer-readable output says of a cache: the General
// Summary's totals (as a month) and the Daily Report's days. Lines it does
// not know are skipped.
struct ComputerOutput
{
    MonthFigures total;
    QList<DayFigures> days;
};
ComputerOutput parseComputerOutput(const QByteArray& text, const QDate& month);

// A cache of a Site, day's or month's, that changed since its figures were
// read. A month's is read only where no day of it has a cache of its own.
struct FigureJob
{
    Period period;
    QString cache;
    QByteArray source;        // the cache and its record as they are, and what it holds
    bool sameContent = false; // written anew as it was read: nothing to read
};

// The caches of a Site whose figures are missing or out of date, oldest
// first; only those that hold their requests as a build would read them.
QList<FigureJob> figureJobs(const SiteRecord& site);

// The jobs of caches a build has just written: current by their making.
// None for a month's cache when days of that month have their own.
QList<FigureJob> figureJobsOfBuilt(const SiteRecord& site, const QList<Period>& periods);

// What the caches of one read hold, from Analog's output over them: one
// cache, or days of one month.
CacheFigures figuresOf(const QList<FigureJob>& read, const ComputerOutput& output);

// From this many days of a month on, their caches are read in one run.
constexpr int kDaysReadTogether = 4;

// Reads the figures of a Site's caches with Analog, one after the other,
// and stores each; caches can be added while it reads, so that an update
// reads each day's as soon as it is built, beside the longer periods'
// builds. It never waits: finished says when all are read and no more will
// come, with what went wrong.
class FigureReader : public QObject
{
    Q_OBJECT

public:
    FigureReader(const SiteRecord& site, QObject* parent = nullptr);
    ~FigureReader() override;

    // A cache already added (with the same source) is not read twice.
    void add(const QList<FigureJob>& jobs);
    // No more jobs will come: finished follows the last.
    void finishWhenDone();
    void start(const QList<FigureJob>& jobs)
    {
        add(jobs);
        finishWhenDone();
    }
    void stop();

signals:
    void finished(const QStringList& problems);

private:
    QList<FigureJob> takeNextRead();
    void next();
    // The configuration that reads the caches of m_reading; why not, if not.
    Result writeReadConfiguration();
    void cacheRead(const RunOutcome& outcome);
    void fail(const QString& text);
    void removeFiles();

    const SiteRecord& m_site;
    const QString m_analogPath;
    const QProcessEnvironment m_analogEnvironment;
    QList<FigureJob> m_jobs;
    QList<FigureJob> m_reading; // while m_runner runs
    QSet<QByteArray> m_added;   // cache and source of each job added
    bool m_finishing = false;
    bool m_failed = false;
    QStringList m_problems;
    std::unique_ptr<CConsoleRunner> m_runner;
    QString m_configFile;
    QString m_outputFile;
};

} // namespace meridan
