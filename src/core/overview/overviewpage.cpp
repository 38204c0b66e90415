#include "overviewpage.h"

#include "analog/cfggenerator.h"
#include "analog/period.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const char kStyle[] = R"(
:root { color-scheme: light dark; --fg: #1d2329; --bg: #ffffff; --muted: #5b6570;
  --line: #d5dae0; --spark: #2563a8; --bad: #b3261e; --badbg: #fdecea; }
@media (prefers-color-scheme: dark) { :root { --fg: #e3e7eb; --bg: #15191d; --muted: #9aa5b1;
  --line: #38414a; --spark: #7fb2ee; --bad: #ffb4ab; --badbg: #3c1d1a; } }
body { font: 15px/1.4 system-ui, sans-serif; color: var(--fg); background: var(--bg);
  margin: 1.5em; }
h1 { font-size: 1.4em; } h2 { font-size: 1.15em; margin-top: 1.5em; }
table { border-collapse: collapse; }
th, td { padding: .3em .6em; border-bottom: 1px solid var(--line); text-align: left;
  vertical-align: middle; }
td.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
tr.failed td, tr.failed th { background: var(--badbg); } .failed .state { color: var(--bad); font-weight: bold; }
.muted { color: var(--muted); }
a { color: var(--spark); }
svg { display: block; } svg polyline { fill: none; stroke: var(--spark); stroke-width: 1.5; }
svg rect { fill: var(--spark); }
@media print { body { margin: 0; color: #000; background: #fff; } a { color: #000; }
  svg polyline { stroke: #000; } svg rect { fill: #000; } tr { break-inside: avoid; } }
)";

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString link(const QString& href, const QString& text)
{
    return u"<a href=\""_s + escaped(href) + u"\">"_s + escaped(text) + u"</a>"_s;
}

// A path from the folder a page is in, each part percent-encoded.
QString relativeLink(const QString& fromFolder, const QString& target)
{
    const QStringList parts = QDir(fromFolder).relativeFilePath(target).split(u'/');
    QStringList encoded;
    for (const QString& part : parts)
        encoded.append(QString::fromLatin1(QUrl::toPercentEncoding(part)));
    return encoded.join(u'/');
}

QString valuesText(const QList<qint64>& values)
{
    QStringList numbers;
    for (qint64 value : values)
        numbers.append(QString::number(value));
    return numbers.join(u", "_s);
}

QString svgOpen(const QString& title, int width, int height)
{
    return u"<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" width=\"%1\" height=\"%2\" "
           u"viewBox=\"0 0 %1 %2\"><title>%3</title>"_s.arg(width)
               .arg(height)
               .arg(escaped(title));
}

} // namespace

OverviewPages::Links OverviewPages::linksOf(const QString& name, const QDate& today)
{
    Links links;
    if (!siteIsStored(name))
        return links;
    const SiteRecord site(name);
    const QString index = joinPath(site.reportsFolder(), u"index.html"_s);
    if (QFileInfo::exists(index))
        links.index = index;
    for (int back = 0; back < kSparkMonths; ++back) {
        const QDate month = QDate(today.year(), today.month(), 1).addMonths(-back);
        const QString report = joinPath(
            site.reportsFolder(),
            ReportNameOf(PeriodName({month.year(), kMonth, month.month(), 0}), site.Output));
        if (QFileInfo::exists(report)) {
            links.month = report;
            break;
        }
    }
    return links;
}

QString sparkline(const QList<qint64>& values, const QString& title, int width, int height)
{
    const qint64 top = std::max<qint64>(1, *std::max_element(values.begin(), values.end()));
    const double step = values.size() > 1 ? double(width - 2) / double(values.size() - 1) : 0;
    QStringList points;
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(
            u"%1,%2"_s.arg(1 + step * double(i), 0, 'f', 1)
                .arg(double(height - 2) * (1.0 - double(values[i]) / double(top)) + 1, 0, 'f', 1));
    return svgOpen(title + u": "_s + valuesText(values), width, height) + u"<polyline points=\""_s +
           points.join(u' ') + u"\"/></svg>"_s;
}

QString barChart(const QList<qint64>& values, const QString& title, int width, int height)
{
    const qint64 top = std::max<qint64>(1, *std::max_element(values.begin(), values.end()));
    const double step = double(width) / double(std::max<qsizetype>(1, values.size()));
    QString bars;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const double tall = double(height) * double(values[i]) / double(top);
        if (values[i] > 0)
            bars += u"<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>"_s
                        .arg(step * double(i), 0, 'f', 1)
                        .arg(double(height) - tall, 0, 'f', 1)
                        .arg(std::max(step - 0.5, 0.5), 0, 'f', 1)
                        .arg(tall, 0, 'f', 1);
    }
    return svgOpen(title + u": "_s + valuesText(values), width, height) + bars + u"</svg>"_s;
}

OverviewPages::OverviewPages(const QList<SiteFigures>& figures, const QDate& today,
                             const QLocale& locale)
    : m_figures(figures), m_rows(overviewRows(figures, today)), m_today(today), m_locale(locale)
{
    m_links.reserve(figures.size());
    for (const SiteFigures& site : figures)
        m_links.append(linksOf(site.site, today));
}

QString OverviewPages::sitePageName(const QString& site)
{
    QString slug;
    for (const QChar c : site.left(40))
        slug += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' || c == u'_' ? c : u'_';
    const QByteArray hash =
        QCryptographicHash::hash(site.toCaseFolded().toUtf8(), QCryptographicHash::Sha1).toHex();
    return u"sites/"_s + slug + u'-' + QString::fromLatin1(hash.left(8)) + u".html"_s;
}

QString OverviewPages::number(qint64 value) const
{
    return m_locale.toString(value);
}

QByteArray OverviewPages::page(const QString& title, const QString& body) const
{
    return (u"<!DOCTYPE html>\n<html lang=\""_s + escaped(m_locale.bcp47Name()) +
            u"\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
            u"content=\"width=device-width, initial-scale=1\"><title>"_s +
            escaped(title) + u"</title><style>"_s + QString::fromLatin1(kStyle) +
            u"</style></head>\n<body>\n"_s + body + u"</body></html>\n"_s)
        .toUtf8();
}

QString OverviewPages::row(qsizetype site, const QString& folder) const
{
    const OverviewRow& r = m_rows[site];
    const Links& links = m_links[site];
    const bool failed = r.lastUpdate && r.lastUpdate->failed();
    QString html = failed ? u"<tr class=\"failed\">"_s : u"<tr>"_s;
    html += u"<th scope=\"row\">"_s + link(sitePageName(r.site), r.site) + u"</th>"_s;
    if (!r.hasFigures) {
        html += u"<td colspan=\"6\" class=\"muted\">"_s +
                escaped(texts::Overview::tr("No figures yet: they come with its first update.")) +
                u"</td>"_s;
    } else {
        html += u"<td class=\"n\">"_s + (r.yesterday ? number(*r.yesterday) : u"–"_s) +
                u"</td><td class=\"n\">"_s + number(r.monthSoFar) + u"</td><td class=\"n\">"_s +
                number(r.lastMonth) + u"</td><td class=\"n\">"_s + escaped(changeText(r.change)) +
                u"</td><td>"_s +
                sparkline(r.lastDays,
                          texts::Overview::tr("Requests a day over the last %n days", nullptr,
                                              kSparkDays),
                          120, 28) +
                u"</td><td>"_s +
                sparkline(r.lastMonths,
                          texts::Overview::tr("Requests a month over the last %n months", nullptr,
                                              kSparkMonths),
                          90, 28) +
                u"</td>"_s;
    }
    QString state = escaped(stateText(r.lastUpdate));
    if (r.lastUpdate)
        state = escaped(m_locale.toString(r.lastUpdate->started, QLocale::ShortFormat)) +
                u"<br><span class=\"state\">"_s + state + u"</span><br><small>"_s +
                escaped(updateSummary(*r.lastUpdate)) + u"</small>"_s;
    if (failed)
        state += u"<br><small>"_s + escaped(r.lastUpdate->problems.join(u' ').left(2000)) +
                 u"</small>"_s;
    html += u"<td>"_s + state + u"</td><td>"_s;
    if (!links.index.isEmpty())
        html += link(relativeLink(folder, links.index), texts::Overview::tr("Index"));
    if (!links.month.isEmpty())
        html +=
            u" · "_s + link(relativeLink(folder, links.month), texts::Overview::tr("Latest month"));
    return html + u"</td></tr>\n"_s;
}

QByteArray OverviewPages::indexPage(const QString& folder) const
{
    const QString title = texts::Overview::tr("All Sites at a glance");
    QString body = u"<h1>"_s + escaped(title) + u"</h1>\n<p class=\"muted\">"_s +
                   escaped(texts::Overview::tr("Figures up to %1, as Analog counted them from "
                                               "each Site's caches.")
                               .arg(m_locale.toString(m_today.addDays(-1), QLocale::LongFormat))) +
                   u"</p>\n<table>\n<thead><tr>"_s;
    using enum OverviewColumn;
    for (OverviewColumn column :
         {Site, Yesterday, ThisMonth, LastMonth, Change, Days, Months, LastUpdate, Reports})
        body += u"<th scope=\"col\">"_s + escaped(overviewHeading(column)) + u"</th>"_s;
    body += u"</tr></thead>\n<tbody>\n"_s;
    for (qsizetype site = 0; site < m_rows.size(); ++site)
        body += row(site, folder);
    return page(title, body + u"</tbody></table>\n"_s);
}

QByteArray OverviewPages::sitePage(qsizetype site, const QString& folder) const
{
    const SiteFigures& figures = m_figures[site];
    const QString here = joinPath(folder, u"sites"_s);
    QString body = u"<p>"_s + link(u"../index.html"_s, texts::Overview::tr("All Sites")) +
                   u"</p>\n<h1>"_s + escaped(figures.site) + u"</h1>\n"_s;
    const Links& links = m_links[site];
    if (!links.index.isEmpty())
        body += u"<p>"_s + link(relativeLink(here, links.index), texts::Overview::tr("Index")) +
                u"</p>\n"_s;
    body += yearChart(figures) + monthTable(figures);
    return page(figures.site, body);
}

QString OverviewPages::yearChart(const SiteFigures& figures) const
{
    const QDate first = firstDayShown(m_today);
    const QList<qint64> year = dailyRequests(figures, first, m_today.addDays(-1));
    return u"<h2>"_s + escaped(texts::Overview::tr("Requests a day over the last year")) +
           u"</h2>\n"_s +
           barChart(
               year,
               texts::Overview::tr("Requests a day from %1 to %2")
                   .arg(first.toString(Qt::ISODate), m_today.addDays(-1).toString(Qt::ISODate)),
               730, 120) +
           u"<p class=\"muted\">"_s +
           escaped(texts::Overview::tr("From %1 to %2; the highest bar is %3 requests.")
                       .arg(m_locale.toString(first, QLocale::ShortFormat),
                            m_locale.toString(m_today.addDays(-1), QLocale::ShortFormat),
                            number(*std::max_element(year.begin(), year.end())))) +
           u"</p>\n"_s;
}

QString OverviewPages::monthTable(const SiteFigures& figures) const
{
    QString body = u"<h2>"_s + escaped(texts::Overview::tr("Requests a month")) +
                   u"</h2>\n<table>\n<thead><tr><th scope=\"col\">"_s +
                   escaped(texts::Overview::tr("Year")) + u"</th>"_s;
    for (int month = 1; month <= 12; ++month)
        body += u"<th scope=\"col\">"_s + escaped(m_locale.monthName(month, QLocale::ShortFormat)) +
                u"</th>"_s;
    body += u"</tr></thead>\n<tbody>\n"_s;
    QList<int> years;
    for (const MonthFigures& month : figures.months)
        if (!years.contains(month.month.year()))
            years.append(month.month.year());
    for (int y : years) {
        body += u"<tr><th scope=\"row\">"_s + QString::number(y) + u"</th>"_s;
        for (int month = 1; month <= 12; ++month) {
            const auto found =
                std::find_if(figures.months.begin(), figures.months.end(),
                             [&](const MonthFigures& m) { return m.month == QDate(y, month, 1); });
            body += u"<td class=\"n\">"_s +
                    (found == figures.months.end() ? QString() : number(found->requests)) +
                    u"</td>"_s;
        }
        body += u"</tr>\n"_s;
    }
    return body + u"</tbody></table>\n"_s;
}

Result OverviewPages::write(const QString& folder) const
{
    if (!QDir().mkpath(joinPath(folder, u"sites"_s)))
        return Result::refused(
            texts::Overview::tr("The folder %1 of the overview page cannot be made.").arg(folder));
    QSet<QString> written;
    for (qsizetype site = 0; site < m_figures.size(); ++site) {
        const QString name = sitePageName(m_figures[site].site);
        if (const Result result =
                writeFileAtomically(joinPath(folder, name), sitePage(site, folder));
            !result)
            return result;
        written.insert(name.mid(6));
    }
    if (const Result result =
            writeFileAtomically(joinPath(folder, u"index.html"_s), indexPage(folder));
        !result)
        return result;
    // Pages of Sites deleted since, and only pages of ours.
    QDir sites(joinPath(folder, u"sites"_s));
    for (const QString& file : sites.entryList({u"*-????????.html"_s}, QDir::Files))
        if (!written.contains(file))
            sites.remove(file);
    return {};
}

} // namespace meridan
