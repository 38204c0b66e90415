#include "figurereader.h"

#include "analog/cachefiles.h"
#include "analog/cfggenerator.h"
#include "analog/loglisting.h"
#include "analog/variables.h"
#include "run/consolerunner.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "util/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// After the Site's configuration: only the figures, as lines of fields.
QStringList figureCommands(const QString& outputFile)
{
    QStringList commands;
    for (const QString& command :
         {u"OUTPUT COMPUTER"_s, u"COMPSEP \\t"_s, u"LASTSEVEN OFF"_s, u"ALL OFF"_s, u"GENERAL ON"_s,
          u"GENSUMLINES ALL"_s, u"DAILYREP ON"_s, u"DAYREPCOLS RPB"_s, u"DAYREPROWS 0"_s,
          u"WARNINGS OFF"_s, QString(u"OUTFILE \""_s + outputFile + u'"')})
        commands << u"+C"_s + command;
    return commands;
}

std::optional<QDate> dateOf(const QList<QByteArray>& fields, qsizetype first)
{
    if (fields.size() < first + 3)
        return std::nullopt;
    const QDate date(fields[first].toInt(), fields[first + 1].toInt(), fields[first + 2].toInt());
    return date.isValid() ? std::optional(date) : std::nullopt;
}

QList<QDate> monthsWithCaches(const SiteRecord& site)
{
    QSet<QDate> months;
    for (const QString& file : QDir(site.cacheFolder()).entryList({u"*.cache"_s}, QDir::Files))
        if (const std::optional<Period> period = PeriodOfName(file.chopped(6)))
            if (period->periodicity == kDay || period->periodicity == kMonth)
                months.insert(QDate(period->year, period->index, 1));
    QList<QDate> sorted(months.begin(), months.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QByteArray sourceOf(const QByteArray& configuration, const QStringList& caches)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(configuration);
    for (const QString& cache : caches)
        if (const std::optional<FileStamp> stamp = stampOf(cache))
            hash.addData(u"%1\n%2 %3 %4\n"_s.arg(stamp->path)
                             .arg(stamp->size)
                             .arg(stamp->modifiedNs)
                             .arg(stamp->inode)
                             .toUtf8());
    return hash.result().toHex();
}

} // namespace

ComputerOutput parseComputerOutput(const QByteArray& text, const QDate& month)
{
    ComputerOutput output;
    output.month.month = month;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() < 3)
            continue;
        bool number = false;
        if (fields[0] == "x") {
            const qint64 value = fields[2].toLongLong(&number);
            if (!number)
                continue;
            if (fields[1] == "SR")
                output.month.requests = value;
            else if (fields[1] == "PR")
                output.month.pages = value;
            else if (fields[1] == "BT")
                output.month.bytes = value;
            else if (fields[1] == "NH")
                output.month.hosts = value;
        } else if (fields[0] == "D" && fields[1] == "RPB" && fields.size() >= 8) {
            const std::optional<QDate> day = dateOf(fields, 5);
            DayFigures figures{day.value_or(QDate()), fields[2].toLongLong(&number), 0, 0};
            bool pages = false;
            bool bytes = false;
            figures.pages = fields[3].toLongLong(&pages);
            figures.bytes = fields[4].toLongLong(&bytes);
            if (day && number && pages && bytes && day->year() == month.year() &&
                day->month() == month.month())
                output.days.append(figures);
        }
    }
    std::sort(output.days.begin(), output.days.end(),
              [](const DayFigures& a, const DayFigures& b) { return a.day < b.day; });
    return output;
}

