#pragma once

#include <QProcess>
#include <QString>

namespace meridan::test {

// The loopback FTP server of ftpserver.py, for as long as the object lives.
class FtpTestServer
{
public:
    FtpTestServer(const QString& root, bool refuseActive = false);
    ~FtpTestServer();
    bool isRunning() const { return m_port > 0; }
    int port() const { return m_port; }
    QString url(const QString& path = {}) const;

    static const char* user() { return "logs"; }
    static const char* password() { return "s3cret pass"; }

private:
    QProcess m_process;
    int m_port = 0;
};

} // namespace meridan::test
