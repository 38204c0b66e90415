#pragma once

#include "util/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace meridan {

// folder + "/" + name, without doubling a separator that folder ends with.
QString joinPath(const QString& folder, const QString& name);

// Everything before the last "/" (or "\", which users may type), or "" when
// the path has no separator.
QString folderOfPath(const QString& path);

// The largest configuration, base or special-month file that is read.
constexpr qint64 kMaxReadFileSize = 16 * 1024 * 1024;

// Hands each line of a text to take, without its line end and in place:
// the last one too, after the last line end (even empty), as split('\n')
// gives them.
template <typename Take> void forEachLine(QByteArrayView text, Take&& take)
{
    for (bool more = true; more;) {
        const qsizetype end = text.indexOf('\n');
        more = end >= 0;
        take(more ? text.first(end) : text);
        if (more)
            text = text.sliced(end + 1);
    }
}

// Reads a whole regular file of at most kMaxReadFileSize bytes, up to its
// first zero byte. False when it cannot be read or is no such file.
bool readFileUpToNul(const QString& path, QByteArray* contents);

// What a written file must survive. Synced: a crash of the system too, so
// it reaches the disk before the write returns. Rebuildable: only a crash
// of the program, for bookkeeping that a later run reads as missing when a
// crash of the system cut it short, and makes anew; it saves two disk
// syncs a file.
enum class Durability { Synced, Rebuildable };

// Writes through a temporary file in the same folder that is flushed,
// synced to the disk (as durability asks) and checked before it is
// renamed into place, so the previous file stays as it was when anything
// fails (a full disk included); the refusal names the file and the reason.
// The file gets permissions when given; otherwise an existing file keeps
// its own and a new one follows the umask. A link is followed: its target
// is replaced.
Result writeFileAtomically(const QString& path, const QByteArray& contents,
                           QFileDevice::Permissions permissions = {},
                           Durability durability = Durability::Synced);

// True when a file name holds a character that a shell reads as more than
// itself, inside double quotes or outside: $ ` " \ ; | & ( ) < > ' or a
// control character. Analog hands log names to its UNCOMPRESS command
// through the shell, so such a name must never reach it.
bool holdsShellCharacter(const QString& name);

enum class PathKind { Missing, Folder, File };
PathKind pathKind(const QString& path);

// Whether files can be written in the folder, once made where it is
// missing: the nearest part of its path that exists is a writable folder.
bool folderMayBeWritten(const QString& folder);

} // namespace meridan
