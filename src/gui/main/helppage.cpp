#include "helppage.h"

#include "util/datapaths.h"
#include "util/translations.h"

using namespace Qt::StringLiterals;

namespace meridan {

QString helpPagePath()
{
    // English is the page without a language in its name.
    for (const QString& language : translatedLanguages())
        if (const QString page = installedDocFile(u"help_%1.html"_s.arg(language)); !page.isEmpty())
            return page;
    return installedDocFile(u"help.html"_s);
}

} // namespace meridan
