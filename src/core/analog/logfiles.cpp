#include "logfiles.h"

#include "store/sitelists.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"
#include "util/numbers.h"
#include "util/texts.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <glob.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// True when the month is special and its file was inserted.
Expected<bool> insertSpecialMonth(const SiteRecord& site, const QString& month, QByteArray* out)
{
    const QList<SpecialMonth>& rows = site.specialMonths;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const SpecialMonth& special) {
        return special.month == month;
    });
    if (month.isEmpty() || row == rows.end())
        return false;
    const QString& name = row->file;
    const bool fullPath = name.contains(u'/') || name.contains(u'\\');
    const QString path = fullPath ? name : joinPath(site.cfgFolder(), name);
    QByteArray contents;
    if (!readFileUpToNul(path, &contents))
        return Result::refused(texts::errorOpeningFile(path));
    out->append(contents);
    out->append("\r\n");
    return true;
}

// The latest change before month (at or before it when atOrBefore), or none.
const FormatChange* latestChange(const QList<FormatChange>& changes, const QString& month,
                                 bool atOrBefore)
{
    const FormatChange* latest = nullptr;
    for (const FormatChange& change : changes) {
        const QByteArray when = change.month.toUtf8();
        const bool inTime = atOrBefore ? when <= month.toUtf8() : when < month.toUtf8();
        if (inTime && (!latest || when > latest->month.toUtf8()))
            latest = &change;
    }
    return latest;
}

void appendFormatLine(const FormatChange& change, QByteArray* out)
{
    if (change.format.isEmpty())
        return;
    const bool apache = change.apache;
    QByteArray format = change.format.toUtf8();
    // Analog reads only the first word of an Apache format that is not in
    // parentheses, and then rejects every line.
    if (apache && !format.startsWith('('))
        format = '(' + format + ')';
    out->append(apache ? "APACHELOGFORMAT " : "LOGFORMAT ");
    out->append(format);
    out->append("\r\n");
}

// The formats in force for a month: the latest change at or before it, and
// in the month of a change (made on any of its days) the earlier format as
// well, which Analog tries second. Before the first change that is Analog's
// own detection, which cannot stand beside another format (AUTO resets the
// list), so the two formats it detects in web server logs stand for it.
// Lines are written only when the formats differ from those written last,
// so an older format never follows a newer one alone.
void applyFormatChange(const QList<FormatChange>& changes, const QString& month,
                       QString* lastApplied, QByteArray* out)
{
    const FormatChange* inForce = latestChange(changes, month, true);
    if (!inForce)
        return;
    const bool changeThisMonth = inForce->month == month;
    const FormatChange* earlier = changeThisMonth ? latestChange(changes, month, false) : nullptr;
    const QString formats = changeThisMonth
                                ? inForce->month + u'+' + (earlier ? earlier->month : QString())
                                : inForce->month;
    if (formats == *lastApplied)
        return;
    appendFormatLine(*inForce, out);
    if (changeThisMonth && !earlier)
        out->append("LOGFORMAT COMBINED\r\nLOGFORMAT COMMON\r\n");
    else if (earlier)
        appendFormatLine(*earlier, out);
    *lastApplied = formats;
}

QByteArray singleStars(QByteArray name)
{
    return name.replace("**", "*");
}

QString weeklyLogName(const SiteRecord& site, const QDate& date)
{
    return logNameForMonth(site, date)
        .replace(u"%wk%"_s, twoDigits(WeekOfYear(date.year(), date.month(), date.day())));
}

// The text up to end, all of it when end is -1.
QByteArrayView upTo(QByteArrayView text, qsizetype end)
{
    return end < 0 ? text : text.first(std::min(end, text.size()));
}

// The patterns of one command's argument, split at commas.
void appendPatterns(QByteArrayView argument, QStringList* patterns)
{
    if (argument.startsWith('"')) {
        const qsizetype close = argument.indexOf('"', 1);
        argument = close < 0 ? argument.sliced(1) : argument.sliced(1, close - 1);
    } else {
        argument = upTo(upTo(argument, argument.indexOf(' ')), argument.indexOf('\t'));
    }
    for (bool last = false; !last;) {
        const qsizetype comma = argument.indexOf(',');
        last = comma < 0;
        const QByteArrayView pattern = last ? argument : argument.first(comma);
        argument = last ? QByteArrayView() : argument.sliced(comma + 1);
        if (!pattern.isEmpty() && qstrnicmp(pattern.data(), pattern.size(), "none", -1) != 0)
            patterns->append(QFile::decodeName(pattern.toByteArray()));
    }
}

// The file patterns of Analog's commands named keyword (LOGFILE, CACHEFILE): the
// first argument, in double quotes or up to white space, split at commas;
// "none" names no file. A line ending in "\" goes on in the next, as Analog reads it.
// Read in place: every period's freshness is judged by it.
QStringList filePatterns(const QByteArray& configuration, const char* keyword)
{
    QStringList patterns;
    QByteArray joined; // of a line that goes on
    forEachLine(configuration, [&](QByteArrayView line) {
        if (line.endsWith('\r'))
            line.chop(1);
        QByteArray whole;
        if (!joined.isEmpty() || line.endsWith('\\')) {
            joined += line;
            if (joined.endsWith('\\')) {
                joined.chop(1);
                return;
            }
            whole = std::exchange(joined, {});
            line = whole;
        }
        const QByteArrayView command = line.trimmed();
        const qsizetype space = command.indexOf(' ');
        if (space >= 0 && qstrnicmp(command.data(), space, keyword, -1) == 0)
            appendPatterns(command.sliced(space + 1).trimmed(), &patterns);
    });
    return patterns;
}

