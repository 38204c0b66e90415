#pragma once

#include "util/result.h"

#include <QString>
#include <optional>

namespace meridan {

class SiteRecord;

// The rules the property pages and meridan-cli share when a Site's values
// are edited.

// Leading and trailing blanks, tabs and line breaks removed.
QString trimmedField(const QString& text);

// An empty Analog command line stands for the default one.
QString analogCommandOrDefault(const QString& text);
QString defaultAnalogCommand();

// A Site uses an Analog language name or a language file, never both.
void chooseLanguage(SiteRecord& site, const QString& language);
void chooseLanguageFile(SiteRecord& site, const QString& langCode);

// The FTP URL as it is stored: an ftp://, ftps:// or sftp:// URL with a
// server as typed, a bare host with "ftp://" put in front; nullopt for
// anything else (another scheme, no server).
std::optional<QString> acceptedFtpUrl(const QString& text);

// The post-process command with its variables in their exact form.
QString normalizedPostProcess(const QString& text);

// Whether text can be stored as the Site value of that name, and why not.
// These rules keep a configuration file free of commands nobody typed and
// a Site's files inside its folders: no value holds a line break or a NUL;
// folder values, the error file and the naming scheme hold no double quote
// (folder values no "%" either); CfgDir and ReportsRoot are plain folder
// names; the naming scheme stays below the log folder.
Result checkValue(const QString& valueName, const QString& text);

// Checks text given for the Site value of that name and brings it to its
// stored form, as every page and meridan-cli do: blanks trimmed where they
// mean nothing, variables in their exact form, an FTP URL with its scheme,
// full paths cleaned, numbers and report orders checked; then the rules
// above.
Result acceptValue(const QString& valueName, QString* text);

// The first refusal of any of the record's values, its name included. A
// Site stored before these rules (or edited by hand) still loads, but
// nothing is generated, built or fetched for it while this refuses.
Result checkSite(const SiteRecord& site);

// Refuses a naming scheme that would leave the log folder.
Result checkSchemeStaysInside(const QString& scheme);

// The longest configuration line Analog reads (without its line end); it
// skips a longer one with a warning.
constexpr int kMaxAnalogLine = 254;

// Refuses a text that would make a configuration line Analog reads
// otherwise than written: a line break or NUL, a last "\" (Analog joins
// the next line to it), or more than fits on one line.
Result checkAnalogText(const QString& what, const QString& text);

// Refuses a configuration line Analog would skip or join with the next,
// naming the line.
Result checkAnalogLine(const QByteArray& line);

// Whether text holds CR, LF or NUL.
bool holdsLineBreak(const QString& text);
Result refusedLineBreak(const QString& what);

// A pinned certificate fingerprint as the user may type it (any case, with
// or without colons or a "SHA256:" prefix) as "AB:CD:..."; empty when it is
// not 32 bytes of hex.
QString normalizedCertificatePin(const QString& typed);

} // namespace meridan
