#pragma once

#include "store/siterecord.h"
#include "util/result.h"

#include <QList>
#include <QString>

namespace meridan {

class StoreTransaction;

// A month text as the month column of a list accepts it: six digits, a
// year Analog can count (kFirstYear to kLastYear), the month 1 to 12.
bool isValidMonthText(const QString& month);

// The stored forms: "LogFormatChanges" (months, latest first, each followed
// by "|", with one value per month holding "A" or "L" and the format) and
// "LogSpecial" (month "*" file "|" ...). A SiteRecord loads them.

// Refuses rows that cannot be stored: a line break or NUL in one of their
// texts would add commands to a configuration file.
Result checkFormatRows(const QList<FormatChange>& rows);
Result checkSpecialRows(const QList<SpecialMonth>& rows);

// Stores the lists under the Site's current name, latest month first. Rows
// whose month does not start with a non-zero year are dropped; the
// per-month values of the previous list are deleted first. Rows with a
// problem are refused and nothing is stored.
Result storeFormatChanges(const QString& siteName, const QList<FormatChange>& rows);
Result storeSpecialMonths(const QString& siteName, const QList<SpecialMonth>& rows);
// The same inside a transaction of the caller's, on the Site's key; false
// for rows that the check functions refuse, which the caller says.
bool writeFormatChanges(StoreTransaction& tx, const QString& keyPath, QList<FormatChange> rows);
bool writeSpecialMonths(StoreTransaction& tx, const QString& keyPath, QList<SpecialMonth> rows);

// The stored texts, as written by the functions above.
QString formatChangesText(const QList<FormatChange>& rows);
QString specialMonthsText(const QList<SpecialMonth>& rows);

} // namespace meridan
