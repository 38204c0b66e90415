#include "ftpclient.h"

#include "store/siterecord.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <curl/curl.h>
#include <mutex>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QString kNoConnection = u"No FTP Connection\n(Probably due to bad connection data)"_s;

CURL* handleOf(void* curl)
{
    return static_cast<CURL*>(curl);
}

bool isConnectionFailure(int code)
{
    return code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT ||
           code == CURLE_OPERATION_TIMEDOUT || code == CURLE_UNSUPPORTED_PROTOCOL;
}

// The active data connection could not be made: the server cannot reach us.
bool isActiveModeFailure(int code)
{
    return code == CURLE_FTP_PORT_FAILED || code == CURLE_FTP_ACCEPT_FAILED ||
           code == CURLE_FTP_ACCEPT_TIMEOUT;
}

// The folder part of a URL path: no trailing "/", "" for the login folder.
QString folderOfUrlPath(QString path)
{
    while (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// One line of an SFTP listing, in "ls -l" form.
std::optional<RemoteEntry> entryOfListingLine(const QString& line)
{
    static const QRegularExpression longForm(
        u"^(\\S)\\S*\\s+\\S+\\s+\\S+\\s+\\S+\\s+\\S+\\s+\\S+\\s+\\S+\\s+\\S+\\s(.+)$"_s);
    const QRegularExpressionMatch match = longForm.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    return RemoteEntry{match.captured(2), match.captured(1) == u"d"_s};
}

} // namespace

// What one transfer collects; the callbacks get it as their user pointer.
struct FtpClient::Transfer
{
    QList<RemoteEntry> entries;
    QByteArray listing;
    QSaveFile* file = nullptr;
    bool writeFailed = false;
    const std::atomic<bool>* cancelled = nullptr;

    static long chunkBegin(const void* info, void* self, int)
    {
        const auto* file = static_cast<const curl_fileinfo*>(info);
        static_cast<Transfer*>(self)->entries.append(
            {QString::fromUtf8(file->filename), file->filetype == CURLFILETYPE_DIRECTORY});
        return CURL_CHUNK_BGN_FUNC_SKIP;
    }
    static long chunkEnd(void*) { return CURL_CHUNK_END_FUNC_OK; }
    static size_t write(char* data, size_t size, size_t count, void* self)
    {
        auto* transfer = static_cast<Transfer*>(self);
        const qint64 bytes = qint64(size * count);
        if (!transfer->file) {
            transfer->listing.append(data, bytes);
            return size_t(bytes);
        }
        if (transfer->file->write(data, bytes) != bytes) {
            transfer->writeFailed = true;
            return 0;
        }
        return size_t(bytes);
    }
    static int progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<Transfer*>(self)->cancelled->load() ? 1 : 0;
    }
};

FtpClient::FtpClient(const SiteRecord& site)
    : m_url(site.FTPUrl), m_user(site.FTPUser), m_password(site.FTPAccess)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_curl = curl_easy_init();
}

FtpClient::~FtpClient()
{
    if (m_curl)
        curl_easy_cleanup(handleOf(m_curl));
}

bool FtpClient::connect()
{
    m_errors.clear();
    if (!m_curl) {
        m_errors = {u"Cannot establish Internet Session"_s};
        return false;
    }
    m_parsed = QUrl(m_url.trimmed(), QUrl::StrictMode);
    if (!m_parsed.isValid() || m_parsed.scheme().isEmpty()) {
        m_errors = {u"Bad URL"_s, kNoConnection};
        return false;
    }
    const QString scheme = m_parsed.scheme().toLower();
    if ((scheme != u"ftp"_s && scheme != u"ftps"_s && scheme != u"sftp"_s) ||
        m_parsed.host().isEmpty()) {
        m_errors = {kNoConnection};
        return false;
    }
    m_startFolder = folderOfUrlPath(m_parsed.path());
    Transfer transfer;
    const QByteArray url = urlOf(m_startFolder, true);
    const int code = perform(transfer, [&](void* curl) {
        curl_easy_setopt(handleOf(curl), CURLOPT_URL, url.constData());
        curl_easy_setopt(handleOf(curl), CURLOPT_NOBODY, 1L); // log in and change folder only
    });
    if (code == CURLE_OK || code == CURLE_REMOTE_ACCESS_DENIED ||
        code == CURLE_REMOTE_FILE_NOT_FOUND) // a folder that cannot be listed shows empty
        return true;
    const QString text = errorText(code);
    m_errors = {isConnectionFailure(code) ? kNoConnection
                : text.isEmpty()          ? u"Exception occured during FTP connection"_s
                                          : text};
    return false;
}

