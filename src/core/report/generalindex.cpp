#include "generalindex.h"

#include "analog/period.h"
#include "analog/reportlist.h"
#include "store/siterecord.h"
#include "util/files.h"
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

Result CGeneralIndex::write()
{
    m_written.clear();
    if (m_frames) {
        if (Result page = writePage(u"index.html"_s, u"index.html"_s, framesetPage()); !page)
            return page;
        if (Result page = writePage(u"merintro.html"_s, u"merintro.html"_s, titlePage()); !page)
            return page;
    }
    const QString navigation = m_frames ? u"mernav.html"_s : u"index.html"_s;
    if (Result page =
            writePage(navigation, joinPath(m_site.reportsFolder(), navigation), navigationPage());
        !page)
        return page;
    // The index stands; what is left over only tells.
    QStringList problems;
    if (!m_frames)
        problems = removeFramePages();
    if (const Result sheet = writeStyleSheet(); !sheet)
        problems.append(sheet.message());
    return problems.isEmpty() ? Result() : Result::refused(problems.join(u'\n'));
}

// A page that already reads the same is left as it is, so that its time
// says when the index last changed.
Result CGeneralIndex::writePage(const QString& fileName, const QString& shownName,
                                const QByteArray& text)
{
    const QString path = joinPath(m_site.reportsFolder(), fileName);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == text.size() &&
        existing.readAll() == text)
        return {};
    const Result written = writeFileAtomically(path, text);
    if (!written)
        return Result::refused(texts::errorCreatingFile(shownName) + u'\n' + written.message());
    m_written.append(fileName);
    return {};
}

// The pages of an index with frames are gone once it has none, so that no
// stale list of reports stays to be found.
QStringList CGeneralIndex::removeFramePages()
{
    QStringList problems;
    for (const QString& page : {u"merintro.html"_s, u"mernav.html"_s}) {
        QFile file(joinPath(m_site.reportsFolder(), page));
        if (file.exists() && !file.remove())
            problems.append(texts::Report::tr("Could not remove %1: %2")
                                .arg(file.fileName(), file.errorString()));
    }
    return problems;
}

// A style sheet of the user's own is never replaced.
Result CGeneralIndex::writeStyleSheet()
{
    const QString path = joinPath(m_site.reportsFolder(), kStyleSheet);
    if (QFile::exists(path))
        return {};
    const Result written = writeFileAtomically(path, defaultStyleSheet());
    if (written)
        m_written.append(kStyleSheet);
    return written;
}

QByteArray CGeneralIndex::title() const
{
    return html(texts::Report::tr("Statistics for Web server %1").arg(m_site.name));
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
    QByteArray block =
        "<H3>" + html(texts::Report::tr("Year: %1").arg(first.left(4))) + "</H3>\r\n<p>";
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
        return texts::Report::tr("Annual report");
    case kHalfYear: {
        const QString half = name.mid(6, 1);
        return half == u"1"_s   ? texts::Report::tr("First half year")
               : half == u"2"_s ? texts::Report::tr("Second half year")
                                : QString();
    }
    case kQuarter: {
        const QString quarters[] = {
            texts::Report::tr("First quarter"), texts::Report::tr("Second quarter"),
            texts::Report::tr("Third quarter"), texts::Report::tr("Fourth quarter")};
        const int quarter = name.mid(6, 1).toInt();
        return quarter >= 1 && quarter <= 4 ? quarters[quarter - 1] : QString();
    }
    case kMonth:
        return upperFirst(m_locale.standaloneMonthName(numberAt(5), QLocale::LongFormat));
    case kWeek:
        return texts::Report::tr("Week %1").arg(name.mid(6, 2));
    case kDay: {
        const QString month = m_locale.monthName(numberAt(5), QLocale::LongFormat);
        const QString day = name.mid(8, 2);
        return dayFirst(m_locale) ? day + u' ' + month : month + u' ' + day;
    }
    default:
        return {};
    }
}

bool framesByDefault(const SiteRecord& site)
{
    return site.PostProcessCmd.isEmpty();
}

CGeneralIndex siteIndex(const SiteRecord& site, bool ascending, std::optional<bool> frames)
{
    return CGeneralIndex(site, configuredPeriods(site, ascending), ascending,
                         frames.value_or(framesByDefault(site)));
}

} // namespace meridan
