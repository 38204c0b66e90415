#include "siterules.h"

#include "build/analoginstall.h"
#include "cfggen/variables.h"
#include "common/files.h"
#include "common/messages.h"
#include "common/texts.h"
#include "settings/siterecord.h"

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

namespace {

// The root and the log folder: a file there refuses, a missing folder is
// created after asking.
bool ensureTopFolder(const QString& path, bool askFirst, bool withParents)
{
    switch (pathKind(path)) {
    case PathKind::Folder:
        return true;
    case PathKind::File:
        messages().error(texts::fileIsNotFolder(path));
        return false;
    case PathKind::Missing:
        break;
    }
    if (askFirst && !messages().ask(texts::askCreateFolder(path)))
        return false;
    // Failures of the creation itself show later, where the folder is used.
    if (withParents)
        QDir().mkpath(path);
    else
        QDir().mkdir(path);
    return true;
}

} // namespace

int copyAnalogImages(const QString& target)
{
    const QDir source(analogFolders().imagesFolder);
    int copied = 0;
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        if (name.startsWith(u'.'))
            continue;
        if (QFile::copy(source.filePath(name), joinPath(target, name)))
            ++copied;
    }
    return copied;
}

bool createSiteFolders(SiteRecord& site, bool askFirst)
{
    if (!ensureTopFolder(site.Root, askFirst, true))
        return false;
    QDir().mkdir(site.cfgFolder());
    QDir().mkdir(site.reportsFolder());
    if (!site.ImagePath.isEmpty()) {
        site.ImagePath = u"images"_s;
        const QString images = joinPath(site.reportsFolder(), u"images"_s);
        if (QDir().mkdir(images))
            copyAnalogImages(images);
    }
    return ensureTopFolder(site.LogsDir, askFirst, false);
}

} // namespace meridan
