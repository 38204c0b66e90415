#include "variablenames.h"

#include "store/siterecord.h"
#include "util/texts.h"

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QStringList kNamingVariables = {u"%yyyy%"_s, u"%yy%"_s, u"%mm%"_s,
                                      u"%wk%"_s,   u"%dd%"_s, u"%hh%"_s};

struct SchemeRule
{
    quint32 periodicity;
    QString required;
    QStringList forbidden;
};

const QList<SchemeRule>& schemeRules()
{
    static const QList<SchemeRule> rules = {
        {kLogHourly, u"%hh%"_s, {}},
        {kLogDaily, u"%dd%"_s, {u"%wk%"_s, u"%hh%"_s}},
        {kLogWeekly, u"%wk%"_s, {u"%dd%"_s, u"%mm%"_s, u"%hh%"_s}},
        {kLogMonthly, u"%mm%"_s, {u"%wk%"_s, u"%dd%"_s, u"%hh%"_s}},
        {kLogNumbered, QString(), kNamingVariables},
    };
    return rules;
}

} // namespace

void NormalizeVariables(QString& text)
{
    static const QStringList canonical = QStringList{u"%CfgFile%"_s, u"%OutFile%"_s, u"%OutPath%"_s,
                                                     u"%OutFile/%"_s, u"%OutPath/%"_s} +
                                         kNamingVariables;
    for (const QString& variable : canonical) {
        qsizetype at = text.indexOf(variable, 0, Qt::CaseInsensitive);
        while (at >= 0) {
            text.replace(at, variable.size(), variable);
            at = text.indexOf(variable, at + 1, Qt::CaseInsensitive);
        }
    }
}

namespace {

bool consistentScheme(const QString& scheme, quint32 logPeriodicity)
{
    for (const SchemeRule& rule : schemeRules()) {
        if (rule.periodicity != logPeriodicity)
            continue;
        if (!scheme.contains(rule.required))
            return false;
        for (const QString& variable : rule.forbidden)
            if (scheme.contains(variable))
                return false;
    }
    const qsizetype last = std::max(scheme.lastIndexOf(u'/'), scheme.lastIndexOf(u'\\'));
    if (last < 0)
        return true;
    const QString folder = scheme.left(last);
    const QString file = scheme.mid(last + 1);
    for (const QString& variable : kNamingVariables)
        if (folder.contains(variable) && !file.contains(variable))
            return false;
    return true;
}

} // namespace

Result CheckNamingScheme(QString& scheme, quint32 logPeriodicity)
{
    NormalizeVariables(scheme);
    return consistentScheme(scheme, logPeriodicity)
               ? Result()
               : Result::refused(texts::inconsistentLogNaming());
}

} // namespace meridan
