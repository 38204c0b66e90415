#include "period.h"

#include "util/numbers.h"
#include "util/texts.h"

#include <QList>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace meridan {

qint32 JulianDayNumber(qint32 year, qint32 month, qint32 day)
{
    const qint32 a = (14 - month) / 12;
    const qint32 y = year + 4800 - a;
    const qint32 m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

int DayOfWeek(qint32 year, qint32 month, qint32 day)
{
    const int weekday = (JulianDayNumber(year, month, day) + 1) % 7;
    return weekday == 0 ? 7 : weekday;
}

int DaysInMonth(qint32 year, qint32 month)
{
    switch (month) {
    case 2:
        return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

int WeekOfYear(qint32 year, qint32 month, qint32 day)
{
    const int first = DayOfWeek(year, 1, 1);
    const int weekday = DayOfWeek(year, month, day);
    const qint32 n = JulianDayNumber(year, month, day) - JulianDayNumber(year, 1, 1);
    int week = weekday < first ? n / 7 + 2 : n / 7 + 1;
    if (first > 4)
        --week;
    return week != 0 ? week : WeekOfYear(year - 1, 12, 31);
}

QDate WeekStart(qint32 year, qint32 week)
{
    const int first = DayOfWeek(year, 1, 1);
    const qint32 w = first > 4 ? week + 1 : week;
    return QDate(year, 1, 1).addDays((w - 1) * 7 + 1 - first);
}

int PeriodCount(qint32 periodicity)
{
    switch (periodicity) {
    case kDay:
    case kMonth:
        return 12;
    case kWeek:
        return 53;
    case kQuarter:
        return 4;
    case kHalfYear:
        return 2;
    default:
        return 0;
    }
}

namespace {

QDate firstOfMonthAfter(qint32 year, qint32 month, int months)
{
    const int next = month + months;
    return next < 13 ? QDate(year, next, 1) : QDate(year + 1, 1, 1);
}

} // namespace

bool IsValidPeriod(const Period& p)
{
    if (p.year < kFirstYear || p.year > kLastYear)
        return false;
    if (p.periodicity == kYear)
        return p.index == 0 && p.day == 0;
    if (p.index < 1 || p.index > PeriodCount(p.periodicity))
        return false;
    if (p.periodicity == kDay)
        return p.day >= 1 && p.day <= DaysInMonth(p.year, p.index);
    if (p.periodicity == kWeek && p.index == 53 &&
        WeekStart(p.year, 53) >= WeekStart(p.year + 1, 1))
        return false;
    return p.day == 0;
}

std::optional<PeriodRange> PeriodBounds(const Period& p)
{
    if (!IsValidPeriod(p))
        return std::nullopt;
    switch (p.periodicity) {
    case kDay: {
        const QDate start(p.year, p.index, p.day);
        return PeriodRange{start, start.addDays(1)};
    }
    case kWeek: {
        const QDate start = WeekStart(p.year, p.index);
        return PeriodRange{start, start.addDays(7)};
    }
    case kMonth:
        return PeriodRange{QDate(p.year, p.index, 1), firstOfMonthAfter(p.year, p.index, 1)};
    case kQuarter: {
        const int month = (p.index - 1) * 3 + 1;
        return PeriodRange{QDate(p.year, month, 1), firstOfMonthAfter(p.year, month, 3)};
    }
    case kHalfYear: {
        const int month = (p.index - 1) * 6 + 1;
        return PeriodRange{QDate(p.year, month, 1), firstOfMonthAfter(p.year, month, 6)};
    }
    default:
        return PeriodRange{QDate(p.year, 1, 1), QDate(p.year + 1, 1, 1)};
    }
}

QString PeriodName(const Period& p)
{
    const QString year = QString::number(p.year);
    const QChar letter = p.periodicity >= 1 && p.periodicity <= 6
                             ? texts::periodicityLetters.at(p.periodicity)
                             : QChar();
    switch (p.periodicity) {
    case kDay:
        return year + u'-' + twoDigits(p.index) + u'-' + twoDigits(p.day);
    case kWeek:
        return year + u'-' + letter + twoDigits(p.index);
    case kMonth:
        return year + u'-' + twoDigits(p.index);
    case kQuarter:
    case kHalfYear:
        return year + u'-' + letter + QString::number(p.index);
    case kYear:
        return year;
    default:
        return {};
    }
}

int PeriodicityOfName(const QString& name)
{
    if (name.size() == 4)
        return kYear;
    if (name.size() == 10)
        return kDay;
    if (name.size() <= 5)
        return -1;
    const QChar c = name.at(5);
    if (c == u'0' || c == u'1')
        return kMonth;
    const qsizetype position = texts::periodicityLetters.indexOf(c);
    return position < 0 ? -1 : static_cast<int>(position);
}

std::optional<Period> PeriodOfName(const QString& name)
{
    // Anchored for real: "$" alone would let a trailing line feed through.
    static const QRegularExpression shape(QRegularExpression::anchoredPattern(
        u"([0-9]{4})(?:-([0-9]{2})(?:-([0-9]{2}))?|-W([0-9]{2})|-([QH])([0-9]))?"_s));
    const QRegularExpressionMatch match = shape.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    Period p{match.captured(1).toInt(), kYear, 0, 0};
    if (match.hasCaptured(3))
        p = {p.year, kDay, match.captured(2).toInt(), match.captured(3).toInt()};
    else if (match.hasCaptured(2))
        p = {p.year, kMonth, match.captured(2).toInt(), 0};
    else if (match.hasCaptured(4))
        p = {p.year, kWeek, match.captured(4).toInt(), 0};
    else if (match.hasCaptured(5))
        p = {p.year, match.captured(5) == u"Q"_s ? kQuarter : kHalfYear, match.captured(6).toInt(),
             0};
    if (!IsValidPeriod(p))
        return std::nullopt;
    return p;
}

QByteArray FromToLines(const QDate& start, const QDate& end)
{
    const auto stamp = [](const QDate& d) -> QByteArray {
        return QByteArray::number(d.year() % 100).rightJustified(2, '0') +
               QByteArray::number(d.month()).rightJustified(2, '0') +
               QByteArray::number(d.day()).rightJustified(2, '0');
    };
    // Analog's TO takes in the whole minute it names, so the period ends at
    // 23:59 of its last day: the first minute of the next period is not
    // counted twice.
    return "\r\nFROM " + stamp(start) + ":0000\r\nTO " + stamp(end.addDays(-1)) + ":2359\r\n";
}

QList<Period> PeriodsOfYear(qint32 year, qint32 periodicity)
{
    if (periodicity == kYear)
        return {Period{year, kYear, 0, 0}};
    QList<Period> list;
    if (periodicity == kDay) {
        for (int month = 1; month <= 12; ++month)
            list.append(DaysOfMonth(year, month));
        return list;
    }
    for (int index = 1; index <= PeriodCount(periodicity); ++index)
        if (const Period period{year, periodicity, index, 0}; IsValidPeriod(period))
            list.append(period);
    return list;
}

QList<Period> DaysOfMonth(qint32 year, qint32 month)
{
    QList<Period> list;
    for (int day = 1; day <= DaysInMonth(year, month); ++day)
        list.append(Period{year, kDay, month, day});
    return list;
}

} // namespace meridan
