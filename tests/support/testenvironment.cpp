#include "support/testenvironment.h"

#include "analog/basecfg.h"
#include "analog/sitefolders.h"
#include "store/siterecord.h"
#include "store/siterules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <memory>

namespace meridan::test {

TestHome::TestHome()
    : m_oldHome(qgetenv("HOME")), m_oldConfig(qgetenv("XDG_CONFIG_HOME")),
      m_oldBus(qgetenv("DBUS_SESSION_BUS_ADDRESS"))
{
    QVERIFY(m_dir.isValid());
    qputenv("HOME", QFile::encodeName(m_dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral(".config"))));
    qunsetenv("DBUS_SESSION_BUS_ADDRESS"); // never the user's own keyring
}

TestHome::~TestHome()
{
    qputenv("HOME", m_oldHome);
    qputenv("XDG_CONFIG_HOME", m_oldConfig);
    if (!m_oldBus.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_oldBus);
}

bool RecordingMessages::ask(const QString& text, Question kind)
{
    questions.append(text);
    questionKinds.append(kind);
    return answers.isEmpty() ? true : answers.takeFirst();
}

bool writeStored(const QString& path, const QList<StoredValue>& values)
{
    return SettingsStore::write([&](StoreTransaction& tx) {
               return (tx.keyExists(path) || tx.createKey(path)) &&
                      (values.isEmpty() || tx.setValues(path, values));
           })
        .ok();
}

std::optional<StoreNode> storedKey(const QString& path)
{
    std::optional<StoreNode> node;
    if (!SettingsStore::read([&](StoreTransaction& tx) { node = tx.readKey(path); }))
        return std::nullopt;
    return node;
}

QString readStored(const QString& path, const QString& name)
{
    const std::optional<StoreNode> key = storedKey(path);
    return key ? key->text(name) : QString();
}

QStringList storedSubkeys(const QString& path)
{
    QStringList names;
    if (const std::optional<StoreNode> key = storedKey(path))
        for (const StoreNode& child : key->keys)
            names.append(child.name);
    return names;
}

SiteRecord testSite(const TestHome& home, const QString& name)
{
    SiteRecord site;
    site.name = site.keyName = name;
    site.Root = home.file(QStringLiteral("stats"));
    site.CfgDir = QStringLiteral("cfg");
    site.ReportsRoot = QStringLiteral("reports");
    site.LogsDir = home.file(QStringLiteral("logs"));
    return site;
}

SiteRecord storedTestSite(const QString& name, const QString& keep)
{
    SiteRecord site;
    site.name = name;
    site.DeriveDefaults();
    if (!keep.isEmpty())
        site.KeepPeriods = keep;
    site.isNew = true;
    if (!createSiteFolders(site) || !SaveSite(site))
        qFatal("cannot store the test Site %s", qPrintable(name));
    return SiteRecord(name);
}

QProcess* startCli(const TestHome& home, const QStringList& arguments, QObject* parent,
                   const QString& locale)
{
    auto* process = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral(".config")));
    if (!locale.isEmpty()) {
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.remove(QStringLiteral("LANGUAGE")); // it would come before LC_ALL
    }
    process->setProcessEnvironment(env);
    process->start(qEnvironmentVariable("MERIDAN_CLI"), arguments);
    return process;
}

CliOutcome runCli(const TestHome& home, const QStringList& arguments, const QString& locale)
{
    std::unique_ptr<QProcess> process(startCli(home, arguments, nullptr, locale));
    process->closeWriteChannel();
    process->waitForFinished(120000);
    return {process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()),
            QString::fromUtf8(process->readAllStandardError())};
}

SmallDisk::SmallDisk(const QString& folder, const QString& size) : m_folder(folder)
{
    QDir().mkpath(folder);
    m_mounted =
        QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=") + size, QStringLiteral("tmpfs"), folder}) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {m_folder});
}

void SmallDisk::fill() const
{
    QFile filler(m_folder + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'f')) == 512) {
    }
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

} // namespace meridan::test
