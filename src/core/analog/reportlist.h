#pragma once

#include "analog/period.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace meridan {

class SiteRecord;

// The names (before their first ".") of the "*.cfg" files in the Site's
// configuration folder, ascending or descending.
QStringList configuredPeriods(const SiteRecord& site, bool ascending);

// The periods a name stands for: one period name (2003-09, 2003-W07, ...) or
// an "(all)" choice written with a star: 2003-09-* (the days of a month),
// 2003-W*, 2003-* (the months), 2003-Q*, 2003-H*. nullopt when the text is
// neither.
std::optional<QList<Period>> periodsOfPattern(const QString& text);

} // namespace meridan
