#include "settingsstore.h"

#include "store/sqltransaction.h"
#include "store/storedatabase.h"
#include "store/storejson.h"
#include "util/texts.h"

#include <QSqlError>
#include <utility>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Runs work between begin and COMMIT on this thread's open database,
// rolling back on any failure. True when it was committed.
bool runTransaction(const QString& begin, const std::function<bool(StoreTransaction&)>& work)
{
    QSqlError error;
    bool committed = false;
    {
        // Every handle on the connection ends here: a failure may close it.
        SqlTransaction tx(storeDatabase().connection());
        if (!tx.execute(begin)) {
            error = tx.error();
        } else if (work(tx) && !tx.failed() && tx.execute(u"COMMIT"_s)) {
            committed = true;
        } else {
            error = tx.error();
            SqlTransaction(storeDatabase().connection()).execute(u"ROLLBACK"_s);
        }
    }
    if (error.isValid())
        storeDatabase().failWith(error);
    return committed;
}

// Why the store refused what was asked, or the words for a change that
// the work itself declined.
Result storeRefusal()
{
    const QString why = storeDatabase().takeFailure();
    return Result::refused(
        why.isEmpty() ? texts::Store::tr("Nothing was changed in the settings database %1.")
                            .arg(StoreDatabase::databasePath())
                      : why);
}

// A complete export holds at least the key of the preferences.
bool holdsPreferences(const StoreJson& parsed)
{
    const StoreNode* software = parsed.root ? parsed.root->child(u"SOFTWARE"_s) : nullptr;
    return software && software->child(u"Meridan"_s);
}

// Why an export cannot be imported. (A free function: lupdate cannot place
// texts inside the store's class.)
QString importRefusedText(const StoreJson& parsed)
{
    if (parsed.root && !holdsPreferences(parsed))
        return texts::Store::tr("The file is no complete settings export of Meridan: it holds "
                                "no preferences. Nothing was imported.");
    if (!parsed.root)
        return texts::Store::tr("The file is no settings export of Meridan: %1")
            .arg(parsed.problem);
    return texts::Store::tr(
               "The file holds keys whose names differ only in case: %1. Nothing was imported.")
        .arg(parsed.caseDuplicates.join(u", "_s));
}

} // namespace

// --- StoreNode ---------------------------------------------------------

const StoreNode* StoreNode::child(const QString& childName) const
{
    for (const StoreNode& key : keys)
        if (sameName(key.name, childName))
            return &key;
    return nullptr;
}

StoreNode* StoreNode::child(const QString& childName)
{
    return const_cast<StoreNode*>(std::as_const(*this).child(childName));
}

const StoredValue* StoreNode::value(const QString& valueName) const
{
    for (const StoredValue& item : values)
        if (sameName(item.name, valueName))
            return &item;
    return nullptr;
}

QString StoreNode::text(const QString& valueName) const
{
    const StoredValue* stored = value(valueName);
    if (!stored)
        return QString();
    if (const auto* text = std::get_if<QString>(&stored->data))
        return *text;
    return QString::number(std::get<quint32>(stored->data));
}

quint32 StoreNode::number(const QString& valueName, quint32 missing) const
{
    const StoredValue* stored = value(valueName);
    if (!stored)
        return missing;
    if (const auto* number = std::get_if<quint32>(&stored->data))
        return *number;
    // A string where a number belongs reads as its decimal number.
    bool ok = false;
    const quint32 parsed = std::get<QString>(stored->data).trimmed().toUInt(&ok);
    return ok ? parsed : missing;
}

StoredValue* StoreNode::value(const QString& valueName)
{
    return const_cast<StoredValue*>(std::as_const(*this).value(valueName));
}

void StoreNode::setValue(StoredValue newValue)
{
    if (StoredValue* existing = value(newValue.name))
        existing->data = std::move(newValue.data); // keeps the first spelling
    else
        values.append(std::move(newValue));
}

bool StoreNode::removeValue(const QString& valueName)
{
    return values.removeIf([&](const StoredValue& v) { return sameName(v.name, valueName); }) > 0;
}

