#include "datapaths.h"

#include "config-meridan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QString besideProgram(const char* relativeFolder, const QString& name)
{
    if (!QCoreApplication::instance())
        return {};
    const QDir folder(QCoreApplication::applicationDirPath() + u'/' +
                      QString::fromUtf8(relativeFolder));
    const QFileInfo file(folder.filePath(name));
    return file.isFile() ? file.canonicalFilePath() : QString();
}

} // namespace

QString installedDataFile(const QString& name)
{
    return besideProgram(MERIDAN_DATA_FROM_BIN, name);
}

QString installedDataFolder()
{
    if (!QCoreApplication::instance())
        return {};
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' +
                           QString::fromUtf8(MERIDAN_DATA_FROM_BIN));
}

} // namespace meridan
