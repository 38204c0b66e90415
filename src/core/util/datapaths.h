#pragma once

#include <QString>

namespace meridan {

// A file shipped with the program (Meridan.ini), by name, as installed
// beside the running executable's share folder; "" when it is not there or
// no application object exists.
QString installedDataFile(const QString& name);
// A file of the program's documentation (help.html), likewise.
QString installedDocFile(const QString& name);

} // namespace meridan
