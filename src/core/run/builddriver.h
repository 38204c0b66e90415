#pragma once

#include <QString>
#include <optional>

namespace meridan {

class CConsoleRunner;
class SiteRecord;

// What the main window's controls say to build: the year text, the kind of
// period (1 day ... 6 year), the position in the period list (0 is
// "(all)"; for days the month) and in the day list (days only; 0 is
// "(all)"), and whether existing configuration files are reused.
struct BuildRequest
{
    QString yearText;
    qint32 periodicity = 0;
    int periodPosition = -1;
    int dayPosition = -1;
    bool useExisting = false;

    // The request for a period name or an "(all)" choice written with a
    // star (2003-09-*, 2003-W*, 2003-*, 2003-Q*, 2003-H*); nullopt for any
    // other text.
    static std::optional<BuildRequest> fromText(const QString& text);
};

// Told about each period as the build reaches it, so the window can show
// it in its controls, say "period n of count" and refresh its report list.
class BuildObserver
{
public:
    virtual ~BuildObserver() = default;
    virtual void periodSelected(int periodPosition, int dayPosition, const QString& reportName,
                                int number, int count) = 0;
    virtual void periodBuilt() = 0;
};

// Builds periods of one Site: configuration file, report folder, Analog run
// and post-process run, one period after the other.
class BuildDriver
{
public:
    BuildDriver(const SiteRecord& site, CConsoleRunner& runner, BuildObserver* observer = nullptr);

    // Every period of the request; true when each one was generated, run
    // and ended with exit code 0.
    bool OnBuild(const BuildRequest& request);

    // The "Report:" field for the controls' state: period name + "/stats" +
    // period name + the output's extension; current when the year text is
    // not four characters long or no kind is chosen, "" when no period is.
    static QString UpdateReportName(const BuildRequest& selection, qint32 output,
                                    const QString& current);

    // Builds the one period the selection names, with the report name shown.
    bool BuildSelectedPeriod(const BuildRequest& selection, const QString& reportName);

    // Report folder, Analog run and post-process run of a period whose
    // configuration file exists.
    bool RunPeriod(const QString& periodName);

private:
    bool runCommand(const QString& commandLine);

    const SiteRecord& m_site;
    CConsoleRunner& m_runner;
    BuildObserver* m_observer;
};

} // namespace meridan
