#include "ftpclient.h"

#include "store/preferences.h"
#include "store/siterecord.h"
#include "util/files.h"
#include "util/texts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>
#include <curl/curl.h>
#include <mutex>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QString noConnectionText()
{
    return texts::Remote::tr("No FTP Connection\n(Probably due to bad connection data)");
}

CURL* handleOf(void* curl)
{
    return static_cast<CURL*>(curl);
}

bool isConnectionFailure(int code)
{
    return code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT ||
           code == CURLE_UNSUPPORTED_PROTOCOL;
}

// The active data connection could not be made: the server cannot reach us.
bool isActiveModeFailure(int code)
{
    return code == CURLE_FTP_PORT_FAILED || code == CURLE_FTP_ACCEPT_FAILED ||
           code == CURLE_FTP_ACCEPT_TIMEOUT;
}

// Failures the server explained in its reply.
bool isServerRefusal(int code)
{
    switch (code) {
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_FTP_COULDNT_USE_REST:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_QUOTE_ERROR:
    case CURLE_LOGIN_DENIED:
        return true;
    default:
        return false;
    }
}

// The folder part of a URL path: no trailing "/", "" for the login folder.
QString folderOfUrlPath(QString path)
{
    while (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// The first of the user's usual private keys that exists.
std::string userPrivateKey()
{
    for (const char* name : {"id_ed25519", "id_ecdsa", "id_rsa"}) {
        const QString path = QDir::homePath() + u"/.ssh/"_s + QLatin1String(name);
        if (QFile::exists(path))
            return QFile::encodeName(path).toStdString();
    }
    return {};
}

} // namespace

// What one request collects; the callbacks get it as their user pointer.
struct FtpClient::Transfer
{
    enum class Kind { Login, Size, Listing, File };
    // Why the transfer was ended here.
    enum class Stop { None, Deadline, TooLarge, Session };

    FtpClient* client = nullptr;
    Kind kind = Kind::Login;
    QByteArray url;
    QByteArray listing;
    qint64 listingLines = 0;
    bool listingTooLarge = false;
    QSaveFile* file = nullptr;
    bool writeFailed = false;
    QByteArray lastReply;    // the server's last reply line
    QString identityMessage; // why a host key or certificate was refused
    QString certificateSeen;
    QString certificateProblem;
    qint64 done = 0;
    qint64 total = 0;
    qint64 announced = -1; // the size the listing or the server gave
    Stop stop = Stop::None;
    QElapsedTimer sinceProgress;
    QElapsedTimer elapsed;

    void restart()
    {
        listing.clear();
        listingLines = 0;
        listingTooLarge = false;
        writeFailed = false;
        lastReply.clear();
        identityMessage.clear();
        certificateSeen.clear();
        certificateProblem.clear();
        done = 0;
        stop = Stop::None;
        if (file) { // another attempt starts the file afresh
            file->seek(0);
            file->resize(0);
        }
    }

    static size_t write(char* data, size_t size, size_t count, void* self)
    {
        auto* transfer = static_cast<Transfer*>(self);
        const qint64 bytes = qint64(size * count);
        if (transfer->file) {
            if (transfer->file->size() + bytes > transfer->client->m_limits.maxFileBytes) {
                transfer->stop = Stop::TooLarge;
                return 0;
            }
            if (transfer->file->write(data, bytes) != bytes) {
                transfer->writeFailed = true;
                return 0;
            }
            return size_t(bytes);
        }
        const RemoteLimits& limits = transfer->client->m_limits;
        transfer->listingLines += std::count(data, data + bytes, '\n');
        if (transfer->listing.size() + bytes > limits.maxListingBytes ||
            transfer->listingLines > limits.maxListingEntries) {
            transfer->listingTooLarge = true;
            return 0;
        }
        transfer->listing.append(data, bytes);
        return size_t(bytes);
    }

    static int progress(void* self, curl_off_t total, curl_off_t done, curl_off_t, curl_off_t)
    {
        auto* transfer = static_cast<Transfer*>(self);
        FtpClient* client = transfer->client;
        if (client->m_cancelled)
            return 1;
        if (total > 0)
            transfer->announced = std::max<qint64>(transfer->announced, total);
        if (const Stop stop = transfer->pastDeadline(); stop != Stop::None) {
            transfer->stop = stop;
            return 1;
        }
        if (transfer->kind != Kind::File || !client->m_progress || done == transfer->done)
            return 0;
        transfer->done = done;
        transfer->total = std::max<qint64>({transfer->total, total, transfer->announced});
        const bool end = transfer->total > 0 && done >= transfer->total;
        if (end || !transfer->sinceProgress.isValid() || transfer->sinceProgress.elapsed() >= 100) {
            transfer->sinceProgress.start();
            client->m_progress(done, transfer->total);
        }
        return 0;
    }

    Stop pastDeadline() const
    {
        const RemoteLimits& limits = client->m_limits;
        if (client->sessionExpired())
            return Stop::Session;
        if (kind != Kind::File)
            return Stop::None;
        const qint64 seconds =
            announced < 0 ? limits.fileMaxSeconds
                          : std::min<qint64>(limits.fileMaxSeconds,
                                             limits.fileBaseSeconds +
                                                 announced / std::max(1, limits.fileMinimumRate));
        return elapsed.elapsed() > seconds * 1000 ? Stop::Deadline : Stop::None;
    }

    // The server's reply lines come through the debug output.
    static int debug(CURL*, curl_infotype type, char* data, size_t size, void* self)
    {
        if (type != CURLINFO_HEADER_IN)
            return 0;
        const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
        if (line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line.at(0))))
            static_cast<Transfer*>(self)->lastReply = line.left(300);
        return 0;
    }

    static int hostKey(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch, void* self)
    {
        // libssh2 stops reading known_hosts at the first line it cannot
        // parse, so its verdict is not taken: the file is read here.
        auto* transfer = static_cast<Transfer*>(self);
        const QByteArray key = found->len > 0 ? QByteArray(found->key, qsizetype(found->len))
                                              : QByteArray::fromBase64(QByteArray(found->key));
        return transfer->client->judgeHostKey(*transfer, key);
    }

    // The certificate check runs inside the TLS handshake, so nothing is
    // sent to a server that fails it.
    static int verifyCertificate(X509_STORE_CTX* store, void* self)
    {
        auto* transfer = static_cast<Transfer*>(self);
        X509* leaf = X509_STORE_CTX_get0_cert(store);
        unsigned char* der = nullptr;
        const int length = leaf ? i2d_X509(leaf, &der) : -1;
        if (length > 0)
            transfer->certificateSeen =
                certificateFingerprint(QByteArray(reinterpret_cast<const char*>(der), length));
        OPENSSL_free(der);
        const QString& pin = transfer->client->m_pin;
        if (!pin.isEmpty()) {
            if (transfer->certificateSeen == pin) {
                X509_STORE_CTX_set_error(store, X509_V_OK);
                return 1;
            }
            transfer->certificateProblem =
                texts::Remote::tr("it is not the certificate trusted for this Site");
            X509_STORE_CTX_set_error(store, X509_V_ERR_APPLICATION_VERIFICATION);
            return 0;
        }
        if (X509_verify_cert(store) == 1)
            return 1;
        transfer->certificateProblem =
            QString::fromUtf8(X509_verify_cert_error_string(X509_STORE_CTX_get_error(store)));
        return 0;
    }

    static CURLcode prepareTls(CURL*, void* context, void* self)
    {
        SSL_CTX_set_cert_verify_callback(static_cast<SSL_CTX*>(context), &verifyCertificate, self);
        return CURLE_OK;
    }
};

