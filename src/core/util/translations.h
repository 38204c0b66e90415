#pragma once

#include <QLocale>

namespace meridan {

// Installs the program's translation and Qt's own for the locale's languages,
// the first one found of each; English, the language of the sources, needs
// none. Call it once the application object exists.
void installTranslations(const QLocale& locale = QLocale());

} // namespace meridan
