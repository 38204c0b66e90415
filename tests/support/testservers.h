#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace meridan::test {

// A server script of this folder, run with the system's Python on a free
// port of 127.0.0.1 for as long as the object lives.
class ScriptServer
{
public:
    ScriptServer(const char* script, const QStringList& arguments, int extraLines = 0);
    ~ScriptServer();
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    bool isRunning() const { return m_port > 0; }
    int port() const { return m_port; }
    // The lines the script printed after its port.
    const QStringList& extraLines() const { return m_extra; }
    QString url(const QString& scheme, const QString& path) const;

private:
    QProcess m_process;
    int m_port = 0;
    QStringList m_extra;
};

struct FtpServerOptions
{
    bool refuseActive = false;
    QString tlsFolder;        // requires TLS, with its certificate written here
    bool implicitTls = false; // ftps://: TLS from the first byte
};

// pyftpdlib serving root to user() with password().
class FtpTestServer : public ScriptServer
{
public:
    explicit FtpTestServer(const QString& root, const FtpServerOptions& options = {});
    QString url(const QString& path = {}) const
    {
        return ScriptServer::url(m_implicitTls ? QStringLiteral("ftps") : QStringLiteral("ftp"),
                                 path);
    }
    // The certificate's SHA-256 fingerprint, "AB:CD:...", with TLS.
    QString fingerprint() const { return extraLines().value(0); }

    static const char* user() { return "logs"; }
    static const char* password() { return "s3cret pass"; }

private:
    bool m_implicitTls = false;
};

// A private D-Bus session with GNOME Keyring's Secret Service, its files
// below folder; address() is DBUS_SESSION_BUS_ADDRESS for it.
class KeyringSession : public ScriptServer
{
public:
    explicit KeyringSession(const QString& folder);
    QString address() const { return extraLines().value(0); }
};

// hostileftp.py in one of its modes.
class HostileFtpServer : public ScriptServer
{
public:
    // Files announce size bytes and send sent (all of them when -1).
    explicit HostileFtpServer(const QString& mode, qint64 size = 100000, qint64 rate = 0,
                              qint64 sent = -1);
    QString url(const QString& path = {}) const
    {
        return ScriptServer::url(QStringLiteral("ftp"), path);
    }
};

// OpenSSH's sshd serving SFTP to the current user (userName()).
class SshTestServer : public ScriptServer
{
public:
    SshTestServer(const QString& folder, const QString& hostKey, const QString& authorizedKeys);
    QString url(const QString& path) const
    {
        return ScriptServer::url(QStringLiteral("sftp"), path);
    }
    static QString userName();
};

// Runs ssh-keygen to make a key pair without a passphrase at path.
bool makeSshKey(const QString& path);

} // namespace meridan::test
