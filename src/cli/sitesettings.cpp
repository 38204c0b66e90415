#include "sitesettings.h"

#include "analog/basecfg.h"
#include "analog/sitefolders.h"
#include "commandcontext.h"
#include "store/settingsstore.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "store/variablenames.h"
#include "util/texts.h"

#include <QMap>

using namespace Qt::StringLiterals;

namespace meridan::cli {

namespace {

bool isMonthName(const QString& name)
{
    return name.size() == 6 &&
           std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

bool named(const QString& name, const QString& wanted)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

Result applyFormatList(SiteSettings& s, const QString& text, QStringList* months)
{
    months->clear();
    for (const QString& month : text.split(u'|', Qt::SkipEmptyParts)) {
        if (!isValidMonthText(month))
            return Result::refused(
                Cli::tr("LogFormatChanges: \"%1\" is no month yyyymm from 199201 to 206912.")
                    .arg(month));
        months->append(month);
    }
    s.formatsChanged = true;
    return {};
}

Result applySpecialList(SiteSettings& s, const QString& text)
{
    if (!text.isEmpty() && !text.endsWith(u'|'))
        return Result::refused(Cli::tr("LogSpecial: every entry ends with \"|\" (yyyymm*file|)."));
    const QList<SpecialMonth> rows = parseSpecialMonths(text);
    for (const SpecialMonth& row : rows)
        if (!isValidMonthText(row.month) || row.file.isEmpty())
            return Result::refused(
                Cli::tr("LogSpecial: \"%1*%2\" is no entry yyyymm*file.").arg(row.month, row.file));
    s.specialMonths = rows;
    s.specialChanged = true;
    return {};
}

// Joins the months of the list with their formats, given or stored.
Result buildFormatChanges(SiteSettings& s, const QStringList& months,
                          const QMap<QString, QString>& given)
{
    QMap<QString, FormatChange> stored;
    for (const FormatChange& row : std::as_const(s.formatChanges))
        stored.insert(row.month, row);
    for (auto it = given.begin(); it != given.end(); ++it)
        if (!months.contains(it.key()))
            return Result::refused(Cli::tr("%1 is not listed in LogFormatChanges.").arg(it.key()));
    QList<FormatChange> rows;
    for (const QString& month : months) {
        if (given.contains(month)) {
            const QString value = given.value(month);
            rows.append({month, value.startsWith(u'A'), value.mid(1)});
        } else if (stored.contains(month)) {
            rows.append(stored.value(month));
        } else {
            return Result::refused(
                Cli::tr("The format change %1 has no format: give %1=A<format> or %1=L<format>.")
                    .arg(month));
        }
    }
    s.formatChanges = rows;
    return {};
}

// What the pairs of one command gave that is settled after all of them.
struct PairsSeen
{
    QStringList months; // of the format changes
    QMap<QString, QString> givenFormats;
    bool schemeTouched = false;
    bool languageGiven = false;
    bool langCodeGiven = false;
};

Result applyFormatOfMonth(SiteSettings& s, const QString& month, const QString& text,
                          PairsSeen& seen)
{
    seen.givenFormats.insert(month, text);
    s.formatsChanged = true;
    if (!text.startsWith(u'A') && !text.startsWith(u'L'))
        return Result::refused(
            Cli::tr("%1 takes \"A\" (APACHELOGFORMAT) or \"L\" (LOGFORMAT) followed by the format.")
                .arg(month));
    return {};
}

Result applyPair(SiteSettings& s, const QString& name, QString text, PairsSeen& seen)
{
    if (holdsLineBreak(text))
        return refusedLineBreak(name);
    if (named(name, values::LogFormatChanges))
        return applyFormatList(s, text, &seen.months);
    if (named(name, values::LogSpecial))
        return applySpecialList(s, text);
    if (isMonthName(name))
        return applyFormatOfMonth(s, name, text, seen);
    if (!isSiteFieldName(name))
        return Result::refused(Cli::tr("%1 is not a value of a Site.").arg(name));
    seen.schemeTouched |= named(name, values::LogNameStruct) || named(name, values::LogPeriodicity);
    seen.languageGiven |= named(name, values::Language);
    seen.langCodeGiven |= named(name, values::LangCode);
    if (Result accepted = acceptValue(name, &text); !accepted)
        return accepted;
    return setSiteField(s.site, name, text);
}

} // namespace

SiteSettings SiteSettings::of(const SiteRecord& site)
{
    SiteSettings settings;
    settings.site = site;
    settings.loaded = site;
    settings.formatChanges = settings.site.formatChanges;
    settings.specialMonths = settings.site.specialMonths;
    return settings;
}

bool splitPairs(const QStringList& arguments, ValuePairs* pairs)
{
    for (const QString& argument : arguments) {
        const qsizetype equals = argument.indexOf(u'=');
        if (equals <= 0)
            return false;
        pairs->append({argument.left(equals), argument.mid(equals + 1)});
    }
    return true;
}

Result applyPairs(SiteSettings& s, const ValuePairs& pairs)
{
    PairsSeen seen;
    for (const FormatChange& row : std::as_const(s.formatChanges))
        seen.months.append(row.month);
    for (const auto& [name, value] : pairs)
        if (Result problem = applyPair(s, name, value, seen); !problem)
            return problem;
    if (s.formatsChanged)
        if (Result built = buildFormatChanges(s, seen.months, seen.givenFormats); !built)
            return built;
    if (seen.schemeTouched)
        if (Result scheme = CheckNamingScheme(s.site.LogNameStruct, s.site.LogPeriodicity); !scheme)
            return scheme;
    if (!s.site.Language.isEmpty() && !s.site.LangCode.isEmpty()) {
        if (seen.languageGiven && seen.langCodeGiven)
            return Result::refused(Cli::tr("A Site uses either Language or LangCode, not both."));
        if (seen.languageGiven)
            chooseLanguage(s.site, s.site.Language);
        else
            chooseLanguageFile(s.site, s.site.LangCode);
    }
    return {};
}

bool saveSettings(SiteSettings& s, const QString& analogPath)
{
    // Rows the line cannot hold are refused before anything is stored.
    if (!checkFormatRows(s.formatChanges).report() || !checkSpecialRows(s.specialMonths).report() ||
        !createSiteFolders(s.site).report())
        return false;
    return SaveSiteChanges(
               s.site, s.loaded, analogPath,
               [&](StoreTransaction& tx, const QString& keyPath) {
                   return (!s.formatsChanged || writeFormatChanges(tx, keyPath, s.formatChanges)) &&
                          (!s.specialChanged || writeSpecialMonths(tx, keyPath, s.specialMonths));
               })
        .report();
}

} // namespace meridan::cli
