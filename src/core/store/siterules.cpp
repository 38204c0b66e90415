#include "siterules.h"

#include "store/siterecord.h"
#include "store/variablenames.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QDir>
#include <QFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace meridan {

QString trimmedField(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (first < last && blank(text.at(first)))
        ++first;
    while (last > first && blank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

QString defaultAnalogCommand()
{
    return u"-G -g\"%CfgFile%\""_s;
}

QString analogCommandOrDefault(const QString& text)
{
    const QString command = trimmedField(text);
    return command.isEmpty() ? defaultAnalogCommand() : command;
}

void chooseLanguage(SiteRecord& site, const QString& language)
{
    site.Language = language;
    site.LangCode.clear();
}

void chooseLanguageFile(SiteRecord& site, const QString& langCode)
{
    site.LangCode = langCode;
    if (!langCode.isEmpty())
        site.Language.clear();
}

namespace {
bool parsesWithServer(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() && !url.host().isEmpty();
}
} // namespace

std::optional<QString> acceptedFtpUrl(const QString& text)
{
    const QString url = trimmedField(text);
    if (parsesWithServer(url))
        return url;
    const QString prefixed = u"ftp://"_s + url;
    if (!url.isEmpty() && parsesWithServer(prefixed))
        return prefixed;
    return std::nullopt;
}

QString normalizedPostProcess(const QString& text)
{
    QString command = text;
    NormalizeVariables(command);
    return command;
}

bool holdsLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

QString lineBreakProblem(const QString& what)
{
    return u"%1 cannot hold a line break or a NUL character."_s.arg(what);
}

QString namingSchemeProblem(const QString& scheme)
{
    const QString path = QString(scheme).replace(u'\\', u'/');
    const bool climbs = path.split(u'/').contains(u".."_s);
    if (path.startsWith(u'/') || climbs)
        return u"The naming scheme \"%1\" must stay below the log folder: no \"..\" and no "
               u"leading \"/\"."_s.arg(scheme);
    return {};
}

namespace {

bool isValue(const QString& valueName, QStringView wanted)
{
    return valueName.compare(wanted, Qt::CaseInsensitive) == 0;
}

QString quoteOrPercentProblem(const QString& what, const QString& text, bool percentToo)
{
    if (text.contains(u'"') || (percentToo && text.contains(u'%')))
        return percentToo ? u"%1 cannot hold a double quote (\") or a percent sign (%)."_s.arg(what)
                          : u"%1 cannot hold a double quote (\")."_s.arg(what);
    return {};
}

} // namespace

QString valueProblem(const QString& valueName, const QString& text)
{
    if (holdsLineBreak(text))
        return lineBreakProblem(valueName);
    const bool folderName = isValue(valueName, u"CfgDir") || isValue(valueName, u"ReportsRoot");
    if (folderName || isValue(valueName, u"Root") || isValue(valueName, u"LogsDir"))
        if (QString problem = quoteOrPercentProblem(valueName, text, true); !problem.isEmpty())
            return problem;
    if (folderName && (text.isEmpty() || text.contains(u'/') || text.contains(u'\\') ||
                       text == u"."_s || text == u".."_s))
        return u"%1 must be a folder name without \"/\" or \"\\\", and not \".\" or \"..\"."_s.arg(
            valueName);
    if (isValue(valueName, u"ErrorFile"))
        return quoteOrPercentProblem(valueName, text, false);
    // A password in the address would be stored in clear and shown.
    if (isValue(valueName, u"FTPUrl") && !QUrl(text).password().isEmpty())
        return u"The FTP URL holds a password: give the user as FTPUser and the password as "
               u"FTPAccess (FTPAccess=- reads it from standard input)."_s;
    if (isValue(valueName, u"LogNameStruct")) {
        if (QString problem = quoteOrPercentProblem(valueName, text, false); !problem.isEmpty())
            return problem;
        return namingSchemeProblem(text);
    }
    return {};
}

QString siteProblem(const SiteRecord& site)
{
    if (QString problem = siteNameProblem(site.name); !problem.isEmpty())
        return problem;
    for (const SiteValue& value : siteValues(site))
        if (QString problem = valueProblem(value.name, value.text); !problem.isEmpty())
            return problem;
    return {};
}

} // namespace meridan
