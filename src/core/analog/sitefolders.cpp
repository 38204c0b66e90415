#include "sitefolders.h"

#include "analog/analoginstall.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// The root and the log folder: a file there refuses, a missing folder is
// created.
Result ensureTopFolder(const QString& path, bool withParents)
{
    switch (pathKind(path)) {
    case PathKind::Folder:
        return {};
    case PathKind::File:
        return Result::refused(texts::fileIsNotFolder(path));
    case PathKind::Missing:
        break;
    }
    // Failures of the creation itself show later, where the folder is used.
    if (withParents)
        QDir().mkpath(path);
    else
        QDir().mkdir(path);
    return {};
}

} // namespace

int copyAnalogImages(const QString& target)
{
    const QDir source(analogFolders().imagesFolder);
    int copied = 0;
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        if (name.startsWith(u'.'))
            continue;
        if (QFile::copy(source.filePath(name), joinPath(target, name)))
            ++copied;
    }
    return copied;
}

Result createSiteFolders(SiteRecord& site)
{
    if (Result root = ensureTopFolder(site.Root, true); !root)
        return root;
    QDir().mkdir(site.cfgFolder());
    QDir().mkdir(site.reportsFolder());
    QDir().mkdir(site.cacheFolder()); // without it, reports are built from the logs
    if (!site.ImagePath.isEmpty()) {
        site.ImagePath = u"images"_s;
        const QString images = joinPath(site.reportsFolder(), u"images"_s);
        if (QDir().mkdir(images))
            copyAnalogImages(images);
    }
    if (Result logs = ensureTopFolder(site.LogsDir, false); !logs)
        return logs;
    // The log folder may be a mount still to come: only its own level is made.
    for (const QString& folder : {site.Root, site.cfgFolder(), site.reportsFolder()})
        if (pathKind(folder) != PathKind::Folder)
            return Result::refused(
                texts::Analog::tr("The folder %1 cannot be created.").arg(folder));
    return {};
}

QStringList missingTopFolders(const SiteRecord& site)
{
    QStringList missing;
    for (const QString& folder : {site.Root, site.LogsDir})
        if (pathKind(folder) == PathKind::Missing && !missing.contains(folder))
            missing.append(folder);
    return missing;
}

QStringList missingSiteFolders(const SiteRecord& site)
{
    QStringList missing;
    for (const QString& folder : {site.Root, site.LogsDir}) {
        QString highest;
        for (QString path = QDir::cleanPath(folder); !path.isEmpty() && !QFileInfo::exists(path);
             path = folderOfPath(path))
            highest = path;
        if (!highest.isEmpty() && !missing.contains(highest))
            missing.append(highest);
    }
    return missing;
}

} // namespace meridan
