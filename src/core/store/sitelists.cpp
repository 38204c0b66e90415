#include "sitelists.h"

#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "util/numbers.h"
#include "util/texts.h"

#include <QDateTime>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

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
    // Digits only: "20031x" would be stored, and never match a month.
    if (month.size() != 6 ||
        !std::all_of(month.begin(), month.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    const int year = month.left(4).toInt();
    const int number = month.mid(4, 2).toInt();
    return year >= kFirstYear && year <= kLastYear && number >= 1 && number <= 12;
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

Result checkFormatRows(const QList<FormatChange>& rows)
{
    for (const FormatChange& row : rows) {
        const QString what = texts::Analog::tr("The format of %1").arg(row.month.simplified());
        if (holdsLineBreak(row.month))
            return refusedLineBreak(what);
        if (Result line = checkAnalogText(what, row.format); !line)
            return line;
    }
    return {};
}

Result checkSpecialRows(const QList<SpecialMonth>& rows)
{
    for (const SpecialMonth& row : rows) {
        if (holdsLineBreak(row.month) || holdsLineBreak(row.file))
            return refusedLineBreak(
                texts::Analog::tr("The special file of %1").arg(row.month.simplified()));
        // "|" parts the stored list and the first "*" a month from its file.
        if (row.month.contains(u'|') || row.month.contains(u'*') || row.file.contains(u'|'))
            return Result::refused(
                texts::Analog::tr("The special file of %1 cannot hold \"|\", nor its month \"*\".")
                    .arg(row.month.simplified()));
    }
    return {};
}

bool writeFormatChanges(StoreTransaction& tx, const QString& keyPath, QList<FormatChange> rows)
{
    if (!checkFormatRows(rows)) // the caller said why
        return false;
    sortLatestFirst(rows);
    const std::optional<StoreNode> key = tx.readKey(keyPath);
    if (!key)
        return false;
    const StoredValue* listed = key->value(values::LogFormatChanges);
    const auto* previous = listed ? std::get_if<QString>(&listed->data) : nullptr;
    for (const QString& month :
         previous ? previous->split(u'|', Qt::SkipEmptyParts) : QStringList())
        if (!isSiteFieldName(month) && month != values::LogFormatChanges &&
            month != values::LogSpecial)
            tx.removeValue(keyPath, month); // a damaged list never takes a Site's values along
    QList<StoredValue> values;
    for (const FormatChange& row : std::as_const(rows))
        if (keptRow(row.month))
            values.append({row.month, QString(row.apache ? u'A' : u'L') + row.format});
    values.append({values::LogFormatChanges, formatChangesText(rows)});
    values.append({values::ChangeStamp, QString::number(QDateTime::currentMSecsSinceEpoch())});
    return tx.setValues(keyPath, values);
}

bool writeSpecialMonths(StoreTransaction& tx, const QString& keyPath, QList<SpecialMonth> rows)
{
    if (!checkSpecialRows(rows)) // the caller said why
        return false;
    sortLatestFirst(rows);
    return tx.setValues(
        keyPath, {{values::LogSpecial, specialMonthsText(rows)},
                  {values::ChangeStamp, QString::number(QDateTime::currentMSecsSinceEpoch())}});
}

namespace {

// The work on the Site's key, made when a list comes before its values.
Result storeOnSite(const QString& siteName,
                   const std::function<bool(StoreTransaction&, const QString&)>& work)
{
    const QString path = SiteRecord::keyPathOf(siteName);
    return SettingsStore::write([&](StoreTransaction& tx) {
        return (tx.keyExists(path) || tx.createKey(path)) && work(tx, path);
    });
}

} // namespace

Result storeFormatChanges(const QString& siteName, const QList<FormatChange>& rows)
{
    if (Result checked = checkFormatRows(rows); !checked)
        return checked;
    return storeOnSite(siteName, [&](StoreTransaction& tx, const QString& path) {
        return writeFormatChanges(tx, path, rows);
    });
}

Result storeSpecialMonths(const QString& siteName, const QList<SpecialMonth>& rows)
{
    if (Result checked = checkSpecialRows(rows); !checked)
        return checked;
    return storeOnSite(siteName, [&](StoreTransaction& tx, const QString& path) {
        return writeSpecialMonths(tx, path, rows);
    });
}

} // namespace meridan