QStringList filesMatching(const QString& pattern)
{
    QStringList files;
    glob_t matches = {};
    if (::glob(QFile::encodeName(pattern).constData(), 0, nullptr, &matches) == 0)
        for (size_t i = 0; i < matches.gl_pathc; ++i)
            files.append(QFile::decodeName(matches.gl_pathv[i]));
    ::globfree(&matches);
    return files;
}

bool holdsQuotedShellCharacter(const QString& path)
{
    return std::any_of(path.begin(), path.end(), [](QChar c) {
        return c == u'$' || c == u'`' || c == u'"' || c == u'\\' ||
               c.category() == QChar::Other_Control;
    });
}

} // namespace

QStringList configuredLogFiles(const QByteArray& configuration)
{
    QStringList files;
    for (const QString& pattern : filePatterns(configuration, "LOGFILE"))
        files += filesMatching(pattern);
    files.sort();
    files.removeDuplicates();
    return files;
}

QStringList configuredCacheFiles(const QByteArray& configuration)
{
    return filePatterns(configuration, "CACHEFILE");
}

Result checkLogFileNames(const QByteArray& configuration)
{
    for (const QString& pattern : filePatterns(configuration, "LOGFILE"))
        for (const QString& file : filesMatching(pattern))
            if (holdsShellCharacter(QFileInfo(file).fileName()) || holdsQuotedShellCharacter(file))
                return Result::refused(
                    texts::Analog::tr("The log file \"%1\" holds a character that a shell would "
                                      "read, and Analog hands log files to a shell to uncompress "
                                      "them. Rename or remove it; nothing was built.")
                        .arg(texts::printable(file)));
    return {};
}

QString logNameForMonth(const SiteRecord& site, const QDate& date)
{
    QString scheme = site.LogNameStruct;
    scheme.replace(u'\\', u'/');
    const QString year = QString::number(date.year());
    return joinPath(site.LogsDir, scheme)
        .replace(u"%yyyy%"_s, year.left(4))
        .replace(u"%yy%"_s, year.mid(2, 2))
        .replace(u"%mm%"_s, twoDigits(date.month()));
}

QString logNameOfDay(const SiteRecord& site, const QDate& date)
{
    switch (site.LogPeriodicity) {
    case kLogHourly:
        return logNameForMonth(site, date)
            .replace(u"%dd%"_s, twoDigits(date.day()))
            .replace(u"%hh%"_s, u"*"_s);
    case kLogDaily:
        return logNameForMonth(site, date).replace(u"%dd%"_s, twoDigits(date.day()));
    case kLogWeekly:
        return weeklyLogName(site, date);
    case kLogNumbered:
        return logNameForMonth(site, date) + u'*';
    default:
        return logNameForMonth(site, date);
    }
}

namespace {

// The LOGFILE pattern that covers the day, and the first day after it that
// the pattern does not: inside a month or longer period, a month's files at
// once.
std::pair<QString, QDate> logStepAt(const SiteRecord& site, const QDate& day, bool inPeriod)
{
    QString name = logNameForMonth(site, day);
    const QDate nextMonth = QDate(day.year(), day.month(), 1).addMonths(1);
    switch (site.LogPeriodicity) {
    case kLogHourly:
    case kLogDaily:
        if (site.LogPeriodicity == kLogHourly)
            name.replace(u"%hh%"_s, u"*"_s);
        if (inPeriod)
            return {name.replace(u"%dd%"_s, u"*"_s), nextMonth};
        return {name.replace(u"%dd%"_s, twoDigits(day.day())), day.addDays(1)};
    case kLogWeekly:
        return {weeklyLogName(site, day), day.addDays(1)};
    case kLogMonthly:
        return {name, nextMonth};
    case kLogNumbered:
        return {name + u'*', nextMonth};
    default: // a periodicity no button gives
        return {name, day.addDays(1)};
    }
}

} // namespace

Result ListLogFiles(const SiteRecord& site, const Period& period, const QDate& start,
                    const QDate& end, QByteArray* out)
{
    // A hand-edited store may hold what the Logs page refuses.
    if (Result formats = checkFormatRows(site.formatChanges); !formats)
        return formats;
    if (Result specials = checkSpecialRows(site.specialMonths); !specials)
        return specials;
    QDate current = start.addDays(-1);
    const QDate stop = end.addDays(1);
    QString lastMonthLooked;
    QString lastApplied;
    QString lastListed;
    while (current < stop) {
        const QString month = QString::number(current.year()) + twoDigits(current.month());
        if (month.toUtf8() > lastMonthLooked.toUtf8()) {
            lastMonthLooked = month;
            const Expected<bool> special = insertSpecialMonth(site, month, out);
            if (!special)
                return special.result();
            if (*special) {
                current = QDate(current.year(), current.month(), 1).addMonths(1);
                continue;
            }
        }
        if (month.toUtf8() > lastApplied.toUtf8())
            applyFormatChange(site.formatChanges, month, &lastApplied, out);

        const bool inPeriod = period.periodicity >= kMonth && current >= start && current < end;
        const auto [name, next] = logStepAt(site, current, inPeriod);
        current = next;
        // Weekly files are looked up day by day, as the week around New Year
        // is split between two files (the last days of December keep their
        // year's week); each is listed once, as are numbered files.
        if (name == std::exchange(lastListed, name))
            continue;
        out->append("LOGFILE \"" + singleStars(name.toUtf8()) + "\"\r\n");
    }
    return {};
}

} // namespace meridan
