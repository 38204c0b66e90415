#include "figurereader.h"

#include "analog/cachefiles.h"
#include "analog/loglisting.h"
#include "run/consolerunner.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "util/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// After the configuration that names the caches: only the figures, as lines
// of fields.
QStringList figureCommands(const QString& outputFile)
{
    QStringList commands;
    for (const QString& command :
         {u"OUTPUT COMPUTER"_s, u"COMPSEP \\t"_s, u"LASTSEVEN OFF"_s, u"ALL OFF"_s, u"GENERAL ON"_s,
          u"GENSUMLINES ALL"_s, u"DAILYREP ON"_s, u"DAYREPCOLS RPB"_s, u"DAYREPROWS 0"_s,
          u"WARNINGS OFF"_s, QString(u"OUTFILE \""_s + outputFile + u'"')})
        commands << u"+C"_s + command;
    return commands;
}

std::optional<QDate> dateOf(const QList<QByteArray>& fields, qsizetype first)
{
    if (fields.size() < first + 3)
        return std::nullopt;
    const QDate date(fields[first].toInt(), fields[first + 1].toInt(), fields[first + 2].toInt());
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// A cache and its record, as they are now: either changing means the cache
// was written, or judged, anew.
QByteArray stampsOf(const QDir& folder, const QString& cache)
{
    QByteArray stamps;
    for (const QString& file : {cache, QString(cache.chopped(6) + u".build"_s)})
        if (const std::optional<FileStamp> stamp = stampOf(folder.filePath(file)))
            stamps +=
                u"%1 %2 %3;"_s.arg(stamp->size).arg(stamp->modifiedNs).arg(stamp->inode).toLatin1();
    return stamps;
}

// Analog writes the same cache from the same requests: a day rebuilt
// because a neighbour's log changed mostly holds what it held, and its
// content tells so for a fraction of an Analog run.
QByteArray contentOf(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

// The job of a cache whose stamps changed since it was read (stored is its
// source then, or empty), or nullopt when they did not.
std::optional<FigureJob> jobIfChanged(const QDir& folder, const QString& file, const Period& period,
                                      const QByteArray& stored)
{
    const QByteArray stamps = stampsOf(folder, file);
    if (!stored.isEmpty() && stored.startsWith(QByteArray(stamps + '|')))
        return std::nullopt;
    const QByteArray content = contentOf(folder.filePath(file));
    const bool same = !content.isEmpty() && stored.endsWith(QByteArray('|' + content));
    return FigureJob{period, folder.filePath(file), stamps + '|' + content, same};
}

} // namespace

ComputerOutput parseComputerOutput(const QByteArray& text, const QDate& month)
{
    ComputerOutput output;
    output.total.month = month;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() < 3)
            continue;
        bool number = false;
        if (fields[0] == "x") {
            const qint64 value = fields[2].toLongLong(&number);
            if (!number)
                continue;
            if (fields[1] == "SR")
                output.total.requests = value;
            else if (fields[1] == "PR")
                output.total.pages = value;
            else if (fields[1] == "BT")
                output.total.bytes = value;
            else if (fields[1] == "NH")
                output.total.hosts = value;
        } else if (fields[0] == "D" && fields[1] == "RPB" && fields.size() >= 8) {
            const std::optional<QDate> day = dateOf(fields, 5);
            DayFigures figures{day.value_or(QDate()), fields[2].toLongLong(&number), 0, 0};
            bool pages = false;
            bool bytes = false;
            figures.pages = fields[3].toLongLong(&pages);
            figures.bytes = fields[4].toLongLong(&bytes);
            if (day && number && pages && bytes && day->year() == month.year() &&
                day->month() == month.month())
                output.days.append(figures);
        }
    }
    std::sort(output.days.begin(), output.days.end(),
              [](const DayFigures& a, const DayFigures& b) { return a.day < b.day; });
    return output;
}

QList<FigureJob> figureJobs(const SiteRecord& site)
{
    const QDir folder(site.cacheFolder());
    QList<FigureJob> changed;
    QSet<QDate> monthsOfDays; // months some day of which has its own cache
    const QHash<QString, QByteArray> stored = storedSources(site.name);
    // By name, a month's days come before the month ("2025-06-01" < "2025-06.").
    for (const QString& file : folder.entryList({u"*.cache"_s}, QDir::Files, QDir::Name)) {
        const std::optional<Period> period = PeriodOfName(file.chopped(6));
        if (!period || (period->periodicity != kDay && period->periodicity != kMonth))
            continue;
        const QDate month(period->year, period->index, 1);
        if (period->periodicity == kDay)
            monthsOfDays.insert(month);
        else if (monthsOfDays.contains(month))
            continue;
        if (std::optional<FigureJob> job = jobIfChanged(folder, file, *period, stored.value(file)))
            changed.append(std::move(*job));
    }
    if (changed.isEmpty())
        return {};
    // Judged as a build would: a cache left from other settings is not read.
    if (std::any_of(changed.begin(), changed.end(),
                    [](const FigureJob& job) { return !job.sameContent; })) {
        const LogListing logs(site);
        const CacheCheck caches(site, logs);
        changed.removeIf([&](const FigureJob& job) {
            return !job.sameContent && !caches.holdsRequests(job.period);
        });
    }
    return changed;
}

