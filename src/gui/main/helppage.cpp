#include "helppage.h"

#include "util/datapaths.h"

using namespace Qt::StringLiterals;

namespace meridan {

QString helpPagePath()
{
    return installedDocFile(u"help.html"_s);
}

} // namespace meridan
