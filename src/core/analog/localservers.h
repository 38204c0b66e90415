#pragma once

#include <QList>
#include <QString>

namespace meridan {

class SiteRecord;

// A web server of this machine, in Debian's layout: its access logs in its
// own folder under /var/log, numbered by logrotate every night.
struct LocalServer
{
    QString server;        // "apache2" or "nginx"
    QString logFolder;     // where its access.log is
    bool readable = false; // Debian lets the adm group read them, and root
};

// The web servers whose log folder holds an access log, below root ("/" but
// in tests).
QList<LocalServer> findLocalServers(const QString& root = QStringLiteral("/"));

// Those of them no stored Site is named for yet: what Add offers.
QList<LocalServer> unclaimedLocalServers(const QString& root = QStringLiteral("/"));

// A new Site reading the server's logs, named after this machine and the
// server.
SiteRecord localServerSite(const LocalServer& server);

// What to do when the server's logs cannot be read.
QString unreadableLogsAdvice(const LocalServer& server);

} // namespace meridan
