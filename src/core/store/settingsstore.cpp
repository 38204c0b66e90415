#include "settingsstore.h"

#include "store/storedatabase.h"
#include "store/storejson.h"
#include "util/messages.h"

#include <QSqlError>
#include <QSqlQuery>
#include <utility>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

QStringList splitKeyPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts);
}

// The keys and values of one open database, inside one transaction. A
// statement that fails marks the transaction failed; it is rolled back.
class SqlTransaction : public StoreTransaction
{
public:
    explicit SqlTransaction(QSqlDatabase database) : m_db(std::move(database)) {}

    bool failed() const { return m_error.isValid(); }
    const QSqlError& error() const { return m_error; }

    bool keyExists(const QString& path) override { return findKey(path).has_value(); }

    bool createKey(const QString& path) override
    {
        qint64 id = 0;
        for (const QString& part : splitKeyPath(path)) {
            const std::optional<qint64> child = findChild(id, part);
            if (child) {
                id = *child;
                continue;
            }
            QSqlQuery insert = prepare(u"INSERT INTO keys(parent, name, folded) VALUES(?, ?, ?)"_s);
            insert.addBindValue(id);
            insert.addBindValue(part);
            insert.addBindValue(folded(part));
            if (!run(insert))
                return false;
            id = insert.lastInsertId().toLongLong();
        }
        return true;
    }

    std::optional<StoreNode> readKey(const QString& path) override
    {
        const std::optional<qint64> id = findKey(path);
        if (!id)
            return std::nullopt;
        const QStringList parts = splitKeyPath(path);
        StoreNode node{parts.isEmpty() ? QString() : parts.last(), {}, {}};
        QSqlQuery values =
            prepare(u"SELECT name, text, dword FROM vals WHERE key = ? ORDER BY rowid"_s);
        values.addBindValue(*id);
        if (!run(values))
            return std::nullopt;
        while (values.next()) {
            if (values.isNull(1))
                node.values.append(
                    {values.value(0).toString(), quint32(values.value(2).toLongLong())});
            else
                node.values.append({values.value(0).toString(), values.value(1).toString()});
        }
        QSqlQuery keys = prepare(u"SELECT name FROM keys WHERE parent = ? ORDER BY id"_s);
        keys.addBindValue(*id);
        if (!run(keys))
            return std::nullopt;
        while (keys.next())
            node.keys.append(StoreNode{keys.value(0).toString(), {}, {}});
        return node;
    }

    bool setValues(const QString& path, const QList<StoredValue>& values) override
    {
        const std::optional<qint64> id = findKey(path);
        if (!id)
            return false;
        for (const StoredValue& value : values) {
            QSqlQuery upsert =
                prepare(u"INSERT INTO vals(key, name, folded, text, dword) VALUES(?, ?, ?, ?, ?) "
                        u"ON CONFLICT(key, folded) DO UPDATE SET text = excluded.text, "
                        u"dword = excluded.dword"_s);
            upsert.addBindValue(*id);
            upsert.addBindValue(value.name);
            upsert.addBindValue(folded(value.name));
            const auto* text = std::get_if<QString>(&value.data);
            // A bound null QString would store NULL: an empty text is "".
            upsert.addBindValue(text ? QVariant(text->isNull() ? u""_s : *text)
                                     : QVariant(QMetaType::fromType<QString>()));
            upsert.addBindValue(text ? QVariant(QMetaType::fromType<qint64>())
                                     : QVariant(qint64(std::get<quint32>(value.data))));
            if (!run(upsert))
                return false;
        }
        return true;
    }

    bool removeValue(const QString& path, const QString& name) override
    {
        const std::optional<qint64> id = findKey(path);
        if (!id)
            return false;
        QSqlQuery remove = prepare(u"DELETE FROM vals WHERE key = ? AND folded = ?"_s);
        remove.addBindValue(*id);
        remove.addBindValue(folded(name));
        return run(remove) && remove.numRowsAffected() > 0;
    }

    bool removeKey(const QString& path) override
    {
        const std::optional<qint64> id = findKey(path);
        if (!id || *id == 0)
            return false;
        const QString tree = u"WITH RECURSIVE tree(id) AS (SELECT ? UNION ALL "
                             u"SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) "_s;
        for (const QString& statement :
             {QString(tree + u"DELETE FROM vals WHERE key IN (SELECT id FROM tree)"_s),
              QString(tree + u"DELETE FROM keys WHERE id IN (SELECT id FROM tree)"_s)}) {
            QSqlQuery remove = prepare(statement);
            remove.addBindValue(*id);
            if (!run(remove))
                return false;
        }
        return true;
    }

