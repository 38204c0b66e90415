#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

void installTranslation(const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance()); // the application owns it
    if (translator->load(locale, name, u"_"_s, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(const QLocale& locale)
{
    const QString ownFolder = u":/meridan/translations"_s;
    // English, the sources' language, has a catalogue for its plural forms
    // ("1 file", "2 files"), which also serves every language without one.
    // Installed first, so that the locale's catalogue comes before it.
    installTranslation(QLocale(QLocale::English), u"meridan"_s, ownFolder);
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
