#pragma once

#include <QString>
#include <QStringList>

namespace meridan {

// Where Analog keeps what we read from it. A self-built Analog has
// "analog.cfg", "lang" and "images" next to its executable; otherwise the
// distribution's layout applies.
struct AnalogFolders
{
    QString configFile;
    QString languageFolder;
    QString imagesFolder;
};

AnalogFolders analogFolders(const QString& analogPath);
AnalogFolders analogFolders(); // for the stored preference

// The names (before their first ".") of Analog's "*.lng" files, sorted.
QStringList analogLanguageFiles();

} // namespace meridan
