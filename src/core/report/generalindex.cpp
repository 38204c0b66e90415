#include "generalindex.h"

#include "analog/period.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/numbers.h"
#include "util/texts.h"

#include <QFile>
#include <QUrl>

using namespace Qt::StringLiterals;

// Resources of a static library must be registered by hand.
static void registerCoreResources()
{
    Q_INIT_RESOURCE(core);
}

namespace meridan {

namespace {

const QString kStyleSheet = u"merstyle.css"_s;

// The year of a row: the number its first four characters begin with.
int yearOfRow(const QString& name)
{
    return leadingNumber(QStringView(name).left(4));
}

QString upperFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

// True when the locale's short date puts the day before the month.
bool dayFirst(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(u'd');
    const qsizetype month = format.indexOf(u'M');
    return day >= 0 && month >= 0 && day < month;
}

// Text placed into a page, and a name placed into a link: a Site's name or
// a configuration file's name never becomes markup.
QByteArray html(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray hrefPart(const QByteArray& name)
{
    return QString::fromUtf8(QUrl::toPercentEncoding(QString::fromUtf8(name), "/-_.~"))
        .toHtmlEscaped()
        .toUtf8();
}

} // namespace

QByteArray defaultStyleSheet()
{
    registerCoreResources();
    QFile file(u":/meridan/merstyle.css"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CGeneralIndex::CGeneralIndex(const SiteRecord& site, const QStringList& reportList, bool ascending,
                             bool frames, const QLocale& locale)
    : m_site(site), m_reportList(reportList), m_ascending(ascending), m_frames(frames),
      m_locale(locale)
{
}

bool CGeneralIndex::write()
{
    if (m_frames && (!writePage(u"index.html"_s, u"index.html"_s, framesetPage()) ||
                     !writePage(u"merintro.html"_s, u"merintro.html"_s, titlePage())))
        return false;
    const QString navigation = m_frames ? u"mernav.html"_s : u"index.html"_s;
    if (!writePage(navigation, joinPath(m_site.reportsFolder(), navigation), navigationPage()))
        return false;
    writeStyleSheet();
    return true;
}

bool CGeneralIndex::writePage(const QString& fileName, const QString& shownName,
                              const QByteArray& text)
{
    const Result written = writeFileAtomically(joinPath(m_site.reportsFolder(), fileName), text);
    if (!written)
        messages().error(texts::errorCreatingFile(shownName) + u'\n' + written.message());
    return written.ok();
}

// A style sheet of the user's own is never replaced.
void CGeneralIndex::writeStyleSheet() const
{
    const QString path = joinPath(m_site.reportsFolder(), kStyleSheet);
    if (!QFile::exists(path))
        writeFileAtomically(path, defaultStyleSheet()).report();
}

QByteArray CGeneralIndex::title() const
{
    return html(u"Statistics for Web server "_s + m_site.name);
}

QByteArray CGeneralIndex::framesetPage() const
{
    return "<html>\r\n<head><meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=utf-8\"><title>" +
           title() +
           "</title></head>\r\n"
           "<frameset  border=\"1\" framespacing=\"0\" cols=\"200,*\" "
           "onLoad=\"if (self !=top) top.location=self.location\">\r\n"
           "<frame src=\"mernav.html\" name=\"toc\" marginwidth=\"5\" marginheight=\"5\" "
           "scrolling=\"auto\">\r\n"
           "<frame src=\"merintro.html\" name=\"report\" marginwidth=\"5\" marginheight=\"5\" "
           "scrolling=\"auto\">\r\n"
           "<noframes>\r\n<body><H1>Frames<H1></body>\r\n</noframes>\r\n</frameset>\r\n"
           "</html>\r\n";
}

QByteArray CGeneralIndex::titlePage() const
{
    return "<html>\r\n<head><meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=utf-8\">\r\n"
           "<LINK REL=stylesheet TYPE=\"text/css\" HREF=\"merstyle.css\"></head>\r\n"
           "<body><table width=\"100%\" height=\"100%\"><tr><td><H1 align=\"center\">" +
           title() + "</H1></td></tr></table></body></html>\r\n";
}

QByteArray CGeneralIndex::navigationPage() const
{
    QByteArray page = "<html><head><title>" + title() +
                      "</title>\r\n"
                      "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=utf-8\">\r\n"
                      "<LINK REL=stylesheet TYPE=\"text/css\" HREF=\"merstyle.css\"></head>\r\n";
    if (m_frames)
        page += "<body>\r\n";
    else
        page += "<body  onLoad=\"if (self !=top) top.location=self.location\">\r\n<H1>" + title() +
                "</H1>\r\n";
    int previousYear = 0;
    for (qsizetype row = 0; row < m_reportList.size(); ++row) {
        const int year = yearOfRow(m_reportList.at(row));
        if (year == previousYear)
            continue;
        page += yearBlock(row);
        previousYear = year;
    }
    return page + "</body></html>";
}

QByteArray CGeneralIndex::yearBlock(qsizetype firstRow) const
{
    const QString& first = m_reportList.at(firstRow);
    QByteArray block = "<H3>Year: " + html(first.left(4)) + "</H3>\r\n<p>";
    static const int kAscending[] = {kDay, kWeek, kMonth, kQuarter, kHalfYear, kYear};
    static const int kDescending[] = {kYear, kHalfYear, kQuarter, kMonth, kWeek, kDay};
    const int year = yearOfRow(first);
    for (int kind : m_ascending ? kAscending : kDescending) {
        bool linked = false;
        for (qsizetype row = firstRow;
             row < m_reportList.size() && yearOfRow(m_reportList.at(row)) == year; ++row) {
            if (PeriodicityOfName(m_reportList.at(row)) != kind)
                continue;
            block += link(m_reportList.at(row));
            linked = true;
        }
        if (linked)
            block += "<br>";
    }
    return block;
}

QByteArray CGeneralIndex::link(const QString& periodName) const
{
    const QByteArray name = periodName.toUtf8();
    const QByteArray report =
        m_site.PostProcessCmd.isEmpty() ? QByteArray("/stats").append(name) : QByteArray("/index");
    const QByteArray target = m_frames ? "\"report\"" : "\"_blank\"";
    return "<a href=\"" + hrefPart(name + report) + ".html\" target=" + target + ">" +
           html(caption(periodName)) + "</a><br>\r\n";
}

QString CGeneralIndex::caption(const QString& name) const
{
    const auto numberAt = [&](qsizetype position) { return name.mid(position, 2).toInt(); };
    switch (PeriodicityOfName(name)) {
    case kYear:
        return u"Annual report"_s;
    case kHalfYear: {
        const QString half = name.mid(6, 1);
        return half == u"1"_s   ? u"First half year"_s
               : half == u"2"_s ? u"Second half year"_s
                                : QString();
    }
    case kQuarter: {
        static const QStringList quarters = {u"First quarter"_s, u"Second quarter"_s,
                                             u"Third quarter"_s, u"Fourth quarter"_s};
        const int quarter = name.mid(6, 1).toInt();
        return quarter >= 1 && quarter <= 4 ? quarters.at(quarter - 1) : QString();
    }
    case kMonth:
        return upperFirst(m_locale.standaloneMonthName(numberAt(5), QLocale::LongFormat));
    case kWeek:
        return u"Week "_s + name.mid(6, 2);
    case kDay: {
        const QString month = m_locale.monthName(numberAt(5), QLocale::LongFormat);
        const QString day = name.mid(8, 2);
        return dayFirst(m_locale) ? day + u' ' + month : month + u' ' + day;
    }
    default:
        return {};
    }
}

} // namespace meridan
