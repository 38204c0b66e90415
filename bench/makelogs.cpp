// Writes Apache logs for a stored Site:
//   bench_makelogs NAME FIRST LAST PER_DAY [varied]
// By default a few pages and referrers come back over and over, while the
// hosts cycle through 22,750 addresses, nearly one per request of a day.
// "varied" draws them from pools the size of a busy small site's (50,000
// hosts, 1,000 pages, 1,000 referrers, 140 browsers), so that a longer
// period holds many more distinct items than a day, as real logs do; each
// visitor makes eight requests in a row, as a browser fetching a page does.
// With 20,000 requests a day a day's report then takes about a tenth of a
// second of Analog and the year's, from its logs, about five seconds.
#include "store/siterecord.h"
#include "support/loggenerator.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdio>

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kSections[] = {"docs", "blog", "shop", "news", "img"};

// The same request for the same serial on every run: splitmix64.
std::uint64_t mixed(std::uint64_t value)
{
    value += 0x9e3779b97f4a7c15u;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9u;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebu;
    return value ^ (value >> 31);
}

QByteArray variedLogLine(const QDate& date, int secondOfDay, int serial)
{
    const std::uint64_t draw = mixed(std::uint64_t(serial));
    const unsigned host = unsigned(mixed(std::uint64_t(serial / 8)) % 50000);
    // Half the requests go to the first pages, the rest anywhere.
    const unsigned anyPage = unsigned(draw >> 20) % 1000;
    const unsigned page = (draw >> 30) & 1 ? anyPage : anyPage % (1 + (draw >> 40) % 30);
    const unsigned referrer = unsigned(draw >> 32) % 1000;
    const unsigned agent = unsigned(draw >> 48) % 140;
    char referrerText[96];
    if (referrer < 500)
        std::snprintf(referrerText, sizeof referrerText,
                      "http://www.google.com/search?q=word%u+term%u", referrer, referrer % 37);
    else
        std::snprintf(referrerText, sizeof referrerText, "http://site%u.example/links.html",
                      referrer);
    char line[640];
    std::snprintf(
        line, sizeof line,
        "10.%u.%u.%u - - [%02d/%s/%04d:%02d:%02d:%02d +0000] \"GET /%s/%u.html HTTP/1.1\" 200 "
        "%d \"%s\" \"Mozilla/5.0 (%s) %s/%u.0\"\n",
        host >> 16, (host >> 8) & 255, host & 255, date.day(), kMonths[date.month() - 1],
        date.year(), secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60,
        kSections[page % 5], page, 500 + serial % 5000, referrerText,
        agent < 70 ? "X11; Linux x86_64" : "Windows NT 10.0; Win64; x64",
        agent < 70 ? "Firefox" : "Chrome", 60 + agent % 70);
    return QByteArray(line);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool varied = args.size() == 6 && args.at(5) == QLatin1String("varied");
    if (args.size() != 5 && !varied) {
        std::fprintf(stderr, "usage: bench_makelogs NAME FIRST LAST PER_DAY [varied]"
                             " (dates yyyy-mm-dd)\n");
        return 2;
    }
    const meridan::SiteRecord site(args.at(1));
    const QDate first = QDate::fromString(args.at(2), Qt::ISODate);
    const QDate last = QDate::fromString(args.at(3), Qt::ISODate);
    meridan::test::writeLogs(site, first, last, args.at(4).toInt(),
                             varied ? variedLogLine : meridan::test::logLine);
    return 0;
}
