#pragma once

#include "analog/period.h"
#include "util/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace meridan {

class SiteRecord;

// Appends the LOGFILE lines of the period [start, end) to out, with the log
// format changes and special months of the Site. Refused, saying why, when
// a special month's file cannot be read or the stored lists are not sound.
Result ListLogFiles(const SiteRecord& site, const Period& period, const QDate& start,
                    const QDate& end, QByteArray* out);

// Every file the LOGFILE lines of the configuration text match now, sorted,
// each once.
QStringList configuredLogFiles(const QByteArray& configuration);
// The cache files its CACHEFILE lines name, in their order.
QStringList configuredCacheFiles(const QByteArray& configuration);

// Refuses, naming the file, when a file that the LOGFILE lines of the
// configuration text match now holds a character a shell would read in
// its name (or $ ` " \ in its folders): Analog hands each log file to its
// UNCOMPRESS command through the shell.
Result checkLogFileNames(const QByteArray& configuration);

// The log naming scheme with %yyyy%, %yy% and %mm% of date replaced, below
// the Site's log folder; "\" typed in the scheme is a folder separator.
QString logNameForMonth(const SiteRecord& site, const QDate& date);

// The log file (a pattern, "*" for the hours of hourly logs) that holds the
// requests of one day, by the Site's naming scheme and log periodicity.
QString logNameOfDay(const SiteRecord& site, const QDate& date);

} // namespace meridan