FtpClient::FtpClient(const SiteRecord& site, RemoteLimits limits)
    : m_user(site.FTPUser), m_password(site.FTPAccess),
      m_parsed(site.FTPUrl.trimmed(), QUrl::StrictMode),
      m_requireTls(site.FTPRequireTLS != 0 ||
                   m_parsed.scheme().compare(u"ftps"_s, Qt::CaseInsensitive) == 0),
      m_pin(site.FTPCertificate), m_limits(limits),
      m_knownHosts(QFile::encodeName(knownHostsPath()).toStdString()),
      m_privateKey(userPrivateKey())
{
    if (m_limits.maxFileBytes < 0)
        m_limits.maxFileBytes = Preferences::load().maxLogFileBytes();
    m_session.start();
    // Through an encrypted control connection no firewall can follow an
    // active data connection: TLS sessions go passive from the start.
    m_passive = m_requireTls;
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_curl = curl_easy_init();
}

FtpClient::~FtpClient()
{
    if (m_curl)
        curl_easy_cleanup(handleOf(m_curl));
}

qint64 FtpClient::remoteSize(const QByteArray& remotePath)
{
    Transfer transfer;
    transfer.kind = Transfer::Kind::Size;
    transfer.url = urlOf(remotePath, false);
    curl_off_t length = -1;
    if (perform(transfer) != CURLE_OK ||
        curl_easy_getinfo(handleOf(m_curl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) !=
            CURLE_OK)
        return -1;
    return qint64(length);
}

bool FtpClient::sessionExpired() const
{
    return m_limits.sessionSeconds > 0 &&
           m_session.elapsed() > qint64(m_limits.sessionSeconds) * 1000;
}

bool FtpClient::isSftp() const
{
    return m_parsed.scheme().compare(u"sftp"_s, Qt::CaseInsensitive) == 0;
}

Result FtpClient::connect()
{
    if (!m_curl)
        return Result::refused(texts::Remote::tr("Cannot establish Internet Session"));
    if (!m_parsed.isValid() || m_parsed.scheme().isEmpty())
        return Result::refused(texts::Remote::tr("Bad URL\n\n") + noConnectionText());
    const QString scheme = m_parsed.scheme().toLower();
    if ((scheme != u"ftp"_s && scheme != u"ftps"_s && scheme != u"sftp"_s) ||
        m_parsed.host().isEmpty())
        return Result::refused(noConnectionText());
    m_startFolder = folderOfUrlPath(m_parsed.path());
    Transfer transfer;
    transfer.kind = Transfer::Kind::Login;
    transfer.url = urlOf(m_startFolder.toUtf8(), true);
    const int code = perform(transfer);
    if (code == CURLE_OK || code == CURLE_REMOTE_ACCESS_DENIED ||
        code == CURLE_REMOTE_FILE_NOT_FOUND) // a folder that cannot be listed shows empty
        return {};
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return Result::refused(texts::Remote::tr("Cancelled."));
    const QString text = failureText(code, transfer);
    if (code == CURLE_OPERATION_TIMEDOUT && transfer.lastReply.isEmpty())
        return Result::refused(
            text + u'\n' +
            texts::Remote::tr("The server took the connection but never greeted: it may be "
                              "too busy, or not the server the URL should name."));
    return Result::refused(isConnectionFailure(code) ? noConnectionText() + u"\n\n"_s + text
                                                     : text);
}

QByteArray FtpClient::urlOf(const QByteArray& path, bool folder) const
{
    QByteArray full = path.startsWith('/') ? path : '/' + path;
    if (folder && !full.endsWith('/'))
        full += '/';
    QUrl server;
    server.setScheme(m_parsed.scheme());
    server.setHost(m_parsed.host());
    server.setPort(m_parsed.port());
    if (m_password.isEmpty())
        server.setUserName(m_user);
    // Percent-encoded by hand: a name that is not UTF-8 keeps its bytes.
    return server.toEncoded() + full.toPercentEncoding("/");
}

int FtpClient::perform(Transfer& transfer)
{
    transfer.client = this;
    int code = attempt(transfer);
    if (!m_passive && !isSftp() && isActiveModeFailure(code)) {
        // Most users sit behind NAT: the rest of the session goes passive.
        m_passive = true;
        code = attempt(transfer);
    }
    if (code != CURLE_OK && askToTrustCertificate(transfer))
        code = attempt(transfer);
    return code;
}

int FtpClient::attempt(Transfer& transfer)
{
    CURL* curl = handleOf(m_curl);
    curl_easy_reset(curl); // the connection stays open for the next request
    transfer.restart();
    transfer.elapsed.start();
    const std::string user = m_user.toStdString();
    const std::string password = m_password.toStdString();
    m_errorBuffer[0] = '\0';
    curl_easy_setopt(curl, CURLOPT_URL, transfer.url.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    setLimits(curl, transfer);
    // Without a stored password ~/.netrc may hold it, as curl reads it;
    // curl looks there only for a user named in the URL (urlOf).
    if (!m_user.isEmpty() && !m_password.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_NETRC, long(CURL_NETRC_OPTIONAL));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &Transfer::debug);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    setSecurityOptions(curl, transfer);
    return curl_easy_perform(curl);
}

void FtpClient::setLimits(void* handle, const Transfer& transfer) const
{
    CURL* curl = handleOf(handle);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(m_limits.connectSeconds));
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, 10000L);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(m_limits.lowSpeedSeconds));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, long(m_limits.lowSpeedBytes));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(m_limits.lowSpeedSeconds));
    if (transfer.kind != Transfer::Kind::File)
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(m_limits.listingSeconds));
    else // a server's SIZE above it refuses the file before a byte comes
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_limits.maxFileBytes));
    // Read to the end of the data, not to the announced size: a file
    // longer than announced must show, not be cut short quietly.
    curl_easy_setopt(curl, CURLOPT_IGNORE_CONTENT_LENGTH,
                     long(transfer.kind == Transfer::Kind::File));
    if (transfer.kind == Transfer::Kind::Login || transfer.kind == Transfer::Kind::Size)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L); // log in and change folder only
}

