#pragma once

#include "store/preferences.h"
#include "store/settingsstore.h"
#include "store/siterecord.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace meridan::cli {

// The translation context of the command line's own texts.
struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// What a command gets: its arguments, without its name, and where its
// output goes (messages go to the messages interface).
struct Context
{
    QStringList args;
    QTextStream& out;
};

// Says text and gives the exit status of a failure.
int fail(const QString& text);
// Says the message of the outcome, a refusal's or a note's; the status of
// the command.
int statusOf(const Result& outcome);
// Says text with the usage and gives the exit status of a wrong command line.
int usageError(const QString& text);

// The stored Site of that name, or a message; with key, its stored key as
// well, with prefs, the preferences too, from the same read.
std::optional<SiteRecord> storedSite(const QString& name, StoreNode* key = nullptr,
                                     Preferences* prefs = nullptr);

// Takes "OPTION N" out of the arguments: otherwise when it is not there,
// nullopt for a value outside lowest to highest.
std::optional<int> takeNumber(QStringList& arguments, const QString& option, int lowest,
                              int highest, int otherwise);

// Takes "--jobs N" out of the arguments: N periods at once, by default as
// many as the machine has cores. nullopt for a value out of range.
std::optional<int> takeJobs(QStringList& arguments);

} // namespace meridan::cli
