#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>

namespace meridan {

class SiteRecord;

// One entry of a remote folder.
struct RemoteEntry
{
    QString name;
    bool isFolder = false;

    friend bool operator==(const RemoteEntry&, const RemoteEntry&) = default;
};

// The outcome of a download.
enum class DownloadStatus { Copied, Exists, Failed, Cancelled };

struct DownloadResult
{
    DownloadStatus status = DownloadStatus::Failed;
    QString error; // what the server or the library said, when it failed
};

// A session with a Site's log server (ftp://, ftps:// or sftp://), made of
// its FTPUrl, FTPUser and FTPAccess. Failures come back as the texts to show,
// so the client can work off the user-interface thread; one thread uses a
// client at a time.
class FtpClient
{
public:
    explicit FtpClient(const SiteRecord& site);
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Checks the URL and logs in by listing the start folder. On failure
    // errors() holds the messages, in the order they are to be shown.
    bool connect();
    const QStringList& errors() const { return m_errors; }

    // The folder the URL names ("" for the login folder).
    QString startFolder() const { return m_startFolder; }

    // The entries of a remote folder in the server's order; folders whose
    // name begins with "." are left out. False when it cannot be listed.
    bool list(const QString& folder, QList<RemoteEntry>* entries);

    // Copies one remote file, in binary, to localPath through a temporary
    // file renamed into place. An existing local file is kept unless
    // overwrite is set.
    DownloadResult download(const QString& remotePath, const QString& localPath, bool overwrite);

    // Makes a running or later download end as Cancelled (any thread).
    void cancel() { m_cancelled = true; }

    bool usesPassiveMode() const { return m_passive; }

private:
    struct Transfer;
    QByteArray urlOf(const QString& path, bool folder) const;
    // Runs one request, set up afresh for each attempt by setRequest (the
    // URL and its own options), falling back to passive mode once.
    int perform(Transfer& transfer, const std::function<void(void* curl)>& setRequest);
    int attempt(Transfer& transfer, const std::function<void(void* curl)>& setRequest);
    QString errorText(int code) const;

    QString m_url;
    QString m_user;
    QString m_password;
    QUrl m_parsed;
    QString m_startFolder;
    QStringList m_errors;
    void* m_curl = nullptr;
    char m_errorBuffer[256] = {};
    bool m_passive = false;
    std::atomic<bool> m_cancelled = false;
};

} // namespace meridan
