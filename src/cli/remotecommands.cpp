#include "remotecommands.h"

#include "analog/cachefiles.h"
#include "analog/updateplan.h"
#include "clicommands.h"
#include "overview/overviewpage.h"
#include "remote/ftpclient.h"
#include "remote/logfetch.h"
#include "remote/remotenames.h"
#include "run/builddriver.h"
#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "update/siteupdate.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QDir>
#include <QEventLoop>
#include <QRegularExpression>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace meridan::cli {

namespace {

// An unknown host key is trusted only when the command line says so; a
// certificate only through the Site's FTPCertificate.
void setTrust(FtpClient& client, bool acceptNewHostKey)
{
    client.setTrustQuestion([acceptNewHostKey](const ServerIdentity& identity) {
        if (identity.kind != ServerIdentity::Kind::SshHostKey || !acceptNewHostKey)
            return false;
        messages().error(
            Cli::tr("Warning: the host key of %1 (%2 %3) was added to the known hosts.")
                .arg(identity.host, identity.keyType, identity.fingerprint));
        return true;
    });
}

// A Site name as one shell word.
QString shellWord(const QString& text)
{
    static const QRegularExpression plain(u"^[A-Za-z0-9._@%+=:,/-]+$"_s);
    if (plain.match(text).hasMatch())
        return text;
    return u"'"_s + QString(text).replace(u"'"_s, u"'\\''"_s) + u"'"_s;
}

// The Sites named, or every stored Site.
// An argument left after the known options that looks like one.
std::optional<QString> unknownOption(const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.startsWith(u"--"_s))
            return argument;
    return std::nullopt;
}

// Said when refused.
std::optional<QStringList> sitesOrAll(const QStringList& names)
{
    if (!SettingsStore::usable().report())
        return std::nullopt;
    if (!names.isEmpty())
        return names;
    const Expected<QStringList> stored = storedSiteNames();
    if (!stored.result().report())
        return std::nullopt;
    return *stored;
}

// What an update shows: a line a Site on standard output (none with
// --quiet), the problems and notes on standard error as they come, and on
// a terminal a progress line of Sites, periods and bytes that keeps being
// rewritten.
class UpdateReport
{
public:
    UpdateReport(SiteUpdate& update, QTextStream& out, bool quiet)
        : m_out(out), m_quiet(quiet), m_progressShown(!quiet && isatty(STDERR_FILENO))
    {
        QObject::connect(&update, &SiteUpdate::siteStarted,
                         [this](const QString& site, int n, int count) {
                             m_site = u"[%1/%2] %3"_s.arg(n).arg(count).arg(site);
                             m_periodsDone = m_periodsCount = 0;
                             m_bytes = 0;
                             showProgress();
                         });
        QObject::connect(&update, &SiteUpdate::bytesFetched, [this](qint64 bytes) {
            m_bytes = bytes;
            showProgress();
        });
        QObject::connect(&update, &SiteUpdate::periodsPlanned, [this](int count) {
            m_periodsCount = count;
            showProgress();
        });
        QObject::connect(&update, &SiteUpdate::periodFinished,
                         [this](const Period&, bool, int done, int) {
                             m_periodsDone = done;
                             showProgress();
                         });
        // Straight to standard error: while a Site updates, what the core
        // says is gathered as its problems and comes back here.
        // Notes too, even with --quiet: what they say needs the user.
        for (const auto signal : {&SiteUpdate::problem, &SiteUpdate::note})
            QObject::connect(&update, signal, [this](const QString& site, const QString& text) {
                clearProgress();
                const QString line = site.isEmpty() ? text : site + u": "_s + text;
                std::fputs(qPrintable(line + u'\n'), stderr);
            });
        QObject::connect(&update, &SiteUpdate::siteFinished,
                         [this](const SiteUpdateOutcome& outcome) { siteDone(outcome); });
    }

private:
    void showProgress()
    {
        if (!m_progressShown)
            return;
        const QByteArray line =
            Cli::tr("%1: %2 of %n period(s), %3 fetched", nullptr, m_periodsCount)
                .arg(m_site, QString::number(m_periodsDone), texts::dataSize(m_bytes))
                .toUtf8()
                .left(200);
        std::fprintf(stderr, "\r%-*s", int(std::max(m_width, line.size())), line.constData());
        std::fflush(stderr);
        m_width = line.size();
    }
    void clearProgress()
    {
        if (m_width > 0)
            std::fprintf(stderr, "\r%*s\r", int(m_width), "");
        m_width = 0;
    }
    void siteDone(const SiteUpdateOutcome& outcome)
    {
        clearProgress();
        if (m_quiet)
            return;
        m_out << Cli::tr("%1: %n file(s) fetched (%2)", nullptr, outcome.filesFetched)
                     .arg(outcome.site, texts::dataSize(outcome.bytesFetched))
              << Cli::tr(", %1 of %n period(s) built", nullptr, outcome.periodsPlanned)
                     .arg(outcome.periodsBuilt);
        if (!outcome.problems.isEmpty())
            m_out << Cli::tr(", %n problem(s)", nullptr, int(outcome.problems.size()));
        m_out << '\n';
        m_out.flush();
    }

