#include "updateplan.h"

#include "analog/cachefiles.h"
#include "analog/freshness.h"
#include "store/siterecord.h"
#include "util/texts.h"

using namespace Qt::StringLiterals;

namespace meridan {

QList<qint32> keptPeriodicities(const SiteRecord& site)
{
    const QString& letters = texts::periodKindLetters;
    QList<qint32> kinds;
    for (qsizetype i = 0; i < letters.size(); ++i)
        if (site.KeepPeriods.contains(letters.at(i), Qt::CaseInsensitive))
            kinds.append(qint32(i + 1));
    if (kinds.isEmpty())
        kinds.append(kMonth);
    // Only day caches keep what numbered files held once they are renumbered.
    if (site.LogPeriodicity == kLogNumbered && kinds.first() != kDay)
        kinds.prepend(kDay);
    return kinds;
}

QList<Period> outOfDatePeriods(const SiteRecord& site, const QDate& today)
{
    const FreshnessCheck freshness(site);
    QList<qint32> years; // those with any log file
    for (qint32 year = kFirstYear; year <= std::min(today.year(), kLastYear); ++year)
        if (freshness.of(Period{year, kYear, 0, 0}) != Freshness::NoLogs)
            years.append(year);
    QList<Period> stale;
    for (const qint32 kind : keptPeriodicities(site))
        for (const qint32 year : std::as_const(years))
            for (const Period& period : PeriodsOfYear(year, kind)) {
                const std::optional<PeriodRange> range = PeriodBounds(period);
                if (!range || range->start > today)
                    continue;
                if (freshness.among(period, stale, true) == Freshness::Stale)
                    stale.append(period);
            }
    return stale;
}

} // namespace meridan