QList<FigureJob> figureJobs(const SiteRecord& site)
{
    const QList<QDate> months = monthsWithCaches(site);
    if (months.isEmpty())
        return {};
    QHash<QDate, QByteArray> stored;
    for (const MonthFigures& month : storedMonths(site.name))
        stored.insert(month.month, month.source);
    const LogListing logs(site);
    const CacheCheck caches(site, logs);
    const SiteInputs inputs = readSiteInputs(site);
    QList<FigureJob> jobs;
    for (const QDate& month : months) {
        const QStringList read = caches.builtCachesOf(month);
        if (read.isEmpty())
            continue;
        const Period period{month.year(), kMonth, month.month(), 0};
        CCfgGenerator generator(period, ReportNameOf(PeriodName(period), site.Output), site);
        generator.readInputsFrom(&inputs);
        generator.readCaches(read);
        const std::optional<QByteArray> configuration = generator.configuration();
        if (!configuration)
            continue;
        const QByteArray source = sourceOf(*configuration, read);
        if (stored.value(month) != source)
            jobs.append({month, source, *configuration});
    }
    return jobs;
}

FigureReader::FigureReader(const SiteRecord& site, QObject* parent) : QObject(parent), m_site(site)
{
}

FigureReader::~FigureReader()
{
    stop();
}

void FigureReader::start(const QList<FigureJob>& jobs)
{
    m_jobs = jobs;
    m_problems.clear();
    QTimer::singleShot(0, this, &FigureReader::next);
}

void FigureReader::stop()
{
    m_jobs.clear();
    if (m_runner)
        m_runner->stop();
    m_runner.reset();
    removeFiles();
}

void FigureReader::removeFiles()
{
    for (QString* file : {&m_configFile, &m_outputFile})
        if (!file->isEmpty())
            QFile::remove(std::exchange(*file, QString()));
}

void FigureReader::fail(const QString& text)
{
    m_problems.append(text);
    m_jobs.clear();
    QTimer::singleShot(0, this, &FigureReader::next);
}

void FigureReader::next()
{
    if (m_jobs.isEmpty()) {
        emit finished(m_problems);
        return;
    }
    const QString analogPath = Preferences::analogPathInUse();
    if (analogPath.isEmpty() || !QFileInfo::exists(analogPath))
        return fail(texts::cannotFindAnalog());
    QTemporaryFile configuration(QDir::tempPath() + u"/meridan-figures-XXXXXX.cfg"_s);
    configuration.setAutoRemove(false);
    if (!configuration.open() || configuration.write(m_jobs.first().configuration) < 0 ||
        !configuration.flush())
        return fail(texts::errorCreatingFile(configuration.fileName()));
    m_configFile = configuration.fileName();
    m_outputFile = m_configFile.chopped(4) + u".txt"_s;
    QString command = u"\""_s + analogPath + u"\" "_s + m_site.AnalogCommand;
    ExpandCommand(m_site, m_configFile, command);
    m_runner = std::make_unique<CConsoleRunner>();
    connect(m_runner.get(), &CConsoleRunner::finished, this, &FigureReader::monthRead);
    if (!m_runner->start(command, figureCommands(m_outputFile)))
        fail(texts::Overview::tr("Analog could not be started to read the figures of %1.")
                 .arg(m_jobs.first().month.toString(u"yyyy-MM"_s)));
}

void FigureReader::monthRead(const RunOutcome& outcome)
{
    const FigureJob job = m_jobs.takeFirst();
    QFile output(m_outputFile);
    const bool read = outcome.succeeded() && output.open(QIODevice::ReadOnly);
    ComputerOutput figures = parseComputerOutput(read ? output.readAll() : QByteArray(), job.month);
    output.close();
    removeFiles();
    m_runner.release()->deleteLater(); // it is still in its own signal
    if (!read)
        return fail(texts::Overview::tr("Analog could not read the figures of %1 from the caches "
                                        "(exit code %2).")
                        .arg(job.month.toString(u"yyyy-MM"_s))
                        .arg(outcome.exitCode));
    figures.month.source = job.source;
    if (!saveMonthFigures(m_site.name, figures.month, figures.days))
        return fail(texts::Overview::tr("The figures of %1 could not be stored.")
                        .arg(job.month.toString(u"yyyy-MM"_s)));
    QTimer::singleShot(0, this, &FigureReader::next);
}

} // namespace meridan