    QTextStream& m_out;
    bool m_quiet;
    bool m_progressShown;
    QString m_site;
    int m_periodsDone = 0;
    int m_periodsCount = 0;
    qint64 m_bytes = 0;
    qsizetype m_width = 0;
};

} // namespace

int listRemoteFiles(Context& c)
{
    QStringList args = c.args;
    const bool acceptNewHostKey = args.removeAll(u"--accept-new-host-key"_s) > 0;
    if (const std::optional<QString> option = unknownOption(args))
        return usageError(Cli::tr("Unknown option %1.").arg(*option));
    if (args.isEmpty() || args.size() > 2)
        return usageError(Cli::tr("ls takes a Site and a folder."));
    const std::optional<SiteRecord> site = storedSite(args.at(0));
    if (!site)
        return kFailure;
    FtpClient client(*site);
    setTrust(client, acceptNewHostKey);
    RemoteFolder folder{QString()};
    RemoteListing listing;
    if (!listRemoteFolder(client, args.value(1), &folder, &listing).report())
        return kFailure;
    for (const RemoteEntry& entry : std::as_const(listing.entries)) {
        c.out << texts::printable(entry.name) << (entry.isFolder ? "/" : "");
        if (const Result name = checkRemoteName(entry.name); !entry.isFolder && !name)
            c.out << "  " << Cli::tr("[refused: %1]").arg(name.message());
        c.out << '\n';
    }
    for (const QString& skipped : std::as_const(listing.skipped))
        messages().error(skipped);
    return listing.skipped.isEmpty() ? kSuccess : kFailure;
}

int fetchLogs(Context& c)
{
    QStringList patterns = c.args.mid(1);
    FetchOptions options;
    if (patterns.removeAll(u"--overwrite"_s) > 0)
        options.existing = FetchOptions::Existing::Replace;
    const bool acceptNewHostKey = patterns.removeAll(u"--accept-new-host-key"_s) > 0;
    if (const qsizetype dir = patterns.indexOf(u"--dir"_s); dir >= 0) {
        if (dir + 1 >= patterns.size())
            return usageError(Cli::tr("--dir takes a folder."));
        options.subfolder = patterns.takeAt(dir + 1);
        patterns.removeAt(dir);
    }
    if (!patterns.isEmpty())
        options.patterns = patterns;
    const std::optional<SiteRecord> site = storedSite(c.args.at(0));
    if (!site)
        return kFailure;
    FtpClient client(*site);
    setTrust(client, acceptNewHostKey);
    const FetchReport report = fetchRemoteLogs(client, *site, options, [&](const QString& path) {
        c.out << path << '\n';
        c.out.flush();
    });
    for (const QString& problem : report.problems)
        messages().error(problem);
    report.result.report();
    return report.ok() ? kSuccess : kFailure;
}

