#pragma once

#include <QString>

namespace meridan {

class SiteRecord;

// Brings every known variable, typed in any mix of case, to its one exact
// form (%outfile% becomes %OutFile%, %YYYY% becomes %yyyy%).
void NormalizeVariables(QString& text);

// Expands %CfgFile% to reference and, when the command names one of them,
// %OutFile%, %OutFile/%, %OutPath% and %OutPath/% from the OUTFILE command
// of that configuration file.
void ExpandCommand(const SiteRecord& site, const QString& reference, QString& command);

// Checks a log naming scheme against the log periodicity after normalising
// its variables in place: the periodicity's own variable must occur, the
// others it excludes must not, and a variable in the folder part must also
// stand in the file name.
bool CheckNamingScheme(QString& scheme, quint32 logPeriodicity);

} // namespace meridan
