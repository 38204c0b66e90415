#pragma once

#include "remote/remotelisting.h"
#include "remote/serveridentity.h"
#include "util/result.h"

#include <QElapsedTimer>
#include <QString>
#include <QUrl>
#include <atomic>
#include <functional>
#include <string>

namespace meridan {

class SiteRecord;

// The outcome of a download; result holds the message when it Failed.
enum class DownloadStatus { Copied, Exists, Failed, Cancelled };

struct DownloadResult
{
    DownloadStatus status = DownloadStatus::Failed;
    Result result;
};

// How long and how much a server may take before the client gives up, so
// that an unattended job always ends.
struct RemoteLimits
{
    int connectSeconds = 30;
    int listingSeconds = 300; // the whole of a login or a listing
    int lowSpeedBytes = 512;  // a transfer slower than this many bytes a second ...
    int lowSpeedSeconds = 60; // ... for this long, or a server silent as long, is stopped
    qint64 maxListingBytes = qint64(64) * 1024 * 1024;
    qint64 maxListingEntries = 1'000'000;
    // A file may take fileBaseSeconds plus a second for each fileMinimumRate
    // bytes it announces, never more than fileMaxSeconds: a server that
    // drips just above the low speed cannot hold a transfer for good.
    int fileBaseSeconds = 60;
    int fileMinimumRate = 4096;
    int fileMaxSeconds = 3 * 3600;
    qint64 maxFileBytes = -1; // the largest file copied; -1: the preference
    int sessionSeconds = 0;   // all the work of the client; 0: no bound
};

// A session with a Site's log server (ftp://, ftps:// or sftp://), made of
// its FTPUrl, FTPUser, FTPAccess, FTPRequireTLS and FTPCertificate. Its work
// runs off the user-interface thread; one thread uses a client at a time,
// and any thread may cancel it.
class FtpClient
{
public:
    explicit FtpClient(const SiteRecord& site, RemoteLimits limits = {});
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Asked, on the client's thread, whether to trust an unknown SSH host key
    // (which is then added to ~/.ssh/known_hosts) or a certificate that
    // cannot be verified (which is then pinned for the session; see
    // newlyTrustedCertificate). Without a question nothing unknown is trusted.
    using TrustQuestion = std::function<bool(const ServerIdentity&)>;
    void setTrustQuestion(TrustQuestion question) { m_trustQuestion = std::move(question); }

    // Told, on the client's thread, how many bytes of the file being copied
    // are done and how many it has (0 while not known); at most ten times a
    // second and once at its end.
    using ProgressListener = std::function<void(qint64 done, qint64 total)>;
    void setProgressListener(ProgressListener listener) { m_progress = std::move(listener); }

    // Checks the URL and logs in.
    Result connect();

    QString host() const { return m_parsed.host(); }
    // The folder the URL names ("" for the login folder).
    QString startFolder() const { return m_startFolder; }

    // The entries of a remote folder in the server's order; folders whose
    // name begins with "." are left out.
    Result list(const QString& folder, RemoteListing* listing);

    // Copies one remote file, in binary, to localPath through a temporary
    // file renamed into place. An existing local file is kept unless
    // overwrite is set. remotePath is in the server's bytes.
    // announcedSize (the listing's, or -1) sets its deadline until the
    // server's SIZE is known; a file longer than the largest allowed, or
    // whose length differs from the one announced, is not kept.
    DownloadResult download(const QByteArray& remotePath, const QString& localPath, bool overwrite,
                            qint64 announcedSize = -1);
    // True once the session's time (RemoteLimits::sessionSeconds) is over:
    // every later transfer fails at once.
    bool sessionExpired() const;

    // Ends the work in progress and all later work as cancelled, at once.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

    bool usesPassiveMode() const { return m_passive; }
    // A certificate the user chose to trust in this session, for the caller
    // to store as the Site's FTPCertificate; empty when none.
    QString newlyTrustedCertificate() const { return m_newPin ? m_pin : QString(); }

private:
    struct Transfer;
    QByteArray urlOf(const QByteArray& path, bool folder) const;
    int perform(Transfer& transfer);
    int attempt(Transfer& transfer);
    void setLimits(void* curl, const Transfer& transfer) const;
    void setSecurityOptions(void* curl, Transfer& transfer);
    int judgeHostKey(Transfer& transfer, const QByteArray& key);
    // Why a key other than the one known (changed or revoked) is refused.
    QString knownKeyRefusal(KnownHost known, const ServerIdentity& identity) const;
    bool askToTrustCertificate(const Transfer& transfer);
    QString failureText(int code, const Transfer& transfer) const;
    QString codeText(int code, const Transfer& transfer) const; // what the curl code means here
    QString timeoutText(const Transfer& transfer) const;
    QString stopText(const Transfer& transfer) const;
    QString tooLargeText() const;
    // The file's length as the server's SIZE gives it, or -1.
    qint64 remoteSize(const QByteArray& remotePath);
    bool isSftp() const;

    QString m_user;
    QString m_password;
    QUrl m_parsed;
    QString m_startFolder;
    bool m_requireTls = false;
    QString m_pin;
    bool m_newPin = false;
    RemoteLimits m_limits;
    std::string m_knownHosts;
    std::string m_privateKey;
    TrustQuestion m_trustQuestion;
    ProgressListener m_progress;
    void* m_curl = nullptr;
    char m_errorBuffer[256] = {};
    bool m_passive = false;
    std::atomic<bool> m_cancelled = false;
    QElapsedTimer m_session;
};

} // namespace meridan
