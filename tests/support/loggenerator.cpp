#include "support/loggenerator.h"

#include "store/siterecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace meridan::test {

namespace {

constexpr int kRotationLagSeconds = 120;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kPages[] = {"/",           "/index.html",     "/products/a.html", "/img/logo.png",
                              "/about.html", "/search?q=analog"};
const char* const kAgents[] = {
    "Mozilla/5.0 (X11; Linux x86_64; rv:120.0) Gecko/20100101 Firefox/120.0",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
    "(KHTML, like Gecko) Chrome/120.0 Safari/537.36"};

// The week number a server puts in a weekly file's name: weeks begin on
// Monday, the first days of January keep the week of the December before,
// and the last days of December go on counting their own year's weeks.
int weekInFileName(const QDate& date)
{
    int isoYear = 0;
    const int week = date.weekNumber(&isoYear);
    return isoYear > date.year() ? date.addDays(-7).weekNumber() + 1 : week;
}

QString twoDigitsOf(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

QString fileFor(const SiteRecord& site, const QDateTime& when)
{
    const QDate date = when.date();
    QString name = site.LogNameStruct;
    name.replace(u"%yyyy%"_s, QString::number(date.year()))
        .replace(u"%yy%"_s, twoDigitsOf(date.year() % 100))
        .replace(u"%mm%"_s, twoDigitsOf(date.month()))
        .replace(u"%dd%"_s, twoDigitsOf(date.day()))
        .replace(u"%hh%"_s, twoDigitsOf(when.time().hour()))
        .replace(u"%wk%"_s, twoDigitsOf(weekInFileName(date)));
    return site.LogsDir + u'/' + name;
}

// The server starts its next file two minutes late, and writes a request
// made in the last second of a file's time only after it has started the
// next: both neighbours of a period's files hold some of its requests.
QString fileOfRequest(const SiteRecord& site, const QDateTime& when)
{
    const int second = when.time().msecsSinceStartOfDay() / 1000;
    if (second < kRotationLagSeconds)
        return fileFor(site, when.addSecs(-kRotationLagSeconds));
    if (second == 86399)
        return fileFor(site, when.addSecs(1));
    return fileFor(site, when);
}

bool writeGzip(const QString& path, const QByteArray& contents)
{
    gzFile file = gzopen(QFile::encodeName(path).constData(), "ab");
    if (!file)
        return false;
    const int written = gzwrite(file, contents.constData(), unsigned(contents.size()));
    return gzclose(file) == Z_OK && written == contents.size();
}

} // namespace

QByteArray logLine(const QDate& date, int secondOfDay, int serial)
{
    char line[512];
    std::snprintf(line, sizeof line,
                  "10.%d.%d.%d - - [%02d/%s/%04d:%02d:%02d:%02d +0000] \"GET %s HTTP/1.1\" 200 "
                  "%d \"http://search.example/?q=page%d\" \"%s\"\n",
                  serial % 7, serial % 13, serial % 250 + 1, date.day(), kMonths[date.month() - 1],
                  date.year(), secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60,
                  kPages[serial % 6], 500 + serial % 5000, serial % 17, kAgents[serial % 2]);
    return QByteArray(line);
}

void writeLogs(const SiteRecord& site, const QDate& first, const QDate& last, int requestsPerDay,
               LogLineMaker line)
{
    QMap<QString, QByteArray> contents;
    int serial = 0;
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        for (int i = 0; i < requestsPerDay; ++i) {
            // The first request at 00:00:00, the last at 23:59:59: a period
            // that takes in a minute of its neighbour counts it twice.
            const int second =
                requestsPerDay < 2 ? 0 : int(qint64(i) * 86399 / (requestsPerDay - 1));
            const QDateTime when(date, QTime(0, 0).addSecs(second), Qt::UTC);
            contents[fileOfRequest(site, when)] += line(date, second, serial++);
        }
    }
    for (auto it = contents.begin(); it != contents.end(); ++it) {
        QDir().mkpath(QFileInfo(it.key()).absolutePath());
        if (it.key().endsWith(u".gz"_s)) {
            if (!writeGzip(it.key(), it.value()))
                qFatal("cannot write %s", qPrintable(it.key()));
            continue;
        }
        QFile file(it.key());
        if (!file.open(QIODevice::Append) || file.write(it.value()) != it.value().size())
            qFatal("cannot write %s", qPrintable(it.key()));
    }
}

void writeHourlyRequests(const QString& path, const QDateTime& from, const QDateTime& to)
{
    QByteArray contents;
    for (QDateTime hour(from.date(), QTime(from.time().hour(), 30)); hour < to;
         hour = hour.addSecs(3600))
        if (hour >= from)
            contents += logLine(hour.date(), hour.time().msecsSinceStartOfDay() / 1000, 0);
    QFile::remove(path);
    QFile file(path);
    const bool written = path.endsWith(u".gz"_s) ? writeGzip(path, contents)
                                                 : file.open(QIODevice::WriteOnly) &&
                                                       file.write(contents) == contents.size();
    file.close();
    QFile stamped(path);
    if (!written || !stamped.open(QIODevice::ReadWrite) ||
        !stamped.setFileTime(to, QFileDevice::FileModificationTime))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace meridan::test