int planUpdate(Context& c)
{
    QStringList arguments = c.args;
    const std::optional<int> stage = takeNumber(arguments, u"--stage"_s, 1, kBuildStages, 0);
    if (!stage)
        return usageError(Cli::tr("--stage takes 1 (days), 2 (weeks and months) or 3 (quarters, "
                                  "halves and years)."));
    if (const std::optional<QString> option = unknownOption(arguments))
        return usageError(Cli::tr("Unknown option %1.").arg(*option));
    const std::optional<QStringList> names = sitesOrAll(arguments);
    if (!names)
        return kFailure;
    int status = kSuccess;
    for (const QString& name : *names) {
        const std::optional<SiteRecord> site = storedSite(name);
        if (!site || !checkSite(*site).report()) {
            status = kFailure;
            continue;
        }
        for (const Period& period : outOfDatePeriods(*site, QDate::currentDate()))
            if (*stage == 0 || buildStage(period) == *stage)
                c.out << "meridan-cli build " << shellWord(name) << ' ' << PeriodName(period)
                      << '\n';
    }
    return status;
}

int update(Context& c)
{
    QStringList arguments = c.args;
    const bool quiet = arguments.removeAll(u"--quiet"_s) > 0;
    UpdateOptions options;
    options.acceptNewHostKey = arguments.removeAll(u"--accept-new-host-key"_s) > 0;
    const std::optional<int> jobs = takeJobs(arguments);
    if (!jobs)
        return usageError(
            Cli::tr("--jobs takes a number of periods from 1 to %1.").arg(BuildDriver::kMaxJobs));
    options.jobs = *jobs;
    if (!SettingsStore::sound().report())
        return kFailure;
    if (const std::optional<QString> option = unknownOption(arguments))
        return usageError(Cli::tr("Unknown option %1.").arg(*option));
    const std::optional<QStringList> names = sitesOrAll(arguments);
    if (!names)
        return kFailure;
    UpdateLock lock;
    if (!lock.acquire().report())
        return kFailure;
    SiteUpdate update(*names, options);
    UpdateReport report(update, c.out, quiet);
    QEventLoop loop;
    bool succeeded = false;
    QObject::connect(&update, &SiteUpdate::finished, &loop, [&](bool ok) {
        succeeded = ok;
        loop.quit();
    });
    update.start();
    loop.exec();
    return succeeded ? kSuccess : kFailure;
}

int showOverview(Context& c)
{
    QStringList arguments = c.args;
    const bool json = arguments.removeAll(u"--json"_s) > 0;
    QString folder;
    if (const qsizetype html = arguments.indexOf(u"--html"_s); html >= 0) {
        if (html + 1 >= arguments.size() || json)
            return usageError(Cli::tr("--html takes a folder, and goes without --json."));
        folder = arguments.takeAt(html + 1);
        arguments.removeAt(html);
    }
    if (const std::optional<QString> option = unknownOption(arguments))
        return usageError(Cli::tr("Unknown option %1.").arg(*option));
    const std::optional<QStringList> names = sitesOrAll(arguments);
    if (!names)
        return kFailure;
    for (const QString& name : arguments)
        if (!siteIsStored(name))
            return fail(texts::noSuchSite(name));
    const QDate today = QDate::currentDate();
    // Only --json prints every day; the rest show the last year at most.
    const QList<SiteFigures> figures =
        loadFigures(*names, json ? QDate() : OverviewPages::firstDayShown(today));
    if (!folder.isEmpty()) {
        if (!OverviewPages(figures, today).write(QDir(folder).absolutePath()).report())
            return kFailure;
        c.out << QDir(folder).absoluteFilePath(u"index.html"_s) << '\n';
    } else if (json) {
        c.out << QString::fromUtf8(overviewJson(overviewRows(figures, today), figures, today));
    } else {
        c.out << overviewTable(overviewRows(figures, today));
    }
    return kSuccess;
}

} // namespace meridan::cli
