#pragma once

#include <QChar>
#include <QList>
#include <QString>

// Analog's vocabulary as a Site's values use it: the output types its Output
// value counts and the report codes of its report orders.
namespace meridan {

// Analog's output types, by the position stored in a Site's Output value.
constexpr int kOutputTypeCount = 7;
QString OutputKeyword(qint32 output);   // "" outside the table
QString OutputExtension(qint32 output); // ".html", ... or ""

// One of Analog's 44 reports: a one-character code and Analog's keyword.
struct ReportCode
{
    QChar code;
    QString keyword;
};
const QList<ReportCode>& ReportCodes();

} // namespace meridan
