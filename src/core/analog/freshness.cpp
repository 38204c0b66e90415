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
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

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

// The names of a folder's files or subfolders that match a "*" pattern,
// from one listing of the folder per check however many days look.
QStringList FreshnessCheck::entriesMatching(const QString& folder, const QString& pattern,
                                            bool files) const
{
    const QString key = (files ? u"f:"_s : u"d:"_s) + folder;
    auto listed = m_listings.find(key);
    if (listed == m_listings.end()) {
        const QDir::Filters kind = files ? QDir::Files : QDir::Dirs | QDir::NoDotAndDotDot;
        QStringList names = QDir(folder).entryList(kind, QDir::Unsorted);
        std::sort(names.begin(), names.end());
        listed = m_listings.insert(key, names);
    }
    // Only the names that begin as the pattern does are looked at.
    const QString prefix = pattern.left(pattern.indexOf(u'*'));
    const QRegularExpression whole(
        QRegularExpression::anchoredPattern(QRegularExpression::wildcardToRegularExpression(
            pattern, QRegularExpression::UnanchoredWildcardConversion)));
    QStringList matching;
    for (auto name = std::lower_bound(listed->cbegin(), listed->cend(), prefix);
         name != listed->cend() && name->startsWith(prefix); ++name)
        if (whole.match(*name).hasMatch())
            matching.append(*name);
    return matching;
}

// The files a path with "*" in any of its parts matches.
QStringList FreshnessCheck::matchingFiles(const QString& pattern) const
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
            for (const QString& name : entriesMatching(dir.path(), parts.at(i), last))
                next.append(dir.filePath(name));
        }
        found = next;
    }
    return found;
}

QStringList FreshnessCheck::existingLogFiles(const Period& period) const
{
    QStringList files;
    for (const QString& pattern : dayPatterns(m_site, period))
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
// logs and all. Logs deleted since leave the report as it is: it counts
// requests no build could count again.
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
    if (!configuration)
        return Freshness::Stale;
    const bool sameConfiguration = configurationFingerprint(*configuration) == record->fingerprint;
    const QList<FileStamp> inputs = configuredInputs(*configuration);
    if (sameConfiguration && inputs == record->inputs)
        return Freshness::UpToDate;
    if (goneInputs(*record).isEmpty())
        return Freshness::Stale;
    const bool onlyGone = std::all_of(inputs.begin(), inputs.end(), [&](const FileStamp& input) {
        return record->inputs.contains(input);
    });
    return sameConfiguration && onlyGone ? Freshness::UpToDate : Freshness::LogsGone;
}

QStringList FreshnessCheck::goneLogs(const Period& period) const
{
    const QString name = PeriodName(period);
    const std::optional<BuildRecord> record = readBuildRecord(buildRecordPath(m_site, name));
    if (!record || stampOf(joinPath(m_site.reportsFolder(), ReportNameOf(name, m_site.Output))) !=
                       record->report)
        return {};
    return goneInputs(*record);
}

QStringList FreshnessCheck::goneInputs(const BuildRecord& record)
{
    QStringList gone;
    for (const FileStamp& input : record.inputs)
        if (!QFileInfo::exists(input.path))
            gone.append(input.path);
    return gone;
}

// A log file of one of the period's days, or a special month in it.
bool FreshnessCheck::hasInputs(const Period& period) const
{
    if (!existingLogFiles(period).isEmpty())
        return true;
    const std::optional<PeriodRange> range = PeriodBounds(period);
    return range && std::any_of(m_specials.begin(), m_specials.end(), [&](const SpecialMonth& s) {
               const QDate month(s.month.left(4).toInt(), s.month.mid(4, 2).toInt(), 1);
               return month.isValid() && month.addMonths(1) > range->start && month < range->end;
           });
}

} // namespace meridan
