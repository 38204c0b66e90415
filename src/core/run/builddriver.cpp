#include "builddriver.h"

#include "analog/buildrecord.h"
#include "analog/cachefiles.h"
#include "analog/cfggenerator.h"
#include "analog/freshness.h"
#include "analog/logfiles.h"
#include "analog/variables.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"
#include "util/texts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

using namespace Qt::StringLiterals;

namespace meridan {

// One period being built: its runner, which command runs, and its lines
// while they wait to be shown as a block.
struct BuildDriver::Job
{
    Period period;
    CConsoleRunner runner;
    bool postProcess = false;
    bool ok = true;
    QStringList lines;
    BuildRecord record; // inputs as Analog starts; written once the period succeeded
    bool writesCache = false;
    QByteArray cacheFingerprint;
    std::optional<Result> prepared; // when made ready while the period before ran
};

BuildDriver::BuildDriver(const SiteRecord& site, QObject* parent) : QObject(parent), m_site(site)
{
}

BuildDriver::~BuildDriver()
{
    qDeleteAll(m_active); // a runner ends its child
    qDeleteAll(m_done);
    delete m_ahead;
}

Result BuildDriver::start(const QList<Period>& periods, const BuildOptions& options)
{
    if (m_running)
        return Result::refused(texts::Run::tr("A build runs already."));
    if (options.jobs < 1 || options.jobs > kMaxJobs)
        return Result::refused(
            texts::Run::tr("No build could start with %1 periods at once (1 to %2 can run).")
                .arg(options.jobs)
                .arg(kMaxJobs));
    m_options = options;
    m_analogPath = Preferences::analogPathInUse(); // once, not a store read a period
    m_analogEnvironment = analogEnvironment();
    m_notes.clear();
    m_notices.clear();
    m_check = std::make_unique<FreshnessCheck>(m_site);
    chooseStale(periods);
    prepareCacheFolder();
    // One period alone streams its lines, however many jobs are allowed.
    m_jobs = int(std::clamp<qsizetype>(m_periods.size(), 1, options.jobs));
    m_next = 0;
    m_ended = 0;
    m_allOk = true;
    m_stopping = false;
    m_running = true;
    // A Site stored by hand with a name or folder that would break Analog's
    // command line or a configuration file is shown, but never built.
    if (const Result checked = checkSite(m_site); !checked) {
        m_problems.append(checked.message());
        m_allOk = false;
        m_next = m_periods.size();
    }
    // Signals go out once the caller has had the chance to listen.
    QTimer::singleShot(0, this, &BuildDriver::startMore);
    return {};
}

// The periods to build, with notes on those left out, in stages.
void BuildDriver::chooseStale(const QList<Period>& periods)
{
    m_periods.clear();
    QList<Period> ordered = periods;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Period& a, const Period& b) {
        return buildStage(a) < buildStage(b);
    });
    int upToDate = 0;
    for (const Period& period : std::as_const(ordered)) {
        const Freshness freshness = m_check->among(period, m_periods, m_options.onlyStale);
        if (freshness == Freshness::Stale)
            m_periods.append(period);
        else if (freshness == Freshness::NoLogs)
            m_notes.append(texts::Run::tr("%1: no log file exists, nothing was built.")
                               .arg(PeriodName(period)));
        else if (freshness == Freshness::LogsGone)
            addNotice(keptReportNote(period, m_check->goneLogs(period)));
        else
            ++upToDate;
    }
    if (m_periods.isEmpty() && upToDate > 0)
        m_notes.append(texts::Run::tr("%n chosen report(s) up to date; nothing was built.", nullptr,
                                      upToDate));
    const CacheCheck::Adopted adopted = m_check->caches().adoptKept();
    if (!adopted.kept.isEmpty())
        addNotice(keptCachesNote(adopted.kept));
    m_problems += adopted.problems;
}