bool StoreNode::removeChild(const QString& childName)
{
    return keys.removeIf([&](const StoreNode& k) { return sameName(k.name, childName); }) > 0;
}

// --- SettingsStore -------------------------------------------------------

QString SettingsStore::filePath()
{
    return StoreDatabase::databasePath();
}

QString SettingsStore::legacyFilePath()
{
    return StoreDatabase::legacyPath();
}

Result SettingsStore::usable()
{
    if (storeDatabase().open(StoreDatabase::Purpose::Read) == StoreDatabase::State::Unusable)
        return storeRefusal();
    return {};
}

Result SettingsStore::sound()
{
    StoreDatabase& store = storeDatabase();
    switch (store.open(StoreDatabase::Purpose::Read)) {
    case StoreDatabase::State::Absent:
        return {};
    case StoreDatabase::State::Open:
        if (store.checkSound())
            return {};
        break;
    case StoreDatabase::State::Unusable:
        break;
    }
    return storeRefusal();
}

bool SettingsStore::failedInThisRun()
{
    return StoreDatabase::failedInThisRun();
}

void SettingsStore::release()
{
    storeDatabase().release();
}

Result SettingsStore::write(const std::function<bool(StoreTransaction&)>& work)
{
    StoreDatabase& store = storeDatabase();
    if (store.open(StoreDatabase::Purpose::Write) != StoreDatabase::State::Open ||
        !runTransaction(u"BEGIN IMMEDIATE"_s, work))
        return storeRefusal();
    store.noteSoundWrite();
    return Result::doneWith(store.takeNote());
}

Result SettingsStore::read(const std::function<void(StoreTransaction&)>& work)
{
    StoreDatabase& store = storeDatabase();
    switch (store.open(StoreDatabase::Purpose::Read)) {
    case StoreDatabase::State::Unusable:
        return storeRefusal();
    case StoreDatabase::State::Absent: {
        // Nothing stored yet: every key reads as missing.
        StoreDatabase::EmptyStore empty;
        work(empty);
        return {};
    }
    case StoreDatabase::State::Open:
        break;
    }
    const bool read = runTransaction(u"BEGIN"_s, [&](StoreTransaction& tx) {
        work(tx);
        return true;
    });
    return read ? Result() : storeRefusal(); // a note waits for the first write
}

std::optional<StoreNode> SettingsStore::snapshot(const QString& path)
{
    std::optional<StoreNode> node;
    if (!read([&](StoreTransaction& tx) { node = tx.readValues(path); }))
        return std::nullopt;
    return node;
}

Expected<QList<std::optional<StoreNode>>> SettingsStore::snapshots(const QStringList& paths)
{
    QList<std::optional<StoreNode>> nodes(paths.size());
    if (Result done = read([&](StoreTransaction& tx) {
            for (qsizetype i = 0; i < paths.size(); ++i)
                nodes[i] = tx.readValues(paths.at(i));
        });
        !done)
        return done;
    return nodes;
}

Expected<QByteArray> SettingsStore::exportJson()
{
    StoreNode root;
    if (Result done = SettingsStore::read([&](StoreTransaction& tx) {
            if (std::optional<StoreNode> tree = readTree(tx, QString()))
                root = std::move(*tree);
        });
        !done)
        return done;
    return storeToJson(root);
}

Result SettingsStore::importJson(const QByteArray& json)
{
    // An empty file (a failed export) reads as an empty store: only a
    // complete export may replace what is stored.
    const StoreJson parsed = storeFromJson(json);
    if (!holdsPreferences(parsed) || !parsed.caseDuplicates.isEmpty())
        return Result::refused(importRefusedText(parsed));
    return write([&](StoreTransaction& tx) {
        const std::optional<StoreNode> top = tx.readKey(QString());
        for (const StoreNode& key : top ? top->keys : QList<StoreNode>())
            if (!tx.removeKey(key.name))
                return false;
        for (const StoreNode& key : parsed.root->keys)
            if (!insertTree(tx, key.name, key))
                return false;
        return true;
    });
}

} // namespace meridan
