#pragma once

#include "analog/logfiles.h"
#include "analog/period.h"
#include "store/reportcodes.h"
#include "util/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace meridan {

class SiteRecord;

// The report file of a period, relative to the reports folder:
// "2003-09/stats2003-09.html".
QString ReportNameOf(const QString& periodName, qint32 output);

// What every configuration of a Site reads besides its values: read once,
// it serves the configurations of many periods.
struct SiteInputs
{
    std::optional<QByteArray> base; // nullopt: none, or unreadable
};
SiteInputs readSiteInputs(const SiteRecord& site);

// Writes the Analog configuration file of one Site and period.
class CCfgGenerator
{
public:
    CCfgGenerator(const Period& period, const QString& reportPath, const SiteRecord& site);
    virtual ~CCfgGenerator() = default;

    // Writes Root/CfgDir/<period name>.cfg. Refused, saying why, when
    // nothing was written; the previous file then stays as it was.
    Result Generate();

    // Takes what the Site stores besides its values from inputs, which must
    // outlive the generator, rather than reading it.
    void readInputsFrom(const SiteInputs* inputs) { siteInputs = inputs; }
    // Reads these cache files instead of the period's logs.
    void readCaches(const QStringList& caches) { cacheFiles = caches; }

    // The generated text without the base file.
    Expected<QByteArray> generatedText() const;
    // The whole text Generate writes.
    Expected<QByteArray> configuration() const;

private:
    void appendReports(QByteArray* text) const;
    void appendCacheFiles(QByteArray* text) const;

    qint32 year;
    qint32 periodicity;
    qint32 index;
    qint32 day;
    QString reportPath;
    const SiteRecord& site;
    std::optional<QStringList> cacheFiles;
    const SiteInputs* siteInputs = nullptr;
};

} // namespace meridan
