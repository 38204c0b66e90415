#include "ftpdownloaddlg.h"

#include "store/siterecord.h"
#include "ui_ftpdownloaddlg.h"
#include "util/messages.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

constexpr int kFolderRole = Qt::UserRole;

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
    m_ui->progressBar->hide();
    connect(m_ui->dialogButtons, &QDialogButtonBox::accepted, this, &CFTPDownloadDlg::accept);
    connect(m_ui->dialogButtons, &QDialogButtonBox::rejected, this, &CFTPDownloadDlg::reject);
    connect(m_ui->remoteList, &QTreeWidget::itemDoubleClicked, this,
            &CFTPDownloadDlg::rowActivated);
    resize(460, 380);
}

CFTPDownloadDlg::~CFTPDownloadDlg()
{
    if (m_client)
        m_client->cancel();
    // A running transfer ends with the client; wait for it to let go.
    while (m_busy)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool CFTPDownloadDlg::start()
{
    if (!m_site || m_site->FTPUrl.isEmpty())
        return false;
    m_client = std::make_unique<FtpClient>(*m_site);
    show();
    QTimer::singleShot(0, this, &CFTPDownloadDlg::connectToServer); // once the window shows
    return true;
}

int CFTPDownloadDlg::exec()
{
    return start() ? QDialog::exec() : QDialog::Rejected;
}

void CFTPDownloadDlg::inBackground(std::function<void()> work, std::function<void()> done)
{
    m_busy = true;
    QThread* thread = QThread::create(std::move(work));
    connect(thread, &QThread::finished, this, [this, thread, done = std::move(done)] {
        thread->deleteLater();
        m_busy = false;
        done();
    });
    thread->start();
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
    setWorking(true, u"Connecting to %1..."_s.arg(QUrl(m_site->FTPUrl).host()));
    auto connected = std::make_shared<bool>(false);
    auto entries = std::make_shared<QList<RemoteEntry>>();
    inBackground(
        [this, connected, entries] {
            *connected = m_client->connect();
            if (*connected)
                m_client->list(m_client->startFolder(), entries.get());
        },
        [this, connected, entries] {
            setWorking(false);
            if (!*connected) {
                for (const QString& error : m_client->errors())
                    messages().error(error);
                QDialog::reject();
                return;
            }
            m_folder = RemoteFolder(m_client->startFolder());
            showRows(*entries);
            m_ui->remoteList->setFocus();
        });
}

void CFTPDownloadDlg::listFolder()
{
    setWorking(true, u"Reading %1..."_s.arg(m_folder.header()));
    auto entries = std::make_shared<QList<RemoteEntry>>();
    const QString folder = m_folder.path();
    inBackground([this, entries, folder] { m_client->list(folder, entries.get()); },
                 [this, entries] {
                     setWorking(false);
                     showRows(*entries); // a folder that cannot be listed shows ".." alone
                 });
}

void CFTPDownloadDlg::showRows(const QList<RemoteEntry>& entries)
{
    QTreeWidget* list = m_ui->remoteList;
    list->clear();
    list->setHeaderLabels({m_folder.header()});
    for (const RemoteEntry& entry : m_folder.rows(entries)) {
        auto* item = new QTreeWidgetItem(list, {entry.name});
        item->setIcon(0, entryIcon(style(), entry));
        item->setData(0, kFolderRole, entry.isFolder);
    }
}

void CFTPDownloadDlg::rowActivated(QTreeWidgetItem* item)
{
    if (m_busy || !item || !item->data(0, kFolderRole).toBool())
        return;
    if (m_folder.open(item->text(0)))
        listFolder();
}

void CFTPDownloadDlg::accept()
{
    if (m_busy)
        return;
    download();
}

void CFTPDownloadDlg::reject()
{
    if (!m_busy) {
        QDialog::reject();
        return;
    }
    // Stop after the file being copied: nothing is ever left half-written.
    m_stopAfterFile = true;
    m_closeWhenDone = true;
    m_ui->statusLabel->setText(u"Stopping after this file..."_s);
}

void CFTPDownloadDlg::download()
{
    QStringList names; // the selected rows, in list order
    for (int row = 0; row < m_ui->remoteList->topLevelItemCount(); ++row)
        if (m_ui->remoteList->topLevelItem(row)->isSelected())
            names.append(m_ui->remoteList->topLevelItem(row)->text(0));
    if (names.isEmpty())
        return;
    const bool overwrite = m_ui->overwriteCheckBox->isChecked();
    m_ui->progressBar->setRange(0, int(names.size()));
    m_ui->progressBar->setValue(0);
    m_ui->progressBar->show();
    setWorking(true);
    auto refused = std::make_shared<QString>();
    inBackground(
        [this, names, overwrite, refused] {
            for (qsizetype i = 0; i < names.size() && !m_stopAfterFile; ++i) {
                const QString& name = names.at(i);
                QMetaObject::invokeMethod(this, [this, i, count = names.size(), name] {
                    m_ui->progressBar->setValue(int(i));
                    m_ui->statusLabel->setText(
                        u"Copying %1 (%2 of %3)"_s.arg(name).arg(i + 1).arg(count));
                });
                if (name.isEmpty() || name.startsWith(u'.'))
                    continue;
                const LocalTarget target = mapRemoteName(*m_site, name);
                if (!target.result) {
                    *refused = target.result.message();
                    return;
                }
                const DownloadResult result =
                    m_client->download(m_folder.filePath(name), target.path, overwrite);
                if (result.status == DownloadStatus::Failed)
                    QMetaObject::invokeMethod(
                        this, [error = name + u": "_s + result.error] { messages().error(error); },
                        Qt::BlockingQueuedConnection);
            }
        },
        [this, refused] {
            setWorking(false);
            m_ui->progressBar->hide();
            if (!refused->isEmpty()) {
                messages().error(*refused);
                m_ui->remoteList->clearSelection();
                messages().beep();
                m_stopAfterFile = false;
                if (m_closeWhenDone)
                    QDialog::reject();
                return;
            }
            if (m_closeWhenDone)
                QDialog::reject();
            else
                QDialog::accept();
        });
}

} // namespace meridan
