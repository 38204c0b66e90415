#include "consolerunner.h"

#include "util/texts.h"

#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

constexpr qsizetype kLongCommand = 80;
// A child that never ends its line must not make memory grow without
// bound: past this size the pending text is shown as a line of its own.
constexpr qsizetype kLongestLine = 64 * 1024;
const QString kSeparator = u"----------"_s;

// The error number a failed start stands for: 2 when the program is not
// there, 13 when it cannot be executed.
unsigned startErrorCode(const QString& program)
{
    const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return 2;
    const QFileInfo info(path);
    if (info.isDir() || !info.isExecutable())
        return 13;
    return 8; // the file exists but is no program this system can run
}

QString startFailureText(const QString& program, const QString& commandLine)
{
    return texts::Run::tr("CreateProcess: error # %1\n(cmd: %2)")
        .arg(QString::number(startErrorCode(program), 16).toUpper(), commandLine);
}

} // namespace

CConsoleRunner::CConsoleRunner(QObject* parent) : QObject(parent)
{
}

CConsoleRunner::~CConsoleRunner()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

QStringList CConsoleRunner::echoLines(const QString& commandLine)
{
    if (commandLine.size() < kLongCommand)
        return {u"Cmd: >"_s + commandLine};
    const qsizetype quote = commandLine.indexOf(u'"', 2);
    if (quote < 0)
        return {};
    return {commandLine.left(quote), u"      "_s + commandLine.mid(quote + 1)};
}

void CConsoleRunner::deliver(QStringList lines)
{
    if (!lines.isEmpty())
        emit linesReady(lines);
}

void CConsoleRunner::readOutput()
{
    m_pending += m_process->readAll();
    QStringList lines;
    // Everything up to the last line feed is decoded at once: it ends on a
    // whole character, and one conversion costs far less than one a line.
    const qsizetype lastFeed = m_pending.lastIndexOf('\n');
    if (lastFeed >= 0) {
        QString text = QString::fromLocal8Bit(m_pending.constData(), lastFeed);
        m_pending.remove(0, lastFeed + 1);
        text.remove(u'\r');
        lines = text.split(u'\n');
    }
    while (m_pending.size() >= kLongestLine) {
        lines.append(QString::fromLocal8Bit(m_pending.left(kLongestLine)).remove(u'\r'));
        m_pending.remove(0, kLongestLine);
    }
    deliver(std::move(lines));
}

QProcessEnvironment analogEnvironment()
{
    static const QString kTunables = u"GLIBC_TUNABLES"_s;
    static const QString kHugePages = u"glibc.malloc.hugetlb"_s;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString tunables = environment.value(kTunables);
    if (!tunables.contains(kHugePages))
        environment.insert(kTunables, (tunables.isEmpty() ? QString() : tunables + u':') +
                                          kHugePages + u"=1"_s);
    return environment;
}

Result CConsoleRunner::start(const QString& commandLine, const QStringList& addedArguments,
                             const std::optional<QProcessEnvironment>& environment)
{
    if (m_process)
        return Result::refused(
            texts::Run::tr("A command runs already; %1 was not started.").arg(commandLine));
    m_outcome = {};
    m_pending.clear();
    m_stopRequested = false;
    const QStringList words = QProcess::splitCommand(commandLine);
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    if (environment)
        process->setProcessEnvironment(*environment);
    if (!words.isEmpty()) {
        process->setProgram(words.first());
        process->setArguments(words.mid(1) + addedArguments);
        process->start(QIODevice::ReadOnly);
    }
    // Whether the program could be started is known at once: a missing
    // program fails here, never later.
    if (words.isEmpty() || !process->waitForStarted(-1)) {
        delete process;
        return Result::refused(startFailureText(words.value(0), commandLine));
    }
    m_process = process;
    m_outcome.started = true;
    deliver(echoLines(commandLine) << kSeparator);
    connect(process, &QProcess::readyRead, this, &CConsoleRunner::readOutput);
    connect(process, &QProcess::finished, this, &CConsoleRunner::processEnded);
    return {};
}

void CConsoleRunner::processEnded()
{
    QProcess* process = m_process;
    readOutput();
    QStringList tail;
    if (!m_pending.isEmpty()) // a last line without a line feed is shown too
        tail.append(QString::fromLocal8Bit(m_pending).remove(u'\r'));
    m_pending.clear();
    const bool normal = process->exitStatus() == QProcess::NormalExit;
    m_outcome.exitedNormally = normal && !m_stopRequested;
    m_outcome.exitCode = normal ? process->exitCode() : 128 + process->exitCode();
    if (m_stopRequested)
        tail.append(texts::Run::tr("Stopped."));
    else if (!normal)
        tail.append(texts::Run::tr("Ended by signal %1.").arg(process->exitCode()));
    tail << texts::Run::tr("Exit code: %1").arg(m_outcome.exitCode) << u" "_s;
    deliver(tail);
    m_process = nullptr;
    process->deleteLater();
    emit finished(m_outcome);
}

void CConsoleRunner::stop()
{
    if (!m_process)
        return;
    m_stopRequested = true;
    m_process->kill();
}

} // namespace meridan
