// Writes Apache logs for a stored Site: bench_makelogs NAME FIRST LAST PER_DAY
#include "store/siterecord.h"
#include "support/loggenerator.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: bench_makelogs NAME FIRST LAST PER_DAY (dates yyyy-mm-dd)\n");
        return 2;
    }
    const meridan::SiteRecord site(args.at(1));
    const QDate first = QDate::fromString(args.at(2), Qt::ISODate);
    const QDate last = QDate::fromString(args.at(3), Qt::ISODate);
    meridan::test::writeLogs(site, first, last, args.at(4).toInt());
    return 0;
}
