#pragma once

#include "util/result.h"

#include <QString>
#include <QStringList>

namespace meridan {

class SiteRecord;

// Creates the Site's folders as the Folders page does when the sheet
// applies: the root and the log folder, the configuration and reports
// folders, and the images folder filled with Analog's images when it is
// new. Refused, saying why, when a file stands where a folder must be or a
// folder cannot be created.
Result createSiteFolders(SiteRecord& site);
// The root and the log folder, where they do not exist: a window asks
// before createSiteFolders makes them.
QStringList missingTopFolders(const SiteRecord& site);

// The folders createSiteFolders would create first for the Site (the
// highest missing one above each of its folders), so that a new Site that
// could not be stored leaves nothing behind.
QStringList missingSiteFolders(const SiteRecord& site);

// Copies the files of Analog's images folder into target, never
// overwriting; returns how many were copied.
int copyAnalogImages(const QString& target);

} // namespace meridan
