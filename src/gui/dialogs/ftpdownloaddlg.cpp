#include "ftpdownloaddlg.h"

#include "main/helppage.h"
#include "store/siterecord.h"
#include "ui_ftpdownloaddlg.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMimeDatabase>
#include <QPushButton>
#include <QSemaphore>
#include <QStyle>
#include <QTimer>
#include <atomic>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

constexpr int kRowRole = Qt::UserRole;

QIcon entryIcon(const QStyle* style, const RemoteEntry& entry)
{
    if (entry.isFolder)
        return QIcon::fromTheme(u"folder"_s, style->standardIcon(QStyle::SP_DirIcon));
    static const QMimeDatabase types;
    const QMimeType type = types.mimeTypeForFile(entry.name, QMimeDatabase::MatchExtension);
    return QIcon::fromTheme(
        type.iconName(),
        QIcon::fromTheme(type.genericIconName(), style->standardIcon(QStyle::SP_FileIcon)));
}

} // namespace

CFTPDownloadDlg::CFTPDownloadDlg(SiteRecord* site, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CFTPDownloadDlg>()), m_site(site)
{
    m_ui->setupUi(this);
    addHelpKey(this);
    m_ui->progressBar->hide();
    connect(m_ui->dialogButtons, &QDialogButtonBox::accepted, this, &CFTPDownloadDlg::accept);
    connect(m_ui->dialogButtons, &QDialogButtonBox::rejected, this, &CFTPDownloadDlg::reject);
    connect(m_ui->remoteList, &QTreeWidget::itemDoubleClicked, this,
            &CFTPDownloadDlg::rowActivated);
    resize(460, 380);
}

CFTPDownloadDlg::~CFTPDownloadDlg()
{
    // A running transfer ends with the client, and a question to trust a
    // server is answered no: the work needs nothing more of this thread.
    m_closing = true;
    if (m_client)
        m_client->cancel();
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

bool CFTPDownloadDlg::start()
{
    if (!m_site || m_site->FTPUrl.isEmpty())
        return false;
    m_client = std::make_unique<FtpClient>(*m_site);
    m_client->setTrustQuestion([this](const ServerIdentity& identity) {
        // Asked on the window's thread; the transfer waits for the answer,
        // or for the window to close.
        struct Answer
        {
            QSemaphore given;
            std::atomic<bool> trusted = false;
        };
        auto answer = std::make_shared<Answer>();
        QMetaObject::invokeMethod(this, [this, identity, answer] {
            answer->trusted = askToTrust(identity);
            answer->given.release();
        });
        while (!answer->given.tryAcquire(1, 100))
            if (m_closing)
                return false;
        return answer->trusted.load();
    });
    show();
    QTimer::singleShot(0, this, &CFTPDownloadDlg::connectToServer); // once the window shows
    return true;
}

int CFTPDownloadDlg::exec()
{
    return start() ? QDialog::exec() : QDialog::Rejected;
}

bool CFTPDownloadDlg::askToTrust(const ServerIdentity& identity)
{
    if (identity.kind == ServerIdentity::Kind::SshHostKey)
        return messages().ask(
            tr("The host key of %1 is not known yet.\n\n%2 key fingerprint:\n%3\n\nCompare it with "
               "the fingerprint your server's administrator gives you. Trust this key and add it "
               "to your known hosts?")
                .arg(identity.host, identity.keyType, identity.fingerprint),
            Question::DangerousYesNo);
    return messages().ask(
        tr("The certificate of %1 cannot be verified: %2.\n\nSHA-256 fingerprint:\n%3\n\nCompare "
           "it with your server's certificate. Trust this certificate for this Site?")
            .arg(identity.host, identity.problem, identity.fingerprint),
        Question::DangerousYesNo);
}

void CFTPDownloadDlg::keepNewlyTrustedCertificate()
{
    const QString pin = m_client->newlyTrustedCertificate();
    if (pin.isEmpty() || pin == m_site->FTPCertificate)
        return;
    m_site->FTPCertificate = pin;
    m_site->Save(SiteRecord::SaveMode::ExistingOnly).report();
}

void CFTPDownloadDlg::inBackground(std::function<void()> work, std::function<void()> done)
{
    m_busy = true;
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, done = std::move(done)] {
        std::exchange(m_worker, nullptr)->deleteLater();
        m_busy = false;
        if (m_closeWhenDone) {
            setWorking(false);
            QDialog::reject();
            return;
        }
        done();
    });
    m_worker->start();
}

void CFTPDownloadDlg::setWorking(bool working, const QString& status)
{
    m_ui->statusLabel->setText(status);
    m_ui->dialogButtons->button(QDialogButtonBox::Ok)->setEnabled(!working);
    m_ui->remoteList->setEnabled(!working);
    if (working)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CFTPDownloadDlg::connectToServer()
{
    setWorking(true, tr("Connecting to %1...").arg(m_client->host()));
    auto connected = std::make_shared<Result>();
    auto listed = std::make_shared<Result>();
    auto listing = std::make_shared<RemoteListing>();
    inBackground(
        [this, connected, listed, listing] {
            *connected = m_client->connect();
            if (*connected)
                *listed = m_client->list(m_client->startFolder(), listing.get());
        },
        [this, connected, listed, listing] {
            setWorking(false);
            keepNewlyTrustedCertificate();
            if (!connected->report()) {
                QDialog::reject();
                return;
            }
            m_folder = RemoteFolder(m_client->startFolder());
            showRows(listing->entries);
            listed->report();
            m_ui->statusLabel->setText(listing->skipped.join(u'\n'));
            m_ui->remoteList->setFocus();
        });
}

void CFTPDownloadDlg::listFolder()
{
    setWorking(true, tr("Reading %1...").arg(m_folder.header()));
    auto listed = std::make_shared<Result>();
    auto listing = std::make_shared<RemoteListing>();
    const QString folder = m_folder.path();
    inBackground(
        [this, listed, listing, folder] { *listed = m_client->list(folder, listing.get()); },
        [this, listed, listing] {
            setWorking(false);
            showRows(listing->entries); // ".." stays to go back
            listed->report();
            m_ui->statusLabel->setText(listing->skipped.join(u'\n'));
        });
}

void CFTPDownloadDlg::showRows(const QList<RemoteEntry>& entries)
{
    QTreeWidget* list = m_ui->remoteList;
    list->clear();
    list->setHeaderLabels({m_folder.header()});
    m_rows = m_folder.rows(entries);
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        auto* item = new QTreeWidgetItem(list, {m_rows.at(row).name});
        item->setIcon(0, entryIcon(style(), m_rows.at(row)));
        item->setData(0, kRowRole, int(row));
    }
}

