#pragma once

#include <QString>

namespace meridan {

// A file shipped with the program (Meridan.ini, help.html), by name, as
// installed beside the running executable's share folder; "" when it is not
// there or no application object exists.
QString installedDataFile(const QString& name);
// The folder those files are looked for in.
QString installedDataFolder();

} // namespace meridan
