#include "buildrecord.h"

#include "analog/logfiles.h"
#include "store/siterecord.h"
#include "util/files.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

constexpr char kHeader[] = "meridan build record 1";

bool namesAFile(QByteArrayView trimmed, const char* command)
{
    const qsizetype length = qsizetype(qstrlen(command));
    return trimmed.size() > length && qstrnicmp(trimmed.data(), command, length) == 0 &&
           (trimmed.at(length) == ' ' || trimmed.at(length) == '\t');
}

QByteArray stampLine(const char* kind, const FileStamp& stamp)
{
    return QByteArray(kind) + ' ' + QByteArray::number(stamp.size) + ' ' +
           QByteArray::number(stamp.modifiedNs) + ' ' + QByteArray::number(stamp.inode) + ' ' +
           QFile::encodeName(stamp.path) + '\n';
}

// "KIND SIZE NS INODE PATH", the path last as it may hold blanks.
std::optional<FileStamp> stampFromLine(const QByteArray& line, const QByteArray& kind)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 5 || parts.at(0) != kind)
        return std::nullopt;
    bool sizeOk = false, timeOk = false, inodeOk = false;
    FileStamp stamp;
    stamp.size = parts.at(1).toLongLong(&sizeOk);
    stamp.modifiedNs = parts.at(2).toLongLong(&timeOk);
    stamp.inode = parts.at(3).toULongLong(&inodeOk);
    const qsizetype pathStart =
        parts.at(0).size() + parts.at(1).size() + parts.at(2).size() + parts.at(3).size() + 4;
    stamp.path = QFile::decodeName(line.mid(pathStart));
    if (!sizeOk || !timeOk || !inodeOk || stamp.path.isEmpty())
        return std::nullopt;
    return stamp;
}

} // namespace

std::optional<FileStamp> stampOf(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileStamp{path, qint64(status.st_size),
                     qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
                     quint64(status.st_ino)};
}

QString buildRecordPath(const SiteRecord& site, const QString& periodName)
{
    return joinPath(site.cfgFolder(), periodName + u".build"_s);
}

std::optional<BuildRecord> readBuildRecord(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QList<QByteArray> lines = file.readAll().split('\n');
    // Written whole or not at all: a record without its end is foreign.
    if (lines.size() < 4 || lines.takeFirst() != kHeader || lines.takeLast() != "" ||
        lines.takeLast() != "end" || !lines.first().startsWith("fingerprint "))
        return std::nullopt;
    BuildRecord record;
    record.fingerprint = lines.takeFirst().mid(12);
    const std::optional<FileStamp> report = stampFromLine(lines.value(0), "report");
    if (!report)
        return std::nullopt;
    record.report = *report;
    for (const QByteArray& line : lines.mid(1)) {
        const std::optional<FileStamp> input = stampFromLine(line, "input");
        if (!input)
            return std::nullopt;
        record.inputs.append(*input);
    }
    return record;
}

Result writeBuildRecord(const QString& path, const BuildRecord& record)
{
    QByteArray text = QByteArray(kHeader) + "\nfingerprint " + record.fingerprint + '\n' +
                      stampLine("report", record.report);
    for (const FileStamp& input : record.inputs)
        text += stampLine("input", input);
    // After a crash of the system a record is cut short (none), or the one
    // before, whose stamps no longer match what it describes: either way
    // its period is built again, so it is not synced to the disk, which
    // costs a day's build more than the rest of its bookkeeping.
    return writeFileAtomically(path, text + "end\n", {}, Durability::Rebuildable);
}

QByteArray configurationFingerprint(const QByteArray& configuration,
                                    const std::function<bool(QByteArrayView)>& leftOut)
{
    QByteArray hashed; // hashed at once: far cheaper than line by line
    hashed.reserve(configuration.size() + 16);
    bool readsCaches = false;
    // Read in place, as every period's freshness is judged by it.
    forEachLine(configuration, [&](QByteArrayView untrimmed) {
        const QByteArrayView line = untrimmed.trimmed();
        const bool cacheFile = namesAFile(line, "CACHEFILE");
        readsCaches |= cacheFile;
        if (!namesAFile(line, "LOGFILE") && !namesAFile(line, "OUTFILE") && !cacheFile &&
            !(leftOut && leftOut(line)))
            hashed.append(line).append('\n');
    });
    // Which caches are read is in the inputs; that caches are, here.
    if (readsCaches)
        hashed.append("CACHEFILE\n");
    return QCryptographicHash::hash(hashed, QCryptographicHash::Sha256).toHex();
}

QList<FileStamp> configuredInputs(const QByteArray& configuration)
{
    QList<FileStamp> inputs;
    for (const QString& file :
         configuredLogFiles(configuration) + configuredCacheFiles(configuration))
        if (const std::optional<FileStamp> stamp = stampOf(file))
            inputs.append(*stamp);
    return inputs;
}

QStringList goneInputs(const BuildRecord& record, const Period& period)
{
    // Time zones lie at most 26 hours apart; the rest allows for a clock
    // that runs fast.
    constexpr qint64 kTimeZonesApartNs = 30LL * 3600 * 1'000'000'000;
    const std::optional<PeriodRange> range = PeriodBounds(period);
    const qint64 begins =
        range ? QDateTime(range->start, QTime(0, 0)).toMSecsSinceEpoch() * 1'000'000 : 0;
    QStringList gone;
    for (const FileStamp& input : record.inputs)
        if (input.modifiedNs > begins - kTimeZonesApartNs && !QFileInfo::exists(input.path))
            gone.append(input.path);
    return gone;
}

} // namespace meridan
