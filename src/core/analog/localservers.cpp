#include "localservers.h"

#include "store/siterecord.h"
#include "util/files.h"
#include "util/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace meridan {

QList<LocalServer> findLocalServers(const QString& root)
{
    QList<LocalServer> found;
    for (const QString& server : {u"apache2"_s, u"nginx"_s}) {
        const QString folder = joinPath(root, u"var/log/"_s + server);
        const QFileInfo log(joinPath(folder, u"access.log"_s));
        // A folder this user may not look into is the server's all the same.
        const bool searchable = QFileInfo(folder).isExecutable();
        if (!QFileInfo(folder).isDir() || (searchable && !log.exists()))
            continue;
        found.append({server, QDir::cleanPath(folder), searchable && log.isReadable()});
    }
    return found;
}

QList<LocalServer> unclaimedLocalServers(const QString& root)
{
    const Expected<QStringList> stored = storedSiteNames();
    if (!stored)
        return {}; // no Site could be made for one
    QList<LocalServer> servers = findLocalServers(root);
    servers.removeIf([&](const LocalServer& server) {
        return stored->contains(localServerSite(server).name, Qt::CaseInsensitive);
    });
    return servers;
}

SiteRecord localServerSite(const LocalServer& server)
{
    QString machine = QSysInfo::machineHostName();
    if (machine.isEmpty())
        machine = u"localhost"_s;
    SiteRecord site;
    site.name = machine + u'-' + server.server;
    site.DeriveDefaults();
    site.Url = machine;
    site.LogsDir = server.logFolder;
    site.LogNameStruct = u"access.log"_s;
    site.LogPeriodicity = kLogNumbered;
    site.isNew = true;
    return site;
}

QString unreadableLogsAdvice(const LocalServer& server)
{
    return texts::Analog::tr("You cannot read the logs in %1: Debian lets the adm group read "
                             "them. Add yourself to it (sudo adduser %2 adm), log in again, and "
                             "the Site reads them.")
        .arg(server.logFolder, qEnvironmentVariable("USER", u"$USER"_s));
}

} // namespace meridan
