#include "files.h"

#include "util/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

mode_t modeOf(QFileDevice::Permissions permissions)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto& [permission, bit] : bits)
        if (permissions.testFlag(permission))
            mode |= bit;
    return mode;
}

// 0, or the errno of the write that failed (ENOSPC on a full disk).
int writeAll(int fd, const QByteArray& contents)
{
    const char* data = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        data += written;
        left -= written;
    }
    return 0;
}

// A new file beside target, created as any program creates one (the umask
// applies); -1 with errno when none can be.
int createTemporary(const QByteArray& target, QByteArray* name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        *name = target + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The mode the new file must get, when another than the umask gives: the
// existing file's, or the one asked for.
std::optional<mode_t> modeToSet(const QByteArray& target, QFileDevice::Permissions permissions)
{
    if (permissions)
        return modeOf(permissions);
    struct stat existing = {};
    if (::stat(target.constData(), &existing) == 0)
        return existing.st_mode & 07777;
    return std::nullopt;
}

// The rename itself reaches the disk only with its folder.
void syncFolderOf(const QString& path)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

} // namespace

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
    // Its size as read: a buffer of the largest size would cost more than
    // the read. A file that grew since is read on, within the bound.
    QByteArray bytes = file.read(info.size() + 1);
    if (bytes.size() > info.size())
        bytes += file.read(kMaxReadFileSize + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxReadFileSize)
        return false;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    *contents = std::move(bytes);
    return true;
}

Result writeFileAtomically(const QString& path, const QByteArray& contents,
                           QFileDevice::Permissions permissions, Durability durability)
{
    const bool synced = durability == Durability::Synced;
    const QFileInfo info(path);
    const QString target = !info.isSymLink() ? path
                           : info.exists()   ? info.canonicalFilePath()
                                             : info.symLinkTarget();
    const auto failed = [&](int error) {
        return Result::refused(texts::Common::tr("%1 cannot be written: %2.")
                                   .arg(target, QString::fromLocal8Bit(std::strerror(error))));
    };
    const QByteArray targetName = QFile::encodeName(target);
    QByteArray temporary;
    const int fd = createTemporary(targetName, &temporary);
    if (fd < 0)
        return failed(errno);
    const std::optional<mode_t> mode = modeToSet(targetName, permissions);
    int error = !mode || ::fchmod(fd, *mode) == 0 ? 0 : errno;
    if (error == 0)
        error = writeAll(fd, contents);
    if (error == 0 && synced && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return failed(error);
    }
    if (synced)
        syncFolderOf(target);
    return {};
}

bool holdsShellCharacter(const QString& name)
{
    static const QString special = u"$`\"\\;|&()<>'"_s;
    return std::any_of(name.begin(), name.end(), [](QChar c) {
        return special.contains(c) || c.category() == QChar::Other_Control;
    });
}

PathKind pathKind(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return PathKind::Missing;
    return info.isDir() ? PathKind::Folder : PathKind::File;
}

bool folderMayBeWritten(const QString& folder)
{
    QFileInfo info(QDir::cleanPath(QDir(folder).absolutePath()));
    while (!info.exists() && !info.isRoot())
        info.setFile(info.path());
    return info.isDir() && info.isWritable();
}

} // namespace meridan
