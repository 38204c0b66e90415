#pragma once

#include "util/result.h"

#include <QString>

namespace meridan {

// Brings every known variable, typed in any mix of case, to its one exact
// form (%outfile% becomes %OutFile%, %YYYY% becomes %yyyy%).
void NormalizeVariables(QString& text);

// Checks a log naming scheme against the log periodicity after normalising
// its variables in place: the periodicity's own variable must occur, the
// others it excludes must not, and a variable in the folder part must also
// stand in the file name.
Result CheckNamingScheme(QString& scheme, quint32 logPeriodicity);

} // namespace meridan
