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
#include <QMap>
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

// What the cache folder holds of each month: the names and stamps of its
// caches and their records, of the month and of its days. A cache written
// anew, or judged anew under other settings, changes its month's; a glance
// at the folder tells which months to read again.
QMap<QDate, QByteArray> cacheStampsByMonth(const SiteRecord& site)
{
    QMap<QDate, QCryptographicHash*> hashes;
    std::vector<std::unique_ptr<QCryptographicHash>> owned;
    const QDir folder(site.cacheFolder());
    for (const QString& file :
         folder.entryList({u"*.cache"_s, u"*.build"_s}, QDir::Files, QDir::Name)) {
        const std::optional<Period> period = PeriodOfName(file.section(u'.', 0, 0));
        if (!period || (period->periodicity != kDay && period->periodicity != kMonth))
            continue;
        const QDate month(period->year, period->index, 1);
        QCryptographicHash*& hash = hashes[month];
        if (!hash)
            hash =
                owned.emplace_back(std::make_unique<QCryptographicHash>(QCryptographicHash::Sha256))
                    .get();
        if (const std::optional<FileStamp> stamp = stampOf(folder.filePath(file)))
            hash->addData(u"%1 %2 %3 %4\n"_s.arg(file)
                              .arg(stamp->size)
                              .arg(stamp->modifiedNs)
                              .arg(stamp->inode)
                              .toUtf8());
    }
    QMap<QDate, QByteArray> stamps;
    for (auto month = hashes.cbegin(); month != hashes.cend(); ++month)
        stamps.insert(month.key(), month.value()->result().toHex());
    return stamps;
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
    QHash<QDate, QByteArray> stored;
    for (const MonthFigures& month : storedMonths(site.name))
        stored.insert(month.month, month.source);
    QMap<QDate, QByteArray> changed = cacheStampsByMonth(site);
    changed.removeIf([&](const auto& month) { return stored.value(month.key()) == month.value(); });
    if (changed.isEmpty())
        return {};
    // Which of a changed month's caches hold its requests, as a build would judge.
    const LogListing logs(site);
    const CacheCheck caches(site, logs);
    const SiteInputs inputs = readSiteInputs(site);
    QList<FigureJob> jobs;
    for (auto month = changed.cbegin(); month != changed.cend(); ++month) {
        const QStringList read = caches.builtCachesOf(month.key());
        const Period period{month.key().year(), kMonth, month.key().month(), 0};
        CCfgGenerator generator(period, ReportNameOf(PeriodName(period), site.Output), site);
        generator.readInputsFrom(&inputs);
        generator.readCaches(read);
        if (const std::optional<QByteArray> configuration = generator.configuration();
            configuration && !read.isEmpty())
            jobs.append({month.key(), month.value(), *configuration});
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
