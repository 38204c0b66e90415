#include "support/testservers.h"

#include <QFile>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace meridan::test {

ScriptServer::ScriptServer(const char* script, const QStringList& arguments, int extraLines)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(
        u"/usr/bin/python3"_s,
        QStringList{QStringLiteral(MERIDAN_TEST_SUPPORT_DIR "/") + QString::fromLatin1(script)} +
            arguments);
    if (!m_process.waitForStarted(10000))
        return;
    QStringList lines;
    while (lines.size() <= extraLines) {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(20000))
                return;
        lines.append(QString::fromUtf8(m_process.readLine().trimmed()));
    }
    m_port = lines.takeFirst().toInt();
    m_extra = lines;
}

ScriptServer::~ScriptServer()
{
    m_process.closeWriteChannel(); // the script's cue to stop what it started
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

QString ScriptServer::url(const QString& scheme, const QString& path) const
{
    return u"%1://127.0.0.1:%2%3"_s.arg(scheme).arg(m_port).arg(path);
}

FtpTestServer::FtpTestServer(const QString& root, const FtpServerOptions& options)
    : ScriptServer("ftpserver.py",
                   QStringList{u"--root"_s, root, u"--user"_s, QString::fromLatin1(user()),
                               u"--password"_s, QString::fromLatin1(password())} +
                       (options.refuseActive ? QStringList{u"--refuse-active"_s} : QStringList()) +
                       (options.tlsFolder.isEmpty() ? QStringList()
                                                    : QStringList{u"--tls"_s, options.tlsFolder}) +
                       (options.implicitTls ? QStringList{u"--implicit"_s} : QStringList()),
                   options.tlsFolder.isEmpty() ? 0 : 1),
      m_implicitTls(options.implicitTls)
{
}

HostileFtpServer::HostileFtpServer(const QString& mode, qint64 size, qint64 rate, qint64 sent)
    : ScriptServer("hostileftp.py",
                   {u"--mode"_s, mode, u"--size"_s, QString::number(size), u"--rate"_s,
                    QString::number(rate), u"--sent"_s, QString::number(sent < 0 ? size : sent)})
{
}

KeyringSession::KeyringSession(const QString& folder)
    : ScriptServer("keyringsession.py", {folder}, 1)
{
}

SshTestServer::SshTestServer(const QString& folder, const QString& hostKey,
                             const QString& authorizedKeys)
    : ScriptServer("sshserver.py", {u"--folder"_s, folder, u"--host-key"_s, hostKey,
                                    u"--authorized-keys"_s, authorizedKeys})
{
}

QString SshTestServer::userName()
{
    const passwd* entry = getpwuid(geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

bool makeSshKey(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + u".pub"_s);
    return QProcess::execute(u"ssh-keygen"_s, {u"-q"_s, u"-t"_s, u"ed25519"_s, u"-N"_s, QString(),
                                               u"-f"_s, path}) == 0;
}

} // namespace meridan::test
