#pragma once

#include <QString>

namespace meridan {

class SiteRecord;

// Expands %CfgFile% to reference and, when the command names one of them,
// %OutFile%, %OutFile/%, %OutPath% and %OutPath/% from the OUTFILE command
// of that configuration file.
void ExpandCommand(const SiteRecord& site, const QString& reference, QString& command);

} // namespace meridan
