#pragma once

#include "analog/period.h"
#include "util/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace meridan {

class SiteRecord;

// What tells a file's version apart: a file replaced, grown, rewritten with
// an old time or moved in from elsewhere differs in at least one part.
struct FileStamp
{
    QString path;
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch
    quint64 inode = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file as it is now, or nullopt when there is none.
std::optional<FileStamp> stampOf(const QString& path);

// What a report or cache was built from, written after its build
// succeeded: the fingerprint of its configuration, the file as written
// (kept as "report") and every log or cache file it read.
struct BuildRecord
{
    QByteArray fingerprint;
    FileStamp report;
    QList<FileStamp> inputs;

    bool operator==(const BuildRecord&) const = default;
};

// Where the record of a period's report is kept: beside its configuration
// file, in a folder the Site's builds share but the web does not see.
QString buildRecordPath(const SiteRecord& site, const QString& periodName);

// nullopt for a missing, cut-short or foreign record.
std::optional<BuildRecord> readBuildRecord(const QString& path);
Result writeBuildRecord(const QString& path, const BuildRecord& record);

// The fingerprint of everything in a configuration text but the names of
// its log and cache files (counted by what they match) and of its output
// file, and but the lines leftOut picks.
QByteArray configurationFingerprint(const QByteArray& configuration,
                                    const std::function<bool(QByteArrayView)>& leftOut = nullptr);

// The stamps of every file the configuration's LOGFILE lines match now, and
// of the cache files its CACHEFILE lines name.
QList<FileStamp> configuredInputs(const QByteArray& configuration);

// The files a record lists that are gone and may have held requests of the
// period: one last written 30 hours or more before the period began held
// none, whatever the time zone of the server that wrote it. So deleting the
// oldest numbered log takes nothing from today.
QStringList goneInputs(const BuildRecord& record, const Period& period);

} // namespace meridan
