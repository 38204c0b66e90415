#pragma once

// What the desktop benchmarks share: stored Sites to show, and the moment
// a widget is first painted.
#include "analog/basecfg.h"
#include "analog/sitefolders.h"
#include "store/siterecord.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>

namespace meridan::bench {

class FirstPaint : public QObject
{
public:
    const QElapsedTimer* clock = nullptr;
    qint64 paintedAt = -1;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && paintedAt < 0)
            paintedAt = clock->nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }
};

// Stores "site000.example" and so on with the defaults of their names;
// returns the names.
inline QStringList storeSites(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        SiteRecord site;
        site.name = QStringLiteral("site%1.example").arg(i, 3, 10, QLatin1Char('0'));
        site.DeriveDefaults();
        site.isNew = true;
        if (!createSiteFolders(site).report() || !SaveSite(site).report())
            qFatal("the benchmark's Sites cannot be stored");
        names.append(site.name);
    }
    return names;
}

} // namespace meridan::bench
