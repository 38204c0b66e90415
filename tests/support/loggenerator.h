#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace meridan {
class SiteRecord;
}

namespace meridan::test {

// One log line of a request at the given second of the day.
using LogLineMaker = QByteArray (*)(const QDate& date, int secondOfDay, int serial);
QByteArray logLine(const QDate& date, int secondOfDay, int serial);

// Writes Apache combined log lines, requestsPerDay a day from first to last
// (the first at midnight, the last at 23:59:59), into the files the Site's
// naming scheme names below its log folder, as a server that rotates late
// would: the first two minutes of a file's time go into the file before,
// the last second into the file after. Lines are added to files that exist
// (a gzip file gets one more member). Each line is line's, by default a few
// hosts, pages and referrers over and over.
void writeLogs(const SiteRecord& site, const QDate& first, const QDate& last, int requestsPerDay,
               LogLineMaker line = logLine);

// Writes a log file as logrotate leaves it (gzip when its name ends in
// .gz): a request at half past every hour from one time up to another,
// which is its modification time.
void writeHourlyRequests(const QString& path, const QDateTime& from, const QDateTime& to);

} // namespace meridan::test
