#pragma once

#include "remote/remotelisting.h"
#include "util/result.h"

#include <QList>
#include <QString>

namespace meridan {

class SiteRecord;

// Where a remote log file goes: below the Site's log folder, in the
// subfolder its naming scheme gives, with the date fields of the folder
// read from the file name by position.
struct LocalTarget
{
    Result result; // why the name was refused
    QString path;
};

// Why a remote file name is never copied here, or ok: no plain file name,
// or a name that holds a character a shell would read.
Result checkRemoteName(const QString& name);

// Maps a remote name to its local path and creates the last folder level.
// Names that are no plain file name ("/", "\", ".", "..", control
// characters) are refused, and nothing is ever placed outside the log folder.
LocalTarget mapRemoteName(const SiteRecord& site, const QString& name);

// The walk through the remote folders that the download shows.
class RemoteFolder
{
public:
    explicit RemoteFolder(const QString& start) : m_path(start) {}

    const QString& path() const { return m_path; }
    QString header() const { return m_path + u'/'; }
    QString filePath(const QString& name) const { return m_path + u'/' + name; }
    // The path a download asks for: the entry's own bytes below this folder.
    QByteArray rawFilePath(const RemoteEntry& entry) const;

    // Opens a folder row: ".." goes up, "." stays, any other name goes down.
    // False when nothing changed.
    bool open(const QString& name);

    // The rows shown for a listing: ".." first below the start of the
    // server, then the entries as each is inserted below the first row.
    QList<RemoteEntry> rows(const QList<RemoteEntry>& entries) const;

private:
    QString m_path;
};

} // namespace meridan
