#include "files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace meridan {

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

QString folderOfPath(const QString& path)
{
    const qsizetype last = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return last < 0 ? QString() : path.left(last);
}

bool readFileUpToNul(const QString& path, QByteArray* contents)
{
    // Only a regular file of a sane size: a FIFO would block the read for
    // good, a device such as /dev/zero would never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxReadFileSize)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.read(kMaxReadFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxReadFileSize)
        return false;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    *contents = std::move(bytes);
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& contents,
                         QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (permissions)
        file.setPermissions(permissions);
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

PathKind pathKind(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return PathKind::Missing;
    return info.isDir() ? PathKind::Folder : PathKind::File;
}

} // namespace meridan
