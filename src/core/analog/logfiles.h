#pragma once

#include "analog/period.h"

#include <QByteArray>
#include <QString>

namespace meridan {

class SiteRecord;

// Appends the LOGFILE lines of the period [start, end) to out, with the log
// format changes and special months stored for the Site. False (after a
// message) when a special month's file cannot be read.
bool ListLogFiles(const SiteRecord& site, const Period& period, const QDate& start,
                  const QDate& end, QByteArray* out);

// The log naming scheme with %yyyy%, %yy% and %mm% of date replaced, below
// the Site's log folder; "\" typed in the scheme is a folder separator.
QString logNameForMonth(const SiteRecord& site, const QDate& date);

// The log file (a pattern, "*" for the hours of hourly logs) that holds the
// requests of one day, by the Site's naming scheme and log periodicity.
QString logNameOfDay(const SiteRecord& site, const QDate& date);

} // namespace meridan
