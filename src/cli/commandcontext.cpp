#include "commandcontext.h"

#include "clicommands.h"
#include "run/builddriver.h"
#include "store/settingsstore.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QThread>

using namespace Qt::StringLiterals;

namespace meridan::cli {

int fail(const QString& text)
{
    messages().error(text);
    return kFailure;
}

int statusOf(const Result& outcome)
{
    return outcome.report() ? kSuccess : kFailure;
}

int usageError(const QString& text)
{
    messages().error(text + u"\n"_s + usageText());
    return kUsage;
}

std::optional<SiteRecord> storedSite(const QString& name, StoreNode* key, Preferences* prefs)
{
    QStringList paths{SiteRecord::keyPathOf(name)};
    if (prefs)
        paths.append(kProductKey);
    const Expected<QList<std::optional<StoreNode>>> nodes = SettingsStore::snapshots(paths);
    if (!nodes) {
        messages().error(nodes.message());
        return std::nullopt;
    }
    if (name.isEmpty() || !nodes->first()) {
        messages().error(texts::noSuchSite(name));
        return std::nullopt;
    }
    if (key)
        *key = *nodes->first();
    if (prefs)
        *prefs = Preferences::of(nodes->last() ? &*nodes->last() : nullptr);
    SiteRecord site = SiteRecord::ofStored(name, *nodes->first());
    if (!site.passwordProblem().isEmpty())
        messages().error(site.passwordProblem());
    return site;
}

// Takes "--jobs N" out of the arguments: N periods at once, by default as
// many as the machine has cores. nullopt for a value out of range.
std::optional<int> takeNumber(QStringList& arguments, const QString& option, int lowest,
                              int highest, int otherwise)
{
    const qsizetype at = arguments.indexOf(option);
    if (at < 0)
        return otherwise;
    bool ok = false;
    const int number = arguments.value(at + 1).toInt(&ok);
    arguments.remove(at, std::min<qsizetype>(2, arguments.size() - at));
    if (!ok || number < lowest || number > highest)
        return std::nullopt;
    return number;
}

std::optional<int> takeJobs(QStringList& arguments)
{
    return takeNumber(arguments, u"--jobs"_s, 1, BuildDriver::kMaxJobs,
                      std::clamp(QThread::idealThreadCount(), 1, BuildDriver::kMaxJobs));
}

} // namespace meridan::cli
