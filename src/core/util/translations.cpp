#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QString ownFolder = u":/meridan/translations"_s;

// The application owns the translators it keeps.
void installOrDrop(QTranslator* translator, bool loaded)
{
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void installTranslation(const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    installOrDrop(translator, translator->load(locale, name, u"_"_s, folder));
}

// English, the sources' language, has a catalogue for its plural forms
// ("1 file", "2 files"); it also serves every language without one.
void installEnglishPlurals()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    installOrDrop(translator, translator->load(u"meridan_en"_s, ownFolder));
}

} // namespace

void installTranslations(const QLocale& locale)
{
    installEnglishPlurals(); // first, so that the locale's catalogue comes before it
    installTranslation(locale, u"meridan"_s, ownFolder);
    // Qt's translation names the buttons of its standard dialogs.
    installTranslation(locale, u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QStringList translatedLanguages(const QLocale& locale)
{
    QStringList languages;
    for (QString language : locale.uiLanguages()) {
        language.replace(u'-', u'_');
        if (language == u"en"_s || language.startsWith(u"en_"_s))
            break;
        for (;;) {
            if (!languages.contains(language))
                languages << language;
            const qsizetype cut = language.lastIndexOf(u'_');
            if (cut < 0)
                break;
            language.truncate(cut);
        }
    }
    return languages;
}

} // namespace meridan
