#include "freshness.h"

#include "analog/buildrecord.h"
#include "analog/cfggenerator.h"
#include "analog/logfiles.h"
#include "analog/logformats.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// The files a path with "*" in any of its parts matches.
QStringList matchingFiles(const QString& pattern)
{
    if (!pattern.contains(u'*'))
        return QFileInfo(pattern).isFile() ? QStringList{pattern} : QStringList();
    QStringList found{pattern.startsWith(u'/') ? u"/"_s : QString()};
    const QStringList parts = pattern.split(u'/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        QStringList next;
        for (const QString& folder : std::as_const(found)) {
            const QDir dir(folder.isEmpty() ? u"."_s : folder);
            if (!parts.at(i).contains(u'*')) {
                const QString path = dir.filePath(parts.at(i));
                if (last ? QFileInfo(path).isFile() : QFileInfo(path).isDir())
                    next.append(path);
                continue;
            }
            const QDir::Filters kind = last ? QDir::Files : QDir::Dirs | QDir::NoDotAndDotDot;
            for (const QString& name : dir.entryList({parts.at(i)}, kind))
                next.append(dir.filePath(name));
        }
        found = next;
    }
    return found;
}

// The files that hold the days of the period (not the neighbours the
// configuration also lists for requests near midnight).
QStringList dayPatterns(const SiteRecord& site, const Period& period)
{
    QStringList patterns;
    const std::optional<PeriodRange> range = PeriodBounds(period);
    for (QDate day = range ? range->start : QDate(); range && day < range->end;
         day = day.addDays(1)) {
        const QString name = logNameOfDay(site, day);
        if (patterns.isEmpty() || patterns.last() != name)
            patterns.append(name);
    }
    patterns.removeDuplicates();
    return patterns;
}

} // namespace

QStringList existingLogFiles(const SiteRecord& site, const Period& period)
{
    QStringList files;
    for (const QString& pattern : dayPatterns(site, period))
        for (const QString& file : matchingFiles(pattern))
            if (!files.contains(file))
                files.append(file);
    return files;
}

FreshnessCheck::FreshnessCheck(const SiteRecord& site)
    : m_site(site), m_specials(readSpecialMonths(site.keyName)), m_siteSound(checkSite(site).ok())
{
}

// Out of date unless the record of the report's last build still holds:
// the same report, the same configuration (but for file names) and the
// same files matched by its LOGFILE lines, neighbour days, special months'
// logs and all.
Freshness FreshnessCheck::of(const Period& period) const
{
    if (!hasInputs(period))
        return Freshness::NoLogs;
    const QString name = PeriodName(period);
    const std::optional<BuildRecord> record = readBuildRecord(buildRecordPath(m_site, name));
    const QString report = ReportNameOf(name, m_site.Output);
    if (!m_siteSound || !record ||
        stampOf(joinPath(m_site.reportsFolder(), report)) != record->report)
        return Freshness::Stale;
    const std::optional<QByteArray> configuration =
        CCfgGenerator(period, report, m_site).configuration();
    if (!configuration || configurationFingerprint(*configuration) != record->fingerprint)
        return Freshness::Stale;
    return configuredInputs(*configuration) == record->inputs ? Freshness::UpToDate
                                                              : Freshness::Stale;
}

// A log file of one of the period's days, or a special month in it.
bool FreshnessCheck::hasInputs(const Period& period) const
{
    if (!existingLogFiles(m_site, period).isEmpty())
        return true;
    const std::optional<PeriodRange> range = PeriodBounds(period);
    return range && std::any_of(m_specials.begin(), m_specials.end(), [&](const SpecialMonth& s) {
               const QDate month(s.month.left(4).toInt(), s.month.mid(4, 2).toInt(), 1);
               return month.isValid() && month.addMonths(1) > range->start && month < range->end;
           });
}

} // namespace meridan
