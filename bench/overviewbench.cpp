// The overview over 100 Sites with three years of daily figures each: the
// time to read them and write the page, and from showing the desktop view
// to its table painted. Run with QT_QPA_PLATFORM=offscreen: bench_overview
// With --figures NAME: the time of the figures pass of a stored Site, as an
// update runs it after its builds, over the store HOME points at.
#include "analog/period.h"
#include "benchwindows.h"
#include "main/overviewview.h"
#include "overview/figurereader.h"
#include "overview/overviewpage.h"
#include "store/siterecord.h"
#include "store/siterules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

using namespace meridan;

namespace {

constexpr int kSites = 100;
constexpr int kYears = 3;

void storeSitesWithFigures(const QDate& today)
{
    const QStringList names = bench::storeSites(kSites);
    for (int i = 0; i < kSites; ++i) {
        const QString& name = names[i];
        const QDate first(today.year() - kYears, today.month(), 1);
        for (QDate month = first; month <= today; month = month.addMonths(1)) {
            // As a month cache's figures, in one write per month.
            CacheFigures figures{
                {{PeriodName({month.year(), kMonth, month.month(), 0}) + QStringLiteral(".cache"),
                  "bench"}},
                {},
                {},
                MonthFigures{month, 0, 0, 0, 300}};
            for (QDate day = month; day < month.addMonths(1); day = day.addDays(1)) {
                figures.covered.append(day);
                const qint64 requests = 1000 + (day.dayOfYear() * 37 + i * 11) % 5000;
                if (day < today)
                    figures.days.append({day, requests, requests / 3, requests * 2000, 40});
                figures.month->requests += day < today ? requests : 0;
            }
            if (!saveCacheFigures(name, figures).report())
                qFatal("the benchmark's figures cannot be stored");
        }
        if (!saveUpdateState(name,
                             {QDateTime::currentDateTime(), 1200, 1, 5000, 8, 8,
                              i % 10 == 0 ? QStringList{QStringLiteral("failed")} : QStringList{}})
                 .report())
            qFatal("the benchmark's update states cannot be stored");
    }
}

int figuresPass(const QString& name)
{
    const SiteRecord site(name);
    QElapsedTimer clock;
    clock.start();
    const QList<FigureJob> jobs = figureJobs(site);
    FigureReader reader(site);
    QEventLoop loop;
    QStringList problems;
    QObject::connect(&reader, &FigureReader::finished, &loop, [&](const QStringList& said) {
        problems = said;
        loop.quit();
    });
    reader.start(jobs);
    loop.exec();
    std::printf("figures pass, %lld months read: %.1f ms%s\n", static_cast<long long>(jobs.size()),
                clock.nsecsElapsed() / 1e6, problems.isEmpty() ? "" : " (failed)");
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--figures") == 0) {
        QCoreApplication app(argc, argv);
        return figuresPass(QString::fromLocal8Bit(argv[2]));
    }
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    QApplication app(argc, argv);
    const QDate today = QDate::currentDate();
    storeSitesWithFigures(today);

    QElapsedTimer clock;
    clock.start();
    const QList<SiteFigures> figures = loadFigures({}, OverviewPages::firstDayShown(today));
    const qint64 loaded = clock.nsecsElapsed();
    if (!OverviewPages(figures, today).write(home.filePath(QStringLiteral("overview"))))
        return 1;
    std::printf("overview page, %lld Sites, %d years of days: %.1f ms (figures read in %.1f ms)\n",
                static_cast<long long>(figures.size()), kYears, clock.nsecsElapsed() / 1e6,
                loaded / 1e6);

    bench::FirstPaint painted;
    painted.clock = &clock;
    clock.restart();
    COverviewView view;
    view.table()->viewport()->installEventFilter(&painted);
    view.refresh(today);
    view.resize(1200, 800);
    view.show();
    while (painted.paintedAt < 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("overview view, %d rows: painted after %.1f ms\n",
                view.table()->model()->rowCount(), painted.paintedAt / 1e6);
    return 0;
}
