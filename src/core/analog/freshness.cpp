#include "freshness.h"

#include "analog/cfggenerator.h"
#include "analog/logfiles.h"
#include "analog/logformats.h"
#include "store/siterecord.h"
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
    : m_site(site), m_specials(readSpecialMonths(site.keyName)),
      m_settingsChanged(site.storedChangeTime())
{
}

Freshness FreshnessCheck::of(const Period& period) const
{
    const SiteRecord& site = m_site;
    const QStringList logs = existingLogFiles(site, period);
    // Special months of the period stand in for their logs.
    const std::optional<PeriodRange> range = PeriodBounds(period);
    QList<SpecialMonth> specials;
    for (const SpecialMonth& special : m_specials) {
        const QDate month(special.month.left(4).toInt(), special.month.mid(4, 2).toInt(), 1);
        if (range && month.isValid() && month.addMonths(1) > range->start && month < range->end)
            specials.append(special);
    }
    if (logs.isEmpty() && specials.isEmpty())
        return Freshness::NoLogs;
    const QFileInfo report(
        joinPath(site.reportsFolder(), ReportNameOf(PeriodName(period), site.Output)));
    if (!report.isFile())
        return Freshness::Stale;
    const QDateTime built = report.lastModified();
    const QDateTime now = QDateTime::currentDateTime();
    const auto newer = [&](const QDateTime& time) {
        return time.isValid() && (time > built || time > now);
    };
    QStringList inputs = logs;
    inputs.append(joinPath(site.cfgFolder(), site.DefaultBase + u".basecfg"_s));
    for (const SpecialMonth& special : specials)
        inputs.append(special.file.contains(u'/') ? special.file
                                                  : joinPath(site.cfgFolder(), special.file));
    for (const QString& input : std::as_const(inputs))
        if (newer(QFileInfo(input).lastModified()))
            return Freshness::Stale;
    return newer(m_settingsChanged) ? Freshness::Stale : Freshness::UpToDate;
}

} // namespace meridan
