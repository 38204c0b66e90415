#include "analoginstall.h"

#include "store/preferences.h"
#include "util/files.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

AnalogFolders analogFolders(const QString& analogPath)
{
    const QString folder = folderOfPath(analogPath);
    if (!folder.isEmpty() && QFileInfo(joinPath(folder, u"analog.cfg"_s)).isFile())
        return {joinPath(folder, u"analog.cfg"_s), joinPath(folder, u"lang"_s),
                joinPath(folder, u"images"_s)};
    return {u"/etc/analog.cfg"_s, u"/usr/share/analog/lang"_s, u"/usr/share/analog/images"_s};
}

AnalogFolders analogFolders()
{
    return analogFolders(Preferences::analogPathInUse());
}

QStringList analogLanguageFiles()
{
    QStringList names;
    const QDir folder(analogFolders().languageFolder);
    for (const QString& file : folder.entryList({u"*.lng"_s}, QDir::Files, QDir::Name))
        names.append(file.section(u'.', 0, 0));
    names.removeDuplicates();
    return names;
}

} // namespace meridan
