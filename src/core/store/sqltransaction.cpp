#include "sqltransaction.h"

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

QStringList splitKeyPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts);
}

} // namespace

SqlTransaction::SqlTransaction(QSqlDatabase database) : m_db(std::move(database))
{
}

bool SqlTransaction::createKey(const QString& path)
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

std::optional<StoreNode> SqlTransaction::readKey(const QString& path)
{
    std::optional<StoreNode> node = readValues(path);
    const std::optional<qint64> id = node ? findKey(path) : std::nullopt;
    if (!id)
        return std::nullopt;
    QSqlQuery keys = prepare(u"SELECT name FROM keys WHERE parent = ? ORDER BY id"_s);
    keys.addBindValue(*id);
    if (!run(keys))
        return std::nullopt;
    while (keys.next())
        node->keys.append(StoreNode{keys.value(0).toString(), {}, {}});
    return node;
}

std::optional<StoreNode> SqlTransaction::readValues(const QString& path)
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
            node.values.append({values.value(0).toString(), quint32(values.value(2).toLongLong())});
        else
            node.values.append({values.value(0).toString(), values.value(1).toString()});
    }
    return node;
}

bool SqlTransaction::setValues(const QString& path, const QList<StoredValue>& values)
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

bool SqlTransaction::removeValue(const QString& path, const QString& name)
{
    const std::optional<qint64> id = findKey(path);
    if (!id)
        return false;
    QSqlQuery remove = prepare(u"DELETE FROM vals WHERE key = ? AND folded = ?"_s);
    remove.addBindValue(*id);
    remove.addBindValue(folded(name));
    return run(remove) && remove.numRowsAffected() > 0;
}

bool SqlTransaction::removeKey(const QString& path)
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

bool SqlTransaction::renameKey(const QString& path, const QString& newName)
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

bool SqlTransaction::execute(const QString& statement)
{
    QSqlQuery query(m_db);
    if (query.exec(statement))
        return true;
    fail(query.lastError());
    return false;
}

QSqlQuery SqlTransaction::prepare(const QString& statement)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        fail(query.lastError());
    return query;
}

bool SqlTransaction::run(QSqlQuery& query)
{
    if (failed())
        return false;
    if (query.exec())
        return true;
    fail(query.lastError());
    return false;
}

void SqlTransaction::fail(const QSqlError& error)
{
    if (!failed())
        m_error = error;
}

std::optional<qint64> SqlTransaction::findChild(qint64 parent, const QString& name)
{
    QSqlQuery find = prepare(u"SELECT id FROM keys WHERE parent = ? AND folded = ?"_s);
    find.addBindValue(parent);
    find.addBindValue(folded(name));
    if (!run(find) || !find.next())
        return std::nullopt;
    return find.value(0).toLongLong();
}

std::optional<qint64> SqlTransaction::findKey(const QString& path)
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

} // namespace meridan
