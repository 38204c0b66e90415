#pragma once

#include <QByteArray>
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

// Reads a whole regular file of at most kMaxReadFileSize bytes, up to its
// first zero byte. False when it cannot be read or is no such file.
bool readFileUpToNul(const QString& path, QByteArray* contents);

// Writes through a temporary file renamed into place, so the previous file
// stays as it was when anything fails. False on failure.
// With permissions given, the file gets those.
bool writeFileAtomically(const QString& path, const QByteArray& contents,
                         QFileDevice::Permissions permissions = {});

enum class PathKind { Missing, Folder, File };
PathKind pathKind(const QString& path);

} // namespace meridan
