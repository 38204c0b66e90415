#pragma once

#include <QList>
#include <QString>

namespace meridan {

// One row of the Reports page: a report, its shown name and whether it is on.
struct ReportRow
{
    QChar code;
    QString name;
    bool checked = false;

    friend bool operator==(const ReportRow&, const ReportRow&) = default;
};

// The 44 rows an order string shows: each report at its place in the
// string, those before the "-" checked; reports the string lacks fill the
// rows from the top, in table order.
QList<ReportRow> reportRowsOf(const QString& order);

// The order string of rows: the checked codes, "-", the unchecked codes;
// "" when nothing is checked.
QString reportOrderOf(const QList<ReportRow>& rows);

// The shown name of a report keyword from "Meridan.ini", section
// "ReportNames": the one in the current folder first, then the one
// installed with the program; the keyword itself when neither names it.
QString reportDisplayName(const QString& keyword);

} // namespace meridan
