#include "basecfg.h"

#include "analog/analoginstall.h"
#include "analog/cfggenerator.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/texts.h"

#include <QFile>
#include <QSet>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// What a generated configuration says for the Site: the logs, their format,
// the output, the period, the host and error file, the caches.
const char* const kSiteCommands[] = {"LOGFILE",
                                     "LOGFORMAT",
                                     "APACHELOGFORMAT",
                                     "DEFAULTLOGFORMAT",
                                     "APACHEDEFAULTLOGFORMAT",
                                     "OUTFILE",
                                     "OUTPUT",
                                     "FROM",
                                     "TO",
                                     "HOSTNAME",
                                     "ERRFILE",
                                     "CACHEFILE",
                                     "CACHEOUTFILE"};

// The command a configuration line starts with, in capitals: Analog reads
// a command in any case, after any blanks.
QByteArray commandOf(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && trimmed.at(end) != ' ' && trimmed.at(end) != '\t')
        ++end;
    return trimmed.left(end).toUpper();
}

QByteArray commentOutCommands(const QByteArray& text, const QSet<QByteArray>& commands)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (commands.contains(commandOf(line)))
            line.prepend('#');
    return lines.join('\n');
}

QSet<QByteArray> siteCommands()
{
    QSet<QByteArray> commands;
    for (const char* command : kSiteCommands)
        commands.insert(command);
    return commands;
}

} // namespace

QByteArray withoutSiteCommands(const QByteArray& text)
{
    // Every period of a Site ends its configuration with the same base
    // file: it is gone through once.
    thread_local QByteArray lastText;
    thread_local QByteArray lastResult;
    if (!text.isSharedWith(lastText) && text != lastText) {
        lastResult = commentOutCommands(text, siteCommands());
        lastText = text;
    }
    return lastResult;
}

QByteArray commentOutGeneratedCommands(const QByteArray& text, bool withImageDir, bool withLanguage)
{
    QSet<QByteArray> commands = siteCommands();
    if (withImageDir)
        commands.insert("IMAGEDIR");
    // What the Reports page and the language choice write must win over
    // the base file, which comes last (Debian's analog.cfg says ALL ON).
    for (const ReportCode& report : ReportCodes())
        commands.insert(report.keyword.toLatin1());
    commands.insert("ALL");
    commands.insert("REPORTORDER");
    if (withLanguage)
        for (const char* command : {"LANGUAGE", "LANGFILE", "DOMAINSFILE", "DESCFILE"})
            commands.insert(command);
    return commentOutCommands(text, commands);
}

Result PrepareDefaultBase(const SiteRecord& site, const QString& analogPath)
{
    const QString source = analogFolders(analogPath).configFile;
    if (!QFile::exists(source))
        return {}; // Analog's own configuration is read instead
    const QString destination = joinPath(site.cfgFolder(), u"analog.basecfg"_s);
    if (!QFile::exists(destination))
        QFile::copy(source, destination);
    QByteArray text;
    if (!readFileUpToNul(destination, &text))
        return Result::refused(texts::errorOpeningFile(destination));
    const QByteArray prepared = commentOutGeneratedCommands(
        text, !site.ImagePath.isEmpty(), !site.Language.isEmpty() || !site.LangCode.isEmpty());
    if (prepared == text)
        return {}; // nothing to switch off: the user's file stays untouched
    return writeFileAtomically(destination, prepared);
}

namespace {

// The Site is saved whatever becomes of its base file.
Result withBaseFile(const Result& saved, const SiteRecord& site, const QString& analogPath)
{
    if (!saved)
        return saved;
    const Result base = PrepareDefaultBase(site, analogPath);
    QStringList notes;
    for (const QString& text : {saved.message(), base.message()})
        if (!text.isEmpty())
            notes.append(text);
    return Result::doneWith(notes.join(u'\n'));
}

} // namespace

Result SaveSite(SiteRecord& site, SiteRecord::SaveMode mode, const SiteRecord::StoreWork& alongside)
{
    const Result saved = site.Save(mode, alongside);
    return withBaseFile(saved, site, saved ? Preferences::analogPathInUse() : QString());
}

Result SaveSiteChanges(SiteRecord& site, const SiteRecord& before, const QString& analogPath,
                       const SiteRecord::StoreWork& alongside)
{
    return withBaseFile(site.SaveChanges(before, alongside), site, analogPath);
}

QString OutFileOfConfig(const SiteRecord& site, const QString& nameOrPath)
{
    const bool isPath = nameOrPath.contains(u'/') || nameOrPath.contains(u'\\');
    const QString path = isPath ? nameOrPath : site.configFile(nameOrPath);
    QByteArray text;
    if (!readFileUpToNul(path, &text))
        return path;
    return outFileOfConfigText(text).value_or(path);
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
