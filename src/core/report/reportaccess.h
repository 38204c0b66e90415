#pragma once

#include "util/result.h"

#include <QByteArray>
#include <QString>

namespace meridan {

class SiteRecord;

// The general index page of a Site: reports folder + "/index.html".
QString generalIndexPage(const SiteRecord& site);

// The file to open for a period's report: the OUTFILE of its configuration
// file, or the "index.html" beside it when that is a ".dat" file (the
// post-process output of the computer-readable type). Nothing checks that
// the file exists.
QString reportFileToOpen(const SiteRecord& site, const QString& periodName);

// The desktop link "Statistics for Web server NAME.desktop" in the user's
// desktop folder, or "" when there is no desktop folder.
QString desktopLinkPath(const QString& siteName);

// The freedesktop link file pointing at the index page.
QByteArray desktopLinkText(const QString& siteName, const QString& indexPage);

// Writes (or replaces) the desktop link to the Site's index; refused,
// saying why, when there is no desktop or the link cannot be written.
Result createDesktopLink(const QString& siteName, const QString& indexFolder);

} // namespace meridan
