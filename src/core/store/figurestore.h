#pragma once

#include "util/result.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace meridan {

// Distinct hosts are counted over the span of one cache: a day's cache
// knows its day's, a month's cache only its month's (those of days do not
// add up to a month's).
constexpr qint64 kUnknownHosts = -1;

// What Analog counted on one day of a Site.
struct DayFigures
{
    QDate day;
    qint64 requests = 0; // successful requests
    qint64 pages = 0;
    qint64 bytes = 0;
    qint64 hosts = kUnknownHosts;
};

// What Analog counted over one month of a Site: read from the month's
// cache, or the sums of its days.
struct MonthFigures
{
    QDate month; // its first day
    qint64 requests = 0;
    qint64 pages = 0;
    qint64 bytes = 0;
    qint64 hosts = kUnknownHosts;
};

// What the last update of a Site did.
struct UpdateState
{
    QDateTime started;
    qint64 milliseconds = 0;
    int filesFetched = 0;
    qint64 bytesFetched = 0;
    int periodsBuilt = 0;
    int periodsPlanned = 0;
    QStringList problems; // as the update said them: none when it succeeded

    bool failed() const { return !problems.isEmpty(); }
};

struct SiteFigures
{
    QString site;
    QList<DayFigures> days;     // in order
    QList<MonthFigures> months; // in order
    std::optional<UpdateState> lastUpdate;
};

// The figures live in the settings database beside the Site they belong
// to: they follow it when it is renamed and go when it is deleted.

// What caches of a Site, of one month, said: the days they cover, and for
// a month's cache its month. Each cache's source tells it as it was read,
// to know when it changed.
struct CacheFigures
{
    QList<std::pair<QString, QByteArray>> sources; // by the file's name
    QList<QDate> covered;                          // the days the caches hold
    QList<DayFigures> days;                        // those with requests
    std::optional<MonthFigures> month;             // day caches leave it to the sums of days
};

// Replaces what is stored of the days (and month) the caches hold: a cache
// read again is never counted twice.
Result saveCacheFigures(const QString& site, const CacheFigures& figures);
// Notes that a cache was written anew with what it held before.
Result saveCacheSource(const QString& site, const QString& cache, const QByteArray& source);
Result saveUpdateState(const QString& site, const UpdateState& state);
// The source of each cache the Site's figures were read from, by name;
// none when the store cannot be read, so that every cache is read again.
QHash<QString, QByteArray> storedSources(const QString& site);
// The figures of every Site (or of those named), read at once, in the
// order of the names; a Site with nothing stored, or a store that cannot
// be read, has empty lists. Days before daysFrom are left out, when it is
// given.
QList<SiteFigures> loadFigures(const QStringList& sites = {}, const QDate& daysFrom = {});

} // namespace meridan
