#pragma once

#include "overview/overview.h"
#include "util/result.h"

#include <QLocale>

namespace meridan {

// The overview as static pages in a folder: "index.html" with a row per
// Site, and under "sites/" a page per Site with its days over the last
// year and its months over every year. No script, no file from elsewhere:
// they read the same from file:// and from a web server, printed too.
class OverviewPages
{
public:
    OverviewPages(const QList<SiteFigures>& figures, const QDate& today,
                  const QLocale& locale = QLocale::system());

    // Writes every page, each whole or not at all, and removes the pages
    // of Sites that are gone.
    Result write(const QString& folder) const;

    QByteArray indexPage(const QString& folder) const;
    QByteArray sitePage(qsizetype site, const QString& folder) const;
    QString yearChart(const SiteFigures& figures) const;  // requests a day
    QString monthTable(const SiteFigures& figures) const; // requests a month, a row a year
    // The page of a Site, relative to the folder.
    static QString sitePageName(const QString& site);
    // The first day whose figures the pages show: those of the year to
    // yesterday.
    static QDate firstDayShown(const QDate& today) { return today.addDays(-365); }

private:
    struct Links
    {
        QString index;
        QString month; // the latest month report there is
    };
    static Links linksOf(const QString& site, const QDate& today);

    QByteArray page(const QString& title, const QString& body) const;
    QString row(qsizetype site, const QString& folder) const;
    QString number(qint64 value) const;

    QList<SiteFigures> m_figures;
    QList<OverviewRow> m_rows;
    QList<Links> m_links; // of each Site, to the files there are
    QDate m_today;
    QLocale m_locale;
};

// A small line drawing of the values, with their numbers in its title.
QString sparkline(const QList<qint64>& values, const QString& title, int width, int height);
// Bars of the values, with their numbers in its title.
QString barChart(const QList<qint64>& values, const QString& title, int width, int height);

} // namespace meridan
