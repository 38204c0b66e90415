#pragma once

#include "analog/logformats.h"
#include "analog/period.h"

#include <QDateTime>
#include <QStringList>

namespace meridan {

class SiteRecord;

// Whether a period's report must be built again.
enum class Freshness {
    UpToDate, // the report is newer than everything it is built from
    Stale,    // missing, or something it is built from is newer
    NoLogs,   // no log file of the period exists: nothing to build
};

// What a period's report is built from: every log file that holds a day of
// the period (matched against the disk), the base file, the special months'
// files and the Site's stored settings. A file dated in the future
// counts as newer than any report. The Site's stored parts are read once,
// so that one check serves many periods.
class FreshnessCheck
{
public:
    explicit FreshnessCheck(const SiteRecord& site);
    Freshness of(const Period& period) const;

private:
    const SiteRecord& m_site;
    QList<SpecialMonth> m_specials;
    QDateTime m_settingsChanged;
};

inline Freshness periodFreshness(const SiteRecord& site, const Period& period)
{
    return FreshnessCheck(site).of(period);
}

// The log files that exist for the days of the period.
QStringList existingLogFiles(const SiteRecord& site, const Period& period);

} // namespace meridan
