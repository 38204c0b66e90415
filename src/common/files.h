#pragma once

#include <QByteArray>
#include <QString>

namespace meridan {

// folder + "/" + name, without doubling a separator that folder ends with.
QString joinPath(const QString& folder, const QString& name);

// Everything before the last "/" (or "\", which users may type), or "" when
// the path has no separator.
QString folderOfPath(const QString& path);

// Reads a whole file, up to its first zero byte. False when it cannot be read.
bool readFileUpToNul(const QString& path, QByteArray* contents);

// Writes through a temporary file renamed into place, so the previous file
// stays as it was when anything fails. False on failure.
bool writeFileAtomically(const QString& path, const QByteArray& contents);

enum class PathKind { Missing, Folder, File };
PathKind pathKind(const QString& path);

} // namespace meridan
