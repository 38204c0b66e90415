#pragma once

#include "remote/ftpclient.h"
#include "remote/remotenames.h"

#include <QStringList>
#include <functional>

namespace meridan {

class SiteRecord;

// Which remote files a fetch copies, and what it does with local copies.
struct FetchOptions
{
    enum class Existing {
        Keep,           // a file already here is left alone
        Replace,        // every matching file is copied again
        ReplaceChanged, // copied again when its size differs from the server's
    };
    QString subfolder;                         // below the URL's folder
    QStringList patterns{QStringLiteral("*")}; // shell patterns on the file name
    Existing existing = Existing::Keep;
};

// What a fetch did. problems holds a line for each file or entry that went
// wrong; the other files were still copied.
struct FetchReport
{
    Result result;      // refused when nothing could be listed or it was cancelled
    QStringList copied; // local paths
    QStringList problems;
    qint64 bytes = 0;

    bool ok() const { return result.ok() && problems.isEmpty(); }
};

// Logs in, lists the folder and copies the matching files (never
// dot-files) into the folders the Site's naming scheme gives. onCopied is
// told of each file as it lands.
FetchReport fetchRemoteLogs(FtpClient& client, const SiteRecord& site, const FetchOptions& options,
                            const std::function<void(const QString& path)>& onCopied = {});

// Copies entries of a listed folder, one after the other, into the
// folders the Site's naming scheme gives: a name the scheme refuses or a
// copy that fails is a problem, and the next entry goes on; a cancel or an
// expired session ends the copies. starting hears of each file before it
// is copied, with the sizes of the entries before it.
struct CopyListener
{
    std::function<void(const RemoteEntry& entry, qint64 sizesBefore)> starting;
    std::function<void(const QString& path)> copied;
};
void copyRemoteEntries(FtpClient& client, const SiteRecord& site, const RemoteFolder& folder,
                       const QList<RemoteEntry>& entries, FetchOptions::Existing existing,
                       FetchReport* report, const CopyListener& listener = {});

// Logs in and lists a folder below the URL's folder, sorted by name; the
// walk ends in that folder.
Result listRemoteFolder(FtpClient& client, const QString& subfolder, RemoteFolder* folder,
                        RemoteListing* listing);

} // namespace meridan
