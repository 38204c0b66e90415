#pragma once

#include <QLocale>
#include <QStringList>

namespace meridan {

// Installs the program's translation and Qt's own for the locale's languages,
// the first one found of each, over the English plural forms ("1 file"),
// which English, the language of the sources, needs alone. Call it once the
// application object exists.
void installTranslations(const QLocale& locale = QLocale());

// The locale's languages before the first English one, most wanted first,
// each followed by its broader forms: "fr_CA", "fr". Files translated for
// a language carry one of these in their names.
QStringList translatedLanguages(const QLocale& locale = QLocale());

} // namespace meridan