void FtpClient::setSecurityOptions(void* handle, Transfer& transfer)
{
    CURL* curl = handleOf(handle);
    if (isSftp()) {
        curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, m_knownHosts.c_str());
        curl_easy_setopt(curl, CURLOPT_SSH_KEYFUNCTION, &Transfer::hostKey);
        curl_easy_setopt(curl, CURLOPT_SSH_KEYDATA, &transfer);
        long methods = CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD | CURLSSH_AUTH_AGENT;
        if (!m_privateKey.empty()) {
            methods |= CURLSSH_AUTH_PUBLICKEY;
            curl_easy_setopt(curl, CURLOPT_SSH_PRIVATE_KEYFILE, m_privateKey.c_str());
        }
        curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, methods);
        return;
    }
    if (m_requireTls)
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    // A pinned certificate names the server exactly, whatever names it holds.
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, m_pin.isEmpty() ? 2L : 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &Transfer::prepareTls);
    curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &transfer);
}

int FtpClient::judgeHostKey(Transfer& transfer, const QByteArray& key)
{
    const ServerIdentity identity{ServerIdentity::Kind::SshHostKey,
                                  host(),
                                  m_parsed.port(22),
                                  sshFingerprint(key),
                                  sshKeyType(key),
                                  {}};
    QByteArray knownHosts;
    const QString knownHostsFile = QString::fromStdString(m_knownHosts);
    if (QFileInfo::exists(knownHostsFile) && !readFileUpToNul(knownHostsFile, &knownHosts)) {
        transfer.identityMessage = texts::errorOpeningFile(knownHostsFile);
        return CURLKHSTAT_REJECT;
    }
    const KnownHost known = checkKnownHost(knownHosts, host(), identity.port, key);
    if (known == KnownHost::Known)
        return CURLKHSTAT_FINE;
    if (known != KnownHost::Unknown) {
        transfer.identityMessage = knownKeyRefusal(known, identity);
        return CURLKHSTAT_REJECT;
    }
    if (!m_trustQuestion || !m_trustQuestion(identity)) {
        transfer.identityMessage =
            texts::Remote::tr(
                "The host key of %1 is not known, so nothing was sent. Its fingerprint is %2 %3.")
                .arg(host(), identity.keyType, identity.fingerprint);
        return CURLKHSTAT_REJECT;
    }
    if (const Result recorded = recordKnownHost(knownHostsFile, host(), identity.port, key);
        !recorded) {
        transfer.identityMessage = recorded.message();
        return CURLKHSTAT_REJECT;
    }
    return CURLKHSTAT_FINE;
}

