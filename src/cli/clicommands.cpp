#include "clicommands.h"

#include "analog/basecfg.h"
#include "analog/cfggenerator.h"
#include "analog/localservers.h"
#include "analog/reportlist.h"
#include "analog/sitefolders.h"
#include "commandcontext.h"
#include "remotecommands.h"
#include "report/generalindex.h"
#include "report/reportaccess.h"
#include "run/builddriver.h"
#include "sitesettings.h"
#include "store/preferences.h"
#include "store/settingsstore.h"
#include "store/sitelists.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QDir>
#include <QEventLoop>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace meridan::cli {

namespace {

int listSites(Context& c)
{
    const Expected<QStringList> names = storedSiteNames();
    if (!names)
        return fail(names.message());
    for (const QString& name : *names)
        c.out << name << '\n';
    return kSuccess;
}

// "export > file": the shell made the file with the umask's mode, but the
// export holds the enciphered passwords, for the user's eyes only.
bool keepOutputPrivate()
{
    struct stat output = {};
    if (::fstat(STDOUT_FILENO, &output) != 0)
        return true;
    if (::isatty(STDOUT_FILENO))
        messages().error(Cli::tr("The export holds the stored passwords; it is shown on the "
                                 "terminal."));
    if (!S_ISREG(output.st_mode) || (output.st_mode & 077) == 0)
        return true;
    return ::fchmod(STDOUT_FILENO, output.st_mode & 0700) == 0;
}

int exportStore(Context& c)
{
    const Expected<QByteArray> json = SettingsStore::exportJson();
    if (!json)
        return fail(json.message());
    if (c.args.isEmpty()) {
        if (!keepOutputPrivate())
            return fail(Cli::tr("Standard output is a file that others may read, and its "
                                "permissions cannot be changed; nothing was exported."));
        c.out.flush();
        return std::fwrite(json->constData(), 1, size_t(json->size()), stdout) ==
                       size_t(json->size())
                   ? kSuccess
                   : fail(Cli::tr("The settings could not be written to standard output."));
    }
    // The export holds the enciphered passwords: for the user's eyes only.
    const Result written =
        writeFileAtomically(c.args.at(0), *json, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return written ? kSuccess : fail(written.message());
}

int importStore(Context& c)
{
    QByteArray json;
    if (!readFileUpToNul(c.args.at(0), &json))
        return fail(texts::errorOpeningFile(c.args.at(0)));
    return statusOf(SettingsStore::importJson(json));
}

// Stores a new Site and makes its folders, or leaves nothing behind.
bool storeNewSite(SiteRecord& site)
{
    if (!checkSiteName(site.name).report() || !site.checkNameFree().report())
        return false;
    const QStringList created = missingSiteFolders(site);
    if (createSiteFolders(site).report() && SaveSite(site, SiteRecord::SaveMode::NewOnly).report())
        return true;
    for (const QString& folder : created) // nothing but what this command made
        QDir(folder).removeRecursively();
    return false;
}

// A Site for each web server of this machine, reading its numbered logs.
int addLocalSites(Context& c)
{
    const QList<LocalServer> servers = findLocalServers();
    if (servers.isEmpty())
        return fail(Cli::tr("No web server's access log was found on this machine "
                            "(/var/log/apache2, /var/log/nginx)."));
    int status = kSuccess;
    for (const LocalServer& server : servers) {
        SiteRecord site = localServerSite(server);
        if (!storeNewSite(site)) {
            status = kFailure;
            continue;
        }
        c.out << site.name << '\n';
        if (!server.readable)
            messages().error(unreadableLogsAdvice(server)); // stored all the same
    }
    return status;
}

int addSite(Context& c)
{
    if (c.args.at(0) == u"--local"_s)
        return addLocalSites(c);
    SiteRecord site;
    site.name = c.args.at(0);
    site.DeriveDefaults();
    site.isNew = true;
    return storeNewSite(site) ? kSuccess : kFailure;
}

int showSite(Context& c)
{
    // The stored forms as they stand: the password as stored, not as read.
    StoreNode key;
    const std::optional<SiteRecord> site = storedSite(c.args.at(0), &key);
    if (!site)
        return kFailure;
    for (const SiteValue& value : siteValues(*site)) {
        const bool cipher = value.name == values::FTPAccess;
        c.out << value.name << '=' << (cipher ? key.text(value.name) : value.text) << '\n';
    }
    for (const QString& name : {values::LogFormatChanges, values::LogSpecial})
        if (key.value(name))
            c.out << name << '=' << key.text(name) << '\n';
    for (const FormatChange& change : site->formatChanges)
        c.out << change.month << '=' << key.text(change.month) << '\n';
    return kSuccess;
}

// "FTPAccess=-" takes the password from standard input, so that it never
// stands on a command line where other users see it.
bool readSecretsFromInput(ValuePairs& pairs)
{
    for (auto& [name, text] : pairs) {
        if (!values::valueIs(name, values::FTPAccess) || text != u"-"_s)
            continue;
        QTextStream in(stdin);
        const QString line = in.readLine();
        if (line.isNull()) // nothing at all came
            return false;
        text = line;
    }
    return true;
}

int setValues(Context& c)
{
    ValuePairs pairs;
    if (!splitPairs(c.args.mid(1), &pairs))
        return usageError(Cli::tr("set takes VALUE=TEXT pairs."));
    if (!readSecretsFromInput(pairs))
        return fail(Cli::tr("FTPAccess=-: no password could be read from standard input."));
    Preferences prefs;
    const std::optional<SiteRecord> site = storedSite(c.args.at(0), nullptr, &prefs);
    if (!site)
        return kFailure;
    SiteSettings settings = SiteSettings::of(*site);
    if (const Result applied = applyPairs(settings, pairs); !applied)
        return fail(applied.message() + Cli::tr("\nNothing was changed."));
    return saveSettings(settings, prefs.analogInUse()) ? kSuccess : kFailure;
}

int renameSite(Context& c)
{
    Preferences prefs;
    std::optional<SiteRecord> site = storedSite(c.args.at(0), nullptr, &prefs);
    if (!site)
        return kFailure;
    // The key is renamed whole: the Specific formats values go along, and
    // no value is written again, so a change made meanwhile stays.
    const SiteRecord before = *site;
    site->name = trimmedField(c.args.at(1));
    return statusOf(SaveSiteChanges(*site, before, prefs.analogInUse()));
}

int removeSite(Context& c)
{
    if (!storedSite(c.args.at(0)))
        return kFailure;
    return statusOf(deleteStoredSite(c.args.at(0)));
}

int preferences(Context& c)
{
    if (c.args.isEmpty()) {
        const Preferences prefs = Preferences::load();
        c.out << "AnalogPath=" << prefs.analogPath << '\n'
              << "TextEditor=" << Preferences::effectiveTextEditor() << '\n'
              << "CfgAscending=" << (prefs.cfgAscending ? 1 : 0) << '\n'
              << "ParallelBuilds=" << prefs.parallelBuilds << '\n'
              << "MaxLogFileMiB=" << prefs.maxLogFileMiB << '\n'
              << "OverviewFolder=" << prefs.overviewFolder << '\n';
        return kSuccess;
    }
    ValuePairs pairs;
    if (!splitPairs(c.args, &pairs))
        return usageError(Cli::tr("prefs takes VALUE=TEXT pairs."));
    Preferences prefs = Preferences::load();
    for (const auto& [name, text] : pairs) {
        if (!prefs.setValue(name, text))
            return fail(
                Cli::tr("%1=%2: the preferences are AnalogPath, TextEditor, CfgAscending (0 or "
                        "1), ParallelBuilds (1 to %3), MaxLogFileMiB (1 to %4) and OverviewFolder. "
                        "Nothing was changed.")
                    .arg(name, text, QString::number(BuildDriver::kMaxJobs),
                         QString::number(Preferences::kMaxMaxLogFileMiB)));
    }
    return statusOf(prefs.save());
}

int generate(Context& c)
{
    const std::optional<SiteRecord> site = storedSite(c.args.at(0));
    if (!site)
        return kFailure;
    QList<Period> periods;
    for (const QString& text : c.args.mid(1)) {
        const std::optional<QList<Period>> matched = periodsOfPattern(text);
        if (!matched)
            return usageError(
                Cli::tr("\"%1\" is no period (2003-09-15, 2003-W07, 2003-09, 2003-Q3, "
                        "2003-H2, 2003, or 2003-09-*, 2003-W*, 2003-*, 2003-Q*, 2003-H*; "
                        "years 1992 to 2069).")
                    .arg(text));
        periods.append(*matched);
    }
    int status = kSuccess;
    for (const Period& period : std::as_const(periods)) {
        const QString name = PeriodName(period);
        CCfgGenerator generator(period, ReportNameOf(name, site->Output), *site);
        if (generator.Generate().report())
            c.out << site->configFile(name) << '\n';
        else
            status = kFailure;
        c.out.flush();
    }
    return status;
}

int listReports(Context& c)
{
    const std::optional<SiteRecord> site = storedSite(c.args.at(0));
    if (!site)
        return kFailure;
    for (const QString& name : configuredPeriods(*site, Preferences::ascending()))
        c.out << name << '\n';
    return kSuccess;
}

// The console lines go to standard output as they come, what stops a
// period to standard error.
int runBuild(Context& c, const SiteRecord& site, const QList<Period>& periods,
             const BuildOptions& options)
{
    BuildDriver driver(site);
    QObject::connect(&driver, &BuildDriver::linesReady, [&c](const QStringList& lines) {
        for (const QString& line : lines)
            c.out << line << '\n';
        c.out.flush();
    });
    QObject::connect(&driver, &BuildDriver::problem, [&c](const QString& text) {
        c.out.flush(); // after the lines before it
        messages().error(text);
    });
    QEventLoop loop;
    bool succeeded = false;
    QObject::connect(&driver, &BuildDriver::finished, &loop, [&](bool ok) {
        succeeded = ok;
        loop.quit();
    });
    if (!driver.start(periods, options).report())
        return kFailure;
    loop.exec();
    return succeeded ? kSuccess : kFailure;
}

int build(Context& c)
{
    QStringList arguments = c.args.mid(1);
    const bool useExisting = arguments.removeAll(u"--use-existing"_s) > 0;
    const bool onlyStale = arguments.removeAll(u"--stale"_s) > 0;
    const std::optional<int> jobs = takeJobs(arguments);
    if (!jobs)
        return usageError(
            Cli::tr("--jobs takes a number of periods from 1 to %1.").arg(BuildDriver::kMaxJobs));
    if (arguments.isEmpty())
        return usageError(Cli::tr("build takes at least one PERIOD."));
    QList<Period> periods;
    for (const QString& text : std::as_const(arguments)) {
        const std::optional<QList<Period>> matched = periodsOfPattern(text);
        if (!matched)
            return usageError(Cli::tr("\"%1\" is no period.").arg(text));
        periods.append(*matched);
    }
    const std::optional<SiteRecord> site = storedSite(c.args.at(0));
    if (!site)
        return kFailure;
    return runBuild(c, *site, periods, BuildOptions{useExisting, *jobs, onlyStale});
}

int writeIndex(Context& c)
{
    QStringList options = c.args.mid(1);
    const bool framesOn = options.removeAll(u"--frames"_s) > 0;
    const bool framesOff = options.removeAll(u"--no-frames"_s) > 0;
    const bool shortcut = options.removeAll(u"--shortcut"_s) > 0;
    if (!options.isEmpty() || (framesOn && framesOff))
        return usageError(Cli::tr("index takes --frames or --no-frames, and --shortcut."));
    const std::optional<SiteRecord> site = storedSite(c.args.at(0));
    if (!site)
        return kFailure;
    const std::optional<bool> frames =
        framesOn || framesOff ? std::optional<bool>(framesOn) : std::nullopt;
    const bool written = siteIndex(*site, Preferences::ascending(), frames).write().report();
    const bool linked = !shortcut || createDesktopLink(site->name, site->reportsFolder()).report();
    if (!written || !linked)
        return kFailure;
    c.out << generalIndexPage(*site) << '\n';
    return kSuccess;
}

struct Command
{
    QString name;
    int minArgs;
    int maxArgs; // -1: any number
    std::function<int(Context&)> run;
};

const QList<Command>& commands()
{
    static const QList<Command> list = {
        {u"sites"_s, 0, 0, listSites},     {u"add"_s, 1, 1, addSite},
        {u"show"_s, 1, 1, showSite},       {u"set"_s, 2, -1, setValues},
        {u"rename"_s, 2, 2, renameSite},   {u"rm"_s, 1, 1, removeSite},
        {u"prefs"_s, 0, -1, preferences},  {u"generate"_s, 2, -1, generate},
        {u"reports"_s, 1, 1, listReports}, {u"build"_s, 2, -1, build},
        {u"index"_s, 1, 3, writeIndex},    {u"ls"_s, 1, 3, listRemoteFiles},
        {u"fetch"_s, 1, -1, fetchLogs},    {u"export"_s, 0, 1, exportStore},
        {u"import"_s, 1, 1, importStore},  {u"update"_s, 0, -1, update},
        {u"plan"_s, 0, -1, planUpdate},    {u"overview"_s, 0, -1, showOverview},
    };
    return list;
}

} // namespace

QString usageText()
{
    return Cli::tr(
        "Usage: meridan-cli COMMAND [ARGUMENTS]\n"
        "  sites                          the stored Sites\n"
        "  add NAME                       a new Site with the defaults of its name\n"
        "  add --local                    a Site for each web server of this machine\n"
        "                                 (Apache's and nginx's logs in /var/log)\n"
        "  show NAME                      every stored value of the Site\n"
        "  set NAME VALUE=TEXT...         change stored values (all or none);\n"
        "                                 FTPAccess=- reads the password from standard input\n"
        "  rename NAME NEWNAME            rename a Site\n"
        "  rm NAME                        delete a Site's settings (its files stay)\n"
        "  prefs [VALUE=TEXT...]          show or set AnalogPath, TextEditor, CfgAscending,\n"
        "                                 ParallelBuilds, MaxLogFileMiB (the largest log\n"
        "                                 file downloaded), OverviewFolder (where update\n"
        "                                 writes the overview page)\n"
        "  generate NAME PERIOD...        write the configuration file of each period\n"
        "  reports NAME                   the periods that have a configuration file\n"
        "  build NAME PERIOD... [--use-existing] [--jobs N] [--stale]\n"
        "                                 build each period's report with Analog, N at\n"
        "                                 once (default: the number of cores); only\n"
        "                                 out-of-date reports with --stale\n"
        "  index NAME [--frames|--no-frames] [--shortcut]\n"
        "                                 write the general index over the reports\n"
        "  ls NAME [SUBFOLDER] [--accept-new-host-key]\n"
        "                                 the entries of the Site's FTP folder\n"
        "  fetch NAME [--overwrite] [--dir SUBFOLDER] [--accept-new-host-key] [PATTERN...]\n"
        "                                 download log files into the Site's log folder;\n"
        "                                 an unknown SSH host key is refused unless\n"
        "                                 --accept-new-host-key records it\n"
        "  update [NAME...] [--quiet] [--jobs N] [--accept-new-host-key]\n"
        "                                 for each Site (all when none is named): fetch\n"
        "                                 the new and changed logs, build the out-of-date\n"
        "                                 periods of the kinds it keeps, write its index\n"
        "  plan [NAME...] [--stage N]     the build commands update would run, one a line,\n"
        "                                 in stages that read the caches of those before:\n"
        "                                 days (1), weeks and months (2), the rest (3)\n"
        "  overview [NAME...] [--json] [--html FOLDER]\n"
        "                                 every Site's requests yesterday, this month and\n"
        "                                 the last, and its last update; as JSON, or as\n"
        "                                 a web page in FOLDER\n"
        "  export [FILE]                  the whole settings store as JSON (standard output)\n"
        "  import FILE                    replace the whole settings store by an export\n"
        "  --version                      the version and the licence\n"
        "PERIOD: 2003-09-15, 2003-W07, 2003-09, 2003-Q3, 2003-H2, 2003, or every period\n"
        "of a kind, quoted so that the shell leaves the star alone: '2003-09-*' (the\n"
        "days of a month), '2003-W*', '2003-*', '2003-Q*', '2003-H*'.");
}

int runCommand(const QStringList& arguments, QTextStream& out)
{
    if (arguments.isEmpty())
        return usageError(Cli::tr("No command given."));
    const QString& name = arguments.first();
    if (name == u"--help"_s || name == u"-h"_s || name == u"help"_s) {
        out << usageText() << '\n';
        return kSuccess;
    }
    if (name == u"--version"_s) {
        out << texts::versionText(u"meridan-cli"_s) << '\n';
        return kSuccess;
    }
    for (const Command& command : commands()) {
        if (command.name != name)
            continue;
        const qsizetype count = arguments.size() - 1;
        if (count < command.minArgs || (command.maxArgs >= 0 && count > command.maxArgs))
            return usageError(Cli::tr("Wrong number of arguments for %1.").arg(name));
        Context context{arguments.mid(1), out};
        return command.run(context);
    }
    return usageError(Cli::tr("Unknown command %1.").arg(name));
}

} // namespace meridan::cli
