#include "remotenames.h"

#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"
#include "util/texts.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QString unsafeNameReason(const QString& name)
{
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    if (name.isEmpty() || name == u"."_s || name == u".."_s || name.contains(u'/') ||
        name.contains(u'\\') || control)
        return texts::Remote::tr("The remote name \"%1\" is no plain file name and was not copied.")
            .arg(texts::printable(name));
    if (holdsShellCharacter(name))
        return texts::Remote::tr("The remote name \"%1\" holds a character that a shell would "
                                 "read (one of $ ` \" \\ ; | & ( ) < > '), and Analog hands log "
                                 "names to a shell to uncompress them; it was not copied.")
            .arg(texts::printable(name));
    return {};
}

// The characters of name where marker stands in the position template.
std::optional<QString> valueAt(const QString& templ, const QString& marker, const QString& name,
                               int offset, int width)
{
    const qsizetype at = templ.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    return name.mid(at + offset, width);
}

// The folder pattern with the date the file name holds where the file
// pattern has its markers.
QString folderOfName(QString folder, const QString& filePattern, const QString& name)
{
    const QString templ = QString(filePattern)
                              .replace(u"%yyyy%"_s, u"%ya%"_s)
                              .replace(u"%yy%"_s, u"%a"_s)
                              .replace(u"%mm%"_s, u"%n"_s)
                              .replace(u"%dd%"_s, u"%j"_s);
    if (folder.contains(u"%yyyy%"_s))
        if (const auto year = valueAt(templ, u"%ya%"_s, name, 0, 4))
            folder.replace(u"%yyyy%"_s, *year);
    if (folder.contains(u"%yy%"_s)) {
        std::optional<QString> year = valueAt(templ, u"%a"_s, name, 0, 2);
        if (!year)
            year = valueAt(templ, u"%ya%"_s, name, 2, 2);
        if (year)
            folder.replace(u"%yy%"_s, *year);
    }
    if (folder.contains(u"%mm%"_s))
        if (const auto month = valueAt(templ, u"%n"_s, name, 0, 2))
            folder.replace(u"%mm%"_s, *month);
    if (folder.contains(u"%dd%"_s))
        if (const auto day = valueAt(templ, u"%j"_s, name, 0, 2))
            folder.replace(u"%dd%"_s, *day);
    return folder;
}

// The file in localFolder, made (one level) when it is missing.
LocalTarget targetIn(const QString& localFolder, const QString& name)
{
    const QString local = localFolder + u'/';
    switch (pathKind(localFolder)) {
    case PathKind::File:
        return {Result::refused(texts::fileIsNotFolder(local)), {}};
    case PathKind::Missing:
        QDir().mkdir(localFolder); // a failure shows when the copy fails
        break;
    case PathKind::Folder:
        break;
    }
    return {{}, local + name};
}

} // namespace

Result checkRemoteName(const QString& name)
{
    const QString reason = unsafeNameReason(name);
    return reason.isEmpty() ? Result() : Result::refused(reason);
}

LocalTarget mapRemoteName(const SiteRecord& site, const QString& name)
{
    if (const QString reason = unsafeNameReason(name); !reason.isEmpty())
        return {Result::refused(reason), {}};
    // A scheme stored by hand may climb out of the log folder on its own.
    if (const Result inside = checkSchemeStaysInside(site.LogNameStruct); !inside)
        return {inside, {}};
    const QString scheme = QString(site.LogNameStruct).replace(u'\\', u'/');
    const qsizetype last = scheme.lastIndexOf(u'/');
    if (last < 0)
        return {{}, joinPath(QDir::cleanPath(site.LogsDir), name)};
    const QString folderPattern = scheme.left(last + 1);
    const QString folder = folderOfName(folderPattern, scheme.mid(last + 1), name);
    // What the name put into the folder never climbs out of the log folder.
    const QStringList written = folderPattern.split(u'/');
    const QStringList filled = folder.split(u'/');
    for (qsizetype i = 0; i < filled.size(); ++i)
        if ((filled.at(i) == u"."_s || filled.at(i) == u".."_s) && filled.at(i) != written.value(i))
            return {Result::refused(
                        texts::Remote::tr(
                            "The remote name \"%1\" would make the folder \"%2\", which is outside "
                            "the log folder; it was not copied.")
                            .arg(name, folder)),
                    {}};
    return targetIn(QDir::cleanPath(joinPath(site.LogsDir, folder)), name);
}

QByteArray RemoteFolder::rawFilePath(const RemoteEntry& entry) const
{
    return m_path.toUtf8() + '/' + (entry.rawName.isEmpty() ? entry.name.toUtf8() : entry.rawName);
}

bool RemoteFolder::open(const QString& name)
{
    if (name == u"."_s)
        return false;
    if (name == u".."_s) {
        const qsizetype last = m_path.lastIndexOf(u'/');
        if (last < 0)
            return false;
        m_path.truncate(last);
        return true;
    }
    m_path += u'/' + name;
    return true;
}

QList<RemoteEntry> RemoteFolder::rows(const QList<RemoteEntry>& entries) const
{
    QList<RemoteEntry> rows;
    if (!m_path.isEmpty())
        rows.append({u".."_s, true});
    for (const RemoteEntry& entry : entries)
        rows.insert(std::min<qsizetype>(1, rows.size()), entry);
    return rows;
}

} // namespace meridan
