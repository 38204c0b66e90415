#include "sitefolders.h"

#include "analog/analoginstall.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// The root and the log folder: a file there refuses, a missing folder is
// created after asking.
bool ensureTopFolder(const QString& path, bool askFirst, bool withParents)
{
    switch (pathKind(path)) {
    case PathKind::Folder:
        return true;
    case PathKind::File:
        messages().error(texts::fileIsNotFolder(path));
        return false;
    case PathKind::Missing:
        break;
    }
    if (askFirst && !messages().ask(texts::askCreateFolder(path)))
        return false;
    // Failures of the creation itself show later, where the folder is used.
    if (withParents)
        QDir().mkpath(path);
    else
        QDir().mkdir(path);
    return true;
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

bool createSiteFolders(SiteRecord& site, bool askFirst)
{
    if (!ensureTopFolder(site.Root, askFirst, true))
        return false;
    QDir().mkdir(site.cfgFolder());
    QDir().mkdir(site.reportsFolder());
    QDir().mkdir(site.cacheFolder()); // without it, reports are built from the logs
    if (!site.ImagePath.isEmpty()) {
        site.ImagePath = u"images"_s;
        const QString images = joinPath(site.reportsFolder(), u"images"_s);
        if (QDir().mkdir(images))
            copyAnalogImages(images);
    }
    if (!ensureTopFolder(site.LogsDir, askFirst, false))
        return false;
    // The log folder may be a mount still to come: only its own level is made.
    for (const QString& folder : {site.Root, site.cfgFolder(), site.reportsFolder()})
        if (pathKind(folder) != PathKind::Folder) {
            messages().error(texts::Analog::tr("The folder %1 cannot be created.").arg(folder));
            return false;
        }
    return true;
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
