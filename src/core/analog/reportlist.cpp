#include "reportlist.h"

#include "store/siterecord.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace meridan {

QStringList configuredPeriods(const SiteRecord& site, bool ascending)
{
    QStringList names;
    const QDir folder(site.cfgFolder());
    for (const QString& file : folder.entryList({u"*.cfg"_s}, QDir::Files | QDir::Hidden))
        names.append(file.section(u'.', 0, 0));
    std::sort(names.begin(), names.end(), [ascending](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return ascending ? order < 0 : order > 0;
    });
    return names;
}

std::optional<QList<Period>> periodsOfPattern(const QString& text)
{
    if (const std::optional<Period> single = PeriodOfName(text))
        return QList<Period>{*single};
    static const QRegularExpression all(
        QRegularExpression::anchoredPattern(u"([0-9]{4})-(?:([0-9]{2})-\\*|([WQH])?\\*)"_s));
    const QRegularExpressionMatch match = all.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(1).toInt();
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    if (match.hasCaptured(2)) {
        const int month = match.captured(2).toInt();
        if (month < 1 || month > 12)
            return std::nullopt;
        return DaysOfMonth(year, month);
    }
    const QString letter = match.captured(3);
    const int periodicity = letter == u"W"_s   ? kWeek
                            : letter == u"Q"_s ? kQuarter
                            : letter == u"H"_s ? kHalfYear
                                               : kMonth;
    return PeriodsOfYear(year, periodicity);
}

} // namespace meridan
