// Writes the general index over ten years of daily, weekly and monthly
// reports and reports the time it took: bench_index FOLDER
#include "analog/period.h"
#include "report/generalindex.h"
#include "store/siterecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: bench_index FOLDER\n");
        return 2;
    }
    meridan::SiteRecord site;
    site.name = QStringLiteral("bench.example");
    site.Root = app.arguments().at(1);
    site.ReportsRoot = QStringLiteral(".");
    QStringList periods;
    for (int year = 2010; year < 2020; ++year)
        for (int kind : {meridan::kDay, meridan::kWeek, meridan::kMonth})
            for (const meridan::Period& period : meridan::PeriodsOfYear(year, kind))
                periods.append(meridan::PeriodName(period));
    std::sort(periods.begin(), periods.end(), std::greater<>());
    QElapsedTimer clock;
    clock.start();
    for (bool frames : {true, false})
        if (!meridan::CGeneralIndex(site, periods, false, frames).write())
            return 1;
    std::printf("%lld periods, both layouts: %.1f ms\n", static_cast<long long>(periods.size()),
                clock.nsecsElapsed() / 1e6);
    return 0;
}
