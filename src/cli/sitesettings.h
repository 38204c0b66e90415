#pragma once

#include "store/sitelists.h"
#include "store/siterecord.h"

#include <QList>
#include <QPair>
#include <QString>

namespace meridan::cli {

using ValuePairs = QList<QPair<QString, QString>>;

// A Site's record with its Specific formats lists, changed together.
struct SiteSettings
{
    SiteRecord site;
    SiteRecord loaded; // as stored when loaded: only what differs is written
    QList<FormatChange> formatChanges;
    QList<SpecialMonth> specialMonths;
    bool formatsChanged = false;
    bool specialChanged = false;

    static SiteSettings of(const SiteRecord& site);
};

// Splits "VALUE=TEXT" arguments; false when one has no "=".
bool splitPairs(const QStringList& arguments, ValuePairs* pairs);

// Checks and applies every pair as the property pages would. On a refusal
// the settings are left partly changed and must not be saved.
Result applyPairs(SiteSettings& settings, const ValuePairs& pairs);

// Creates missing folders and stores what changed, in one transaction and
// only while the Site is stored, then brings the default base file of the
// Analog at analogPath up to date. False after a message.
bool saveSettings(SiteSettings& settings, const QString& analogPath);

} // namespace meridan::cli
