#include "overview.h"

#include "util/texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QDate firstOfMonth(const QDate& day)
{
    return QDate(day.year(), day.month(), 1);
}

QString isoDay(const QDate& day)
{
    return day.toString(Qt::ISODate);
}

QJsonValue optionalNumber(const std::optional<qint64>& value)
{
    return value ? QJsonValue(double(*value)) : QJsonValue();
}

QJsonValue hostsJson(qint64 hosts)
{
    return hosts == kUnknownHosts ? QJsonValue() : QJsonValue(double(hosts));
}

QJsonObject updateJson(const UpdateState& state)
{
    return {{u"started"_s, state.started.toString(Qt::ISODate)},
            {u"seconds"_s, double(state.milliseconds) / 1000.0},
            {u"filesFetched"_s, state.filesFetched},
            {u"bytesFetched"_s, double(state.bytesFetched)},
            {u"periodsBuilt"_s, state.periodsBuilt},
            {u"periodsPlanned"_s, state.periodsPlanned},
            {u"failed"_s, state.failed()},
            {u"problems"_s, QJsonArray::fromStringList(state.problems)}};
}

QJsonObject siteJson(const OverviewRow& row, const SiteFigures& figures)
{
    QJsonArray days;
    for (const DayFigures& day : figures.days)
        days.append(QJsonObject{{u"date"_s, isoDay(day.day)},
                                {u"requests"_s, double(day.requests)},
                                {u"pages"_s, double(day.pages)},
                                {u"bytes"_s, double(day.bytes)},
                                {u"hosts"_s, hostsJson(day.hosts)}});
    QJsonArray months;
    for (const MonthFigures& month : figures.months)
        months.append(QJsonObject{{u"month"_s, month.month.toString(u"yyyy-MM"_s)},
                                  {u"requests"_s, double(month.requests)},
                                  {u"pages"_s, double(month.pages)},
                                  {u"bytes"_s, double(month.bytes)},
                                  {u"hosts"_s, hostsJson(month.hosts)}});
    return {
        {u"name"_s, row.site},
        {u"hasFigures"_s, row.hasFigures},
        {u"yesterday"_s, optionalNumber(row.yesterday)},
        {u"monthSoFar"_s, double(row.monthSoFar)},
        {u"lastMonth"_s, double(row.lastMonth)},
        {u"changePercent"_s, row.change ? QJsonValue(*row.change) : QJsonValue()},
        {u"lastUpdate"_s, row.lastUpdate ? QJsonValue(updateJson(*row.lastUpdate)) : QJsonValue()},
        {u"days"_s, days},
        {u"months"_s, months}};
}

} // namespace

qint64 totalOf(const QList<qint64>& values)
{
    return std::accumulate(values.begin(), values.end(), qint64(0));
}

QList<qint64> dailyRequests(const SiteFigures& figures, const QDate& first, const QDate& last)
{
    QList<qint64> values(first.daysTo(last) + 1, 0);
    auto day = std::lower_bound(figures.days.begin(), figures.days.end(), first,
                                [](const DayFigures& a, const QDate& b) { return a.day < b; });
    for (; day != figures.days.end() && day->day <= last; ++day)
        values[first.daysTo(day->day)] = day->requests;
    return values;
}

qint64 monthRequests(const SiteFigures& figures, const QDate& month)
{
    auto found = std::find_if(figures.months.begin(), figures.months.end(),
                              [&](const MonthFigures& m) { return m.month == month; });
    if (found != figures.months.end())
        return found->requests;
    return totalOf(dailyRequests(figures, month, month.addMonths(1).addDays(-1)));
}

OverviewRow overviewRow(const SiteFigures& figures, const QDate& today)
{
    OverviewRow row;
    row.site = figures.site;
    row.hasFigures = !figures.days.isEmpty() || !figures.months.isEmpty();
    row.lastUpdate = figures.lastUpdate;
    const QDate yesterday = today.addDays(-1);
    const QDate thisMonth = firstOfMonth(today);
    row.lastDays = dailyRequests(figures, today.addDays(-kSparkDays), yesterday);
    for (int back = kSparkMonths - 1; back >= 0; --back)
        row.lastMonths.append(monthRequests(figures, thisMonth.addMonths(-back)));
    if (std::any_of(figures.days.begin(), figures.days.end(),
                    [&](const DayFigures& day) { return day.day == yesterday; }))
        row.yesterday = row.lastDays.last();
    row.lastMonth = row.lastMonths.at(kSparkMonths - 2);
    if (today.day() > 1) {
        row.monthSoFar = totalOf(dailyRequests(figures, thisMonth, yesterday));
        // The same days of a shorter month end with it.
        const QDate before = thisMonth.addMonths(-1);
        const QDate beforeEnd = before.addDays(std::min(yesterday.day(), before.daysInMonth()) - 1);
        const qint64 then = totalOf(dailyRequests(figures, before, beforeEnd));
        if (then > 0)
            row.change = 100.0 * double(row.monthSoFar - then) / double(then);
    }
    return row;
}

