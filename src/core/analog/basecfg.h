#pragma once

#include "store/siterecord.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace meridan {

// Copies Analog's own configuration to Root/CfgDir/analog.basecfg when that
// file does not exist yet, then comments out the commands that the generated
// configuration writes itself; nothing when Analog's own is not found.
// analogPath is the Analog in use, whose configuration it is.
Result PrepareDefaultBase(const SiteRecord& site, const QString& analogPath);

// Saves the Site, then brings its default base file up to date: what every
// save of a Site by the user does. The first reads which Analog is in use.
// A base file that cannot be brought up to date is a note of the save.
Result SaveSite(SiteRecord& site, SiteRecord::SaveMode mode = SiteRecord::SaveMode::Any,
                const SiteRecord::StoreWork& alongside = {});
Result SaveSiteChanges(SiteRecord& site, const SiteRecord& before, const QString& analogPath,
                       const SiteRecord::StoreWork& alongside = {});

// The text of a base file with those commands commented out, in any case
// and after any blanks, as Analog reads them: the log, output, date, host,
// error and cache commands, IMAGEDIR when the Site has images, every report
// switch, ALL and REPORTORDER, and the language commands when the Site sets
// a language.
QByteArray commentOutGeneratedCommands(const QByteArray& text, bool withImageDir,
                                       bool withLanguage);
// The text of a base file with the log, output, date, host, error and cache
// commands commented out: no base file overrides what makes the Site's
// numbers and where they go.
QByteArray withoutSiteCommands(const QByteArray& text);

// The report path named by the OUTFILE command of a configuration file,
// given by its full path or by its period name; the configuration file's
// own path when it names none or cannot be read.
QString OutFileOfConfig(const SiteRecord& site, const QString& nameOrPath);
// The same for the text of a configuration file; the last line may lack its
// line end.
std::optional<QString> outFileOfConfigText(const QByteArray& text);

} // namespace meridan
