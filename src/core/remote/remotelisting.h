#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace meridan {

// One entry of a remote folder. name is for showing and mapping; rawName
// holds the server's own bytes, which are what a download asks for, so a
// name that is not UTF-8 is fetched as itself.
struct RemoteEntry
{
    QString name;
    bool isFolder = false;
    qint64 size = -1; // -1: not known
    QByteArray rawName{};

    friend bool operator==(const RemoteEntry& a, const RemoteEntry& b)
    {
        return a.name == b.name && a.isFolder == b.isFolder;
    }
};

// A folder's entries as a server lists them, and a line for each entry that
// could not be read and was left out.
struct RemoteListing
{
    QList<RemoteEntry> entries;
    QStringList skipped;
};

// Reads a LIST reply in the Unix "ls -l" form or the DOS form, as FTP and
// SFTP servers send it. Lines end with LF or CRLF and the last one may have
// none; names are kept exactly, blanks included. "." and ".." are dropped.
// A line that cannot be read is left out and named in skipped, together
// with the entry before it when a line break in a name split the two.
RemoteListing parseRemoteListing(const QByteArray& listing);

} // namespace meridan
