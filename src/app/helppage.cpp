#include "helppage.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

QString helpPagePath()
{
    const QString installed =
        QCoreApplication::applicationDirPath() + u"/../share/doc/meridan/help.html"_s;
    if (QFileInfo::exists(installed))
        return QFileInfo(installed).canonicalFilePath();
    return QStringLiteral(MERIDAN_SOURCE_RES_DIR "/help.html");
}

} // namespace meridan