// A cache folder that cannot be written costs speed, never a report. The
// rule is the one by which a lost cache makes its period out of date.
void BuildDriver::prepareCacheFolder()
{
    m_writeCaches = std::any_of(m_periods.begin(), m_periods.end(), keepsCache);
    const QString folder = m_site.cacheFolder();
    if (!m_writeCaches || (folderMayBeWritten(folder) && QDir().mkpath(folder)))
        return;
    m_writeCaches = false;
    addNotice(texts::Run::tr("The cache folder %1 cannot be written: the periods are read from "
                             "their logs, and keep no cache.")
                  .arg(folder));
}

void BuildDriver::addNotice(const QString& text)
{
    m_notes.append(text);
    m_notices.append(text);
}

QString BuildDriver::keptReportNote(const Period& period, const QStringList& gone)
{
    QStringList names;
    for (const QString& path : gone.mid(0, 3))
        names.append(QFileInfo(path).fileName());
    if (gone.size() > 3)
        names.append(texts::Run::tr("%n more", nullptr, int(gone.size() - 3)));
    return texts::Run::tr("%1: the report was kept, as logs it counts are gone (%2): built again, "
                          "it would lack their requests. Remove the report to build it from the "
                          "logs that are left.")
        .arg(PeriodName(period), QLocale().createSeparatedList(names));
}

QString BuildDriver::keptCachesNote(const QList<Period>& kept)
{
    QStringList names;
    for (const Period& period : kept.mid(0, 3))
        names.append(PeriodName(period));
    if (kept.size() > 3)
        names.append(texts::Run::tr("%n more", nullptr, int(kept.size() - 3)));
    return texts::Run::tr("The settings changed, but logs that the caches of %1 were made from are "
                          "gone: those caches stay as they were made, and the reports that hold "
                          "them count them so.")
        .arg(QLocale().createSeparatedList(names));
}

void BuildDriver::stop()
{
    if (!m_running)
        return;
    m_stopping = true;
    for (Job* job : std::as_const(m_active))
        job->runner.stop();
}

void BuildDriver::startMore()
{
    qDeleteAll(std::exchange(m_done, {}));
    if (!m_notes.isEmpty())
        emit linesReady(std::exchange(m_notes, {}));
    for (const QString& text : std::exchange(m_notices, {}))
        emit notice(text);
    for (const QString& text : std::exchange(m_problems, {}))
        emit problem(text);
    const qsizetype count = m_periods.size();
    if (m_stopping && m_next < count) {
        emit linesReady({texts::Run::tr("The build was stopped; %1 of %n period(s) were not built.",
                                        nullptr, int(count))
                             .arg(count - m_next)});
        m_allOk = false;
        m_next = count;
    }
    while (m_active.size() < m_jobs && mayStartNext())
        startPeriod(m_periods.at(m_next++));
    if (m_active.isEmpty() && m_next >= count && m_running) {
        m_running = false;
        emit finished(m_allOk);
    }
}

// A period starts once every period of the stages before has ended.
bool BuildDriver::mayStartNext() const
{
    if (m_next >= m_periods.size())
        return false;
    const int stage = buildStage(m_periods.at(m_next));
    return std::all_of(m_active.begin(), m_active.end(),
                       [stage](const Job* job) { return buildStage(job->period) == stage; });
}

void BuildDriver::startPeriod(const Period& period)
{
    Job* job = m_ahead && m_ahead->period == period ? std::exchange(m_ahead, nullptr) : new Job;
    job->period = period;
    m_active.append(job);
    connect(&job->runner, &CConsoleRunner::linesReady, this,
            [this, job](const QStringList& lines) { output(*job, lines); });
    connect(&job->runner, &CConsoleRunner::finished, this,
            [this, job](const RunOutcome& outcome) { commandEnded(job, outcome); });
    emit periodStarted(period, int(m_next), int(m_periods.size()));
    if (keepsOldReport(*job))
        return endPeriod(job, true);
    Result started = job->prepared ? *job->prepared : prepare(*job);
    if (!started || !(started = startCommand(*job, false)))
        return failPeriod(job, started);
    prepareAhead();
}

