#include "store/preferences.h"
#include "store/settingsstore.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "util/files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestSettingsStore : public SandboxTest
{
    Q_OBJECT

private slots:
    void readingCreatesNothing()
    {
        QVERIFY(!storedKey(u"SOFTWARE\\Meridan\\shop"_s));
        const auto nodes = SettingsStore::snapshots({kProductKey});
        QVERIFY(nodes && !nodes->first());
        QVERIFY(!QFile::exists(SettingsStore::filePath()));
        QVERIFY(writeStored(u"SOFTWARE\\Meridan\\shop"_s));
        QVERIFY(QFile::exists(SettingsStore::filePath()));
    }

    void valuesRoundTripAndSurviveReopening()
    {
        QVERIFY(
            writeStored(u"SOFTWARE\\Meridan\\shop"_s, {{u"Url"_s, u"www.shop.com"_s},
                                                       {u"Output"_s, 4294967295u},
                                                       {u"Empty"_s, QString()},
                                                       {u"Umlaut"_s, u"Grüße \u00e9\u4e2d"_s}}));
        SettingsStore::release();
        const std::optional<StoreNode> key = SettingsStore::snapshot(u"software\\MERIDAN\\Shop"_s);
        QVERIFY(key);
        QCOMPARE(key->text(u"URL"_s), u"www.shop.com"_s);
        QCOMPARE(key->number(u"output"_s, 0), 4294967295u);
        QVERIFY(key->value(u"Empty"_s) && key->text(u"Empty"_s).isEmpty());
        QCOMPARE(key->text(u"Umlaut"_s), u"Grüße \u00e9\u4e2d"_s);
        QCOMPARE(QFile::permissions(SettingsStore::filePath()),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                     QFileDevice::WriteUser);
    }

    void keyNamesIgnoreCaseButKeepSpelling()
    {
        writeStored(u"SOFTWARE\\Meridan\\Shop"_s, {{u"Url"_s, u"a"_s}});
        writeStored(u"SOFTWARE\\Meridan\\SHOP"_s, {{u"url"_s, u"b"_s}});
        QCOMPARE(storedSubkeys(u"SOFTWARE\\Meridan"_s), QStringList{u"Shop"_s});
        const std::optional<StoreNode> shop = storedKey(u"SOFTWARE\\Meridan\\shop"_s);
        QVERIFY(shop);
        QCOMPARE(shop->values.size(), 1);
        QCOMPARE(shop->values.first().name, u"Url"_s);
        QCOMPARE(std::get<QString>(shop->values.first().data), u"b"_s);
        // Beyond ASCII too.
        writeStored(u"SOFTWARE\\Meridan\\Société"_s, {{u"Größe"_s, u"a"_s}});
        QCOMPARE(readStored(u"SOFTWARE\\Meridan\\SOCIÉTÉ"_s, u"GRÖßE"_s), u"a"_s);
    }

    void removingAKeyTakesItsValues()
    {
        writeStored(u"SOFTWARE\\Meridan\\a"_s, {{u"200301"_s, u"Lx"_s}});
        writeStored(u"SOFTWARE\\Meridan\\b"_s, {{u"Url"_s, u"b"_s}});
        const auto remove = [](const QString& path) {
            return SettingsStore::write([&](StoreTransaction& tx) { return tx.removeKey(path); });
        };
        QVERIFY(remove(u"SOFTWARE\\Meridan\\A"_s));
        QVERIFY(!storedKey(u"SOFTWARE\\Meridan\\a"_s));
        QCOMPARE(storedSubkeys(kProductKey), QStringList{u"b"_s});
        QVERIFY(!remove(u"SOFTWARE\\Meridan\\a"_s));
        QVERIFY(SettingsStore::write([](StoreTransaction& tx) {
            return tx.removeValue(u"SOFTWARE\\Meridan\\b"_s, u"URL"_s);
        }));
        QVERIFY(!storedKey(u"SOFTWARE\\Meridan\\b"_s)->value(u"Url"_s));
    }

    void renamingAKeyKeepsEverythingInIt()
    {
        writeStored(u"SOFTWARE\\Meridan\\a"_s, {{u"200301"_s, u"Lx"_s}});
        writeStored(u"SOFTWARE\\Meridan\\b"_s);
        bool renamed = false;
        bool clash = true;
        QVERIFY(SettingsStore::write([&](StoreTransaction& tx) {
            clash = tx.renameKey(u"SOFTWARE\\Meridan\\a"_s, u"B"_s);
            renamed = tx.renameKey(u"SOFTWARE\\Meridan\\a"_s, u"c"_s);
            return true;
        }));
        QVERIFY(!clash);
        QVERIFY(renamed);
        QCOMPARE(readStored(u"SOFTWARE\\Meridan\\C"_s, u"200301"_s), u"Lx"_s);
        QCOMPARE(storedSubkeys(kProductKey),
                 (QStringList{u"c"_s, u"b"_s})); // in the order they were made
    }

    void aRefusedTransactionChangesNothing()
    {
        writeStored(u"SOFTWARE\\Meridan\\a"_s, {{u"Url"_s, u"before"_s}});
        QVERIFY(!SettingsStore::write([](StoreTransaction& tx) {
            tx.setValues(u"SOFTWARE\\Meridan\\a"_s, {{u"Url"_s, u"after"_s}});
            tx.createKey(u"SOFTWARE\\Meridan\\b"_s);
            return false;
        }));
        QCOMPARE(readStored(u"SOFTWARE\\Meridan\\a"_s, u"Url"_s), u"before"_s);
        QVERIFY(!bool(storedKey(u"SOFTWARE\\Meridan\\b"_s)));
    }

    // Nothing that is not a sound database of ours is ever written: reads
    // give defaults, writes fail, and the user is told once, with the path.
    void damagedOrForeignFilesStayAsTheyAre_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("zero-length file") << u"empty"_s;
        QTest::newRow("text file") << u"text"_s;
        QTest::newRow("truncated database") << u"truncated"_s;
        QTest::newRow("damaged page behind a sound header") << u"damaged page"_s;
        QTest::newRow("database of another program") << u"foreign"_s;
        QTest::newRow("folder at the path") << u"folder"_s;
        QTest::newRow("FIFO at the path") << u"fifo"_s;
    }
    void damagedOrForeignFilesStayAsTheyAre()
    {
        QFETCH(QString, kind);
        const QString path = SettingsStore::filePath();
        if (kind == u"truncated"_s || kind == u"damaged page"_s) {
            for (int i = 0; i < 200; ++i)
                writeStored(u"SOFTWARE\\Meridan\\site%1"_s.arg(i),
                            {{u"Url"_s, QString(200, u'x')}});
            SettingsStore::release();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (kind == u"truncated"_s) {
                QVERIFY(file.resize(file.size() / 2));
            } else { // the last page: nothing reads it before a write
                QVERIFY(file.seek(file.size() - 4096));
                QByteArray noise(4096, '\0');
                for (char& c : noise)
                    c = char(QRandomGenerator::global()->bounded(256));
                QCOMPARE(file.write(noise), 4096);
            }
        } else if (kind == u"foreign"_s) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QProcess sqlite;
            sqlite.start(u"sqlite3"_s, {path, u"CREATE TABLE t (x); INSERT INTO t VALUES (1);"_s});
            QVERIFY(sqlite.waitForFinished() && sqlite.exitCode() == 0);
        } else if (kind == u"folder"_s) {
            QDir().mkpath(path);
        } else if (kind == u"fifo"_s) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            writeFile(path, kind == u"text"_s ? QByteArray("just some text\n") : QByteArray());
        }
        const QFileInfo before(path);
        const QByteArray bytes = before.isFile() ? readAll(path) : QByteArray();
        QVERIFY(!writeStored(u"SOFTWARE\\Meridan\\shop"_s, {{u"Url"_s, u"x"_s}}));
        QVERIFY(!SettingsStore::snapshot(kProductKey));
        for (const Result& refused : {SettingsStore::write([](StoreTransaction&) { return true; }),
                                      SettingsStore::usable()})
            QVERIFY2(!refused && refused.message().contains(path), qPrintable(refused.message()));
        if (before.isFile())
            QCOMPARE(readAll(path), bytes);
        QCOMPARE(QFileInfo(path).lastModified(), before.lastModified());
    }

    void causesOfAFailedWriteAreNamed_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        QTest::newRow("a file where the folder goes") << u"file"_s << u"is a file, not a folder"_s;
        QTest::newRow("read-only folder") << u"read-only"_s << u"is read-only"_s;
    }
    void causesOfAFailedWriteAreNamed()
    {
        QFETCH(QString, cause);
        QFETCH(QString, message);
        if (::geteuid() == 0 && cause == u"read-only"_s)
            QSKIP("root writes into read-only folders");
        const QString folder = QFileInfo(SettingsStore::filePath()).absolutePath();
        if (cause == u"file"_s) {
            writeFile(folder, "in the way");
        } else {
            writeStored(u"SOFTWARE\\Meridan\\shop"_s);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        const Result written = SettingsStore::write(
            [](StoreTransaction& tx) { return tx.createKey(u"SOFTWARE\\Meridan\\shop"_s); });
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QVERIFY2(!written && written.message().contains(message), qPrintable(written.message()));
    }

    void aFullDiskIsNamed()
    {
        const QString folder = QFileInfo(SettingsStore::filePath()).absolutePath();
        const SmallDisk disk(folder, u"96k"_s);
        if (!disk.mounted())
            QSKIP("no tmpfs can be mounted here");
        const auto release = qScopeGuard([] { SettingsStore::release(); });
        // A small file's last bytes fail only at its flush: it stays as it was.
        const QString hosts = folder + u"/known_hosts"_s;
        const QByteArray trusted(3831, 'k');
        writeFile(hosts, trusted);
        const QString key = u"SOFTWARE\\Meridan\\shop"_s;
        QVERIFY(writeStored(key));
        Result stored;
        for (int i = 0; i < 400 && stored; ++i)
            stored = SettingsStore::write([&](StoreTransaction& tx) {
                return tx.setValues(key, {{u"v%1"_s.arg(i), QString(1000, u'x')}});
            });
        QVERIFY2(!stored && stored.message().contains(u"the disk is full"_s),
                 qPrintable(stored.message()));
        QCOMPARE(readStored(key, u"v0"_s), QString(1000, u'x')); // committed changes stay
        disk.fill();
        for (const qsizetype size : {10, 3900, 200000}) {
            const Result written = writeFileAtomically(hosts, QByteArray(size, 'n'));
            QVERIFY2(!written && written.message().contains(u"No space left"_s),
                     qPrintable(written.message()));
            QCOMPARE(readAll(hosts), trusted);
        }
        QCOMPARE(QDir(folder).entryList({u"known_hosts*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"known_hosts"_s});
    }

    // Release 0.1 kept the settings as JSON: imported once, in one go.
    void earlierJsonSettingsAreImportedOnce()
    {
        const QString legacy = SettingsStore::legacyFilePath();
        writeFile(legacy, R"({"Meridan settings": 1, "root": {"name": "", "values": [], "keys": [
            {"name": "SOFTWARE", "values": [], "keys": [
              {"name": "Meridan", "values": [{"name": "AnalogPath", "string": "/usr/bin/analog"},
                                             {"name": "CfgAscending", "dword": 1}], "keys": [
                {"name": "Shop", "values": [{"name": "Url", "string": "www.shop.com"},
                                            {"name": "Output", "dword": 4294967295},
                                            {"name": "Empty", "string": ""},
                                            {"name": "200301", "string": "Lformat"}], "keys": []},
                {"name": "SHOP", "values": [{"name": "Url", "string": "second"}], "keys": []},
                {"name": "Other", "values": [], "keys": []}]}]}]}})");
        QCOMPARE(storedSubkeys(kProductKey), (QStringList{u"Shop"_s, u"Other"_s}));
        const Result imported = SettingsStore::write([](StoreTransaction&) { return true; });
        QVERIFY2(imported && imported.message().contains(u"SOFTWARE\\Meridan\\SHOP"_s),
                 qPrintable(imported.message()));
        QCOMPARE(readStored(u"SOFTWARE\\Meridan\\shop"_s, u"Url"_s), u"www.shop.com"_s);
        QCOMPARE(storedKey(kProductKey)->number(u"CfgAscending"_s, 0), 1u);
        const std::optional<StoreNode> shop = storedKey(u"SOFTWARE\\Meridan\\Shop"_s);
        QCOMPARE(shop->number(u"Output"_s, 0), 4294967295u);
        QCOMPARE(shop->text(u"200301"_s), u"Lformat"_s);
        QVERIFY(!QFile::exists(legacy));
        QVERIFY(QFile::exists(legacy + u".imported"_s));
        QCOMPARE(QFile::permissions(SettingsStore::filePath()) & 0x0077,
                 QFileDevice::Permissions());
    }

    void damagedJsonSettingsAreKeptAndNotImported()
    {
        const QString legacy = SettingsStore::legacyFilePath();
        const QByteArray damaged = "{\"Meridan settings\": 1, \"root\": {\"na";
        writeFile(legacy, damaged);
        const Result written = SettingsStore::write([](StoreTransaction&) { return true; });
        QVERIFY2(!written && written.message().contains(legacy), qPrintable(written.message()));
        QCOMPARE(readAll(legacy), damaged);
        QVERIFY(!QFile::exists(SettingsStore::filePath()));
    }

    void exportAndImportCarryEverything()
    {
        writeStored(u"SOFTWARE\\Meridan\\Shop"_s,
                    {{u"Url"_s, u"www.shop.com"_s}, {u"Output"_s, 7u}, {u"Umlaut"_s, u"Grüße"_s}});
        writeStored(kProductKey, {{u"AnalogPath"_s, u"/usr/bin/analog"_s}});
        const Expected<QByteArray> exported = SettingsStore::exportJson();
        QVERIFY(exported);
        writeStored(u"SOFTWARE\\Meridan\\Gone"_s);
        writeStored(u"SOFTWARE\\Meridan\\Shop"_s, {{u"Url"_s, u"changed"_s}});
        QVERIFY(SettingsStore::importJson(*exported));
        QCOMPARE(SettingsStore::exportJson().valueOr({}), *exported);
        QCOMPARE(storedSubkeys(kProductKey), QStringList{u"Shop"_s});
        // Anything but a complete export changes nothing: a damaged or
        // doubled file, an empty one (a failed export), one without the
        // preferences, key names the store cannot hold.
        QByteArray doubled = *exported;
        doubled.replace("\"Shop\"", "\"Shop\", \"values\": [], \"keys\": []}, {\"name\": \"SHOP\"");
        QList<QByteArray> refused{
            "{\"Meridan settings\": 1",
            doubled,
            "",
            " \n\t\n",
            "{\"Meridan settings\": 1, \"root\": {\"name\": \"\", \"values\": [], "
            "\"keys\": []}}",
            QByteArray(*exported).replace("1,", "2,")};
        for (const char* name : {"a\\\\b", "", "..", "x/y", "tab\\t"})
            refused.append(QByteArray(*exported).replace("\"Shop\"",
                                                         QByteArray('"' + QByteArray(name) + '"')));
        for (const QByteArray& text : std::as_const(refused))
            QVERIFY2(!SettingsStore::importJson(text), text.constData());
        QCOMPARE(SettingsStore::exportJson().valueOr({}), *exported);
    }

    void textEditorThatCannotStartIsNamed_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("started");
        QTest::newRow("starts") << u"/bin/true --wait"_s << true;
        QTest::newRow("missing") << u"/nowhere/editor"_s << false;
    }
    void textEditorThatCannotStartIsNamed()
    {
        QFETCH(QString, editor);
        QFETCH(bool, started);
        Preferences prefs;
        prefs.textEditor = editor;
        QVERIFY(prefs.save());
        const Result opened = Preferences::openInTextEditor(u"/tmp/a.cfg"_s);
        QCOMPARE(opened.ok(), started);
        QCOMPARE(opened.message().contains(editor), !started);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
