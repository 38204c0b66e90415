#include "reportaccess.h"

#include "analog/basecfg.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QString linkTitle(const QString& siteName)
{
    return u"Statistics for Web server "_s + siteName;
}

// Values of a desktop entry escape backslashes and line breaks.
QByteArray entryValue(QString text)
{
    return text.replace(u'\\', u"\\\\"_s).replace(u'\n', u"\\n"_s).toUtf8();
}

} // namespace

QString generalIndexPage(const SiteRecord& site)
{
    return joinPath(site.reportsFolder(), u"index.html"_s);
}

QString reportFileToOpen(const SiteRecord& site, const QString& periodName)
{
    const QString report = OutFileOfConfig(site, periodName);
    if (report.endsWith(u".dat"_s, Qt::CaseInsensitive))
        return joinPath(folderOfPath(report), u"index.html"_s);
    return report;
}

QString desktopLinkPath(const QString& siteName)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir())
        return {};
    return joinPath(desktop, linkTitle(siteName) + u".desktop"_s);
}

QByteArray desktopLinkText(const QString& siteName, const QString& indexPage)
{
    const QByteArray title = entryValue(linkTitle(siteName));
    return "[Desktop Entry]\nVersion=1.0\nType=Link\nName=" + title + "\nComment=" + title +
           "\nIcon=text-html\nURL=" + QUrl::fromLocalFile(indexPage).toEncoded() + "\n";
}

Result createDesktopLink(const QString& siteName, const QString& indexFolder)
{
    const QString path = desktopLinkPath(siteName);
    if (path.isEmpty())
        return Result::refused(texts::Common::tr("No link was made: there is no Desktop folder."));
    const QByteArray text = desktopLinkText(siteName, joinPath(indexFolder, u"index.html"_s));
    if (Result written = writeFileAtomically(path, text); !written)
        return written;
    // Desktops only trust a link file that may be executed.
    if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                         QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                         QFileDevice::ExeOther))
        return Result::refused(
            texts::Common::tr("The link %1 was made, but it cannot be made executable, so the "
                              "desktop may not open it.")
                .arg(path));
    return {};
}

} // namespace meridan