QByteArray FtpClient::urlOf(const QString& path, bool folder) const
{
    QUrl url;
    url.setScheme(m_parsed.scheme());
    url.setHost(m_parsed.host());
    url.setPort(m_parsed.port());
    QString full = path.startsWith(u'/') ? path : u'/' + path;
    if (folder && !full.endsWith(u'/'))
        full += u'/';
    url.setPath(full, QUrl::DecodedMode);
    return url.toEncoded();
}

int FtpClient::perform(Transfer& transfer, const std::function<void(void* curl)>& setRequest)
{
    int code = attempt(transfer, setRequest);
    if (!m_passive && isActiveModeFailure(code)) {
        // Most users sit behind NAT: the rest of the session goes passive.
        m_passive = true;
        transfer.entries.clear();
        transfer.listing.clear();
        if (transfer.file)
            transfer.file->seek(0);
        code = attempt(transfer, setRequest);
    }
    return code;
}

int FtpClient::attempt(Transfer& transfer, const std::function<void(void* curl)>& setRequest)
{
    CURL* curl = handleOf(m_curl);
    curl_easy_reset(curl); // the connection stays open for the next request
    const std::string user = m_user.toStdString();
    const std::string password = m_password.toStdString();
    m_errorBuffer[0] = '\0';
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, 10000L);
    // A stalled server ends the transfer instead of hanging it.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 120L);
    if (!m_user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    transfer.cancelled = &m_cancelled;
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    setRequest(curl);
    return curl_easy_perform(curl);
}

QString FtpClient::errorText(int code) const
{
    const QString text = QString::fromUtf8(m_errorBuffer).trimmed();
    return text.isEmpty() ? QString::fromUtf8(curl_easy_strerror(CURLcode(code))) : text;
}

bool FtpClient::list(const QString& folder, QList<RemoteEntry>* entries)
{
    entries->clear();
    if (!m_curl || m_parsed.host().isEmpty())
        return false;
    Transfer transfer;
    const bool sftp = m_parsed.scheme().compare(u"sftp"_s, Qt::CaseInsensitive) == 0;
    const QByteArray url = sftp ? urlOf(folder, true) : urlOf(folder, true) + '*';
    const int code = perform(transfer, [&](void* handle) {
        CURL* curl = handleOf(handle);
        curl_easy_setopt(curl, CURLOPT_URL, url.constData());
        if (sftp)
            return;
        // libcurl parses the server's listing and hands over each entry.
        curl_easy_setopt(curl, CURLOPT_WILDCARDMATCH, 1L);
        curl_easy_setopt(curl, CURLOPT_CHUNK_BGN_FUNCTION, &Transfer::chunkBegin);
        curl_easy_setopt(curl, CURLOPT_CHUNK_END_FUNCTION, &Transfer::chunkEnd);
        curl_easy_setopt(curl, CURLOPT_CHUNK_DATA, &transfer);
    });
    if (code != CURLE_OK && code != CURLE_REMOTE_FILE_NOT_FOUND) // an empty folder matches nothing
        return false;
    if (sftp)
        for (const QString& line : QString::fromUtf8(transfer.listing).split(u'\n'))
            if (const std::optional<RemoteEntry> entry = entryOfListingLine(line.trimmed()))
                transfer.entries.append(*entry);
    for (const RemoteEntry& entry : std::as_const(transfer.entries)) {
        if (entry.name == u"."_s || entry.name == u".."_s ||
            (entry.isFolder && entry.name.startsWith(u'.')))
            continue;
        entries->append(entry);
    }
    return true;
}

DownloadResult FtpClient::download(const QString& remotePath, const QString& localPath,
                                   bool overwrite)
{
    if (!overwrite && QFile::exists(localPath))
        return {DownloadStatus::Exists, {}};
    if (m_cancelled)
        return {DownloadStatus::Cancelled, {}};
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return {DownloadStatus::Failed, file.errorString() + u": "_s + localPath};
    Transfer transfer;
    transfer.file = &file;
    const QByteArray url = urlOf(remotePath, false);
    const int code = perform(transfer, [&](void* curl) {
        curl_easy_setopt(handleOf(curl), CURLOPT_URL, url.constData());
    });
    if (code == CURLE_OK && file.commit())
        return {DownloadStatus::Copied, {}};
    file.cancelWriting();
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return {DownloadStatus::Cancelled, {}};
    if (code == CURLE_OK || transfer.writeFailed)
        return {DownloadStatus::Failed, file.errorString() + u": "_s + localPath};
    const QString text = errorText(code);
    return {DownloadStatus::Failed, text.isEmpty() ? u"FTP Error GetFile #: %1"_s.arg(code) : text};
}

} // namespace meridan
