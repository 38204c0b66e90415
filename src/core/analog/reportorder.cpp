#include "reportorder.h"

#include "analog/cfggenerator.h"
#include "util/datapaths.h"
#include "util/translations.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QStringList iniFiles()
{
    // The current folder first, then the copy shipped with the program.
    QStringList files{QDir::current().filePath(u"Meridan.ini"_s)};
    if (const QString shipped = installedDataFile(u"Meridan.ini"_s); !shipped.isEmpty())
        files << shipped;
    return files;
}

// The sections to look in, most fitting first: ReportNames_fr_CA,
// ReportNames_fr, ..., then the English ReportNames.
QStringList nameSections()
{
    QStringList sections;
    for (const QString& language : translatedLanguages())
        sections << u"ReportNames_"_s + language;
    return sections << u"ReportNames"_s;
}

} // namespace

QList<ReportRow> reportRowsOf(const QString& order)
{
    const QList<ReportCode>& codes = ReportCodes();
    QList<ReportRow> rows(codes.size());
    const qsizetype dash = order.indexOf(u'-');
    int missing = 0;
    for (const ReportCode& report : codes) {
        const qsizetype at = order.indexOf(report.code);
        qsizetype row = at >= 0 ? at : missing++;
        if (at > dash && dash >= 0)
            --row; // the "-" takes no row
        row = std::clamp<qsizetype>(row, 0, rows.size() - 1);
        rows[row] = {report.code, reportDisplayName(report.keyword), at >= 0 && at < dash};
    }
    return rows;
}

QString reportOrderOf(const QList<ReportRow>& rows)
{
    QString on;
    QString off;
    for (const ReportRow& row : rows)
        (row.checked ? on : off) += row.code;
    return on.isEmpty() ? QString() : on + u'-' + off;
}

QString reportDisplayName(const QString& keyword)
{
    const QStringList sections = nameSections();
    for (const QString& file : iniFiles()) {
        if (!QFileInfo(file).isFile())
            continue;
        QSettings ini(file, QSettings::IniFormat);
        for (const QString& section : sections) {
            const QString name = ini.value(section + u'/' + keyword).toString().left(259);
            if (!name.isEmpty())
                return name;
        }
    }
    return keyword;
}

} // namespace meridan
