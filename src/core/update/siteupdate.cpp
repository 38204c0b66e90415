#include "siteupdate.h"

#include "analog/cachefiles.h"
#include "analog/updateplan.h"
#include "overview/figurereader.h"
#include "overview/overviewpage.h"
#include "remote/ftpclient.h"
#include "remote/logfetch.h"
#include "report/generalindex.h"
#include "run/builddriver.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/texts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QString lockPath()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Meridan"_s;
    QDir().mkpath(folder);
    return folder + u"/update.lock"_s;
}

} // namespace

UpdateLock::UpdateLock() : m_file(lockPath())
{
    m_file.setStaleLockTime(0); // only a lock whose process is gone is stale
}

Result UpdateLock::acquire()
{
    if (m_file.tryLock(0))
        return {};
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_file.error() == QLockFile::LockFailedError) {
        if (m_file.getLockInfo(&pid, &host, &application))
            return Result::refused(texts::Update::tr("An update is running already (process "
                                                     "%1); only one runs at a time.")
                                       .arg(pid));
        // An update killed as it took the lock leaves it empty, naming no
        // process. A live one holds the file's native lock from a moment
        // after creating it, which removing it would need: a second's wait
        // covers that moment.
        constexpr qint64 kMsToTakeLock = 1000;
        const QDateTime written = QFileInfo(lockPath()).lastModified();
        if (qAbs(written.msecsTo(QDateTime::currentDateTime())) > kMsToTakeLock &&
            m_file.removeStaleLockFile() && m_file.tryLock(0))
            return {};
    }
    return Result::refused(
        texts::Update::tr("The update lock %1 cannot be taken.").arg(lockPath()));
}

SiteUpdate::SiteUpdate(const QStringList& siteNames, const UpdateOptions& options, QObject* parent)
    : QObject(parent), m_names(siteNames), m_options(options)
{
}

SiteUpdate::~SiteUpdate()
{
    // A fetch still running ends with its client, without the event loop.
    if (m_fetch) {
        m_client->cancel();
        m_fetch->wait();
        delete m_fetch; // its end, queued to this object, never comes
    }
}

void SiteUpdate::start()
{
    QTimer::singleShot(0, this, &SiteUpdate::nextSite);
}

void SiteUpdate::addProblem(const QString& text)
{
    m_outcome.problems.append(text);
    emit problem(m_outcome.site, text);
}

void SiteUpdate::nextSite()
{
    m_driver.reset();
    m_figures.reset();
    if (m_next >= m_names.size()) {
        writeOverview();
        emit finished(m_allOk);
        return;
    }
    const QString name = m_names.at(m_next++);
    m_outcome = {};
    m_outcome.site = name;
    m_outcome.started = QDateTime::currentDateTime();
    m_siteTimer.start();
    emit siteStarted(name, int(m_next), int(m_names.size()));
    Expected<SiteRecord> stored = SiteRecord::loadStored(name);
    if (!stored) {
        addProblem(stored.message());
        endSite();
        return;
    }
    m_site = std::make_unique<SiteRecord>(std::move(*stored));
    if (!m_site->passwordProblem().isEmpty() && !m_site->FTPUrl.isEmpty())
        addProblem(m_site->passwordProblem());
    if (const Result checked = checkSite(*m_site); !checked) {
        addProblem(checked.message());
        endSite();
        return;
    }
    // A deleted folder would fail every period for this one cause.
    if (!QFileInfo(m_site->cfgFolder()).isDir()) {
        addProblem(texts::Update::tr("The folder %1 of the Site is missing: nothing was fetched "
                                     "or built. Put it back, or make it anew: meridan-cli set "
                                     "\"%2\" Root=\"%3\"")
                       .arg(m_site->cfgFolder(), name, m_site->Root));
        endSite();
        return;
    }
    if (m_site->FTPUrl.isEmpty())
        buildPeriods();
    else
        fetchLogs(); // a server that fails still leaves the logs at hand to build
}

void SiteUpdate::fetchLogs()
{
    // One slow server must not hold the update of every other Site.
    RemoteLimits limits;
    limits.sessionSeconds = m_options.fetchSeconds;
    m_client = std::make_unique<FtpClient>(*m_site, limits);
    m_client->setTrustQuestion([this](const ServerIdentity& identity) {
        return m_options.acceptNewHostKey && identity.kind == ServerIdentity::Kind::SshHostKey;
    });
    // The bytes of the files fetched before, and of the one coming so far.
    // Said on the update's own thread, where its listeners are.
    m_client->setProgressListener([this](qint64 done, qint64) {
        const qint64 bytes = m_outcome.bytesFetched + done;
        QMetaObject::invokeMethod(this, [this, bytes] { emit bytesFetched(bytes); });
    });
    // The transfers block: they run beside the event loop, which goes on.
    auto report = std::make_shared<FetchReport>();
    m_fetch = QThread::create([this, report] {
        FetchOptions options;
        options.existing = FetchOptions::Existing::ReplaceChanged;
        *report = fetchRemoteLogs(*m_client, *m_site, options, [this](const QString& path) {
            ++m_outcome.filesFetched;
            m_outcome.bytesFetched += QFileInfo(path).size();
        });
    });
    connect(m_fetch, &QThread::finished, this, [this, report] {
        m_fetch->deleteLater();
        m_fetch = nullptr;
        m_client.reset();
        if (!report->result)
            addProblem(report->result.message());
        for (const QString& text : std::as_const(report->problems))
            addProblem(text);
        buildPeriods();
    });
    m_fetch->start();
}

