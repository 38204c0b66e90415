#include "builddriver.h"

#include "analog/cfggenerator.h"
#include "analog/period.h"
#include "analog/reportlist.h"
#include "analog/variables.h"
#include "run/consolerunner.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/numbers.h"
#include "util/texts.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// The positions to build: pairs of (period position, day position).
QList<std::pair<int, int>> positionsToBuild(const BuildRequest& request)
{
    QList<std::pair<int, int>> positions;
    switch (request.periodicity) {
    case kDay:
        if (request.periodPosition < 1)
            break;
        if (request.dayPosition >= 1) {
            positions.append({request.periodPosition, request.dayPosition});
            break;
        }
        for (int day = 1; day <= DaysInMonth(request.yearText.toInt(), request.periodPosition);
             ++day)
            positions.append({request.periodPosition, day});
        break;
    case kWeek:
    case kMonth:
    case kQuarter:
    case kHalfYear:
        if (request.periodPosition >= 1)
            positions.append({request.periodPosition, -1});
        else
            for (int n = 1; n <= PeriodCount(request.periodicity); ++n)
                positions.append({n, -1});
        break;
    case kYear:
        positions.append({request.periodPosition, request.dayPosition});
        break;
    default:
        break;
    }
    return positions;
}

} // namespace

std::optional<BuildRequest> BuildRequest::fromText(const QString& text)
{
    const std::optional<QList<Period>> periods = periodsOfPattern(text);
    if (!periods || periods->isEmpty())
        return std::nullopt;
    const Period& first = periods->first();
    const QString year = QString::number(first.year);
    const bool day = first.periodicity == kDay;
    if (periods->size() == 1) // one period: its own positions
        return BuildRequest{year, first.periodicity, first.index, day ? first.day : -1, false};
    // "(all)": position 0 of the day list for days, of the period list otherwise
    return BuildRequest{year, first.periodicity, day ? first.index : 0, day ? 0 : -1, false};
}

BuildDriver::BuildDriver(const SiteRecord& site, CConsoleRunner& runner, BuildObserver* observer)
    : m_site(site), m_runner(runner), m_observer(observer)
{
}

QString BuildDriver::UpdateReportName(const BuildRequest& s, qint32 output, const QString& current)
{
    if (s.yearText.size() != 4 || s.periodicity < kDay || s.periodicity > kYear)
        return current;
    if (s.periodicity != kYear && s.periodPosition < 1)
        return {};
    if (s.periodicity == kDay && s.dayPosition < 1)
        return {};
    const QChar letter = texts::periodicityLetters.at(s.periodicity);
    QString name;
    switch (s.periodicity) {
    case kDay:
        name = s.yearText + u'-' + twoDigits(s.periodPosition) + u'-' + twoDigits(s.dayPosition);
        break;
    case kWeek:
        name = s.yearText + u'-' + letter + twoDigits(s.periodPosition);
        break;
    case kMonth:
        name = s.yearText + u'-' + twoDigits(s.periodPosition);
        break;
    case kQuarter:
    case kHalfYear:
        name = s.yearText + u'-' + letter + QString::number(s.periodPosition);
        break;
    default:
        name = s.yearText;
        break;
    }
    return ReportNameOf(name, output);
}

bool BuildDriver::OnBuild(const BuildRequest& request)
{
    if (request.yearText.isEmpty())
        return true;
    // A Site stored by hand with a name or folder that would break Analog's
    // command line or a configuration file is shown, but never built.
    if (const QString problem = siteProblem(m_site); !problem.isEmpty()) {
        messages().error(problem);
        return false;
    }
    const QList<std::pair<int, int>> positions = positionsToBuild(request);
    bool allSucceeded = true;
    QString reportName;
    for (qsizetype i = 0; i < positions.size(); ++i) {
        if (m_runner.stopRequested()) {
            m_runner.appendNote(u"The build was stopped; %1 of %2 periods were not built."_s
                                    .arg(positions.size() - i)
                                    .arg(positions.size()));
            return false;
        }
        BuildRequest selection = request;
        std::tie(selection.periodPosition, selection.dayPosition) = positions.at(i);
        reportName = UpdateReportName(selection, m_site.Output, reportName);
        if (m_observer)
            m_observer->periodSelected(selection.periodPosition, selection.dayPosition, reportName,
                                       int(i + 1), int(positions.size()));
        allSucceeded &= BuildSelectedPeriod(selection, reportName);
        if (m_observer)
            m_observer->periodBuilt();
    }
    return allSucceeded && !m_runner.stopRequested();
}

bool BuildDriver::BuildSelectedPeriod(const BuildRequest& s, const QString& reportName)
{
    bool yearIsNumber = false;
    const int year = s.yearText.toInt(&yearIsNumber);
    if (!yearIsNumber || year < kFirstYear || year > kLastYear)
        return true; // nothing to build, as the window shows nothing
    const bool yearly = s.periodicity == kYear;
    const Period period{year, s.periodicity, yearly ? 0 : s.periodPosition,
                        s.periodicity == kDay ? s.dayPosition : 0};
    if (!yearly && (period.index < 1 || (s.periodicity == kDay && period.day < 1)))
        return true;
    const qsizetype slash = reportName.indexOf(u'/');
    // A report name not formed from a four-character year has no period
    // name before its "/": the period's own name stands in.
    const QString periodName = slash > 0 ? reportName.left(slash) : PeriodName(period);
    if (periodName.isEmpty())
        return true;
    const bool useExisting = s.useExisting && QFileInfo::exists(m_site.configFile(periodName));
    if (!useExisting) {
        CCfgGenerator generator(
            period, reportName.isEmpty() ? ReportNameOf(periodName, m_site.Output) : reportName,
            m_site);
        if (!generator.Generate())
            return false;
    }
    return RunPeriod(periodName);
}

bool BuildDriver::RunPeriod(const QString& periodName)
{
    if (const QString problem = siteProblem(m_site); !problem.isEmpty()) {
        messages().error(problem);
        return false;
    }
    const QString reportFolder = joinPath(m_site.reportsFolder(), periodName);
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
    const QString configFile = m_site.configFile(periodName);
    if (!QFileInfo(configFile).isFile()) {
        messages().error(texts::configurationMissing(configFile));
        return false;
    }
    const QString analogPath = Preferences::storedAnalogPath();
    if (analogPath.isEmpty() || !QFileInfo::exists(analogPath)) {
        messages().error(texts::cannotFindAnalog);
        return false;
    }
    QString command = u"\""_s + analogPath + u"\" "_s + m_site.AnalogCommand;
    ExpandCommand(m_site, configFile, command);
    bool succeeded = runCommand(command);
    if (!m_site.PostProcessCmd.isEmpty() && !m_runner.stopRequested()) {
        QString postProcess = m_site.PostProcessCmd;
        ExpandCommand(m_site, periodName, postProcess);
        succeeded &= runCommand(postProcess);
    }
    return succeeded;
}

bool BuildDriver::runCommand(const QString& commandLine)
{
    return m_runner.Run(commandLine) && m_runner.lastOutcome().succeeded();
}

} // namespace meridan
