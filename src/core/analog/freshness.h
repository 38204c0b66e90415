#pragma once

#include "analog/buildrecord.h"
#include "analog/cachefiles.h"
#include "analog/loglisting.h"
#include "analog/period.h"

#include <QStringList>

namespace meridan {

class SiteRecord;

// Whether a period's report must be built again.
enum class Freshness {
    UpToDate, // its build record still holds
    Stale,    // missing, without a record, or something it is built from changed
    NoLogs,   // neither a log file nor a cache of the period exists: nothing to build
    LogsGone, // out of date, but logs its report counts are gone: it is kept
};

// Whether each period's report still is what its build record says it was
// built from: the report itself, its configuration (the Site's values, the
// base file, the special months' files) and every file it reads: the
// caches of its days or months when they hold it, else every file its
// LOGFILE lines match, neighbour days, special months' logs and all,
// whatever their times. A stored value that never reaches the
// configuration changes nothing. Folders are listed and caches judged once,
// so that one check serves many periods.
class FreshnessCheck
{
public:
    explicit FreshnessCheck(const SiteRecord& site);
    Freshness of(const Period& period) const;
    // Among the periods chosen before it, stage by stage: stale too when
    // it holds a part chosen, kept when logs it counts are gone unless
    // the periods chosen write anew the caches it lost. Without onlyStale,
    // stale unless it must be kept.
    Freshness among(const Period& period, const QList<Period>& chosen, bool onlyStale) const;
    // The logs the period's report was built from that are gone, when it
    // would be built from the logs that are left and so drop their requests.
    QStringList goneLogs(const Period& period) const;
    CacheCheck& caches() { return m_caches; }

private:
    bool cacheLost(const Period& period) const;

    const SiteRecord& m_site;
    LogListing m_logs;
    CacheCheck m_caches;
    bool m_siteSound; // a Site the pages would refuse is always built (and refused)
    bool m_cachesWritable;
};

inline Freshness periodFreshness(const SiteRecord& site, const Period& period)
{
    return FreshnessCheck(site).of(period);
}

} // namespace meridan