QString FtpClient::knownKeyRefusal(KnownHost known, const ServerIdentity& identity) const
{
    const QString knownHostsFile = QString::fromStdString(m_knownHosts);
    if (known == KnownHost::Revoked)
        return texts::Remote::tr("The host key of %1 (%2 %3) is marked as revoked in %4. Nothing "
                                 "was sent.")
            .arg(host(), identity.keyType, identity.fingerprint, knownHostsFile);
    return texts::Remote::tr(
               "WARNING: THE HOST KEY OF %1 HAS CHANGED!\n"
               "Someone may be listening in on the connection, or the server got a new key. "
               "Its key is now %2 %3, not the one %4 holds. Nothing was sent. If the change is "
               "expected, remove the old key with \"ssh-keygen -R %5\" and connect again.")
        .arg(host(), identity.keyType, identity.fingerprint, knownHostsFile,
             identity.port == 22 ? host() : u"[%1]:%2"_s.arg(host()).arg(identity.port));
}

bool FtpClient::askToTrustCertificate(const Transfer& transfer)
{
    if (transfer.certificateProblem.isEmpty() || transfer.certificateSeen.isEmpty() ||
        !m_pin.isEmpty() || !m_trustQuestion || m_cancelled)
        return false;
    const ServerIdentity identity{ServerIdentity::Kind::TlsCertificate,
                                  host(),
                                  m_parsed.port(21),
                                  transfer.certificateSeen,
                                  {},
                                  transfer.certificateProblem};
    if (!m_trustQuestion(identity))
        return false;
    m_pin = transfer.certificateSeen;
    m_newPin = true;
    return true;
}

