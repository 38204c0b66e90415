#include "logformats.h"

#include "common/messages.h"
#include "common/numbers.h"
#include "settings/settingsstore.h"
#include "settings/siterecord.h"
#include "settings/siterules.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QString kFormatChanges = u"LogFormatChanges"_s;
const QString kSpecial = u"LogSpecial"_s;

bool keptRow(const QString& month)
{
    return leadingNumber(QStringView(month).left(4)) != 0;
}

template <typename Row> void sortLatestFirst(QList<Row>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.month.toUtf8() > b.month.toUtf8();
    });
}

} // namespace

bool isValidMonthText(const QString& month)
{
    if (month.size() != 6)
        return false;
    const int year = leadingNumber(QStringView(month).left(4));
    const int number = leadingNumber(QStringView(month).mid(4, 2));
    return year >= 1992 && year <= 2099 && number >= 1 && number <= 12;
}

QList<FormatChange> readFormatChanges(const QString& siteKeyName)
{
    const SettingsKey key(SiteRecord::keyPathOf(siteKeyName), kQueryValue);
    QList<FormatChange> rows;
    for (const QString& month : key.readString(kFormatChanges).split(u'|', Qt::SkipEmptyParts)) {
        const QString value = key.readString(month);
        rows.append({month, value.startsWith(u'A'), value.mid(1)});
    }
    return rows;
}

QList<SpecialMonth> parseSpecialMonths(const QString& stored)
{
    QList<SpecialMonth> rows;
    for (const QString& token : stored.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype star = token.indexOf(u'*');
        if (star < 0)
            rows.append({QString(), token});
        else
            rows.append({token.left(star), token.mid(star + 1)});
    }
    return rows;
}

QList<SpecialMonth> readSpecialMonths(const QString& siteKeyName)
{
    const SettingsKey key(SiteRecord::keyPathOf(siteKeyName), kQueryValue);
    return parseSpecialMonths(key.readString(kSpecial));
}

QString formatChangesText(const QList<FormatChange>& rows)
{
    QString text;
    for (const FormatChange& row : rows)
        if (keptRow(row.month))
            text += row.month + u'|';
    return text;
}

QString specialMonthsText(const QList<SpecialMonth>& rows)
{
    QString text;
    for (const SpecialMonth& row : rows)
        if (keptRow(row.month))
            text += row.month + u'*' + row.file + u'|';
    return text;
}

QString formatRowsProblem(const QList<FormatChange>& rows)
{
    for (const FormatChange& row : rows)
        if (holdsLineBreak(row.month) || holdsLineBreak(row.format))
            return lineBreakProblem(u"The format of %1"_s.arg(row.month.simplified()));
    return {};
}

QString specialRowsProblem(const QList<SpecialMonth>& rows)
{
    for (const SpecialMonth& row : rows)
        if (holdsLineBreak(row.month) || holdsLineBreak(row.file))
            return lineBreakProblem(u"The special file of %1"_s.arg(row.month.simplified()));
    return {};
}

bool storeFormatChanges(const QString& siteName, QList<FormatChange> rows)
{
    if (const QString problem = formatRowsProblem(rows); !problem.isEmpty()) {
        messages().error(problem);
        return false;
    }
    sortLatestFirst(rows);
    const QString path = SiteRecord::keyPathOf(siteName);
    SettingsKey key(path, kQueryValue | kSetValue);
    if (!key.isOpen())
        return false;
    const QStringList previous = key.readString(kFormatChanges).split(u'|', Qt::SkipEmptyParts);
    // One change of the file: the old months go and the new ones come at once.
    const int status = SettingsStore::update([&](StoreNode& root) {
        StoreNode* node = &root;
        for (const QString& part : path.split(u'\\', Qt::SkipEmptyParts))
            if (!(node = node->child(part)))
                return false;
        for (const QString& month : previous)
            if (!isSiteFieldName(month) && month != kFormatChanges && month != kSpecial)
                node->removeValue(month); // a damaged list never takes a Site's values along
        for (const FormatChange& row : std::as_const(rows))
            if (keptRow(row.month))
                node->setValue({row.month, QString(row.apache ? u'A' : u'L') + row.format});
        node->setValue({kFormatChanges, formatChangesText(rows)});
        return true;
    });
    return status == kStoreOk;
}

bool storeSpecialMonths(const QString& siteName, QList<SpecialMonth> rows)
{
    if (const QString problem = specialRowsProblem(rows); !problem.isEmpty()) {
        messages().error(problem);
        return false;
    }
    sortLatestFirst(rows);
    SettingsKey key(SiteRecord::keyPathOf(siteName), kQueryValue | kSetValue);
    return key.writeString(kSpecial, specialMonthsText(rows)) == kStoreOk;
}

} // namespace meridan