    bool renameKey(const QString& path, const QString& newName) override
    {
        QStringList parts = splitKeyPath(path);
        const std::optional<qint64> id = findKey(path);
        if (!id || *id == 0)
            return false;
        parts.removeLast();
        const std::optional<qint64> parent = findKey(parts.join(u'\\'));
        const std::optional<qint64> other = parent ? findChild(*parent, newName) : std::nullopt;
        if (!parent || (other && *other != *id))
            return false;
        QSqlQuery update = prepare(u"UPDATE keys SET name = ?, folded = ? WHERE id = ?"_s);
        update.addBindValue(newName);
        update.addBindValue(folded(newName));
        update.addBindValue(*id);
        return run(update);
    }

    bool execute(const QString& statement)
    {
        QSqlQuery query(m_db);
        if (query.exec(statement))
            return true;
        fail(query.lastError());
        return false;
    }

private:
    QSqlQuery prepare(const QString& statement)
    {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        if (!query.prepare(statement))
            fail(query.lastError());
        return query;
    }

    bool run(QSqlQuery& query)
    {
        if (failed())
            return false;
        if (query.exec())
            return true;
        fail(query.lastError());
        return false;
    }

    void fail(const QSqlError& error)
    {
        if (!failed())
            m_error = error;
    }

    std::optional<qint64> findChild(qint64 parent, const QString& name)
    {
        QSqlQuery find = prepare(u"SELECT id FROM keys WHERE parent = ? AND folded = ?"_s);
        find.addBindValue(parent);
        find.addBindValue(folded(name));
        if (!run(find) || !find.next())
            return std::nullopt;
        return find.value(0).toLongLong();
    }

    // The root of the tree is key 0, which has no row of its own.
    std::optional<qint64> findKey(const QString& path)
    {
        qint64 id = 0;
        for (const QString& part : splitKeyPath(path)) {
            const std::optional<qint64> child = findChild(id, part);
            if (!child)
                return std::nullopt;
            id = *child;
        }
        return id;
    }

    QSqlDatabase m_db;
    QSqlError m_error;
};

// Inserts a whole tree below the key with that path.
bool insertTree(StoreTransaction& tx, const QString& path, const StoreNode& node)
{
    if (!tx.createKey(path) || !tx.setValues(path, node.values))
        return false;
    for (const StoreNode& child : node.keys)
        if (!insertTree(tx, path + u'\\' + child.name, child))
            return false;
    return true;
}

std::optional<StoreNode> readTree(StoreTransaction& tx, const QString& path)
{
    std::optional<StoreNode> node = tx.readKey(path);
    if (!node)
        return std::nullopt;
    for (StoreNode& child : node->keys) {
        std::optional<StoreNode> full = readTree(tx, path + u'\\' + child.name);
        if (!full)
            return std::nullopt;
        child = std::move(*full);
    }
    return node;
}

