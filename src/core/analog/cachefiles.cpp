#include "cachefiles.h"

#include "analog/buildrecord.h"
#include "analog/loglisting.h"
#include "store/reportcodes.h"
#include "store/siterecord.h"
#include "util/files.h"

#include <QDateTime>
#include <QDir>
#include <QSet>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// Commands that choose what a report shows and how, never what is counted.
bool onlyShapesReport(QByteArrayView line)
{
    static const QSet<QByteArray> keywords = [] {
        QSet<QByteArray> set{"OUTPUT",   "HOSTNAME",    "HOSTURL",  "ERRFILE",
                             "IMAGEDIR", "LANGUAGE",    "LANGFILE", "DOMAINSFILE",
                             "DESCFILE", "REPORTORDER", "LASTSEVEN"};
        for (const ReportCode& report : ReportCodes())
            set.insert(report.keyword.toUtf8().toUpper());
        return set;
    }();
    const qsizetype end = line.indexOf(' ');
    return keywords.contains(line.first(end < 0 ? line.size() : end).toByteArray().toUpper());
}

} // namespace

QString cacheFilePath(const SiteRecord& site, const Period& period)
{
    return joinPath(site.cacheFolder(), PeriodName(period) + u".cache"_s);
}

QString cacheRecordPath(const SiteRecord& site, const Period& period)
{
    return joinPath(site.cacheFolder(), PeriodName(period) + u".build"_s);
}

int buildStage(const Period& period)
{
    if (period.periodicity == kDay)
        return 1;
    return period.periodicity == kWeek || period.periodicity == kMonth ? 2 : 3;
}

bool keepsCache(const Period& period)
{
    return period.periodicity == kDay || period.periodicity == kMonth;
}

bool holdsRebuiltPart(const Period& period, const QList<Period>& rebuilt)
{
    const std::optional<PeriodRange> range = PeriodBounds(period);
    return range && std::any_of(rebuilt.begin(), rebuilt.end(), [&](const Period& part) {
               const std::optional<PeriodRange> partRange = PeriodBounds(part);
               return keepsCache(part) && part.periodicity < period.periodicity && partRange &&
                      partRange->start < range->end && range->start < partRange->end;
           });
}

bool writtenWhole(const SiteRecord& site, const Period& period, const FileStamp& written)
{
    constexpr qint64 kLastRequestsLogged = 3600; // seconds after the period's end
    const std::optional<PeriodRange> range = PeriodBounds(period);
    return site.LogPeriodicity == kLogNumbered && range &&
           written.modifiedNs / 1'000'000'000 >=
               QDateTime(range->end, QTime(0, 0)).toSecsSinceEpoch() + kLastRequestsLogged;
}

QByteArray cacheFingerprint(const QByteArray& configuration)
{
    return configurationFingerprint(configuration, onlyShapesReport);
}

CacheCheck::CacheCheck(const SiteRecord& site, const LogListing& logs)
    : m_site(site), m_logs(logs), m_inputs(readSiteInputs(site))
{
}

std::optional<QStringList> CacheCheck::cachesOf(const Period& period) const
{
    const std::optional<PeriodRange> range = PeriodBounds(period);
    if (period.periodicity == kDay || !range || !hasCacheFiles(*range))
        return std::nullopt;
    QStringList caches;
    if (period.periodicity == kWeek || period.periodicity == kMonth) {
        if (!addCachesOfDays(*range, &caches))
            return std::nullopt;
    } else {
        bool usable = true;
        for (QDate month = range->start; month < range->end; month = month.addMonths(1)) {
            const Period part{month.year(), kMonth, month.month(), 0};
            const State state = stateOf(part);
            if (state == State::Usable || state == State::Kept)
                caches.append(cacheFilePath(m_site, part));
            else if (state == State::Unusable)
                usable &= addCachesOfDays({month, month.addMonths(1)}, &caches);
        }
        if (!usable)
            return std::nullopt;
    }
    if (caches.isEmpty())
        return std::nullopt;
    return caches;
}

bool CacheCheck::holdsRequests(const Period& part) const
{
    const State state = stateOf(part);
    return state == State::Usable || state == State::Kept;
}

CCfgGenerator CacheCheck::generatorOf(const Period& period) const
{
    CCfgGenerator generator(period, ReportNameOf(PeriodName(period), m_site.Output), m_site);
    generator.readInputsFrom(&m_inputs);
    if (const std::optional<QStringList> caches = cachesOf(period))
        generator.readCaches(*caches);
    return generator;
}

bool CacheCheck::addCachesOfDays(const PeriodRange& range, QStringList* caches) const
{
    QStringList found;
    bool usable = true;
    // Every day is judged, so that the caches kept after a change of
    // settings are known before the build starts.
    for (QDate day = range.start; day < range.end; day = day.addDays(1)) {
        const Period part{day.year(), kDay, day.month(), day.day()};
        const State state = stateOf(part);
        usable &= state != State::Unusable;
        if (state != State::Empty)
            found.append(cacheFilePath(m_site, part));
    }
    if (usable)
        caches->append(found);
    return usable;
}

