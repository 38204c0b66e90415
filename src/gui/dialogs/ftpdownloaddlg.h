#pragma once

#include "remote/ftpclient.h"
#include "remote/logfetch.h"
#include "remote/remotenames.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

class QTreeWidgetItem;

namespace Ui {
class CFTPDownloadDlg;
}

namespace meridan {

class SiteRecord;

// "FTP Download": the Site's remote log folder, walked by double click; OK
// copies the selected files into the folders the naming scheme gives.
// Connecting, listing and copying run off the user-interface thread.
class CFTPDownloadDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFTPDownloadDlg(SiteRecord* site, QWidget* parent = nullptr);
    ~CFTPDownloadDlg() override;

    // Shows the dialog and connects; without a Site or an FTP URL it ends at
    // once, saying nothing.
    int exec() override;
    // The same without waiting: false when there is nothing to connect to.
    bool start();

    bool isBusy() const { return m_busy; }
    // Stops the work in progress at once and closes the dialog when it ends.
    void cancelWork();
    QString currentFolder() const { return m_folder.path(); }

    void accept() override;
    void reject() override;

private:
    void inBackground(std::function<void()> work, std::function<void()> done);
    void connectToServer();
    void listFolder();
    void showRows(const QList<RemoteEntry>& entries);
    void rowActivated(QTreeWidgetItem* item);
    void download();
    // Copies the files one after the other, off the user-interface thread.
    FetchReport copyFiles(const QList<RemoteEntry>& files, bool overwrite, qint64 allTotal);
    void showProgress(const QString& name, qint64 fileDone, qint64 fileTotal, qint64 allDone,
                      qint64 allTotal);
    void setWorking(bool working, const QString& status = {});
    bool askToTrust(const ServerIdentity& identity);
    void keepNewlyTrustedCertificate();

    std::unique_ptr<Ui::CFTPDownloadDlg> m_ui;
    SiteRecord* m_site;
    std::unique_ptr<FtpClient> m_client;
    RemoteFolder m_folder{QString()};
    QList<RemoteEntry> m_rows; // what each row of the list stands for
    QElapsedTimer m_clock;     // since the download began
    bool m_busy = false;
    bool m_closeWhenDone = false;
    QThread* m_worker = nullptr;         // while m_busy
    std::atomic<bool> m_closing = false; // read by the worker
};

} // namespace meridan