// Runs work between begin and COMMIT on this thread's open database,
// rolling back on any failure.
int runTransaction(const QString& begin, const std::function<bool(StoreTransaction&)>& work)
{
    QSqlError error;
    int status = kStoreOk;
    {
        // Every handle on the connection ends here: a failure may close it.
        SqlTransaction tx(storeDatabase().connection());
        if (!tx.execute(begin)) {
            error = tx.error();
            status = kStoreAccessDenied;
        } else if (work(tx) && !tx.failed() && tx.execute(u"COMMIT"_s)) {
            status = kStoreOk;
        } else {
            error = tx.error();
            status = tx.failed() ? kStoreWriteFailed : kStoreNotFound;
            SqlTransaction(storeDatabase().connection()).execute(u"ROLLBACK"_s);
        }
    }
    if (error.isValid())
        storeDatabase().reportFailure(error);
    return status;
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

bool SettingsStore::usable()
{
    return storeDatabase().open(StoreDatabase::Purpose::Read) != StoreDatabase::State::Unusable;
}

void SettingsStore::release()
{
    storeDatabase().release();
}

int SettingsStore::write(const std::function<bool(StoreTransaction&)>& work)
{
    StoreDatabase& store = storeDatabase();
    if (store.open(StoreDatabase::Purpose::Write) != StoreDatabase::State::Open)
        return kStoreAccessDenied;
    return runTransaction(u"BEGIN IMMEDIATE"_s, work);
}

bool SettingsStore::read(const std::function<void(StoreTransaction&)>& work)
{
    StoreDatabase& store = storeDatabase();
    switch (store.open(StoreDatabase::Purpose::Read)) {
    case StoreDatabase::State::Unusable:
        return false;
    case StoreDatabase::State::Absent: {
        // Nothing stored yet: every key reads as missing.
        StoreDatabase::EmptyStore empty;
        work(empty);
        return true;
    }
    case StoreDatabase::State::Open:
        break;
    }
    const int status = runTransaction(u"BEGIN"_s, [&](StoreTransaction& tx) {
        work(tx);
        return true;
    });
    return status == kStoreOk;
}

std::optional<QByteArray> SettingsStore::exportJson()
{
    StoreNode root;
    const bool read = SettingsStore::read([&](StoreTransaction& tx) {
        if (std::optional<StoreNode> tree = readTree(tx, QString()))
            root = std::move(*tree);
    });
    if (!read)
        return std::nullopt;
    return storeToJson(root);
}

bool SettingsStore::importJson(const QByteArray& json)
{
    const StoreJson parsed = storeFromJson(json);
    if (!parsed.root) {
        messages().error(u"The file is no settings export of Meridan: %1"_s.arg(parsed.problem));
        return false;
    }
    if (!parsed.caseDuplicates.isEmpty()) {
        messages().error(u"The file holds keys whose names differ only in case: %1. Nothing was "
                         u"imported."_s.arg(parsed.caseDuplicates.join(u", "_s)));
        return false;
    }
    const int status = write([&](StoreTransaction& tx) {
        const std::optional<StoreNode> top = tx.readKey(QString());
        for (const StoreNode& key : top ? top->keys : QList<StoreNode>())
            if (!tx.removeKey(key.name))
                return false;
        for (const StoreNode& key : parsed.root->keys)
            if (!insertTree(tx, key.name, key))
                return false;
        return true;
    });
    return status == kStoreOk;
}

// --- SettingsKey ---------------------------------------------------------

SettingsKey::SettingsKey(const QString& path, quint32 rights) : m_path(path)
{
    if (splitKeyPath(path).isEmpty())
        return;
    SettingsStore::read([&](StoreTransaction& tx) { m_open = tx.keyExists(path); });
    if (m_open || !(rights & kSetValue) || !SettingsStore::usable())
        return;
    m_open =
        SettingsStore::write([&](StoreTransaction& tx) { return tx.createKey(path); }) == kStoreOk;
}

std::optional<StoreNode> SettingsKey::snapshot() const
{
    if (!m_open)
        return std::nullopt;
    std::optional<StoreNode> node;
    SettingsStore::read([&](StoreTransaction& tx) { node = tx.readKey(m_path); });
    return node;
}

quint32 SettingsKey::readDword(const QString& name, quint32 defaultValue) const
{
    const std::optional<StoreNode> key = snapshot();
    const StoredValue* value = key ? key->value(name) : nullptr;
    if (!value)
        return defaultValue;
    if (const auto* number = std::get_if<quint32>(&value->data))
        return *number;
    // A string where a number belongs reads as its leading decimal number.
    bool ok = false;
    const quint32 parsed = std::get<QString>(value->data).trimmed().toUInt(&ok);
    return ok ? parsed : defaultValue;
}

int SettingsKey::readString(const QString& name, QString* text) const
{
    text->clear();
    const std::optional<StoreNode> key = snapshot();
    const StoredValue* value = key ? key->value(name) : nullptr;
    if (!value)
        return kStoreNotFound;
    if (const auto* stored = std::get_if<QString>(&value->data))
        *text = *stored;
    else
        *text = QString::number(std::get<quint32>(value->data));
    return kStoreOk;
}

QString SettingsKey::readString(const QString& name) const
{
    QString text;
    readString(name, &text);
    return text;
}

int SettingsKey::writeDword(const QString& name, quint32 number)
{
    return writeValues({StoredValue{name, number}});
}

int SettingsKey::writeString(const QString& name, const QString& text)
{
    return writeValues({StoredValue{name, text}});
}

int SettingsKey::writeValues(const QList<StoredValue>& values)
{
    if (!m_open)
        return kStoreAccessDenied;
    return SettingsStore::write([&](StoreTransaction& tx) { return tx.setValues(m_path, values); });
}

QStringList SettingsKey::enumSubkeys() const
{
    QStringList names;
    if (const std::optional<StoreNode> key = snapshot())
        for (const StoreNode& child : key->keys)
            names.append(child.name);
    return names;
}

int SettingsKey::deleteValue(const QString& name)
{
    if (!m_open)
        return kStoreAccessDenied;
    return SettingsStore::write([&](StoreTransaction& tx) { return tx.removeValue(m_path, name); });
}

int SettingsKey::deleteSubkey(const QString& name)
{
    if (!m_open)
        return kStoreAccessDenied;
    return SettingsStore::write(
        [&](StoreTransaction& tx) { return tx.removeKey(m_path + u'\\' + name); });
}

} // namespace meridan
