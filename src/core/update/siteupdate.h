#pragma once

#include "analog/period.h"
#include "store/figurestore.h"
#include "util/result.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <memory>

namespace meridan {

class BuildDriver;
class FigureReader;
class FtpClient;
class SiteRecord;

// Held while an update runs, so that only one runs at a time.
class UpdateLock
{
public:
    UpdateLock();
    // Refused, naming the process, while another update holds the lock.
    Result acquire();

private:
    QLockFile m_file;
};

struct UpdateOptions
{
    int jobs = 1;
    bool acceptNewHostKey = false;
    int fetchSeconds = 30 * 60; // the most a Site's downloads may take
    QDate today = QDate::currentDate();
};

// What an update did for one Site, as the overview keeps it.
struct SiteUpdateOutcome : UpdateState
{
    QString site;
};

// Brings Sites up to date, one after the other: fetches the log files that
// are new or changed in size on the Site's server (when it has a URL),
// builds the out-of-date periods of the kinds it keeps, writes its general
// index, reads the figures of the months whose caches changed, and records
// what it did. A Site that fails does not stop the others. At the end it
// writes the overview page when the preferences name its folder.
class SiteUpdate : public QObject
{
    Q_OBJECT

public:
    SiteUpdate(const QStringList& siteNames, const UpdateOptions& options,
               QObject* parent = nullptr);
    ~SiteUpdate() override;

    void start();

signals:
    void siteStarted(const QString& site, int number, int count);
    // The bytes of the file being fetched, and of the files before it.
    void bytesFetched(qint64 bytes);
    void periodsPlanned(int count);
    void periodFinished(const meridan::Period& period, bool ok, int finished, int count);
    // site is empty for what concerns them all (the overview page).
    void problem(const QString& site, const QString& text);
    // What the user must know though nothing failed: reports and caches
    // kept as they were because their logs are gone, a cache folder that
    // cannot be written.
    void note(const QString& site, const QString& text);
    void siteFinished(const meridan::SiteUpdateOutcome& outcome);
    // ok: every Site was updated without a problem.
    void finished(bool ok);

private:
    void nextSite();
    void fetchLogs();
    void buildPeriods();
    void writeIndex();
    void periodBuilt(const Period& period, bool ok, int done, int count);
    void readFiguresOfBuilt(const Period& period);
    void startFigures();
    void readFigures();
    void endSite();
    void recordState();
    void writeOverview();
    void addProblem(const QString& text);

    QStringList m_names;
    UpdateOptions m_options;
    qsizetype m_next = 0;
    std::unique_ptr<SiteRecord> m_site;
    std::unique_ptr<FtpClient> m_client; // while a fetch runs in m_fetch
    QThread* m_fetch = nullptr;
    std::unique_ptr<BuildDriver> m_driver;
    std::unique_ptr<FigureReader> m_figures;
    QElapsedTimer m_siteTimer;
    QHash<int, int> m_daysBuiltInMonth;            // by year * 100 + month
    QHash<int, QList<Period>> m_daysAwaitingMonth; // read with their month, by the same key
    QStringList m_lines;                           // the console lines of the periods still running
    SiteUpdateOutcome m_outcome;
    bool m_allOk = true;
};

} // namespace meridan
