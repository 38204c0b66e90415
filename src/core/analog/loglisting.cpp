#include "loglisting.h"

#include "analog/logfiles.h"
#include "store/siterecord.h"

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

LogListing::LogListing(const SiteRecord& site) : m_site(site), m_specials(site.specialMonths)
{
    if (site.LogPeriodicity == kLogNumbered)
        findNumberedSpan();
}

// Numbered files say by their times which days they hold: each the time
// from the file rotated before it to its own last write, the oldest as
// long as the gap after it, or a day when it is alone. The day the oldest
// starts in is whole only when it starts at midnight.
void LogListing::findNumberedSpan()
{
    m_numberedFiles = matchingFiles(logNameOfDay(m_site, QDate::currentDate()));
    QList<QDateTime> times;
    for (const QString& file : std::as_const(m_numberedFiles))
        times.append(QFileInfo(file).lastModified());
    if (times.isEmpty())
        return;
    std::sort(times.begin(), times.end());
    constexpr qint64 kSecondsADay = 24 * 3600;
    const qint64 gap = times.size() > 1 ? times.at(0).secsTo(times.at(1)) : kSecondsADay;
    const QDateTime start = times.first().addSecs(-std::max(gap, kSecondsADay));
    const QDate firstWhole = start.time() <= QTime(1, 0) ? start.date() : start.date().addDays(1);
    m_numberedSpan = PeriodRange{firstWhole, times.last().date()};
}

// The names of a folder's files or subfolders that match a "*" pattern,
// from one listing of the folder per check however many days look.
QStringList LogListing::entriesMatching(const QString& folder, const QString& pattern,
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
QStringList LogListing::matchingFiles(const QString& pattern) const
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

QStringList LogListing::existingLogFiles(const Period& period) const
{
    if (m_site.LogPeriodicity == kLogNumbered) {
        const std::optional<PeriodRange> range = PeriodBounds(period);
        const bool covered = range && m_numberedSpan && range->start <= m_numberedSpan->end &&
                             m_numberedSpan->start < range->end;
        return covered ? m_numberedFiles : QStringList();
    }
    QStringList files;
    for (const QString& pattern : dayPatterns(m_site, period))
        for (const QString& file : matchingFiles(pattern))
            if (!files.contains(file))
                files.append(file);
    return files;
}

bool LogListing::hasLogs(const Period& period) const
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
