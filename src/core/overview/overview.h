#pragma once

#include "store/figurestore.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace meridan {

// One Site's line of the overview, as of a day: what its figures say of
// yesterday, this month and the last, and how its last update went.
struct OverviewRow
{
    QString site;
    bool hasFigures = false;
    std::optional<qint64> yesterday; // none when yesterday has no figures
    qint64 monthSoFar = 0;           // the 1st to yesterday
    qint64 lastMonth = 0;
    // Against the same days of the month before, in %: none when those
    // had no requests, or this month has not begun.
    std::optional<double> change;
    QList<qint64> lastDays;   // the 30 days to yesterday, oldest first
    QList<qint64> lastMonths; // the 13 months to this one, oldest first
    std::optional<UpdateState> lastUpdate;
};

constexpr int kSparkDays = 30;
constexpr int kSparkMonths = 13;

OverviewRow overviewRow(const SiteFigures& figures, const QDate& today);
QList<OverviewRow> overviewRows(const QList<SiteFigures>& figures, const QDate& today);

qint64 totalOf(const QList<qint64>& values);

// The requests of every day of a Site's in [first, last], 0 where none.
QList<qint64> dailyRequests(const SiteFigures& figures, const QDate& first, const QDate& last);
// The requests of a month: its own figure, or the sum of its days.
qint64 monthRequests(const SiteFigures& figures, const QDate& month);

// "+12.5 %", "−3.0 %", or "" when there is no change to show.
QString changeText(const std::optional<double>& change);
// "ok", "failed", or "never" when a Site was not updated yet.
QString stateText(const std::optional<UpdateState>& state);
// What an update did: how long it took, what it fetched and built.
QString updateSummary(const UpdateState& state);

// The rows as a table for the terminal, one Site a line.
QString overviewTable(const QList<OverviewRow>& rows);

// The columns of the overview, named alike by the window, the page and the
// table.
enum class OverviewColumn {
    Site,
    Yesterday,
    ThisMonth,
    LastMonth,
    Change,
    Days,
    Months,
    LastUpdate,
    State,
    Reports
};
QString overviewHeading(OverviewColumn column);
// The rows and every Site's daily and monthly figures, for other tools.
QByteArray overviewJson(const QList<OverviewRow>& rows, const QList<SiteFigures>& figures,
                        const QDate& today);

} // namespace meridan
