#include "freshness.h"

#include "analog/buildrecord.h"
#include "analog/cfggenerator.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

FreshnessCheck::FreshnessCheck(const SiteRecord& site)
    : m_site(site), m_logs(site), m_caches(site, m_logs), m_siteSound(checkSite(site).ok()),
      m_cachesWritable(folderMayBeWritten(site.cacheFolder()))
{
}

// Out of date unless the record of the report's last build still holds:
// the same report, the same configuration (but for file names) and the
// same files it read. Logs deleted since leave the report as it is, and
// caches stand for them.
Freshness FreshnessCheck::of(const Period& period) const
{
    const bool fromCaches = m_caches.cachesOf(period).has_value();
    if (!fromCaches && !m_logs.hasLogs(period))
        return Freshness::NoLogs;
    const QString name = PeriodName(period);
    const std::optional<BuildRecord> record = readBuildRecord(buildRecordPath(m_site, name));
    const QString report = ReportNameOf(name, m_site.Output);
    if (!m_siteSound || !record ||
        stampOf(joinPath(m_site.reportsFolder(), report)) != record->report)
        return Freshness::Stale;
    const Expected<QByteArray> configuration = m_caches.generatorOf(period).configuration();
    if (!configuration)
        return Freshness::Stale;
    const bool sameConfiguration = configurationFingerprint(*configuration) == record->fingerprint;
    const QList<FileStamp> inputs = configuredInputs(*configuration);
    if (sameConfiguration && inputs == record->inputs)
        return cacheLost(period) ? Freshness::Stale : Freshness::UpToDate;
    if (sameConfiguration && !fromCaches && writtenWhole(m_site, period, record->report))
        return Freshness::UpToDate;
    const bool onlyGone = std::all_of(inputs.begin(), inputs.end(), [&](const FileStamp& input) {
        return record->inputs.contains(input);
    });
    // Any file gone, even one too old to hold requests of the period.
    const bool someGone =
        std::any_of(record->inputs.begin(), record->inputs.end(),
                    [](const FileStamp& input) { return !QFileInfo::exists(input.path); });
    if (someGone && sameConfiguration && onlyGone)
        return Freshness::UpToDate;
    // Caches stand for the logs that are gone.
    if (fromCaches || goneInputs(*record, period).isEmpty())
        return Freshness::Stale;
    return Freshness::LogsGone;
}

// A day or month whose cache is missing, cut short or written from other
// settings is built again while everything it was read from is there:
// once its logs are deleted, only the cache would keep its requests.
bool FreshnessCheck::cacheLost(const Period& period) const
{
    return m_cachesWritable && keepsCache(period) && !m_caches.holdsRequests(period);
}

Freshness FreshnessCheck::among(const Period& period, const QList<Period>& chosen,
                                bool onlyStale) const
{
    const Freshness freshness = onlyStale ? of(period) : Freshness::Stale;
    if (freshness == Freshness::UpToDate)
        return holdsRebuiltPart(period, chosen) ? Freshness::Stale : freshness;
    if (freshness == Freshness::NoLogs)
        return freshness;
    const QStringList gone = goneLogs(period);
    if (gone.isEmpty())
        return freshness;
    // Caches that periods chosen write anew, from the very logs they were
    // written from, lose nothing.
    const bool rewritten = std::all_of(gone.begin(), gone.end(), [&](const QString& input) {
        return std::any_of(chosen.begin(), chosen.end(), [&](const Period& part) {
            return keepsCache(part) && cacheFilePath(m_site, part) == input;
        });
    });
    return rewritten ? Freshness::Stale : Freshness::LogsGone;
}

QStringList FreshnessCheck::goneLogs(const Period& period) const
{
    const QString name = PeriodName(period);
    const std::optional<BuildRecord> record = readBuildRecord(buildRecordPath(m_site, name));
    if (!record || m_caches.cachesOf(period) ||
        stampOf(joinPath(m_site.reportsFolder(), ReportNameOf(name, m_site.Output))) !=
            record->report)
        return {};
    return goneInputs(*record, period);
}

} // namespace meridan
