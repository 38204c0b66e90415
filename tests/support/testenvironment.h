#pragma once

#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "util/messages.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace meridan::test {

// Points HOME and XDG_CONFIG_HOME at a fresh temporary folder for as long as
// it lives, and hides the session bus, so no test touches the real home,
// configuration or keyring.
class TestHome
{
public:
    TestHome();
    ~TestHome();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
    QByteArray m_oldBus;
};

// Records what the core says and answers its questions from a script.
class RecordingMessages : public Messages
{
public:
    RecordingMessages() { setMessages(this); }
    ~RecordingMessages() override { setMessages(nullptr); }

    void error(const QString& text) override { errors.append(text); }
    bool ask(const QString& text, Question kind = Question::OkCancel) override;
    void beep() override { ++beeps; }

    QStringList errors;
    QStringList questions;
    QList<Question> questionKinds;
    QList<bool> answers; // taken from the front; OK when empty
    int beeps = 0;
};

// A small tmpfs mounted on folder for as long as it lives (mounted() is
// false where none can be mounted: the test skips then); fill() takes every
// byte that is left.
class SmallDisk
{
public:
    SmallDisk(const QString& folder, const QString& size);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return m_mounted; }
    void fill() const;

private:
    QString m_folder;
    bool m_mounted = false;
};

// What a run of meridan-cli (the MERIDAN_CLI of the tests) gave.
struct CliOutcome
{
    int status = -1;
    QString out;
    QString err;
};

// Starts meridan-cli with HOME and XDG_CONFIG_HOME in home, and LC_ALL set
// to locale when one is given; the caller owns the process unless parent is
// given.
QProcess* startCli(const TestHome& home, const QStringList& arguments, QObject* parent = nullptr,
                   const QString& locale = QString());
// Runs it to its end.
CliOutcome runCli(const TestHome& home, const QStringList& arguments,
                  const QString& locale = QString());

QByteArray readAll(const QString& path);
// A Site as the tests know it, not stored: named name (its key too), its
// Root home's "stats" with the folders "cfg" and "reports", its logs in
// home's "logs" (not made).
// The store as a test sees it, one transaction a call: writeStored makes
// the key and sets the values (false when the store refuses); readStored
// gives a value as text ("" when missing).
bool writeStored(const QString& path, const QList<StoredValue>& values = {});
std::optional<StoreNode> storedKey(const QString& path); // with its subkeys' names
QString readStored(const QString& path, const QString& name);
QStringList storedSubkeys(const QString& path);

SiteRecord testSite(const TestHome& home, const QString& name = QStringLiteral("shop"));
// A new Site with the defaults of its name, keeping the given kinds of
// report (its default when empty), stored with its folders as meridan-cli
// add makes it, and read back.
SiteRecord storedTestSite(const QString& name = QStringLiteral("shop"),
                          const QString& keep = QString());
void writeFile(const QString& path, const QByteArray& contents);

} // namespace meridan::test
