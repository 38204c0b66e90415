// A server's listing and where its names land: entries are plain names,
// and a name that maps lands inside the log folder.
#include "remote/remotelisting.h"
#include "remote/remotenames.h"
#include "store/siterecord.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace meridan;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir logs;
    const RemoteListing listing =
        parseRemoteListing(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    SiteRecord site;
    site.LogsDir = logs.path();
    site.LogNameStruct = u"%yyyy%\\%mm%\\x%yyyy%%mm%%dd%.log"_s;
    for (const RemoteEntry& entry : listing.entries) {
        if (entry.rawName.isEmpty() || entry.rawName.contains('\n') || entry.rawName == "." ||
            entry.rawName == "..")
            std::abort();
        const LocalTarget target = mapRemoteName(site, entry.name);
        if (target.result && (!target.path.startsWith(logs.path() + u'/') ||
                              QDir::cleanPath(target.path) != target.path))
            std::abort();
    }
    return 0;
}