// The next period of the stage running is made ready while Analog runs, on
// the core it leaves free, so that it starts as soon as a job ends. Periods
// of one stage never read what another of that stage writes.
void BuildDriver::prepareAhead()
{
    if (m_ahead || m_stopping || m_next >= m_periods.size() || m_active.isEmpty() ||
        buildStage(m_periods.at(m_next)) != buildStage(m_active.last()->period))
        return;
    m_ahead = new Job;
    m_ahead->period = m_periods.at(m_next);
    m_ahead->prepared = prepare(*m_ahead);
}

void BuildDriver::output(Job& job, const QStringList& lines)
{
    if (m_jobs == 1) // one period at a time: its lines as they come
        emit linesReady(lines);
    else
        job.lines += lines;
}

// Read from its logs, a period must not lose the days only caches hold:
// its report stays until those caches can be read, once the days beside
// them are built again.
bool BuildDriver::keepsOldReport(Job& job)
{
    CacheCheck& caches = m_check->caches();
    if (job.period.periodicity == kDay || m_options.useExisting || caches.cachesOf(job.period))
        return false;
    const QList<Period> lost = caches.daysOnlyInCaches(job.period);
    if (lost.isEmpty())
        return false;
    QStringList names;
    for (const Period& day : lost.mid(0, 3))
        names.append(PeriodName(day));
    if (lost.size() > 3)
        names.append(texts::Run::tr("%n more", nullptr, int(lost.size() - 3)));
    const QString kept =
        texts::Run::tr("%1: the report was kept: the logs of %2 are gone, and their "
                       "caches cannot be read together with the logs of the other days. "
                       "Build the days whose caches are out of date first.")
            .arg(PeriodName(job.period), QLocale().createSeparatedList(names));
    output(job, {kept});
    emit notice(kept);
    return true;
}

Result BuildDriver::prepare(Job& job)
{
    const QString name = PeriodName(job.period);
    const bool reuse = m_options.useExisting && QFileInfo::exists(m_site.configFile(name));
    if (!reuse)
        if (Result generated = m_check->caches().generatorOf(job.period).Generate(); !generated)
            return generated;
    const QString reportFolder = joinPath(m_site.reportsFolder(), name);
    switch (pathKind(reportFolder)) {
    case PathKind::File:
        return Result::refused(texts::fileIsNotFolder(reportFolder));
    case PathKind::Missing:
        QDir().mkdir(reportFolder); // Analog's own message shows when this fails
        break;
    case PathKind::Folder:
        break;
    }
    const QString configFile = m_site.configFile(name);
    QByteArray configuration;
    if (!QFileInfo(configFile).isFile() || !readFileUpToNul(configFile, &configuration))
        return Result::refused(texts::configurationMissing(configFile));
    // Taken before Analog reads: a log that changes during the run no
    // longer matches the record, and the period is built again.
    job.record = {configurationFingerprint(configuration), {}, configuredInputs(configuration)};
    // A run that reads nothing has nothing to keep.
    job.writesCache = m_writeCaches && keepsCache(job.period) && !job.record.inputs.isEmpty();
    job.cacheFingerprint = cacheFingerprint(configuration);
    return checkLogFileNames(configuration);
}

QString BuildDriver::reportPath(const Period& period) const
{
    return joinPath(m_site.reportsFolder(), ReportNameOf(PeriodName(period), m_site.Output));
}

// Analog writes the report under this name, beside its place; it takes
// its place only once Analog succeeded, so a stopped or failed run never
// leaves half a report.
QString BuildDriver::partialReportPath(const Period& period) const
{
    const QFileInfo report(reportPath(period));
    return report.dir().filePath(u"."_s + report.fileName() + u".part"_s);
}

// Analog never writes over a cache: a new one is written beside it.
QString BuildDriver::partialCachePath(const Period& period) const
{
    const QFileInfo cache(cacheFilePath(m_site, period));
    return cache.dir().filePath(u"."_s + cache.fileName() + u".part"_s);
}

void BuildDriver::removePartials(const Job& job)
{
    QFile::remove(partialReportPath(job.period));
    if (job.writesCache)
        QFile::remove(partialCachePath(job.period));
}

