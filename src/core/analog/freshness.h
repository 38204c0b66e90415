#pragma once

#include "analog/buildrecord.h"
#include "analog/logformats.h"
#include "analog/period.h"

#include <QHash>
#include <QStringList>

namespace meridan {

class SiteRecord;

// Whether a period's report must be built again.
enum class Freshness {
    UpToDate, // its build record still holds
    Stale,    // missing, without a record, or something it is built from changed
    NoLogs,   // no log file of the period exists: nothing to build
    LogsGone, // out of date, but logs its report counts are gone: it is kept
};

// Whether each period's report still is what its build record says it was
// built from: the report itself, its configuration (the Site's values, the
// base file, the special months' files) and every file its LOGFILE lines
// match, whatever their times. A stored value that never reaches the
// configuration changes nothing. The Site's stored parts are read once, so
// that one check serves many periods.
class FreshnessCheck
{
public:
    explicit FreshnessCheck(const SiteRecord& site);
    Freshness of(const Period& period) const;
    // The logs the period's report was built from that are gone: a build
    // from the logs that are left would drop their requests.
    QStringList goneLogs(const Period& period) const;

private:
    static QStringList goneInputs(const BuildRecord& record);
    bool hasInputs(const Period& period) const;
    // The log files that exist for the days of the period.
    QStringList existingLogFiles(const Period& period) const;
    QStringList matchingFiles(const QString& pattern) const;
    QStringList entriesMatching(const QString& folder, const QString& pattern, bool files) const;

    const SiteRecord& m_site;
    QList<SpecialMonth> m_specials;
    bool m_siteSound; // a Site the pages would refuse is always built (and refused)
    mutable QHash<QString, QStringList> m_listings; // folder listings, read once a check
};

inline Freshness periodFreshness(const SiteRecord& site, const Period& period)
{
    return FreshnessCheck(site).of(period);
}

} // namespace meridan