void SiteUpdate::buildPeriods()
{
    // Unread, its logs would look absent and the update a success.
    const QFileInfo logs(m_site->LogsDir);
    if (logs.isDir() && !(logs.isReadable() && logs.isExecutable()))
        addProblem(texts::Update::tr("The log folder %1 cannot be read: its logs are left out.")
                       .arg(m_site->LogsDir));
    const QList<Period> periods = outOfDatePeriods(*m_site, m_options.today);
    m_outcome.periodsPlanned = int(periods.size());
    emit periodsPlanned(m_outcome.periodsPlanned);
    if (periods.isEmpty()) {
        writeIndex();
        return;
    }
    m_driver = std::make_unique<BuildDriver>(*m_site);
    startFigures();
    m_daysBuiltInMonth.clear();
    m_daysAwaitingMonth.clear();
    for (const Period& period : periods)
        if (period.periodicity == kDay)
            ++m_daysBuiltInMonth[period.year * 100 + period.index];
    m_lines.clear();
    connect(m_driver.get(), &BuildDriver::linesReady, this,
            [this](const QStringList& lines) { m_lines.append(lines); });
    connect(m_driver.get(), &BuildDriver::problem, this, &SiteUpdate::addProblem);
    connect(m_driver.get(), &BuildDriver::notice, this,
            [this](const QString& text) { emit note(m_outcome.site, text); });
    connect(m_driver.get(), &BuildDriver::periodFinished, this, &SiteUpdate::periodBuilt);
    connect(m_driver.get(), &BuildDriver::finished, this, [this] {
        QTimer::singleShot(0, this, &SiteUpdate::writeIndex); // after the driver's own work
    });
    if (const Result started = m_driver->start(periods, BuildOptions{false, m_options.jobs, true});
        !started) {
        addProblem(started.message());
        writeIndex();
    }
}

void SiteUpdate::periodBuilt(const Period& period, bool ok, int done, int count)
{
    if (ok && keepsCache(period)) // once the next period has started, of the same Site
        QTimer::singleShot(0, this, [this, period, site = m_next] {
            if (m_next == site)
                readFiguresOfBuilt(period);
        });
    if (ok)
        ++m_outcome.periodsBuilt;
    else if (m_lines.isEmpty()) // the cause is a problem of its own already
        addProblem(texts::Update::tr("%1 was not built.").arg(PeriodName(period)));
    else
        addProblem(texts::Update::tr("%1 was not built:\n%2")
                       .arg(PeriodName(period), m_lines.join(u'\n')));
    m_lines.clear();
    emit periodFinished(period, ok, done, count);
}

// The figures of what was built are read beside the longer periods'
// builds: a few days as soon as each is built; many days of a month once
// the month is, in one run over its cache. Days whose month is not built
// here are read at the end.
void SiteUpdate::readFiguresOfBuilt(const Period& period)
{
    if (!m_figures)
        return;
    const int month = period.year * 100 + period.index;
    QList<Period> built{period};
    if (period.periodicity == kDay && m_daysBuiltInMonth.value(month) >= kDaysReadTogether) {
        m_daysAwaitingMonth[month].append(period);
        return;
    }
    if (period.periodicity == kMonth)
        built += m_daysAwaitingMonth.take(month);
    m_figures->add(figureJobsOfBuilt(*m_site, built));
}

void SiteUpdate::writeIndex()
{
    if (const Result written = siteIndex(*m_site, Preferences::ascending()).write(); !written)
        addProblem(written.message());
    readFigures();
}

void SiteUpdate::startFigures()
{
    m_figures = std::make_unique<FigureReader>(*m_site);
    connect(m_figures.get(), &FigureReader::finished, this, [this](const QStringList& problems) {
        for (const QString& text : problems)
            addProblem(text);
        endSite();
    });
}

// Every cache that changed since its figures were read, the ones built
// here and read already aside.
void SiteUpdate::readFigures()
{
    if (!m_figures)
        startFigures();
    m_figures->add(figureJobs(*m_site));
    m_figures->finishWhenDone();
}

// Kept beside the Site, so that the overview can say how it went.
void SiteUpdate::recordState()
{
    if (!siteIsStored(m_outcome.site))
        return;
    m_outcome.milliseconds = m_siteTimer.elapsed();
    if (const Result saved = saveUpdateState(m_outcome.site, m_outcome); !saved)
        addProblem(saved.message()); // told now, though the state stays as before
}

// Every Site's row, whichever were updated: the page is the one of them all.
void SiteUpdate::writeOverview()
{
    const QString folder = Preferences::load().overviewFolder;
    if (folder.isEmpty())
        return;
    const QDate today = m_options.today;
    const Result written =
        OverviewPages(loadFigures({}, OverviewPages::firstDayShown(today)), today).write(folder);
    if (!written) {
        m_allOk = false;
        emit problem(QString(), written.message());
    }
}

void SiteUpdate::endSite()
{
    recordState();
    if (!m_outcome.problems.isEmpty())
        m_allOk = false;
    emit siteFinished(m_outcome);
    QTimer::singleShot(0, this, &SiteUpdate::nextSite);
}

} // namespace meridan
