#include "logfetch.h"

#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/texts.h"

#include <QFileInfo>
#include <fnmatch.h>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

bool matchesAny(const RemoteEntry& entry, const QStringList& patterns)
{
    const QByteArray name = entry.rawName.isEmpty() ? entry.name.toUtf8() : entry.rawName;
    return std::any_of(patterns.begin(), patterns.end(), [&](const QString& pattern) {
        return fnmatch(pattern.toUtf8().constData(), name.constData(), 0) == 0;
    });
}

bool isWanted(const QString& localPath, const RemoteEntry& entry, FetchOptions::Existing existing)
{
    const QFileInfo local(localPath);
    switch (existing) {
    case FetchOptions::Existing::Keep:
        return !local.exists();
    case FetchOptions::Existing::Replace:
        return true;
    case FetchOptions::Existing::ReplaceChanged:
        return !local.exists() || entry.size < 0 || local.size() != entry.size;
    }
    return true;
}

} // namespace

Result listRemoteFolder(FtpClient& client, const QString& subfolder, RemoteFolder* folder,
                        RemoteListing* listing)
{
    if (Result connected = client.connect(); !connected)
        return connected;
    *folder = RemoteFolder(client.startFolder());
    for (const QString& part : subfolder.split(u'/', Qt::SkipEmptyParts))
        folder->open(part);
    if (Result listed = client.list(folder->path(), listing); !listed)
        return listed;
    std::sort(listing->entries.begin(), listing->entries.end(),
              [](const RemoteEntry& a, const RemoteEntry& b) { return a.rawName < b.rawName; });
    return {};
}

FetchReport fetchRemoteLogs(FtpClient& client, const SiteRecord& site, const FetchOptions& options,
                            const std::function<void(const QString& path)>& onCopied)
{
    FetchReport report;
    if (Result checked = checkSite(site); !checked) {
        report.result = checked;
        return report;
    }
    RemoteFolder folder{QString()};
    RemoteListing listing;
    report.result = listRemoteFolder(client, options.subfolder, &folder, &listing);
    if (!report.result)
        return report;
    report.problems = listing.skipped;
    QList<RemoteEntry> matching;
    for (const RemoteEntry& entry : std::as_const(listing.entries))
        if (!entry.isFolder && !entry.name.startsWith(u'.') && matchesAny(entry, options.patterns))
            matching.append(entry);
    copyRemoteEntries(client, site, folder, matching, options.existing, &report,
                      {nullptr, onCopied});
    return report;
}

void copyRemoteEntries(FtpClient& client, const SiteRecord& site, const RemoteFolder& folder,
                       const QList<RemoteEntry>& entries, FetchOptions::Existing existing,
                       FetchReport* report, const CopyListener& listener)
{
    qint64 sizesBefore = 0;
    for (const RemoteEntry& entry : entries) {
        const qint64 before =
            std::exchange(sizesBefore, sizesBefore + std::max<qint64>(entry.size, 0));
        const LocalTarget target = mapRemoteName(site, entry.name);
        if (!target.result) {
            report->problems.append(target.result.message());
            continue;
        }
        if (!isWanted(target.path, entry, existing))
            continue;
        if (listener.starting)
            listener.starting(entry, before);
        const DownloadResult result =
            client.download(folder.rawFilePath(entry), target.path, true, entry.size);
        if (result.status == DownloadStatus::Cancelled) {
            report->result = Result::refused(texts::Remote::tr("Cancelled."));
            return;
        }
        if (result.status == DownloadStatus::Failed) {
            report->problems.append(u"%1: %2"_s.arg(entry.name, result.result.message()));
            if (client.sessionExpired())
                return; // every later file would fail alike
            continue;
        }
        report->copied.append(target.path);
        report->bytes += QFileInfo(target.path).size();
        if (listener.copied)
            listener.copied(target.path);
    }
}

} // namespace meridan
