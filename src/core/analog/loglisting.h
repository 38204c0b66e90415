#pragma once

#include "store/sitelists.h"
#include "analog/period.h"

#include <QHash>
#include <QStringList>
#include <optional>

namespace meridan {

class SiteRecord;

// The log files a Site has for its periods, from one listing of each folder
// however many periods ask: a year of hourly logs in one folder is listed
// once, not once a day.
class LogListing
{
public:
    explicit LogListing(const SiteRecord& site);

    // The log files that exist for the days of the period (not the
    // neighbour days the configuration also lists for requests near
    // midnight).
    QStringList existingLogFiles(const Period& period) const;
    // A log file of one of the period's days, or a special month in it.
    bool hasLogs(const Period& period) const;

private:
    void findNumberedSpan();
    QStringList matchingFiles(const QString& pattern) const;
    QStringList entriesMatching(const QString& folder, const QString& pattern, bool files) const;

    const SiteRecord& m_site;
    QList<SpecialMonth> m_specials;
    mutable QHash<QString, QStringList> m_listings;
    QStringList m_numberedFiles;
    std::optional<PeriodRange> m_numberedSpan; // the days numbered files hold, end included
};

} // namespace meridan
