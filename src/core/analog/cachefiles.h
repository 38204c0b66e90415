#pragma once

#include "analog/buildrecord.h"
#include "analog/cfggenerator.h"
#include "analog/period.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

namespace meridan {

class LogListing;
class SiteRecord;

// Analog's cache file of a period, and the build record beside it.
QString cacheFilePath(const SiteRecord& site, const Period& period);
QString cacheRecordPath(const SiteRecord& site, const Period& period);

// The stage a period is built in, so that each reads the caches of the
// stages before: 1 days, 2 weeks and months, 3 quarters, halves and years.
constexpr int kBuildStages = 3;
int buildStage(const Period& period);

// Days and months keep a cache of their requests when they are read from
// the logs: longer periods are built from those.
bool keepsCache(const Period& period);

// Whether the period holds a day or month that this build makes anew, and
// so a new cache it reads (its record cannot tell before that cache is).
bool holdsRebuiltPart(const Period& period, const QList<Period>& rebuilt);

// Numbered logs are renamed every night, so what a build read is gone or
// changed by the next: a report or cache of them written once the period
// was over (and its last requests logged) holds it whole for good.
bool writtenWhole(const SiteRecord& site, const Period& period, const FileStamp& written);

// The fingerprint of what shapes the numbers in a cache: the configuration
// but its file names and the commands that only choose what a report shows
// and how (the cache holds the same whichever reports are on).
QByteArray cacheFingerprint(const QByteArray& configuration);

// Which caches can stand for a period's logs. A cache is usable when its
// record holds: the same settings, and the same logs, or fewer of them
// because old logs were deleted (the cache outlives them). Each request
// must be in exactly one of the caches a period reads, so a period reads
// either its days' caches or, for each of its months, that month's cache
// or its days' caches; a day without logs or cache adds nothing.
class CacheCheck
{
public:
    CacheCheck(const SiteRecord& site, const LogListing& logs);

    // The caches that hold exactly the period's requests, or nullopt when
    // it must be read from its logs. Days are always read from their logs.
    std::optional<QStringList> cachesOf(const Period& period) const;
    // Whether the cache of a day or month holds its requests as a build
    // would read them: written under today's settings, or kept.
    bool holdsRequests(const Period& part) const;
    // The generator of the period's configuration: from its caches when
    // they hold it, from its logs otherwise.
    CCfgGenerator generatorOf(const Period& period) const;
    // The days of a period whose logs are gone but whose requests a cache
    // holds (the day's or its month's): read from its logs, the period would
    // lose them.
    QList<Period> daysOnlyInCaches(const Period& period) const;
    // Caches some of whose logs are gone, kept though the settings changed
    // since they were written: takes them as they are under today's
    // settings, so that they are named once. Says which were taken, and
    // why any other could not be.
    struct Adopted
    {
        QList<Period> kept;
        QStringList problems;
    };
    Adopted adoptKept();
    // What was learnt of a period's cache, once the cache was written anew.
    void forget(const Period& period);

private:
    enum class State { Usable, Kept, Empty, Unusable };
    State stateOf(const Period& part) const;
    State judge(const Period& part) const;
    bool addCachesOfDays(const PeriodRange& range, QStringList* caches) const;
    bool hasCacheFiles(const PeriodRange& range) const;
    bool monthCacheMayHold(const Period& day) const;

    const SiteRecord& m_site;
    const LogListing& m_logs;
    SiteInputs m_inputs;
    mutable QHash<QString, State> m_states;
    mutable std::optional<QList<QDate>> m_cachedStarts; // of the cache files there are
};

} // namespace meridan