QList<OverviewRow> overviewRows(const QList<SiteFigures>& figures, const QDate& today)
{
    QList<OverviewRow> rows;
    rows.reserve(figures.size());
    for (const SiteFigures& site : figures)
        rows.append(overviewRow(site, today));
    return rows;
}

QString changeText(const std::optional<double>& change)
{
    if (!change)
        return {};
    return (*change >= 0 ? u"+"_s : u"\u2212"_s) + QString::number(std::abs(*change), 'f', 1) +
           u" %"_s;
}

QString stateText(const std::optional<UpdateState>& state)
{
    if (!state)
        return texts::Overview::tr("never");
    return state->failed() ? texts::Overview::tr("failed") : texts::Overview::tr("ok");
}

QString updateSummary(const UpdateState& state)
{
    return texts::Overview::tr("%1 s; %n file(s) fetched, %2 of %3 periods built", nullptr,
                               state.filesFetched)
        .arg(double(state.milliseconds) / 1000.0, 0, 'f', 1)
        .arg(state.periodsBuilt)
        .arg(state.periodsPlanned);
}

QString overviewHeading(OverviewColumn column)
{
    static const char* const kHeadings[] = {QT_TRANSLATE_NOOP("Overview", "Site"),
                                            QT_TRANSLATE_NOOP("Overview", "Yesterday"),
                                            QT_TRANSLATE_NOOP("Overview", "This month"),
                                            QT_TRANSLATE_NOOP("Overview", "Last month"),
                                            QT_TRANSLATE_NOOP("Overview", "Change"),
                                            QT_TRANSLATE_NOOP("Overview", "Last 30 days"),
                                            QT_TRANSLATE_NOOP("Overview", "Last 13 months"),
                                            QT_TRANSLATE_NOOP("Overview", "Last update"),
                                            QT_TRANSLATE_NOOP("Overview", "State"),
                                            QT_TRANSLATE_NOOP("Overview", "Reports")};
    return texts::Overview::tr(kHeadings[int(column)]);
}

namespace {

// Names and states read from the left (the first column and those from the
// sixth on), figures from the right.
QString alignedColumns(const QList<QStringList>& lines)
{
    QList<qsizetype> widths(lines.first().size(), 0);
    for (const QStringList& line : lines)
        for (qsizetype column = 0; column < line.size(); ++column)
            widths[column] = std::max(widths[column], line[column].size());
    QString table;
    for (const QStringList& line : lines) {
        QString text;
        for (qsizetype column = 0; column < line.size(); ++column) {
            const bool left = column == 0 || column >= 5;
            const QString cell = left ? line[column].leftJustified(widths[column])
                                      : line[column].rightJustified(widths[column]);
            text += (column ? u"  "_s : QString()) + cell;
        }
        table += text.trimmed() + u'\n';
    }
    return table;
}

} // namespace

QString overviewTable(const QList<OverviewRow>& rows)
{
    using enum OverviewColumn;
    QStringList headings;
    for (OverviewColumn column : {Site, Yesterday, ThisMonth, LastMonth, Change, LastUpdate, State})
        headings.append(overviewHeading(column));
    QList<QStringList> lines{headings};
    for (const OverviewRow& row : rows) {
        if (!row.hasFigures) {
            lines.append({row.site,
                          texts::Overview::tr("no figures yet"),
                          {},
                          {},
                          {},
                          row.lastUpdate ? row.lastUpdate->started.toString(u"yyyy-MM-dd HH:mm"_s)
                                         : QString(),
                          stateText(row.lastUpdate)});
            continue;
        }
        lines.append(
            {row.site, row.yesterday ? QString::number(*row.yesterday) : u"-"_s,
             QString::number(row.monthSoFar), QString::number(row.lastMonth),
             changeText(row.change),
             row.lastUpdate ? row.lastUpdate->started.toString(u"yyyy-MM-dd HH:mm"_s) : QString(),
             stateText(row.lastUpdate)});
    }
    return alignedColumns(lines);
}

QByteArray overviewJson(const QList<OverviewRow>& rows, const QList<SiteFigures>& figures,
                        const QDate& today)
{
    QJsonArray sites;
    for (qsizetype i = 0; i < rows.size(); ++i)
        sites.append(siteJson(rows[i], figures[i]));
    return QJsonDocument(QJsonObject{{u"today"_s, isoDay(today)}, {u"sites"_s, sites}})
        .toJson(QJsonDocument::Indented);
}

} // namespace meridan
