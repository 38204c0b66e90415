#include "dialogs/ftpdownloaddlg.h"
#include "store/siterecord.h"
#include "support/modal.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "support/testservers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestFtpDownloadDlg : public SandboxTest
{
    Q_OBJECT

private:
    QTreeWidget* list(CFTPDownloadDlg& dialog)
    {
        return dialog.findChild<QTreeWidget*>(u"remoteList"_s);
    }
    QStringList rows(CFTPDownloadDlg& dialog)
    {
        QStringList names;
        for (int i = 0; i < list(dialog)->topLevelItemCount(); ++i)
            names.append(list(dialog)->topLevelItem(i)->text(0));
        return names;
    }
    void select(CFTPDownloadDlg& dialog, const QStringList& names)
    {
        list(dialog)->clearSelection();
        for (const QString& name : names)
            list(dialog)->findItems(name, Qt::MatchExactly).first()->setSelected(true);
    }
    void doubleClick(CFTPDownloadDlg& dialog, const QString& name)
    {
        QTreeWidget* tree = list(dialog);
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QRect rect = tree->visualItemRect(tree->findItems(name, Qt::MatchExactly).first());
        // A view takes a double click on the row that was pressed first.
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void pressOk(CFTPDownloadDlg& dialog)
    {
        dialog.findChild<QDialogButtonBox*>(u"dialogButtons"_s)
            ->button(QDialogButtonBox::Ok)
            ->click();
    }
    std::unique_ptr<FtpTestServer> server;
    SiteRecord site;

private slots:
    void init()
    {
        SandboxTest::init();
        const QString root = home->file(u"server"_s);
        writeFile(root + u"/logs/site_20030517.log.gz"_s, "gz 17");
        writeFile(root + u"/logs/site_20030518.log.gz"_s, QByteArray(8 << 20, 'x'));
        writeFile(root + u"/logs/.hidden.log"_s, "hidden");
        writeFile(root + u"/logs/bad\\name.log"_s, "bad");
        writeFile(root + u"/logs/2004/ex040101.log"_s, "0101");
        server = std::make_unique<FtpTestServer>(root);
        QVERIFY(server->isRunning());
        site = testSite(*home);
        QDir().mkpath(site.LogsDir);
        site.LogNameStruct = u"%yyyy%\\site_%yyyy%%mm%%dd%.log.gz"_s;
        site.FTPUrl = server->url(u"/logs"_s);
        site.FTPUser = QString::fromLatin1(FtpTestServer::user());
        site.FTPAccess = QString::fromLatin1(FtpTestServer::password());
    }
    void cleanup()
    {
        server.reset();
        SandboxTest::cleanup();
    }

    void nothingToConnectTo()
    {
        site.FTPUrl.clear();
        CFTPDownloadDlg dialog(&site);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(recorder->errors.isEmpty());
        CFTPDownloadDlg noSite(nullptr);
        QVERIFY(!noSite.start());
    }

    void listWalkAndDownload()
    {
        CFTPDownloadDlg dialog(&site);
        QVERIFY(dialog.start());
        QVERIFY(dialog.isVisible()); // on the screen while it connects
        QCOMPARE(dialog.windowTitle(), u"FTP Download"_s);
        QTRY_VERIFY(list(dialog)->topLevelItemCount() > 0 && !dialog.isBusy());
        QCOMPARE(list(dialog)->headerItem()->text(0), u"/logs/"_s);
        QCOMPARE(rows(dialog).first(), u".."_s);
        QCOMPARE(rows(dialog).size(), 6);
        saveScreenshot(&dialog, u"ftp-listing"_s);
        doubleClick(dialog, u"2004"_s);
        QTRY_COMPARE(list(dialog)->headerItem()->text(0), u"/logs/2004/"_s);
        QTRY_COMPARE(rows(dialog), (QStringList{u".."_s, u"ex040101.log"_s}));
        QTreeWidget* tree = list(dialog); // Enter on a folder opens it
        tree->setFocus();
        tree->setCurrentItem(tree->findItems(u".."_s, Qt::MatchExactly).first());
        QTest::keyClick(tree, Qt::Key_Return);
        QTRY_COMPARE(list(dialog)->headerItem()->text(0), u"/logs/"_s);
        QTRY_VERIFY(rows(dialog).contains(u"site_20030517.log.gz"_s));
        select(dialog, {u"site_20030517.log.gz"_s, u"site_20030518.log.gz"_s, u".hidden.log"_s});
        pressOk(dialog);
        auto* progress = dialog.findChild<QProgressBar*>(u"progressBar"_s);
        if (progress->isVisible())
            saveScreenshot(&dialog, u"ftp-downloading"_s);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(readAll(site.LogsDir + u"/2003/site_20030517.log.gz"_s), QByteArray("gz 17"));
        QCOMPARE(QFileInfo(site.LogsDir + u"/2003/site_20030518.log.gz"_s).size(), 8 << 20);
        QVERIFY(!QFileInfo::exists(site.LogsDir + u"/.hidden.log"_s));
        QVERIFY(recorder->errors.isEmpty());
    }

    void secondDownloadKeepsLocalFiles_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("kept") << false;
        QTest::newRow("overwritten") << true;
    }
    void secondDownloadKeepsLocalFiles()
    {
        QFETCH(bool, overwrite);
        writeFile(site.LogsDir + u"/2003/site_20030517.log.gz"_s, "local edit");
        CFTPDownloadDlg dialog(&site);
        QVERIFY(dialog.start());
        QTRY_VERIFY(rows(dialog).contains(u"site_20030517.log.gz"_s) && !dialog.isBusy());
        dialog.findChild<QCheckBox*>(u"overwriteCheckBox"_s)->setChecked(overwrite);
        select(dialog, {u"site_20030517.log.gz"_s});
        pressOk(dialog);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(readAll(site.LogsDir + u"/2003/site_20030517.log.gz"_s),
                 QByteArray(overwrite ? "gz 17" : "local edit"));
        QVERIFY(recorder->errors.isEmpty());
    }

    void refusedNameIsSaidAndTheOthersCopied()
    {
        CFTPDownloadDlg dialog(&site);
        QVERIFY(dialog.start());
        QTRY_VERIFY(rows(dialog).contains(u"bad\\name.log"_s) && !dialog.isBusy());
        select(dialog, {u"bad\\name.log"_s, u"site_20030517.log.gz"_s});
        pressOk(dialog);
        QTRY_COMPARE(recorder->beeps, 1);
        QTRY_VERIFY(!dialog.isBusy());
        QVERIFY(dialog.isVisible());
        QVERIFY(list(dialog)->selectedItems().isEmpty());
        QCOMPARE(readAll(site.LogsDir + u"/2003/site_20030517.log.gz"_s), QByteArray("gz 17"));
        QCOMPARE(recorder->errors.size(), 1);
        QVERIFY(recorder->errors.first().contains(u"bad\\name.log"_s));
    }

    void wrongPasswordClosesWithTheServersWords()
    {
        site.FTPAccess = u"wrong"_s;
        CFTPDownloadDlg dialog(&site);
        QVERIFY(dialog.start());
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(recorder->errors.size(), 1);
        QVERIFY(recorder->errors.first().contains(u"530"_s));
    }

    void progressInBytesAndCancelAtOnce()
    {
        HostileFtpServer slow(u"big"_s, 200 << 20, 4 << 20);
        site.FTPUrl = slow.url(u"/"_s);
        site.LogNameStruct = u"x%yy%.log"_s;
        CFTPDownloadDlg dialog(&site);
        QVERIFY(dialog.start());
        QTRY_VERIFY(rows(dialog).contains(u"file.log"_s) && !dialog.isBusy());
        select(dialog, {u"file.log"_s});
        pressOk(dialog);
        auto* status = dialog.findChild<QLabel*>(u"statusLabel"_s);
        auto* progress = dialog.findChild<QProgressBar*>(u"progressBar"_s);
        QTRY_VERIFY(progress->value() > 0);
        QVERIFY2(QRegularExpression(u"^Copying file.log: [0-9.]+ [KM]iB of 200.0 MiB, "
                                    u"[0-9.]+ [KM]iB/s$"_s)
                     .match(status->text())
                     .hasMatch(),
                 qPrintable(status->text()));
        saveScreenshot(&dialog, u"ftp-progress"_s);
        dialog.reject(); // Cancel
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 3000);
        QCOMPARE(
            QDir(site.LogsDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
        QVERIFY(recorder->errors.isEmpty());
    }

    void cancelWhileConnecting_data()
    {
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("Cancel") << false;
        QTest::newRow("the window goes") << true; // it waits for the transfer, not the loop
    }
    void cancelWhileConnecting()
    {
        QFETCH(bool, destroyed);
        HostileFtpServer silent(u"silent"_s);
        site.FTPUrl = silent.url(u"/"_s);
        auto dialog = std::make_unique<CFTPDownloadDlg>(&site);
        QVERIFY(dialog->start());
        QTRY_VERIFY(dialog->isBusy());
        if (destroyed) {
            dialog.reset();
        } else {
            dialog->reject();
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 3000);
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
        }
        QVERIFY(recorder->errors.isEmpty());
    }

    void untrustedCertificateIsAskedAbout_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::newRow("refused") << false;
        QTest::newRow("trusted and kept for the Site") << true;
    }
    void untrustedCertificateIsAskedAbout()
    {
        QFETCH(bool, trusted);
        FtpTestServer tls(home->file(u"server"_s), {false, home->path()});
        storedTestSite(site.name);
        SiteRecord stored(site.name);
        stored.FTPUrl = tls.url(u"/logs"_s);
        stored.FTPUser = site.FTPUser;
        stored.FTPAccess = site.FTPAccess;
        stored.FTPRequireTLS = 1;
        QVERIFY(stored.Save());
        recorder->errors.clear(); // the notice of a machine without a keyring
        recorder->answers = {trusted};
        CFTPDownloadDlg dialog(&stored);
        QVERIFY(dialog.start());
        QCOMPARE(recorder->questions.size(), 0);
        QTRY_COMPARE(recorder->questions.size(), 1);
        QVERIFY(recorder->questions.first().contains(tls.fingerprint()));
        if (!trusted) {
            QTRY_VERIFY(!dialog.isVisible());
            QCOMPARE(recorder->errors.size(), 1);
            QVERIFY(recorder->errors.first().startsWith(u"The certificate of 127.0.0.1"_s));
        } else {
            QTRY_VERIFY(rows(dialog).contains(u"site_20030517.log.gz"_s) && !dialog.isBusy());
            QVERIFY2(recorder->errors.isEmpty(), qPrintable(recorder->errors.join(u'\n')));
        }
        QCOMPARE(SiteRecord(site.name).FTPCertificate, trusted ? tls.fingerprint() : QString());
    }

    void unknownHostKeyIsAskedAboutAndKept()
    {
        QVERIFY(QDir().mkpath(home->file(u".ssh"_s)) && QDir().mkpath(home->file(u"sshd"_s)));
        QVERIFY(makeSshKey(home->file(u".ssh/id_ed25519"_s)));
        QVERIFY(makeSshKey(home->file(u"sshd/host_key"_s)));
        qunsetenv("SSH_AUTH_SOCK");
        SshTestServer sshd(home->file(u"sshd"_s), home->file(u"sshd/host_key"_s),
                           home->file(u".ssh/id_ed25519.pub"_s));
        QVERIFY(sshd.isRunning());
        site.FTPUrl = sshd.url(home->file(u"server/logs"_s));
        site.FTPUser = SshTestServer::userName();
        recorder->answers = {true};
        CFTPDownloadDlg dialog(&site);
        QVERIFY(dialog.start());
        QTRY_VERIFY(rows(dialog).contains(u"site_20030517.log.gz"_s) && !dialog.isBusy());
        QCOMPARE(recorder->questionKinds, QList<Question>{Question::DangerousYesNo});
        QVERIFY(recorder->questions.first().contains(u"SHA256:"_s));
        QVERIFY(readAll(home->file(u".ssh/known_hosts"_s)).contains("ssh-ed25519"));
        QVERIFY2(recorder->errors.isEmpty(), qPrintable(recorder->errors.join(u'\n')));
    }
};

QTEST_MAIN(TestFtpDownloadDlg)
#include "tst_ftpdownloaddlg.moc"
