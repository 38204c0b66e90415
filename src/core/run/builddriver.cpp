#include "builddriver.h"

#include "analog/cfggenerator.h"
#include "analog/variables.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace meridan {

BuildDriver::BuildDriver(const SiteRecord& site, QObject* parent)
    : QObject(parent), m_site(site), m_runner(this)
{
    connect(&m_runner, &CConsoleRunner::linesReady, this, &BuildDriver::linesReady);
    connect(&m_runner, &CConsoleRunner::finished, this, &BuildDriver::commandEnded);
}

bool BuildDriver::start(const QList<Period>& periods, bool useExisting)
{
    if (isRunning())
        return false;
    m_periods = periods;
    m_useExisting = useExisting;
    m_allOk = true;
    m_stopping = false;
    m_index = 0;
    // A Site stored by hand with a name or folder that would break Analog's
    // command line or a configuration file is shown, but never built.
    if (!checkSite(m_site).report()) {
        m_allOk = false;
        m_index = m_periods.size();
    }
    // Signals go out once the caller has had the chance to listen.
    QTimer::singleShot(0, this, &BuildDriver::startPeriod);
    return true;
}

void BuildDriver::stop()
{
    if (!isRunning())
        return;
    m_stopping = true;
    m_runner.stop();
}

void BuildDriver::startPeriod()
{
    const qsizetype count = m_periods.size();
    if (m_index < count && m_stopping) {
        emit linesReady(
            {u"The build was stopped; %1 of %2 periods were not built."_s.arg(count - m_index)
                 .arg(count)});
        m_allOk = false;
        m_index = count;
    }
    if (m_index >= count) {
        m_index = -1;
        emit finished(m_allOk);
        return;
    }
    const Period& period = m_periods.at(m_index);
    emit periodStarted(period, int(m_index + 1), int(count));
    m_periodOk = true;
    if (!prepare(period) || !startCommand(Step::Analog))
        endPeriod(false);
}

bool BuildDriver::prepare(const Period& period)
{
    const QString name = PeriodName(period);
    const bool reuse = m_useExisting && QFileInfo::exists(m_site.configFile(name));
    if (!reuse && !CCfgGenerator(period, ReportNameOf(name, m_site.Output), m_site).Generate())
        return false;
    const QString reportFolder = joinPath(m_site.reportsFolder(), name);
    switch (pathKind(reportFolder)) {
    case PathKind::File:
        messages().error(texts::fileIsNotFolder(reportFolder));
        return false;
    case PathKind::Missing:
        QDir().mkdir(reportFolder); // Analog's own message shows when this fails
        break;
    case PathKind::Folder:
        break;
    }
    const QString configFile = m_site.configFile(name);
    if (!QFileInfo(configFile).isFile()) {
        messages().error(texts::configurationMissing(configFile));
        return false;
    }
    return true;
}

bool BuildDriver::startCommand(Step step)
{
    m_step = step;
    const QString name = PeriodName(m_periods.at(m_index));
    QString command;
    if (step == Step::Analog) {
        const QString analogPath = Preferences::analogPathInUse();
        if (analogPath.isEmpty() || !QFileInfo::exists(analogPath)) {
            messages().error(texts::cannotFindAnalog);
            return false;
        }
        command = u"\""_s + analogPath + u"\" "_s + m_site.AnalogCommand;
        ExpandCommand(m_site, m_site.configFile(name), command);
    } else {
        command = m_site.PostProcessCmd;
        ExpandCommand(m_site, name, command);
    }
    return m_runner.start(command);
}

void BuildDriver::commandEnded(const RunOutcome& outcome)
{
    m_periodOk &= outcome.succeeded();
    if (m_step == Step::Analog && !m_site.PostProcessCmd.isEmpty() && !m_stopping) {
        // A post-process that cannot be started fails the period, Analog's
        // report stays.
        if (!startCommand(Step::PostProcess))
            endPeriod(false);
        return;
    }
    endPeriod(m_periodOk);
}

void BuildDriver::endPeriod(bool ok)
{
    m_allOk &= ok;
    emit periodFinished(m_periods.at(m_index), ok);
    ++m_index;
    // The next period starts from the event loop, so that a stop asked for
    // in a slot of this signal is seen first.
    QTimer::singleShot(0, this, &BuildDriver::startPeriod);
}

} // namespace meridan
