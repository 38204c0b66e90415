#include "consolerunner.h"

#include "util/messages.h"

#include <QEventLoop>
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
    return u"CreateProcess: error # %1\n(cmd: %2)"_s.arg(
        QString::number(startErrorCode(program), 16).toUpper(), commandLine);
}

} // namespace

CConsoleRunner::CConsoleRunner(std::function<ConsoleSink*()> sinkForRun, QObject* parent)
    : QObject(parent), m_sinkForRun(std::move(sinkForRun))
{
}

CConsoleRunner::~CConsoleRunner()
{
    if (m_process) {
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

ConsoleSink* CConsoleRunner::sink()
{
    return m_sinkForRun ? m_sinkForRun() : nullptr;
}

void CConsoleRunner::deliver(QStringList lines)
{
    if (m_sink && !lines.isEmpty())
        m_sink->appendLines(lines);
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

bool CConsoleRunner::Run(const QString& commandLine)
{
    m_outcome = {};
    m_pending.clear();
    m_sink = sink();
    const QStringList words = QProcess::splitCommand(commandLine);
    QProcess process;
    m_process = &process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!words.isEmpty()) {
        process.setProgram(words.first());
        process.setArguments(words.mid(1));
        process.start(QIODevice::ReadOnly);
    }
    if (words.isEmpty() || !process.waitForStarted(-1)) {
        messages().error(startFailureText(words.value(0), commandLine));
        return false;
    }
    m_outcome.started = true;
    deliver(echoLines(commandLine) << kSeparator);

    QEventLoop loop;
    connect(&process, &QProcess::readyRead, this, &CConsoleRunner::readOutput);
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    readOutput();
    QStringList tail;
    if (!m_pending.isEmpty()) // a last line without a line feed is shown too
        tail.append(QString::fromLocal8Bit(m_pending).remove(u'\r'));
    m_pending.clear();

    m_outcome.exitedNormally = process.exitStatus() == QProcess::NormalExit && !m_stopRequested;
    m_outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                                      : 128 + process.exitCode();
    if (m_stopRequested)
        tail.append(u"Stopped."_s);
    else if (process.exitStatus() != QProcess::NormalExit)
        tail.append(u"Ended by signal %1."_s.arg(process.exitCode()));
    tail << u"Exit code: %1"_s.arg(m_outcome.exitCode) << u" "_s;
    deliver(tail);
    m_process = nullptr;
    return true;
}

void CConsoleRunner::appendNote(const QString& line)
{
    if (ConsoleSink* target = sink())
        target->appendLines({line});
}

void CConsoleRunner::stop()
{
    m_stopRequested = true;
    if (m_process)
        m_process->kill();
}

} // namespace meridan