QList<FigureJob> figureJobsOfBuilt(const SiteRecord& site, const QList<Period>& periods)
{
    const QDir folder(site.cacheFolder());
    const QHash<QString, QByteArray> stored = storedSources(site.name);
    QList<FigureJob> jobs;
    for (const Period& period : periods) {
        const QString name = PeriodName(period);
        const QString file = name + u".cache"_s;
        if (!folder.exists(file) ||
            (period.periodicity == kMonth &&
             !folder.entryList({name + u"-??.cache"_s}, QDir::Files).isEmpty()))
            continue;
        if (std::optional<FigureJob> job = jobIfChanged(folder, file, period, stored.value(file)))
            jobs.append(std::move(*job));
    }
    return jobs;
}

CacheFigures figuresOf(const QList<FigureJob>& read, const ComputerOutput& output)
{
    CacheFigures figures;
    for (const FigureJob& job : read) {
        figures.sources.append({QFileInfo(job.cache).fileName(), job.source});
        if (const std::optional<PeriodRange> range = PeriodBounds(job.period))
            for (QDate day = range->start; day < range->end; day = day.addDays(1))
                figures.covered.append(day);
    }
    const FigureJob& first = read.first();
    if (first.period.periodicity == kMonth) {
        figures.days = output.days;
        figures.month = output.total;
    } else if (read.size() == 1) {
        const MonthFigures& day = output.total; // the day's own distinct hosts with it
        if (day.requests > 0)
            figures.days.append(
                {figures.covered.first(), day.requests, day.pages, day.bytes, day.hosts});
    } else {
        for (const DayFigures& day : output.days)
            if (figures.covered.contains(day.day))
                figures.days.append(day);
    }
    return figures;
}

FigureReader::FigureReader(const SiteRecord& site, QObject* parent)
    : QObject(parent), m_site(site), m_analogPath(Preferences::analogPathInUse()),
      m_analogEnvironment(analogEnvironment())
{
}

FigureReader::~FigureReader()
{
    stop();
}

void FigureReader::add(const QList<FigureJob>& jobs)
{
    for (const FigureJob& job : m_failed ? QList<FigureJob>() : jobs) {
        const QByteArray key = job.cache.toUtf8() + '\0' + job.source;
        if (!m_added.contains(key)) {
            m_added.insert(key);
            m_jobs.append(job);
        }
    }
    if (!m_runner)
        QTimer::singleShot(0, this, &FigureReader::next);
}

void FigureReader::finishWhenDone()
{
    m_finishing = true;
    if (!m_runner)
        QTimer::singleShot(0, this, &FigureReader::next);
}

void FigureReader::stop()
{
    m_jobs.clear();
    if (m_runner)
        m_runner->stop();
    m_runner.reset();
    removeFiles();
}

void FigureReader::removeFiles()
{
    for (QString* file : {&m_configFile, &m_outputFile})
        if (!file->isEmpty())
            QFile::remove(std::exchange(*file, QString()));
}

// One problem is said once: the caches after it are left for the next update.
void FigureReader::fail(const QString& text)
{
    m_problems.append(text);
    m_failed = true;
    m_jobs.clear();
    QTimer::singleShot(0, this, &FigureReader::next);
}

// The jobs of the next read: many days of one month in one run (their
// distinct hosts then unknown), as after a first build; else one cache.
namespace {

// Days of a month read together: the month's cache holds their requests in
// a tenth of the lines when it was written from these days' caches as they
// are now.
QStringList cachesToRead(const SiteRecord& site, const QList<FigureJob>& read)
{
    QStringList caches;
    for (const FigureJob& job : read)
        caches.append(job.cache);
    const Period& first = read.first().period;
    if (read.size() < 2 || first.periodicity != kDay)
        return caches;
    const Period month{first.year, kMonth, first.index, 0};
    const QString monthCache = cacheFilePath(site, month);
    const std::optional<BuildRecord> record = readBuildRecord(cacheRecordPath(site, month));
    if (!record || stampOf(monthCache) != record->report)
        return caches;
    for (const QString& cache : std::as_const(caches)) {
        const std::optional<FileStamp> now = stampOf(cache);
        if (!now || !record->inputs.contains(*now))
            return caches;
    }
    return {monthCache};
}

} // namespace