QString FtpClient::timeoutText(const Transfer& transfer) const
{
    const qint64 seconds = (transfer.elapsed.elapsed() + 500) / 1000;
    if (transfer.lastReply.isEmpty()) // not a word from the server
        return texts::Remote::tr("Connecting to %1 timed out after %2 s.")
            .arg(host(), QString::number(seconds));
    if (transfer.kind != Transfer::Kind::File &&
        transfer.elapsed.elapsed() >= qint64(m_limits.listingSeconds) * 1000 - 500)
        return texts::Remote::tr("%1 did not finish within %2 s, so it was stopped.")
            .arg(host(), QString::number(seconds));
    return texts::Remote::tr(
               "%1 stopped answering or sent less than %2 bytes a second, so it was stopped after "
               "%3 s.")
        .arg(host(), QString::number(m_limits.lowSpeedBytes), QString::number(seconds));
}

QString FtpClient::tooLargeText() const
{
    return texts::Remote::tr("The file is larger than %1, the largest copied (the preference "
                             "MaxLogFileMiB); it was not kept.")
        .arg(texts::dataSize(m_limits.maxFileBytes));
}

QString FtpClient::stopText(const Transfer& transfer) const
{
    switch (transfer.stop) {
    case Transfer::Stop::Session:
        return texts::Remote::tr("The work with %1 took longer than %2 s in all, so it was "
                                 "stopped; the rest waits for the next time.")
            .arg(host(), QString::number(m_limits.sessionSeconds));
    case Transfer::Stop::Deadline:
        return texts::Remote::tr("%1 sent %2 of %3 in %4 s, too slowly for its size, so the "
                                 "transfer was stopped.")
            .arg(host(), texts::dataSize(transfer.file ? transfer.file->size() : transfer.done),
                 transfer.announced < 0 ? texts::Remote::tr("an unknown size")
                                        : texts::dataSize(transfer.announced),
                 QString::number((transfer.elapsed.elapsed() + 500) / 1000));
    case Transfer::Stop::TooLarge:
        return tooLargeText();
    case Transfer::Stop::None:
        break;
    }
    return {};
}

QString FtpClient::codeText(int code, const Transfer& transfer) const
{
    const QString library = QString::fromUtf8(curl_easy_strerror(CURLcode(code)));
    const QString detail = QString::fromUtf8(m_errorBuffer).trimmed();
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return texts::Remote::tr("The server name %1 cannot be found.").arg(host());
    case CURLE_COULDNT_CONNECT:
        return texts::Remote::tr("%1 cannot be reached on port %2.")
            .arg(host(), QString::number(m_parsed.port(isSftp() ? 22 : 21)));
    case CURLE_OPERATION_TIMEDOUT:
        return timeoutText(transfer);
    case CURLE_LOGIN_DENIED:
        return texts::Remote::tr("%1 refused the login of %2.").arg(host(), m_user);
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
        return texts::Remote::tr("The connection to %1 broke off: %2.").arg(host(), library);
    case CURLE_PARTIAL_FILE:
        return texts::Remote::tr("%1 ended the transfer after %2 of %3.")
            .arg(host(), texts::dataSize(transfer.file ? transfer.file->size() : transfer.done),
                 texts::dataSize(transfer.announced));
    case CURLE_USE_SSL_FAILED:
        return texts::Remote::tr("%1 does not offer TLS, which this Site requires.").arg(host());
    default:
        return detail.isEmpty() ? library : detail;
    }
}

