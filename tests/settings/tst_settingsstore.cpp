#include "common/testenvironment.h"
#include "settings/settingsstore.h"

#include <QFile>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        recorder = std::make_unique<RecordingMessages>();
    }
    void cleanup()
    {
        recorder.reset();
        home.reset();
    }

    void onlyWriteRightsCreateKeys_data()
    {
        QTest::addColumn<quint32>("rights");
        QTest::addColumn<bool>("creates");
        QTest::newRow("query") << quint32(kQueryValue) << false;
        QTest::newRow("set") << quint32(kSetValue) << true;
        QTest::newRow("query and set") << quint32(kQueryValue | kSetValue) << true;
        QTest::newRow("create subkey") << quint32(kCreateSubKey) << false;
        QTest::newRow("enumerate") << quint32(kEnumerateSubKeys) << false;
    }
    void onlyWriteRightsCreateKeys()
    {
        QFETCH(quint32, rights);
        QFETCH(bool, creates);
        const SettingsKey key(u"SOFTWARE\\Meridan\\shop"_s, rights);
        QCOMPARE(key.isOpen(), creates);
        QCOMPARE(SettingsKey(u"SOFTWARE\\Meridan\\shop"_s, kQueryValue).isOpen(), creates);
        QCOMPARE(QFile::exists(SettingsStore::filePath()), creates);
    }

    void missingValuesReadAsDefaults()
    {
        SettingsKey missing(u"SOFTWARE\\Meridan\\none"_s, kQueryValue);
        QCOMPARE(missing.readDword(u"LogPeriodicity"_s, 1018), 1018u);
        QString text = u"stale"_s;
        QCOMPARE(missing.readString(u"Url"_s, &text), int(kStoreNotFound));
        QVERIFY(text.isEmpty());
        QVERIFY(missing.enumSubkeys().isEmpty());
        QVERIFY(missing.writeString(u"Url"_s, u"x"_s) != kStoreOk);
        QVERIFY(!SettingsKey(u"SOFTWARE\\Meridan\\none"_s, kQueryValue).isOpen());
    }

    void valuesRoundTripAndSurviveReopening()
    {
        {
            SettingsKey key(u"SOFTWARE\\Meridan\\shop"_s, kSetValue);
            QCOMPARE(key.writeString(u"Url"_s, u"www.shop.com"_s), int(kStoreOk));
            QCOMPARE(key.writeDword(u"Output"_s, 4294967295u), int(kStoreOk));
            QCOMPARE(key.writeString(u"Empty"_s, QString()), int(kStoreOk));
            QCOMPARE(key.writeString(u"Umlaut"_s, u"Grüße \u00e9\u4e2d"_s), int(kStoreOk));
        }
        const SettingsKey key(u"software\\MERIDAN\\Shop"_s, kQueryValue);
        QVERIFY(key.isOpen());
        QCOMPARE(key.readString(u"URL"_s), u"www.shop.com"_s);
        QCOMPARE(key.readDword(u"output"_s, 0), 4294967295u);
        QString empty = u"x"_s;
        QCOMPARE(key.readString(u"Empty"_s, &empty), int(kStoreOk));
        QVERIFY(empty.isEmpty());
        QCOMPARE(key.readString(u"Umlaut"_s), u"Grüße \u00e9\u4e2d"_s);
        QCOMPARE(QFile::permissions(SettingsStore::filePath()),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                     QFileDevice::WriteUser);
    }

    void keyNamesIgnoreCaseButKeepSpelling()
    {
        SettingsKey(u"SOFTWARE\\Meridan\\Shop"_s, kSetValue).writeString(u"Url"_s, u"a"_s);
        SettingsKey(u"SOFTWARE\\Meridan\\SHOP"_s, kSetValue).writeString(u"url"_s, u"b"_s);
        const SettingsKey product(u"SOFTWARE\\Meridan"_s, kEnumerateSubKeys);
        QCOMPARE(product.enumSubkeys(), QStringList{u"Shop"_s});
        const std::optional<StoreNode> shop =
            SettingsKey(u"SOFTWARE\\Meridan\\shop"_s, kQueryValue).snapshot();
        QVERIFY(shop);
        QCOMPARE(shop->values.size(), 1);
        QCOMPARE(shop->values.first().name, u"Url"_s);
        QCOMPARE(std::get<QString>(shop->values.first().data), u"b"_s);
    }

    void deletingASubkeyTakesItsValues()
    {
        SettingsKey(u"SOFTWARE\\Meridan\\a"_s, kSetValue).writeString(u"200301"_s, u"Lx"_s);
        SettingsKey(u"SOFTWARE\\Meridan\\b"_s, kSetValue).writeString(u"Url"_s, u"b"_s);
        SettingsKey product(u"SOFTWARE\\Meridan"_s, kCreateSubKey);
        QCOMPARE(product.deleteSubkey(u"A"_s), int(kStoreOk));
        QVERIFY(!SettingsKey(u"SOFTWARE\\Meridan\\a"_s, kQueryValue).isOpen());
        QCOMPARE(SettingsKey(u"SOFTWARE\\Meridan"_s, kEnumerateSubKeys).enumSubkeys(),
                 QStringList{u"b"_s});
        QVERIFY(product.deleteSubkey(u"a"_s) != kStoreOk);
        SettingsKey b(u"SOFTWARE\\Meridan\\b"_s, kQueryValue | kSetValue);
        QCOMPARE(b.deleteValue(u"URL"_s), int(kStoreOk));
        QCOMPARE(b.readString(u"Url"_s), QString());
    }

    void damagedFileIsNeverOverwritten_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("truncated") << QByteArray("{\"Meridan settings\": 1, \"root\": {\"na");
        QTest::newRow("not json") << QByteArray("\xff\xfe garbage \x01");
        QTest::newRow("wrong shape") << QByteArray("{\"Meridan settings\": 1, \"root\": []}");
        QTest::newRow("foreign json") << QByteArray("[1,2,3]");
        QTest::newRow("bad number")
            << QByteArray("{\"Meridan settings\":1,\"root\":{\"name\":\"\",\"values\":[{\"name\":"
                          "\"x\",\"dword\":-1}],\"keys\":[]}}");
    }
    void damagedFileIsNeverOverwritten()
    {
        QFETCH(QByteArray, contents);
        writeFile(SettingsStore::filePath(), contents);
        SettingsKey key(u"SOFTWARE\\Meridan\\shop"_s, kSetValue);
        QVERIFY(!key.isOpen());
        QVERIFY(key.writeString(u"Url"_s, u"x"_s) != kStoreOk);
        QVERIFY(SettingsStore::update([](StoreNode&) { return true; }) != kStoreOk);
        QCOMPARE(readAll(SettingsStore::filePath()), contents);
        QCOMPARE(SettingsKey(kProductKey, kQueryValue).readDword(u"CfgAscending"_s, 7), 7u);
    }

private:
    std::unique_ptr<TestHome> home;
    std::unique_ptr<RecordingMessages> recorder;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