QList<FigureJob> FigureReader::takeNextRead()
{
    const FigureJob first = m_jobs.takeFirst();
    QList<FigureJob> read{first};
    if (first.period.periodicity != kDay || first.sameContent)
        return read;
    const auto sameMonth = [&](const FigureJob& job) {
        return job.period.periodicity == kDay && !job.sameContent &&
               job.period.year == first.period.year && job.period.index == first.period.index;
    };
    if (std::count_if(m_jobs.begin(), m_jobs.end(), sameMonth) + 1 < kDaysReadTogether)
        return read;
    for (const FigureJob& job : m_jobs)
        if (sameMonth(job))
            read.append(job);
    m_jobs.removeIf(sameMonth);
    return read;
}

Result FigureReader::writeReadConfiguration()
{
    QTemporaryFile configuration(QDir::tempPath() + u"/meridan-figures-XXXXXX.cfg"_s);
    configuration.setAutoRemove(false);
    if (!configuration.open())
        return Result::refused(texts::errorCreatingFile(configuration.fileName()));
    m_configFile = configuration.fileName();
    QByteArray text = "LOGFILE none\n";
    for (const QString& cache : cachesToRead(m_site, m_reading))
        text += "CACHEFILE \"" + QFile::encodeName(cache) + "\"\n";
    if (configuration.write(text) < 0 || !configuration.flush()) {
        removeFiles();
        return Result::refused(texts::errorCreatingFile(configuration.fileName()));
    }
    return {};
}

void FigureReader::next()
{
    if (m_runner)
        return; // the end of the running read calls again
    if (m_jobs.isEmpty()) {
        if (std::exchange(m_finishing, false))
            emit finished(m_problems);
        return;
    }
    m_reading = takeNextRead();
    const FigureJob& first = m_reading.first();
    if (first.sameContent) {
        if (const Result saved =
                saveCacheSource(m_site.name, QFileInfo(first.cache).fileName(), first.source);
            !saved)
            return fail(texts::Overview::tr("The figures of %1 could not be stored.")
                            .arg(PeriodName(first.period)) +
                        u'\n' + saved.message());
        QTimer::singleShot(0, this, &FigureReader::next);
        return;
    }
    if (m_analogPath.isEmpty() || !QFileInfo::exists(m_analogPath))
        return fail(texts::cannotFindAnalog());
    if (const Result written = writeReadConfiguration(); !written)
        return fail(written.message());
    m_outputFile = m_configFile.chopped(4) + u".txt"_s;
    m_runner = std::make_unique<CConsoleRunner>();
    connect(m_runner.get(), &CConsoleRunner::finished, this, &FigureReader::cacheRead);
    const QString command = u"\""_s + m_analogPath + u"\" -G \"-g"_s + m_configFile + u'"';
    if (const Result started =
            m_runner->start(command, figureCommands(m_outputFile), m_analogEnvironment);
        !started) {
        m_runner.reset();
        removeFiles();
        fail(texts::Overview::tr("Analog could not be started to read the figures of %1.")
                 .arg(PeriodName(first.period)) +
             u'\n' + started.message());
    }
}

void FigureReader::cacheRead(const RunOutcome& outcome)
{
    const QList<FigureJob> read = std::exchange(m_reading, {});
    const Period& period = read.first().period;
    QFile output(m_outputFile);
    const bool done = outcome.succeeded() && output.open(QIODevice::ReadOnly);
    const ComputerOutput said = parseComputerOutput(done ? output.readAll() : QByteArray(),
                                                    QDate(period.year, period.index, 1));
    output.close();
    removeFiles();
    m_runner.release()->deleteLater(); // it is still in its own signal
    if (!done)
        return fail(texts::Overview::tr("Analog could not read the figures of %1 from its cache "
                                        "(exit code %2).")
                        .arg(PeriodName(period))
                        .arg(outcome.exitCode));
    if (const Result saved = saveCacheFigures(m_site.name, figuresOf(read, said)); !saved)
        return fail(
            texts::Overview::tr("The figures of %1 could not be stored.").arg(PeriodName(period)) +
            u'\n' + saved.message());
    QTimer::singleShot(0, this, &FigureReader::next);
}

} // namespace meridan