QString FtpClient::failureText(int code, const Transfer& transfer) const
{
    if (const QString stopped = stopText(transfer); !stopped.isEmpty())
        return stopped;
    if (code == CURLE_FILESIZE_EXCEEDED)
        return tooLargeText();
    if (!transfer.identityMessage.isEmpty())
        return transfer.identityMessage;
    if (!transfer.certificateProblem.isEmpty())
        return texts::Remote::tr(
                   "The certificate of %1 cannot be trusted: %2. Its SHA-256 fingerprint is %3; if "
                   "it is your server's, trust it when asked, or set it as the Site's "
                   "FTPCertificate.")
            .arg(host(), transfer.certificateProblem, transfer.certificateSeen);
    if (transfer.listingTooLarge)
        return texts::Remote::tr("The listing is larger than %1 or %2 entries, so it was not read.")
            .arg(texts::dataSize(m_limits.maxListingBytes),
                 QString::number(m_limits.maxListingEntries));
    if (isServerRefusal(code) &&
        (transfer.lastReply.startsWith('4') || transfer.lastReply.startsWith('5')))
        return texts::Remote::tr("%1 answered: %2")
            .arg(host(), QString::fromUtf8(transfer.lastReply));
    return codeText(code, transfer);
}

Result FtpClient::list(const QString& folder, RemoteListing* listing)
{
    *listing = {};
    if (!m_curl || m_parsed.host().isEmpty())
        return Result::refused(noConnectionText());
    Transfer transfer;
    transfer.kind = Transfer::Kind::Listing;
    transfer.url = urlOf(folder.toUtf8(), true);
    const int code = perform(transfer);
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return Result::refused(texts::Remote::tr("Cancelled."));
    if (code != CURLE_OK)
        return Result::refused(texts::Remote::tr("The folder %1/ cannot be listed. %2")
                                   .arg(folder, failureText(code, transfer)));
    RemoteListing parsed = parseRemoteListing(transfer.listing);
    listing->skipped = parsed.skipped;
    for (RemoteEntry& entry : parsed.entries)
        if (!(entry.isFolder && entry.name.startsWith(u'.')))
            listing->entries.append(std::move(entry));
    return {};
}

namespace {

// Flushes, syncs and renames a finished download into place: QSaveFile's
// own commit may miss a full disk at its last flush.
Result commitDownload(QSaveFile& file, const QString& localPath)
{
    const int syncError = ::fsync(file.handle()) != 0 ? errno : 0;
    if (syncError == 0 && file.commit())
        return {};
    const QString why =
        syncError != 0 ? QString::fromLocal8Bit(std::strerror(syncError)) : file.errorString();
    file.cancelWriting();
    return Result::refused(texts::Common::tr("%1 cannot be written: %2.").arg(localPath, why));
}

} // namespace

DownloadResult FtpClient::download(const QByteArray& remotePath, const QString& localPath,
                                   bool overwrite, qint64 announcedSize)
{
    if (!overwrite && QFile::exists(localPath))
        return {DownloadStatus::Exists, {}};
    if (m_cancelled)
        return {DownloadStatus::Cancelled, {}};
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return {DownloadStatus::Failed, Result::refused(file.errorString() + u": "_s + localPath)};
    Transfer transfer;
    transfer.kind = Transfer::Kind::File;
    // The server's SIZE, asked first: not every server names it with RETR.
    const qint64 announced = remoteSize(remotePath);
    transfer.file = &file;
    transfer.url = urlOf(remotePath, false);
    transfer.announced = announced >= 0 ? announced : announcedSize;
    const int code = perform(transfer);
    // Flushed first: a full disk shows here, and the size counts every byte.
    if (code == CURLE_OK && !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {
            DownloadStatus::Failed,
            Result::refused(texts::Common::tr("%1 cannot be written: %2.").arg(localPath, why))};
    }
    const bool whole = announced < 0 || announced == file.size();
    if (code == CURLE_OK && whole) {
        Result kept = commitDownload(file, localPath);
        return {kept ? DownloadStatus::Copied : DownloadStatus::Failed, std::move(kept)};
    }
    file.cancelWriting();
    if (code == CURLE_ABORTED_BY_CALLBACK && transfer.stop == Transfer::Stop::None)
        return {DownloadStatus::Cancelled, {}};
    if (code == CURLE_OK)
        return {DownloadStatus::Failed,
                Result::refused(
                    texts::Remote::tr("%1 announced %2 but sent %3; the file was not kept.")
                        .arg(host(), texts::dataSize(announced), texts::dataSize(file.size())))};
    if (transfer.writeFailed)
        return {DownloadStatus::Failed, Result::refused(file.errorString() + u": "_s + localPath)};
    return {DownloadStatus::Failed, Result::refused(failureText(code, transfer))};
}

} // namespace meridan
