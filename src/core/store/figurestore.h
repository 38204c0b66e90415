#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace meridan {

// What Analog counted on one day of a Site.
struct DayFigures
{
    QDate day;
    qint64 requests = 0; // successful requests
    qint64 pages = 0;
    qint64 bytes = 0;
};

// What Analog counted over one month of a Site. Distinct hosts are a
// month's own figure: those of its days do not add up to it.
struct MonthFigures
{
    QDate month; // its first day
    qint64 requests = 0;
    qint64 pages = 0;
    qint64 bytes = 0;
    qint64 hosts = 0;
    QByteArray source; // what the figures were read from, to tell when it changed
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

// Replaces what is stored of a Site's month, its days included: a month
// read again is never counted twice. False after a message.
bool saveMonthFigures(const QString& site, const MonthFigures& month,
                      const QList<DayFigures>& days);
bool saveUpdateState(const QString& site, const UpdateState& state);
// The sources of a Site's stored months, by first day.
QList<MonthFigures> storedMonths(const QString& site);
// The figures of every Site (or of those named), read at once, in the
// order of the names; a Site with nothing stored has empty lists. Days
// before daysFrom are left out, when it is given.
QList<SiteFigures> loadFigures(const QStringList& sites = {}, const QDate& daysFrom = {});

} // namespace meridan
