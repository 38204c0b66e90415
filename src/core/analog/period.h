#pragma once

#include "util/numbers.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

namespace meridan {

// Periodicity codes, by position in "-DWMQHY".
enum Periodicity : qint32 {
    kAllPeriods = 0,
    kDay = 1,
    kWeek = 2,
    kMonth = 3,
    kQuarter = 4,
    kHalfYear = 5,
    kYear = 6,
};

struct Period
{
    qint32 year = 0;
    qint32 periodicity = 0;
    qint32 index = 0; // month (D, M), week, quarter, half; 0 for a year
    qint32 day = 0;   // day of the month for D, else 0

    friend bool operator==(const Period&, const Period&) = default;
};

// A start date and the exclusive end date: the first day after the period.
struct PeriodRange
{
    QDate start;
    QDate end;
};

qint32 JulianDayNumber(qint32 year, qint32 month, qint32 day);
int DayOfWeek(qint32 year, qint32 month, qint32 day); // 1 Monday .. 7 Sunday
int DaysInMonth(qint32 year, qint32 month);
// Weeks start on Monday; the last days of December keep week 53 rather than
// rolling over into week 1 of the next year.
int WeekOfYear(qint32 year, qint32 month, qint32 day);
QDate WeekStart(qint32 year, qint32 week);

// How many periods of a kind a year has (months for days): 53 weeks, 12
// months, 4 quarters, 2 halves; 0 for a year and any other code.
int PeriodCount(qint32 periodicity);

// Whether every field of the period lies in its range (years kFirstYear to
// kLastYear), and the period is one the year really has: week 53 only when
// it is not the next year's week 1.
bool IsValidPeriod(const Period& period);
// The period's dates; nullopt for a period that is not valid.
std::optional<PeriodRange> PeriodBounds(const Period& period);
QString PeriodName(const Period& period);
int PeriodicityOfName(const QString& name);
// The period of a well-formed period name (2003-09-15, 2003-W07, 2003-09,
// 2003-Q3, 2003-H2, 2003), or nullopt.
std::optional<Period> PeriodOfName(const QString& name);
QByteArray FromToLines(const QDate& start, const QDate& end);

// Every period of a kind in a year (or every day of one month), in order.
QList<Period> PeriodsOfYear(qint32 year, qint32 periodicity);
QList<Period> DaysOfMonth(qint32 year, qint32 month);

} // namespace meridan