void CFTPDownloadDlg::rowActivated(QTreeWidgetItem* item)
{
    if (m_busy || !item)
        return;
    const RemoteEntry& entry = m_rows.at(item->data(0, kRowRole).toInt());
    if (entry.isFolder && m_folder.open(entry.name))
        listFolder();
}

// Enter in the list on a folder, with no file chosen, opens the folder as
// a double click does; otherwise it downloads, as OK does.
void CFTPDownloadDlg::accept()
{
    if (m_busy)
        return;
    const auto isFolder = [this](const QTreeWidgetItem* item) {
        return m_rows.at(item->data(0, kRowRole).toInt()).isFolder;
    };
    QTreeWidgetItem* current = m_ui->remoteList->currentItem();
    const QList<QTreeWidgetItem*> chosen = m_ui->remoteList->selectedItems();
    if (m_ui->remoteList->hasFocus() && current && isFolder(current) &&
        std::all_of(chosen.begin(), chosen.end(), isFolder)) {
        rowActivated(current);
        return;
    }
    download();
}

void CFTPDownloadDlg::reject()
{
    if (!m_busy) {
        QDialog::reject();
        return;
    }
    cancelWork();
}

void CFTPDownloadDlg::cancelWork()
{
    // The transfer stops at once; its temporary file goes, no final name is touched.
    m_closeWhenDone = true;
    if (m_client)
        m_client->cancel();
    m_ui->statusLabel->setText(tr("Stopping..."));
}

void CFTPDownloadDlg::showProgress(const QString& name, qint64 fileDone, qint64 fileTotal,
                                   qint64 allDone, qint64 allTotal)
{
    if (allDone == 0)
        m_clock.start();
    const double seconds = double(std::max(m_clock.elapsed(), qint64(1))) / 1000.0;
    const qint64 perSecond = qint64(double(allDone) / seconds);
    m_ui->progressBar->setValue(allTotal > 0 ? int(allDone * 1000 / allTotal) : 0);
    m_ui->statusLabel->setText(
        fileTotal > 0 ? tr("Copying %1: %2 of %3, %4/s")
                            .arg(name, texts::dataSize(fileDone), texts::dataSize(fileTotal),
                                 texts::dataSize(perSecond))
                      : tr("Copying %1: %2, %3/s")
                            .arg(name, texts::dataSize(fileDone), texts::dataSize(perSecond)));
}

// The core's copies, with the progress shown here.
FetchReport CFTPDownloadDlg::copyFiles(const QList<RemoteEntry>& files, bool overwrite,
                                       qint64 allTotal)
{
    FetchReport report;
    const auto starting = [this, allTotal](const RemoteEntry& entry, qint64 before) {
        m_client->setProgressListener([=, this, name = entry.name](qint64 done, qint64 total) {
            QMetaObject::invokeMethod(this, [=, this] {
                showProgress(name, done, total, before + done, std::max(allTotal, before + total));
            });
        });
    };
    copyRemoteEntries(*m_client, *m_site, m_folder, files,
                      overwrite ? FetchOptions::Existing::Replace : FetchOptions::Existing::Keep,
                      &report, {starting, nullptr});
    m_client->setProgressListener({});
    return report;
}

void CFTPDownloadDlg::download()
{
    QList<RemoteEntry> files; // the selected files, in list order
    qint64 allTotal = 0;
    for (int row = 0; row < m_ui->remoteList->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_ui->remoteList->topLevelItem(row);
        const RemoteEntry& entry = m_rows.at(item->data(0, kRowRole).toInt());
        if (item->isSelected() && !entry.isFolder && !entry.name.startsWith(u'.')) {
            files.append(entry);
            allTotal += std::max<qint64>(entry.size, 0);
        }
    }
    if (files.isEmpty())
        return;
    const bool overwrite = m_ui->overwriteCheckBox->isChecked();
    m_ui->progressBar->setRange(0, 1000);
    m_ui->progressBar->setValue(0);
    m_ui->progressBar->show();
    setWorking(true);
    showProgress(files.first().name, 0, files.first().size, 0, allTotal);
    auto report = std::make_shared<FetchReport>();
    inBackground([this, files, overwrite, report,
                  allTotal] { *report = copyFiles(files, overwrite, allTotal); },
                 [this, report] {
                     setWorking(false);
                     m_ui->progressBar->hide();
                     for (const QString& problem : std::as_const(report->problems))
                         messages().error(problem);
                     // What went wrong stays on the screen, to be chosen again.
                     if (!report->problems.isEmpty()) {
                         m_ui->remoteList->clearSelection();
                         messages().beep();
                         return;
                     }
                     QDialog::accept();
                 });
}

} // namespace meridan
