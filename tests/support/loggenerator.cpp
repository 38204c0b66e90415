#include "support/loggenerator.h"

#include "analog/logfiles.h"
#include "analog/period.h"
#include "store/siterecord.h"
#include "util/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace meridan::test {

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kPages[] = {"/",           "/index.html",     "/products/a.html", "/img/logo.png",
                              "/about.html", "/search?q=analog"};
const char* const kAgents[] = {
    "Mozilla/5.0 (X11; Linux x86_64; rv:120.0) Gecko/20100101 Firefox/120.0",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
    "(KHTML, like Gecko) Chrome/120.0 Safari/537.36"};

// Each request goes into the file its own date names, so a server that
// starts a file a week splits the week around New Year between two files.
QString fileFor(const SiteRecord& site, const QDate& date, int hour)
{
    QString name = logNameForMonth(site, date);
    name.replace(u"%dd%"_s, twoDigits(date.day()));
    name.replace(u"%hh%"_s, twoDigits(hour));
    name.replace(u"%wk%"_s, twoDigits(WeekOfYear(date.year(), date.month(), date.day())));
    return name;
}

bool writeGzip(const QString& path, const QByteArray& contents)
{
    gzFile file = gzopen(QFile::encodeName(path).constData(), "wb");
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

QMap<QString, int> writeLogs(const SiteRecord& site, const QDate& first, const QDate& last,
                             int requestsPerDay)
{
    QMap<QString, QByteArray> contents;
    QMap<QString, int> counts;
    int serial = 0;
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        for (int i = 0; i < requestsPerDay; ++i) {
            // The first request at 00:00:00, the last at 23:59:59: a period
            // that takes in a minute of its neighbour counts it twice.
            const int second =
                requestsPerDay < 2 ? 0 : int(qint64(i) * 86399 / (requestsPerDay - 1));
            const QString file = fileFor(site, date, second / 3600);
            contents[file] += logLine(date, second, serial++);
            ++counts[file];
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
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            qFatal("cannot write %s", qPrintable(it.key()));
    }
    return counts;
}

} // namespace meridan::test
