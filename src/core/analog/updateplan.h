#pragma once

#include "analog/period.h"

#include <QDate>
#include <QList>

namespace meridan {

class SiteRecord;

// The kinds of period the Site keeps built (its KeepPeriods; months when
// it has none; days too with numbered logs), as periodicity codes from
// days to years.
QList<qint32> keptPeriodicities(const SiteRecord& site);

// The periods of the kinds the Site keeps whose report is out of date or
// that hold a day or month rebuilt before them, for every year that has
// log files or caches, up to the period that holds today; kinds in the
// order of keptPeriodicities, each oldest first.
QList<Period> outOfDatePeriods(const SiteRecord& site, const QDate& today);

} // namespace meridan