CacheCheck::State CacheCheck::stateOf(const Period& part) const
{
    const QString name = PeriodName(part);
    auto known = m_states.constFind(name);
    if (known == m_states.cend())
        known = m_states.insert(name, judge(part));
    return *known;
}

CacheCheck::State CacheCheck::judge(const Period& part) const
{
    const std::optional<BuildRecord> record = readBuildRecord(cacheRecordPath(m_site, part));
    if (!record || stampOf(cacheFilePath(m_site, part)) != record->report) {
        const bool nothingToRead =
            !m_logs.hasLogs(part) &&
            (part.periodicity == kDay ? !monthCacheMayHold(part) : !cachesOf(part));
        return nothingToRead ? State::Empty : State::Unusable;
    }
    const Expected<QByteArray> configuration = generatorOf(part).configuration();
    if (!configuration)
        return State::Unusable;
    const bool sameSettings = cacheFingerprint(*configuration) == record->fingerprint;
    if (writtenWhole(m_site, part, record->report)) {
        if (sameSettings)
            return State::Usable;
        return m_logs.hasLogs(part) ? State::Unusable : State::Kept;
    }
    const QList<FileStamp> inputs = configuredInputs(*configuration);
    const bool noneNew = std::all_of(inputs.begin(), inputs.end(), [&](const FileStamp& input) {
        return record->inputs.contains(input);
    });
    if (sameSettings && noneNew)
        return State::Usable; // the same inputs, or fewer since old logs were deleted
    // Made again from the logs that are left, it would lose requests.
    if (!sameSettings && noneNew && !goneInputs(*record, part).isEmpty())
        return State::Kept;
    return State::Unusable;
}

QList<Period> CacheCheck::daysOnlyInCaches(const Period& period) const
{
    const std::optional<PeriodRange> range = PeriodBounds(period);
    QList<Period> days;
    if (!range || !hasCacheFiles(*range))
        return days;
    const auto holds = [this](const Period& part) {
        const State state = stateOf(part);
        return state == State::Usable || state == State::Kept;
    };
    for (QDate date = range->start; date < range->end; date = date.addDays(1)) {
        const Period day{date.year(), kDay, date.month(), date.day()};
        if (!m_logs.hasLogs(day) && (holds(day) || holds({date.year(), kMonth, date.month(), 0})))
            days.append(day);
    }
    return days;
}

// A month cache made from logs may hold a day that has neither logs nor a
// cache of its own any more; one made from day caches holds only those.
bool CacheCheck::monthCacheMayHold(const Period& day) const
{
    const std::optional<BuildRecord> month =
        readBuildRecord(cacheRecordPath(m_site, {day.year, kMonth, day.index, 0}));
    return month &&
           std::any_of(month->inputs.begin(), month->inputs.end(),
                       [](const FileStamp& input) { return !input.path.endsWith(u".cache"_s); });
}

CacheCheck::Adopted CacheCheck::adoptKept()
{
    Adopted adopted;
    QList<Period>& kept = adopted.kept;
    for (auto state = m_states.begin(); state != m_states.end(); ++state) {
        const std::optional<Period> part = PeriodOfName(state.key());
        if (*state != State::Kept || !part)
            continue;
        const QString recordPath = cacheRecordPath(m_site, *part);
        std::optional<BuildRecord> record = readBuildRecord(recordPath);
        const Expected<QByteArray> configuration = generatorOf(*part).configuration();
        if (!record || !configuration)
            continue;
        record->fingerprint = cacheFingerprint(*configuration);
        if (const Result written = writeBuildRecord(recordPath, *record); !written) {
            adopted.problems.append(written.message());
            continue;
        }
        *state = State::Usable;
        kept.append(*part);
    }
    std::sort(kept.begin(), kept.end(),
              [](const Period& a, const Period& b) { return PeriodName(a) < PeriodName(b); });
    return adopted;
}

void CacheCheck::forget(const Period& period)
{
    m_states.remove(PeriodName(period));
    if (period.periodicity == kDay)
        m_states.remove(PeriodName({period.year, kMonth, period.index, 0}));
    m_cachedStarts.reset();
}

// Whether the cache folder holds a cache of a day or month in the range:
// a Site without caches there never judges its days one by one.
bool CacheCheck::hasCacheFiles(const PeriodRange& range) const
{
    if (!m_cachedStarts) {
        m_cachedStarts.emplace();
        for (const QString& file : QDir(m_site.cacheFolder()).entryList({u"*.cache"_s}))
            if (const std::optional<Period> period = PeriodOfName(file.chopped(6)))
                if (const std::optional<PeriodRange> bounds = PeriodBounds(*period))
                    m_cachedStarts->append(bounds->start);
    }
    return std::any_of(m_cachedStarts->begin(), m_cachedStarts->end(), [&](const QDate& start) {
        return start >= range.start && start < range.end;
    });
}

} // namespace meridan
