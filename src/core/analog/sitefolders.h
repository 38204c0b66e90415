#pragma once

#include <QString>
#include <QStringList>

namespace meridan {

class SiteRecord;

// Creates the Site's folders as the Folders page does when the sheet
// applies: the root and the log folder (after asking when askFirst is set),
// the configuration and reports folders, and the images folder filled with
// Analog's images when it is new. False (after a message) when a file
// stands where a root must be, a folder cannot be created, or the user
// declined.
bool createSiteFolders(SiteRecord& site, bool askFirst);

// The folders createSiteFolders would create first for the Site (the
// highest missing one above each of its folders), so that a new Site that
// could not be stored leaves nothing behind.
QStringList missingSiteFolders(const SiteRecord& site);

// Copies the files of Analog's images folder into target, never
// overwriting; returns how many were copied.
int copyAnalogImages(const QString& target);

} // namespace meridan
