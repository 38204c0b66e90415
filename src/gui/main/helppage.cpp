#include "helppage.h"

#include "util/datapaths.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace meridan {

QString helpPagePath()
{
    // The page in the first of the user's languages that has one; English
    // is the page without a language in its name.
    for (const QString& language : QLocale().uiLanguages()) {
        const QString code = language.section(u'-', 0, 0);
        if (code == u"en"_s)
            break;
        if (const QString page = installedDocFile(u"help_%1.html"_s.arg(code)); !page.isEmpty())
            return page;
    }
    return installedDocFile(u"help.html"_s);
}

} // namespace meridan
