#pragma once

#include "store/figurestore.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>

namespace meridan {

class CConsoleRunner;
class SiteRecord;
struct RunOutcome;

// What Analog's computer-readable output says of a month: the General
// Summary and the Daily Report. Lines it does not know are skipped.
struct ComputerOutput
{
    MonthFigures month;
    QList<DayFigures> days;
};
ComputerOutput parseComputerOutput(const QByteArray& text, const QDate& month);

// A month of a Site whose caches changed since its figures were read.
struct FigureJob
{
    QDate month;
    QByteArray source;        // the caches and settings the figures come from
    QByteArray configuration; // reads those caches
};

// The months of a Site whose figures are missing or out of date, oldest
// first. A Site without caches has none.
QList<FigureJob> figureJobs(const SiteRecord& site);

// Reads the figures of a Site's months from its caches with Analog, one
// month after the other, and stores each. It never waits: finished says
// when all are read, with what went wrong.
class FigureReader : public QObject
{
    Q_OBJECT

public:
    FigureReader(const SiteRecord& site, QObject* parent = nullptr);
    ~FigureReader() override;

    void start(const QList<FigureJob>& jobs);
    void stop();

signals:
    void finished(const QStringList& problems);

private:
    void next();
    void monthRead(const RunOutcome& outcome);
    void fail(const QString& text);
    void removeFiles();

    const SiteRecord& m_site;
    QList<FigureJob> m_jobs;
    QStringList m_problems;
    std::unique_ptr<CConsoleRunner> m_runner;
    QString m_configFile;
    QString m_outputFile;
};

} // namespace meridan
