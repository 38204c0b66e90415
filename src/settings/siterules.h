#pragma once

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

// The FTP URL as it is stored: accepted as typed when it parses as a URL
// with a scheme and a server, else with "ftp://" put in front; nullopt when
// neither parses.
std::optional<QString> acceptedFtpUrl(const QString& text);

// The post-process command with its variables in their exact form.
QString normalizedPostProcess(const QString& text);

// Creates the Site's folders as the Folders page does when the sheet
// applies: the root and the log folder (after asking when askFirst is set),
// the configuration and reports folders, and the images folder filled with
// Analog's images when it is new. False (after a message) when a file
// stands where a root must be, or the user declined.
bool createSiteFolders(SiteRecord& site, bool askFirst);

// Copies the files of Analog's images folder into target, never
// overwriting; returns how many were copied.
int copyAnalogImages(const QString& target);

} // namespace meridan
