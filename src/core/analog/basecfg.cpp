#include "basecfg.h"

#include "analog/analoginstall.h"
#include "analog/cfggenerator.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

bool endsWord(const QByteArray& text, qsizetype at)
{
    return at >= text.size() || text.at(at) == ' ' || text.at(at) == '\t' || text.at(at) == '\r' ||
           text.at(at) == '\n';
}

// Comments out every line that starts with the command as a whole word, so
// that commands which merely begin alike (ALLCHART, HOSTCOLS) stay active.
void commentOutWord(QByteArray& text, const QByteArray& command)
{
    const QByteArray lineStart = '\n' + command;
    for (qsizetype at = text.indexOf(lineStart); at >= 0; at = text.indexOf(lineStart, at + 2)) {
        if (endsWord(text, at + lineStart.size()))
            text.insert(at + 1, '#');
    }
}

} // namespace

QByteArray commentOutGeneratedCommands(QByteArray text, bool withImageDir, bool withLanguage)
{
    static const char* const kCommands[] = {"LOGFILE", "LOGFORMAT", "APACHELOGFORMAT",
                                            "OUTFILE", "OUTPUT",    "FROM",
                                            "TO",      "HOSTNAME",  "ERRFILE"};
    for (const char* command : kCommands)
        text.replace(QByteArray("\n").append(command), QByteArray("\n#").append(command));
    if (withImageDir)
        text.replace("\nIMAGEDIR", "\n#IMAGEDIR");
    // What the Reports page and the language choice write must win over
    // the base file, which comes last (Debian's analog.cfg says ALL ON).
    for (const ReportCode& report : ReportCodes())
        commentOutWord(text, report.keyword.toLatin1());
    commentOutWord(text, "ALL");
    commentOutWord(text, "REPORTORDER");
    if (withLanguage)
        for (const char* command : {"LANGUAGE", "LANGFILE", "DOMAINSFILE", "DESCFILE"})
            commentOutWord(text, command);
    return text;
}

bool PrepareDefaultBase(const SiteRecord& site, const QString& analogPath)
{
    const QString source = analogFolders(analogPath).configFile;
    if (!QFile::exists(source))
        return false;
    const QString destination = joinPath(site.cfgFolder(), u"analog.basecfg"_s);
    if (!QFile::exists(destination))
        QFile::copy(source, destination);
    QByteArray text;
    if (!readFileUpToNul(destination, &text)) {
        messages().error(texts::errorOpeningFile(destination));
        return false;
    }
    const QByteArray prepared = commentOutGeneratedCommands(
        text, !site.ImagePath.isEmpty(), !site.Language.isEmpty() || !site.LangCode.isEmpty());
    if (prepared == text)
        return true; // nothing to switch off: the user's file stays untouched
    return writeFileAtomically(destination, prepared).report();
}

bool SaveSite(SiteRecord& site, SiteRecord::SaveMode mode, const SiteRecord::StoreWork& alongside)
{
    if (!site.Save(mode, alongside))
        return false;
    PrepareDefaultBase(site, Preferences::analogPathInUse()); // its result is not the save's
    return true;
}

bool SaveSiteChanges(SiteRecord& site, const SiteRecord& before, const QString& analogPath,
                     const SiteRecord::StoreWork& alongside)
{
    if (!site.SaveChanges(before, alongside))
        return false;
    PrepareDefaultBase(site, analogPath);
    return true;
}

bool OutFileOfConfig(const SiteRecord& site, const QString& nameOrPath, QString* result)
{
    const bool isPath = nameOrPath.contains(u'/') || nameOrPath.contains(u'\\');
    const QString path = isPath ? nameOrPath : site.configFile(nameOrPath);
    *result = path;
    QByteArray text;
    if (!readFileUpToNul(path, &text)) {
        messages().error(texts::errorOpeningFile(path));
        return false;
    }
    const std::optional<QString> outFile = outFileOfConfigText(text);
    if (!outFile)
        return false;
    *result = *outFile;
    return true;
}

std::optional<QString> outFileOfConfigText(const QByteArray& text)
{
    const qsizetype at = text.indexOf("OUTFILE ");
    if (at < 0)
        return std::nullopt;
    const qsizetype start = at + 8;
    const qsizetype lineEnd = text.indexOf('\n', start);
    QByteArray value = text.mid(start, lineEnd < 0 ? -1 : lineEnd - start);
    value.replace('\r', QByteArray()).replace('"', QByteArray());
    return QString::fromUtf8(value);
}

} // namespace meridan
