#pragma once

#include <QDate>
#include <QMap>
#include <QString>

namespace meridan {
class SiteRecord;
}

namespace meridan::test {

// Writes Apache combined log lines, requestsPerDay a day from first to last
// (the first at midnight, the last at 23:59:59), into the files the Site's naming scheme and log
// periodicity name below its log folder. Names ending in ".gz" are gzip-compressed. Returns how
// many requests each file got.
QMap<QString, int> writeLogs(const SiteRecord& site, const QDate& first, const QDate& last,
                             int requestsPerDay);

// One log line of a request at the given second of the day.
QByteArray logLine(const QDate& date, int secondOfDay, int serial);

} // namespace meridan::test