Result BuildDriver::startCommand(Job& job, bool postProcess)
{
    job.postProcess = postProcess;
    const QString name = PeriodName(job.period);
    QString command;
    if (postProcess) {
        command = m_site.PostProcessCmd;
        ExpandCommand(m_site, name, command);
        return job.runner.start(command);
    }
    const QString& analogPath = m_analogPath;
    if (analogPath.isEmpty() || !QFileInfo::exists(analogPath))
        return Result::refused(texts::cannotFindAnalog());
    command = u"\""_s + analogPath + u"\" "_s + m_site.AnalogCommand;
    ExpandCommand(m_site, m_site.configFile(name), command);
    removePartials(job);
    QStringList added{u"+COUTFILE \""_s + partialReportPath(job.period) + u'"'};
    if (job.writesCache)
        added.append(u"+CCACHEOUTFILE \""_s + partialCachePath(job.period) + u'"');
    return job.runner.start(command, added, m_analogEnvironment);
}

namespace {

Result placeFile(const QString& partial, const QString& place)
{
    if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(place).constData()) == 0)
        return {};
    return Result::refused(texts::Run::tr("Analog ended without error, but the file it wrote, %1, "
                                          "could not be put in place: %2.")
                               .arg(partial, QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

// The report Analog wrote takes its place.
Result BuildDriver::placeReport(Job& job)
{
    const QString report = reportPath(job.period);
    if (Result placed = placeFile(partialReportPath(job.period), report); !placed)
        return placed;
    job.record.report = stampOf(report).value_or(FileStamp{});
    return {};
}

// The cache takes its place and then gets its record: a cache without one
// is never read. It stands however its post-process ends.
Result BuildDriver::placeCache(Job& job)
{
    if (!job.writesCache)
        return {};
    m_check->caches().forget(job.period);
    const QString cache = cacheFilePath(m_site, job.period);
    if (Result placed = placeFile(partialCachePath(job.period), cache); !placed)
        return placed;
    const BuildRecord record{job.cacheFingerprint, stampOf(cache).value_or(FileStamp{}),
                             job.record.inputs};
    return writeBuildRecord(cacheRecordPath(m_site, job.period), record);
}

void BuildDriver::commandEnded(Job* job, const RunOutcome& outcome)
{
    job->ok &= outcome.succeeded();
    if (!job->postProcess && job->ok) {
        Result placed = placeReport(*job);
        if (placed)
            placed = placeCache(*job);
        if (!placed) {
            removePartials(*job);
            return failPeriod(job, placed);
        }
    } else if (!job->postProcess) {
        removePartials(*job);
    }
    if (!job->postProcess && job->ok && !m_site.PostProcessCmd.isEmpty() && !m_stopping) {
        // A post-process that cannot be started fails the period, Analog's
        // report stays.
        if (Result started = startCommand(*job, true); !started)
            failPeriod(job, started);
        return;
    }
    endPeriod(job, job->ok);
}

void BuildDriver::failPeriod(Job* job, const Result& why)
{
    emit problem(why.message());
    endPeriod(job, false);
}

void BuildDriver::endPeriod(Job* job, bool ok)
{
    // Only a period built whole is up to date; a record that cannot be
    // written leaves it out of date, to be built again.
    if (ok && !job->record.report.path.isEmpty())
        if (const Result recorded =
                writeBuildRecord(buildRecordPath(m_site, PeriodName(job->period)), job->record);
            !recorded)
            emit problem(recorded.message());
    m_allOk &= ok;
    m_active.removeOne(job);
    // The runner may still be sending its signal: the job goes from the
    // event loop, and so does the next period, after a stop asked for
    // meanwhile. It is queued first, so that what listeners queue on the
    // end of this period waits for the next to have started.
    m_done.append(job);
    QTimer::singleShot(0, this, &BuildDriver::startMore);
    if (!job->lines.isEmpty())
        emit linesReady(job->lines);
    emit periodFinished(job->period, ok, ++m_ended, int(m_periods.size()));
}

} // namespace meridan
