#include "support/ftptestserver.h"

#include <QtTest>

namespace meridan::test {

FtpTestServer::FtpTestServer(const QString& root, bool refuseActive)
{
    QStringList arguments{QStringLiteral(MERIDAN_TEST_SUPPORT_DIR "/ftpserver.py"),
                          QStringLiteral("--root"),
                          root,
                          QStringLiteral("--user"),
                          QString::fromLatin1(user()),
                          QStringLiteral("--password"),
                          QString::fromLatin1(password())};
    if (refuseActive)
        arguments.append(QStringLiteral("--refuse-active"));
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!m_process.waitForStarted(10000))
        return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_port = m_process.readLine().trimmed().toInt();
}

FtpTestServer::~FtpTestServer()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString FtpTestServer::url(const QString& path) const
{
    return QStringLiteral("ftp://127.0.0.1:%1%2").arg(m_port).arg(path);
}

} // namespace meridan::test
